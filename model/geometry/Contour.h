// CContour: an outline as a pending transform plus 9-byte point records (see PointRecord.h) in a
// movable global-memory block, one or more sub-paths of lines and cubic Bezier pieces. Views draw
// and hit-test through it, the output code flattens it, the exporters write it as plotter or
// Illustrator path text. Every operation locks the block only for its own duration.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/SizeClassPool.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"
#include "model/geometry/PointRecord.h"
#include "model/geometry/PointStore.h"

class CDC;
class CFile;

class CContour {
public:
  // The record (tag '#', curve type 128) without its points: tag, length, type, attribute word,
  // box, matrix, colour, point count.
  static const size_t kRecordHeaderSize = 68;

  CContour();
  ~CContour();
  // Contours come and go by the thousand (every outline drawn is one): they live in the shared
  // small-object pool, as blocks do, not in the general heap.
  static void* operator new(size_t size) { return CSizeClassPool::Shared().Allocate(size); }
  static void operator delete(void* contour, size_t size) {
    CSizeClassPool::Shared().Free(contour, size);
  }
  CContour(const CContour&) = delete;
  CContour& operator=(const CContour&) = delete;

  // A contour from the size bytes of a '#' record; null when the record is not one or is damaged.
  static CContour* FromRecord(const BYTE* record, size_t size);
  // The record in a new block (the caller frees it); its length, or 0 and a null handle when fewer
  // than three records precede the end record or there are more than kMaxPointRecords.
  int ToRecord(HGLOBAL* out) const;

  // Appends without touching the box; returns the new count.
  int AppendRaw(const POINTREC& record);
  // Appends and widens the box by on-curve points and the Bezier pieces they end.
  int AppendPoint(const POINTREC& record);
  int AppendEndMark();
  // Appends a copy of the last sub-path's start point flagged 0x41; the count stays when there is
  // no start point.
  int CloseLastSubpath();
  // Removes trailing end records (record 0 stays).
  void TrimEndMarks();
  // Removes trailing special records and reopens the last point, so that the last sub-path goes on.
  void ReopenLastSubpath();

  // A copy (null without points), with the matrix multiplied onto its pending matrix; the box is
  // copied unchanged.
  CContour* Clone(const CMatrix2D* matrix = nullptr) const;
  // Pending matrix x matrix; the box becomes the bounding box of its transformed corners.
  void Transform(const CMatrix2D* matrix);
  // Bakes the pending matrix into the points; returns how many points were transformed.
  int ApplyMatrix();
  // Appends the other's sub-paths (both matrices are baked first); boxes are united.
  void Append(CContour* other);
  // Appends the other's records joined to this contour's last point by a straight line; the caller
  // trims this contour's end records first.
  void AppendContinuing(CContour* other);
  // A new contour with every sub-path running the other way (the pending matrix is baked first).
  CContour* Reversed();

  // Strokes the outline as one path through the pending matrix (device pixels). With a clip
  // rectangle only the pieces near it are drawn; pieces of a pixel or less are skipped. Pen-colour
  // records select pens of their colour; the context's own pen is selected again afterwards.
  void Draw(CDC* dc, const RECT* clip = nullptr) const;
  // Draw without a clip for a context whose pen, and every pen the colour records ask for, is a
  // one-pixel cosmetic pen (the blocks' drawing in the views): the same pixels in fewer calls.
  void DrawThin(CDC* dc) const;
  // Draw through pending matrix x matrix, without a clip.
  void Stroke(CDC* dc, const CMatrix2D* matrix = nullptr) const;
  // Fills and strokes the outline; the result of StrokeAndFillPath, 0 without points. Pen-colour
  // records select a pen and a brush of their colour.
  BOOL FillPath(CDC* dc) const;
  // FillPath, and Draw when that fails.
  BOOL Paint(CDC* dc, int unused) const;
  BOOL PaintDC(CDC* dc) const;

  // The point lies within tol (page units) of the outline, taken through the pending matrix.
  bool HitTestOutline(float x, float y, float tol) const;
  // Plotter commands of the stored points (callers bake the pending matrix first).
  void WriteHPGL(CFile* file) const;
  // Illustrator path text of the stored points.
  void WriteAIPath(CFile* file) const;

  int GetCount() const { return m_store.Count(); }
  int GetCapacity() const { return m_store.Capacity(); }
  // The block for callers that walk the records themselves; lock it only while using it.
  HGLOBAL GetPointBlock() const { return m_store.Block(); }
  // Record index, or false when the index is outside the records in use.
  bool GetPoint(int index, POINTREC* out) const;
  std::vector<POINTREC> GetPoints() const;
  const CMatrix2D& GetMatrix() const { return m_matrix; }
  const CFRect& GetBox() const { return m_box; }
  void SetBox(const CFRect& box);
  // True until the first on-curve point is appended (a box at (0, 0, 0, 0) may be a real one).
  bool IsBoxEmpty() const { return m_boxEmpty; }

private:
  void StrokeWalk(CDC* dc, const CMatrix2D* matrix, const RECT* clip, bool thinPen) const;
  void WidenBox(const POINTREC& record);
  int LastEndIndex() const;
  void TakeCopyOf(const CContour& other);

  CMatrix2D m_matrix;
  CPointStore m_store;
  CFRect m_box;
  bool m_boxEmpty;
};
