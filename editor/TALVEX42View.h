// CTALVEX42View: the view of a drawing document. For now it shows only the page, fitted into the
// window, and brings back the main frame's bars when it becomes active (closing the last document
// hides them); drawing the blocks, the rulers and the tools come with the drawing views.
#pragma once

#include "framework/View.h"

class CTALVEX42Doc;

class CTALVEX42View : public CView {
  DECLARE_DYNCREATE(CTALVEX42View)
public:
  CTALVEX42View() = default;

  CTALVEX42Doc* GetDocument() const;
  void OnDraw(CDC* dc) override;
  void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;

  // The page's rectangle in the client area: as large as fits with a margin, in the page's
  // proportions (an empty rectangle for a page without size).
  static RECT FitPage(const RECT& client, float pageWidth, float pageHeight);
};
