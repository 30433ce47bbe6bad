// CTALVEX42View: the view of a drawing document, on the drawing view base. For now it shows the
// page (with its shadow and grid) under rulers, zooms and scrolls, and lets the user pull guide
// lines out of the rulers, move them and drop them back to delete them; it brings back the main
// frame's bars when it becomes active (closing the last document hides them). Drawing the blocks
// and the editing tools come with the main drawing view.
#pragma once

#include "editor/tools/OutputAreaCommands.h"
#include "editor/views/TALVEXView.h"

class CTALVEX42Doc;

class CTALVEX42View : public CTALVEXView {
  DECLARE_DYNCREATE(CTALVEX42View)
public:
  static constexpr int kRulerThickness = 15;
  static constexpr int kSelectTool = 40070;

  CTALVEX42View();

  CTALVEX42Doc* GetDocument() const;
  CSegArray* GetBlockArray() override;
  void DrawOverlay(CDC* dc) override;

  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void OnInitialUpdate() override;
  void OnDraw(CDC* dc) override;
  void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
  // The output areas take their commands first.
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
  void OnSize(UINT type, int cx, int cy);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  // Opens the cut-output window over the document.
  void OnOpenCutWindow();

  DECLARE_MESSAGE_MAP()

private:
  // Guides are handled in the tools that select.
  bool ToolTakesGuides() const {
    return m_currentTool == kSelectTool || m_currentTool == kNodeTool;
  }
  void DrawPage(CDC* dc, const CMatrix2D& matrix);
  void DrawGrid(CDC* dc, const CMatrix2D& matrix);

  COutputAreaCommands m_outputAreas{this};
};
