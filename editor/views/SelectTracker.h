// CSelectTracker: the selection tool of a drawing view. It keeps the union box of the selected
// blocks, draws their outlines and its handles in XOR, and turns presses, drags and nudges into
// selection changes, moves, scales, rotations and skews of the selected blocks, each user action
// one undo step. Scale mode shows eight handles around the box; a second click on the selection
// switches to rotate and skew handles and back. When the button comes up it shows the current
// block's parameter panel, its size and the property bar's page for it. The view hands it page
// coordinates.
#pragma once

#include <windows.h>

#include <memory>

#include "editor/views/ViewMouseTarget.h"
#include "model/geometry/FRect.h"
#include "model/geometry/Matrix2D.h"

class CBlock;
class CBlockView;
class CClientDC;
class CDocument;
class CRulerManager;
class CSegArray;

class CSelectTracker : public CViewMouseTarget {
public:
  // kBlockHandleMode is what a hover over a single selected block's own handle reports.
  enum Mode : WORD {
    kNoMode = 0,
    kScaleMode = 2,
    kRotateMode = 3,
    kBlockHandleMode = 4,
    kJustSelected = 0x80
  };
  enum Handle {
    kNone = -1,
    kMove = 0,
    kTopLeft = 1,
    kTop,
    kTopRight,
    kLeft,
    kRight,
    kBottomLeft,
    kBottom,
    kBottomRight,
    kCentre
  };
  enum DragState : WORD {
    kIdle = 0,
    kClickOrMove = 256,
    kBlockHandle = 512,
    kTrackerHandle = 528,
    kRubberBand = 544
  };
  // Pixels: handles sit this far outside the box; a press this close hits them.
  static constexpr float kHandleGap = 8.0f;
  static constexpr float kHandleTolerance = 3.0f;
  static constexpr float kMoveSlack = 5.0f;
  static constexpr float kPickSlack = 2.0f;
  static constexpr float kDragThreshold = 3.0f;
  static constexpr UINT kObjectSizeCommand = 32839;
  static constexpr UINT kObjectTypeCommand = 32840;

  CSelectTracker();
  void Init();
  // The view, its document (marked modified by changes; may be null) and its rulers (snapping;
  // may be null). Editing enables handles, mode toggling and Ctrl copies.
  void Attach(CBlockView* view, CDocument* document, CRulerManager* rulers, bool editing);

  BOOL OnLButtonDown(const Event& event) override;
  BOOL OnMouseMove(const Event& event) override;
  BOOL OnLButtonUp(const Event& event) override;
  void Draw(CDC* dc, CMatrix2D* matrix) override;
  BOOL OnKeyDown(UINT key);

  void Hide(CDC* dc);
  void Show(CDC* dc);
  void Update();
  void Refresh(CDC* dc, BOOL deselectAll);
  // The type code of the first selected block (0 when none); the box copied out when asked.
  DWORD Recount(CFRect* box = nullptr);
  DWORD GetSelectionBox(CFRect* box) { return Recount(box); }
  CBlock* FindSelected(BYTE type) const;
  void AddToSelection(CBlock* block);
  BOOL SelectAt(float x, float y, BOOL add);
  void SelectInRect(float left, float top, float right, float bottom);
  void OffsetSelection(float dx, float dy);
  void ScaleSelection(const CFRect& from, const CFRect& to);
  void TransformSelection(const CMatrix2D& matrix);
  BOOL DeleteSelected();
  void CancelRotation();
  // The current block's panel in the host: as asked for by the user (CBlock::ShowPanel) or
  // following the selection (CBlock::RefreshPanel); FALSE without a current block.
  BOOL ShowCurrentPanel(HWND host, bool requested);
  void InvalidateBox() const;
  // A black rectangle XOR-drawn on the view's window, between page points.
  void DrawBoxXor(float left, float top, float right, float bottom) const;

  // The handle under a page point on the given box, kNone when none.
  static int HitHandle(WORD mode, const CFRect& box, FPOINT centre, float pixel, float x, float y);
  // The rectangle a scale handle (1-8) or a move (0, unsnapped) drags the box to.
  static CFRect DraggedRect(const CFRect& box, int handle, float dx, float dy);
  // Degrees of the rotation about the centre that the drag from press to current describes.
  static float RotationAngle(FPOINT centre, FPOINT press, FPOINT current);
  // The skew matrix of a skew handle dragged from press to current, about the box's centre.
  static CMatrix2D SkewMatrix(const CFRect& box, int handle, FPOINT press, FPOINT current);
  // The cursor a handle shows in a mode: a system cursor, or one of the program's by id.
  struct Cursor {
    LPCSTR system;  // null for the program's own
    UINT resource;
  };
  // {null, 0} for a handle that keeps the cursor.
  static Cursor HandleCursor(WORD mode, int handle);

  WORD GetCount() const { return m_count; }
  WORD GetMode() const { return m_mode; }
  WORD GetDragState() const { return m_dragState; }
  int GetActiveHandle() const { return m_activeHandle; }
  CBlock* GetCurrentBlock() const { return m_current; }
  const CFRect& GetBox() const { return m_box; }
  FPOINT GetRotationCentre() const { return m_centre; }
  WORD GetTextCount() const { return m_texts; }
  WORD GetCurveCount() const { return m_curves; }
  WORD GetLibraryCount() const { return m_libraries; }
  WORD GetImageCount() const { return m_images; }
  WORD GetOtherCount() const { return m_others; }
  bool IsHidden() const { return m_hidden != 0; }
  // Names the selection's kind in the status bar (the view became the active one).
  void ReportType() const { SendObjectType(); }

private:
  CSegArray* Blocks() const;
  float Pixel() const;
  bool Recording() const;
  void Record(class CUndoRecord* record) const;
  bool InBox(float x, float y, float slack) const;
  void StartMove();
  void CountType(BYTE type);
  void ApplyDrag(UINT flags);
  void LeaveCopies();
  void RepaintNow() const;
  void FinishMouseUp();
  // The panel in the property window and the size in the status bar.
  void ReportCurrentBlock() const;
  // The rectangle a move or a scale drags the box to, a move snapped to what the user asks.
  CFRect DraggedBox(float dx, float dy) const;
  // Whether the point is on a handle of the one selected block (which then comes first).
  bool HitsOwnHandle(float x, float y) const;
  void DrawHandles(HDC dc, const CMatrix2D& matrix);
  // The context given, or else one on the view's window (kept alive by own); null without a window.
  CDC* DrawingContext(CDC* dc, std::unique_ptr<CClientDC>& own) const;
  void DrawFeedback(CDC* dc);
  void DrawBand(CDC* dc);
  // Whether the status bar speaks of this view's drawing: a view behind the active one keeps quiet.
  bool SpeaksInStatusBar() const;
  void SendObjectSize(float width, float height) const;
  // The status bar's type pane: the selected block's kind, a word for several, empty for none.
  void SendObjectType() const;
  void SetHandleCursor(WORD mode, int handle, FPOINT point);

  WORD m_count = 0;
  int m_hidden = 0;
  int m_moved = 0;
  WORD m_texts = 0, m_curves = 0, m_libraries = 0, m_images = 0, m_others = 0;
  WORD m_mode = 0;
  int m_activeHandle = kNone;
  CBlock* m_current = nullptr;
  CFRect m_box;
  FPOINT m_press = {0, 0};
  FPOINT m_point = {0, 0};
  FPOINT m_centre = {0, 0};
  WORD m_dragState = kIdle;
  int m_editing = 0;
  CBlockView* m_view = nullptr;
  CDocument* m_document = nullptr;
  CRulerManager* m_rulers = nullptr;
  // The drag feedback is XOR: what was drawn is erased as it was, even if snapping changed since.
  bool m_feedbackShown = false;
  CFRect m_feedbackRect;
};
