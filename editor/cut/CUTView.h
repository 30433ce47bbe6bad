// CCUTView: the view of the cut-output window. It shows the job (the preview, a private copy of
// the document cut to its output areas or page) as outlines on a white rectangle standing for the
// media, with the document's page marked, under the drawing view's rulers, zoom and scrolling.
// The four media edges can be dragged with the mouse: the left and top edges move the media, the
// right and bottom edges size it. Elsewhere the mouse goes to the view's own selection tracker,
// with editing off: blocks of the job are selected by click, Shift-click and rubber band and
// moved by dragging, nothing more. Nothing done here is recorded for undo.
#pragma once

#include <memory>

#include "editor/views/SelectTracker.h"
#include "editor/views/TALVEXView.h"
#include "model/undo/UndoManager.h"
#include "output/CutPreview.h"

class CCutFrame;
class CWeldDll;

class CCUTView : public CTALVEXView {
  DECLARE_DYNCREATE(CCUTView)
public:
  static constexpr int kRulerThickness = 15;
  static constexpr int kSelectTool = 40070;
  // The tools while a media edge is held.
  enum EdgeTool : int {
    kLeftEdgeTool = 32796,
    kRightEdgeTool = 32797,
    kTopEdgeTool = 32798,
    kBottomEdgeTool = 32799,
  };
  // Pixels around an edge that still grab it, and that a drag must exceed to start.
  static constexpr int kEdgePixels = 3;

  CCUTView();
  ~CCUTView() override;

  CSegArray* GetBlockArray() override;
  // A manager that only opens and closes the tracker's steps: the depth stays 0, so nothing is
  // recorded.
  CUndoManager* GetUndoManager() override { return &m_noUndo; }
  CSelectTracker& GetSelection() { return m_selection; }
  CCutPreview* GetPreview() const { return m_preview.get(); }

  // The edge tool for a press at (x, y) in page units (left, right, top, bottom tested in this
  // order), or 0 outside the media widened by the tolerance or away from every edge.
  static int EdgeToolAt(const CFRect& media, float tolerance, float x, float y);
  // The media after an edge drag released at (x, y): left and top move it, size kept; right and
  // bottom size it (the absolute distance from the opposite edge).
  static CFRect MoveEdge(const CFRect& media, int tool, float x, float y);

  // Zooms to the job and the media together and repaints.
  void FitJobAndMedia();
  // Deselects the job, builds it again with the current options and repaints.
  void Rebuild();
  void SetSavePaper(bool on);
  void MirrorJob();
  void RotateJob();
  bool ScaleJob(float zoom);
  void StepMedia(CCutPreview::Step step);

  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void OnInitialUpdate() override;
  void OnDraw(CDC* dc) override;

protected:
  int OnCreate(LPCREATESTRUCTA cs);
  void OnSize(UINT type, int cx, int cy);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  DECLARE_MESSAGE_MAP()

private:
  CCutFrame* Frame() const;
  CFRect& Media();
  float Tolerance();
  bool IsEdgeTool() const;
  void SetEdgeCursor(int tool);
  // The rubber-band line along the held edge, through the point.
  void PlaceEdgeLine(int tool, float x, float y);
  void ShowMediaSize(UINT control, float size);
  void FillColourList();
  void DrawMedia(CDC* dc, const CMatrix2D& matrix, const RECT& client);
  void DrawJob(CDC* dc, CMatrix2D* matrix, const CFRect& repaint);
  void DrawPageRect(CDC* dc, const CMatrix2D& matrix);
  CViewMouseTarget::Event MouseEvent(UINT flags, CPoint point) const;
  // After the job moved as a whole: the selection's box follows it.
  void JobMoved();

  std::unique_ptr<CCutPreview> m_preview;
  std::unique_ptr<CWeldDll> m_library;
  CUndoManager m_noUndo;
  CSelectTracker m_selection;
  FPOINT m_press;
  bool m_dragStarted;
};
