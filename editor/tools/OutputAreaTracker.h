// COutputAreaTracker: the output areas of a drawing view's document under the area tools: it
// adds, draws, selects, moves, resizes, deletes and flags the areas (rectangles of the page that
// the cut output is limited to). It works while the view's tool is 32794: a press on an area
// selects it (Shift adds it), a drag moves the selection or, from one of the eight handles around
// the selection box, resizes it; a press beside every area drags a rubber band that selects the
// areas strictly inside it. Coordinates are page units; the view's scale s (page units per pixel)
// sets the tolerances. The areas belong to the document; the tracker keeps only the selection.
#pragma once

#include <windows.h>

#include "model/geometry/FRect.h"

class CAuxObject;
class CAuxObjectList;
class CBlockView;
class CDC;
class CMatrix2D;
class CTALVEX42Doc;

class COutputAreaTracker {
public:
  static constexpr int kSelectTool = 32794;
  static constexpr int kDrawTool = 32792;
  // Drag states of a press.
  enum DragState : WORD { kIdle = 0, kMoving = 256, kHandleDrag = 528, kRubberBand = 544 };
  // Handle modes; the high bit marks an area selected by this press.
  enum : BYTE { kNoHandles = 1, kScaleHandles = 2, kJustSelected = 0x80 };
  static constexpr short kNoHandle = -1;

  explicit COutputAreaTracker(CBlockView* view);

  // The document whose areas are handled; null handles none.
  void SetDocument(CTALVEX42Doc* document) { m_document = document; }

  // Called by the view.
  void Add(CAuxObject* area);
  void ClearAll();
  void DrawAll(CDC* dc = nullptr, const CMatrix2D* matrix = nullptr);
  void DrawSelected(CDC* dc = nullptr, const CMatrix2D* matrix = nullptr);
  void SetSolid(int flag);
  bool DeleteSelected();
  // Each returns 0 unless tool 32794 is current; the press returns its drag state.
  int OnLButtonDown(UINT flags, float x, float y);
  int OnMouseMove(UINT flags, float x, float y);
  int OnLButtonUp(UINT flags, float x, float y);

  int GetSelectedCount() const { return m_count; }
  CAuxObject* GetCurrentArea() const { return m_current; }
  const CFRect& GetBox() const { return m_box; }
  WORD GetDragState() const { return m_dragState; }
  short GetHandle() const { return m_handle; }
  bool IsHidden() const { return m_hidden; }

  // The handle square (1-8, 0 the middle) under the point in scale-handle mode; -1 for none.
  short HitTestHandle(float x, float y) const;
  // The point lies in the selection box widened by 5 pixels.
  bool HitTracker(float x, float y) const;
  // The area under the point (a direct hit on its frame first, else the first whose widened
  // rectangle holds the point); added to the selection when select is set. False when none.
  bool HitSelect(float x, float y, bool select);
  void SelectInRect(CFRect band);
  void ClearSelection(bool reset);

  // The box resized by the drag vector at the handle; a side of a box without width (height)
  // stays put in x (y).
  static CFRect ResizeBox(const CFRect& box, int handle, float dx, float dy);
  // The rectangle mapped from the old box onto the new one, normalised.
  static CFRect MapRect(const CFRect& rect, const CFRect& from, const CFRect& to);

private:
  CAuxObjectList* Areas() const;
  float Scale() const;
  HWND Window() const;
  void MarkModified();
  FPOINT HandlePoint(int handle) const;
  void SetHandleCursor(short handle);
  void AddToSelection(CAuxObject* area);
  void ComputeBox();
  void ScaleSelected(const CFRect& from, const CFRect& to);
  void OffsetSelected(float dx, float dy);
  void FinishDrag();
  CFRect DragBox() const;
  // XOR drawings: drawing twice erases.
  void DrawTracker(CDC* dc, const CMatrix2D& matrix);
  void DrawDragFeedback();
  void DrawRubberBand();
  void DrawXorRect(const CFRect& rect);
  void InvalidateTracker();
  void HideTracker();
  void ShowTracker();
  void StartDrag(WORD state);

  short m_count;
  bool m_hidden;
  bool m_dragStarted;
  bool m_mayScale;
  bool m_mayRotate;
  BYTE m_handleMode;
  short m_handle;
  CAuxObject* m_current;
  CFRect m_box;
  FPOINT m_press;
  FPOINT m_point;
  FPOINT m_centre;
  WORD m_dragState;
  CBlockView* m_view;
  CTALVEX42Doc* m_document;
};
