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

class CCarveSink;
class CCutSink;
class CGroupBlock;
class CNodePath;

class CCurveBlock : public CBlock {
public:
  // Hit kinds of the segment last hit.
  enum : WORD { kNoHit = 0, kLineHit = 0x600, kBezierHit = 0x700 };
  // The record without its points: header, box, matrix, colour, count.
  static const size_t kRecordFixedSize = 68;

  CCurveBlock();
  ~CCurveBlock() override;

  // Two points and the end record: a curve of fewer is neither drawn nor stored.
  static const int kFewestStoredRecords = 3;

  // A curve from a '#' record of the given size; null for another tag or a damaged record. A
  // last record that is not the end record is taken for it (the damage mended); a curve with too
  // few points left by that to be stored, or in a file being read one with a point far outside
  // any page, is left out (CLoadDamage).
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
  int AppendRecordTo(CByteWriter& out) override;
  CBlock* ToCurve(DWORD colour) override;
  void SetColour(CBlockView* view, DWORD colour, BOOL redraw) override;
  CBlock* Clone() override;
  void AddColourToCombo(HWND combo) override;

  // Services for text on a path, output, node commands and contour separation.
  float FirstSubpathLength(int* closed);
  // The caller bakes the matrix first.
  void OutputToCutter(CCutSink* device) const;
  void OutputToCarver(CCarveSink* device) const;
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

  // --- Node editing: the block slots (the node tool's events are CCurveNodeEditor's) ---
  BOOL CanNodeEdit() override { return TRUE; }
  void NodeEditStarted(CBlockView* view) override;
  BOOL EndNodeEdit(CBlockView* view) override;
  void DrawNodeEditOverlay(CDC* dc, CMatrix2D* matrix) override;
  BOOL HasEditSelection() override;
  BOOL HasCommand(CBlockView* view, UINT command) override;
  BOOL ExecCommand(CBlockView* view, UINT command) override;
  void NodeDelete(CBlockView* view) override;
  BOOL OnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL OnMouseMove(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL OnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL OnRButtonDown(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL OnRButtonUp(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL OnLButtonDblClk(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL NodeOnLButtonDown(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL NodeOnMouseMove(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL NodeOnLButtonUp(CBlockView* view, UINT keyFlags, float x, float y) override;
  BOOL NodeOnChar(CBlockView* view, UINT ch, UINT flags) override;
  BOOL NodeOnKeyDown(CBlockView* view, UINT key, UINT modifiers) override;
  BOOL NodeShortcutKey(CBlockView* view, UINT ch, UINT flags) override;

  // --- Node selection and hit tests (indices are point records) ---
  void SelectNode(CBlockView* view, int index);
  void DeselectNode(CBlockView* view, int index);
  void SelectNodesInRect(CBlockView* view, float left, float top, float right, float bottom);
  // XOR-toggles the selection marks; clear also ends the selection, with undo records.
  void RedrawSelection(CBlockView* view, BOOL clear);
  // The node or control point under the point, -1 when none; *kind as CNodePath::NodeHit.
  int HitNode(CBlockView* view, float x, float y, int* kind);
  int HitUnselectedNode(CBlockView* view, float x, float y);
  // kLineHit or kBezierHit, setting the hit fields; kNoHit and hitParam -1 when none.
  WORD HitSegment(CBlockView* view, float x, float y);

  // --- Geometric drags (offsets in page units; keyFlags carry MK_SHIFT) ---
  void MoveSelectedNodes(float dx, float dy, UINT keyFlags, FPOINT mouse);
  using CBlock::MoveControlPoint;
  void MoveControlPoint(float dx, float dy, int which, UINT keyFlags);
  void DragSegment(float dx, float dy);
  void MoveSubpaths(float dx, float dy);
  void SetSelectedCoordinate(CBlockView* view, float value, int axis);

  // --- Node-edit commands; each answers FALSE (0) when what it needs is missing ---
  BOOL AddNode(CBlockView* view);
  BOOL SegmentToCurve(CBlockView* view);
  BOOL SegmentToLine(CBlockView* view);
  BOOL ToggleSegmentKind(CBlockView* view);
  BOOL BreakNode(CBlockView* view);
  int JoinNodes(CBlockView* view);
  BOOL DeleteContour(CBlockView* view);
  BOOL ReplaceByCircle(CBlockView* view);
  BOOL ReplaceBySquare(CBlockView* view);
  // Prepares the replace-by-curve tool: P0 and P3 around the selected run; FALSE when there is
  // no run with an unselected node on each side.
  BOOL ReplaceByCurve(CBlockView* view);
  BOOL ReplaceNodesByCurve(CBlockView* view, FPOINT c1, FPOINT c2);
  void AppendLineSegment(CBlockView* view, FPOINT p0, FPOINT p1);
  void AppendBezierSegment(CBlockView* view, const FPOINT points[4]);
  // Whether the curve holds no node any more (every sub-path deleted).
  bool HasNoNodes() const;
  // selectedCount from the selection bits of the points.
  void RecountSelection();

  // --- What the node-edit undo records save and put back ---
  struct NodeEditFields {
    int selectedCount;
    int currentIndex;
    float hitX;
    float hitY;
    float hitParam;
    WORD hitKind;
    int hitSubpathStart;
  };
  struct PointsSnapshot {
    std::vector<POINTREC> records;
    int capacity;
    CFRect box;
    NodeEditFields fields;
  };
  NodeEditFields GetNodeEditFields() const;
  void SetNodeEditFields(const NodeEditFields& fields);
  PointsSnapshot TakeSnapshot() const;
  void RestoreSnapshot(const PointsSnapshot& snapshot);
  void SetPointRecord(int index, const POINTREC& record);
  // The records before the end record, and a new point list of them (box rebuilt, end record
  // appended).
  std::vector<POINTREC> GetPathRecords() const { return m_store.PathRecords(); }
  void SetPathRecords(const std::vector<POINTREC>& records);
  // The whole path of a new curve at once (point records only, no end record): the same points
  // and box as AddPoint for each record and EndCurve, without growing the store point by point.
  // Readers of large drawings build their curves so.
  void AssignPath(const std::vector<POINTREC>& records);

  // Node-editing state.
  int m_selectedCount;
  int m_currentIndex;
  float m_hitX;
  float m_hitY;
  float m_hitParam;
  WORD m_hitKind;
  int m_hitSubpathStart;

private:
  // Whether each of the first count point records, mapped by the matrix, lies within the bounds
  // of a drawing (CDrawingBounds); special records carry no point.
  static bool PointsWithinBounds(const BYTE* records, int count, const CMatrix2D& matrix);
  void WidenBox(const POINTREC& point);
  // The outline in a one-pixel pen of the curve's colour; on the screen in the fewest calls.
  void StrokeOutline(CDC* dc, CMatrix2D* matrix, bool onScreen);
  void TakePointsOf(const CCurveBlock& other);
  bool HitSegments(float x, float y, float tolerance);
  // Records the whole points for undo (with a repaint request) before a node-edit command.
  void RecordPointsUndo(CBlockView* view);
  // Takes a rebuilt point list; selection ended, the old area repainted.
  void TakeRebuilt(CBlockView* view, const std::vector<POINTREC>& records, BOOL erase);
  // A curve left without a node leaves the document, undoably; the caller must not use it after.
  void RemoveIfEmptied(CBlockView* view);

  DWORD m_colour;
  CPointStore m_store;
  // A node has widened the box since the points began; a box of zeros may be a real one.
  bool m_boxHasPoint;
};
