// CCurveBlock: the outline block (type 128), a free path of straight and cubic Bezier segments in
// one or more sub-paths. Its points are 9-byte records (PointRecord.h) in movable global memory,
// kept in the curve's own coordinates; the block matrix is a pending transform that maps them onto
// the page until an operation that needs page coordinates bakes it in (ApplyMatrix). The box is
// always in page coordinates.
#pragma once

#include <windows.h>

#include <vector>

#include "model/blocks/Block.h"
#include "model/geometry/PointRecord.h"
#include "model/geometry/PointStore.h"

class CCarveDevice;
class CCutSink;
class CGroupBlock;

class CCurveBlock : public CBlock {
public:
  // Hit kinds of the segment last hit.
  enum : WORD { kNoHit = 0, kLineHit = 0x600, kBezierHit = 0x700 };
  // The record without its points: header, box, matrix, colour, count.
  static const size_t kRecordFixedSize = 68;

  CCurveBlock();
  ~CCurveBlock() override;

  // A curve from a '#' record of the given size; null for another tag or a damaged record.
  static CBlock* FromRecord(const BYTE* record, size_t available);

  // Building a path. Each returns the new count.
  int AddPoint(const POINTREC& point);
  int AddPoint(float x, float y, BYTE flags) { return AddPoint(MakePointRecord(x, y, flags)); }
  int AddPointNoBounds(const POINTREC& point);
  int EndCurve();
  void CloseLastSubpath();
  void EndOpenSubpath();
  // Reopens the last sub-path; its former end bits (flags & 0x70), 0x20 without points.
  BYTE OpenLastSubpath();
  void TrimEndMarks();
  void AddRectangle(float x1, float y1, float x2, float y2);
  void AddLine(float x1, float y1, float x2, float y2);
  // Appends the other curve's sub-paths; both curves must be ended.
  void AppendCurve(const CCurveBlock& other);
  void InsertPointsAt(int index, int n);
  void InsertPointsAfter(int index, int n);
  void InsertPoint(int index, float x, float y, BYTE flags);

  // Bakes the pending matrix into the points; the box stays.
  void ApplyMatrix();

  // Block operations.
  void SetBox(float left, float top, float right, float bottom) override;
  void Offset(float dx, float dy) override;
  void Transform(const CMatrix2D& matrix) override;
  CContour* GetContour(const CMatrix2D* matrix, UINT flags) override;
  void DrawOutline(CDC* dc, CMatrix2D* matrix, int flag) override;
  void DrawFilled(CDC* dc, CMatrix2D* matrix, int flag) override;
  void DrawForPrint(CDC* dc, CMatrix2D* matrix, int flag) override;
  BOOL HitTest(CBlockView* view, float x, float y) override;
  int WriteRecord(HGLOBAL* record) override;
  CBlock* ToCurve(DWORD colour) override;
  void SetColour(CBlockView* view, DWORD colour, BOOL redraw) override;
  CBlock* Clone() override;
  void AddColourToCombo(HWND combo) override;

  // Services for text on a path, output, node commands and contour separation.
  float FirstSubpathLength(int* closed);
  // The caller bakes the matrix first.
  void OutputToCutter(CCutSink* device) const;
  void OutputToCarver(CCarveDevice* device) const;
  CCurveBlock* Reverse() const;
  CCurveBlock* ExtractSubpath(int startIndex) const;
  // One new curve per sub-path, added to the group.
  void SplitSubpaths(CGroupBlock* group);
  // Start (flag bits 0x10) at or below index, -1 when none; index must lie within the records.
  static int FindSubpathStart(const BYTE* points, int index);
  // End (0x20, 0x40 or 0x60) at or above index and below count; -1 when none.
  static int FindSubpathEnd(const BYTE* points, int count, int index);
  bool GetSubpathBounds(int startIndex, CFRect* bounds) const;

  DWORD GetColour() const { return m_colour; }
  int GetCount() const { return m_store.Count(); }
  int GetCapacity() const { return m_store.Capacity(); }
  // Lock it only while using it.
  HGLOBAL GetPointBlock() const { return m_store.Block(); }
  bool GetPoint(int index, POINTREC* point) const;
  std::vector<POINTREC> GetPoints() const;

  // Node-editing state.
  int m_selectedCount;
  int m_currentIndex;
  float m_hitX;
  float m_hitY;
  float m_hitParam;
  WORD m_hitKind;
  int m_hitSubpathStart;

private:
  void WidenBox(const POINTREC& point);
  void TakePointsOf(const CCurveBlock& other);
  bool HitSegments(float x, float y, float tolerance);

  DWORD m_colour;
  CPointStore m_store;
  // A node has widened the box since the points began; a box of zeros may be a real one.
  bool m_boxHasPoint;
};
