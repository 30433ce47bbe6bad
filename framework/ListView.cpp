#include "framework/ListView.h"

IMPLEMENT_DYNCREATE(CListView, CView)

BEGIN_MESSAGE_MAP(CListView, CView)
  ON_WM_PAINT()
END_MESSAGE_MAP()

CListCtrl& CListView::GetListCtrl() const {
  m_control.m_hWnd = m_hWnd;  // a plain wrapper: not in the handle map, never destroys the window
  return m_control;
}

BOOL CListView::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.lpszClass = WC_LISTVIEWA;
  return CView::PreCreateWindow(cs);
}

void CListView::OnPaint() { Default(); }  // the control paints itself

void CListView::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListView::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message != WM_DRAWITEM) return CView::OnChildNotify(message, wParam, lParam, result);
  DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
  if (result) *result = TRUE;
  return TRUE;
}
