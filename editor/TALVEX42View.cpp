#include "editor/TALVEX42View.h"

#include "editor/MDIMainFrame.h"
#include "framework/DC.h"
#include "framework/WinApp.h"
#include "model/document/TALVEX42Doc.h"
#include "resources/Resource.h"

IMPLEMENT_DYNCREATE(CTALVEX42View, CView)

namespace {

const int kMargin = 10;

COLORREF ToColorRef(int rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

CTALVEX42Doc* CTALVEX42View::GetDocument() const {
  return static_cast<CTALVEX42Doc*>(m_pDocument);
}

RECT CTALVEX42View::FitPage(const RECT& client, float pageWidth, float pageHeight) {
  RECT page = {0, 0, 0, 0};
  int width = client.right - client.left - 2 * kMargin;
  int height = client.bottom - client.top - 2 * kMargin;
  if (width <= 0 || height <= 0 || !(pageWidth > 0.0f) || !(pageHeight > 0.0f)) return page;
  float scale = width / pageWidth;
  if (pageHeight * scale > height) scale = height / pageHeight;
  int pageWidthPixels = static_cast<int>(pageWidth * scale);
  int pageHeightPixels = static_cast<int>(pageHeight * scale);
  page.left = client.left + kMargin + (width - pageWidthPixels) / 2;
  page.top = client.top + kMargin + (height - pageHeightPixels) / 2;
  page.right = page.left + pageWidthPixels;
  page.bottom = page.top + pageHeightPixels;
  return page;
}

void CTALVEX42View::OnDraw(CDC* dc) {
  CTALVEX42Doc* document = GetDocument();
  if (!document) return;
  const CPageSettings& settings = document->GetPageSettings();
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  HDC hdc = dc->GetSafeHdc();
  ::FillRect(hdc, &client, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
  RECT page = FitPage(client, settings.m_width, settings.m_height);
  if (page.right <= page.left) return;
  HBRUSH paper = ::CreateSolidBrush(ToColorRef(settings.m_backColor));
  HGDIOBJ oldBrush = ::SelectObject(hdc, paper);
  HGDIOBJ oldPen = ::SelectObject(hdc, ::GetStockObject(BLACK_PEN));
  ::Rectangle(hdc, page.left, page.top, page.right, page.bottom);
  ::SelectObject(hdc, oldPen);
  ::SelectObject(hdc, oldBrush);
  ::DeleteObject(paper);
}

void CTALVEX42View::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) {
  CView::OnActivateView(activate, activateView, deactiveView);
  if (!activate) return;
  CWnd* mainWindow = AfxGetMainWnd();
  if (!mainWindow || !mainWindow->IsKindOf(RUNTIME_CLASS(CMDIMainFrame))) return;
  CMDIMainFrame* frame = static_cast<CMDIMainFrame*>(mainWindow);
  frame->ShowControlBars(frame->GetBarsToShow(), 0xFFFF);
  frame->PostMessage(WM_COMMAND, ID_VIEW_ACTIVATED, 0);
}
