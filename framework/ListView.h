// CListView: a view that is a list-view control (a report list filling a frame).
#pragma once

#include "framework/ListCtrl.h"
#include "framework/View.h"

class CListView : public CView {
  DECLARE_DYNCREATE(CListView)
public:
  CListView() = default;

  // The view's window is the control: this wrapper shares its handle.
  CListCtrl& GetListCtrl() const;

  void OnDraw(CDC*) override {}
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  // Owner-drawn reports draw their rows here.
  virtual void DrawItem(LPDRAWITEMSTRUCT item);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
  void OnPaint();
  DECLARE_MESSAGE_MAP()

private:
  mutable CListCtrl m_control;
};
