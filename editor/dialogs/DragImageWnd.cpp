#include "editor/dialogs/DragImageWnd.h"

#include <algorithm>

#include "editor/dialogs/LibrarySource.h"
#include "framework/PaintDC.h"
#include "model/geometry/Contour.h"

// clang-format off
BEGIN_MESSAGE_MAP(CDragImageWnd, CWnd)
  ON_WM_PAINT()
  ON_WM_NCHITTEST()
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kInset = 2;
// From the window's corner to the graphic's: the border and the inset.
const int kMargin = kInset + 1;

int HeldSide(LONG side) {
  return std::max(CDragImageWnd::kSmallestSide,
                  std::min(CDragImageWnd::kLargestSide, static_cast<int>(side)));
}

}  // namespace

CDragImageWnd::CDragImageWnd() = default;

CDragImageWnd::~CDragImageWnd() { Hide(); }

BOOL CDragImageWnd::Show(CWnd* owner, CContour* outline, SIZE size, POINT screen) {
  Hide();
  m_outline.reset(outline);
  LPCSTR className = AfxRegisterWndClass(0, ::LoadCursorA(nullptr, IDC_ARROW),
                                         static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  const DWORD exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
  if (!CreateEx(exStyle, className, "", WS_POPUP | WS_BORDER, screen.x - kMargin,
                screen.y - kMargin, HeldSide(size.cx) + 2 * kMargin,
                HeldSide(size.cy) + 2 * kMargin, owner ? owner->GetSafeHwnd() : nullptr, nullptr)) {
    m_outline.reset();
    return FALSE;
  }
  ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
  ::UpdateWindow(m_hWnd);
  return TRUE;
}

void CDragImageWnd::MoveTo(POINT screen) {
  if (!m_hWnd) return;
  ::SetWindowPos(m_hWnd, nullptr, screen.x - kMargin, screen.y - kMargin, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::UpdateWindow(m_hWnd);
}

void CDragImageWnd::Hide() {
  if (m_hWnd) DestroyWindow();
  m_outline.reset();
}

void CDragImageWnd::OnPaint() {
  CPaintDC dc(this);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  RECT area = {client.left + kInset, client.top + kInset, client.right - kInset,
               client.bottom - kInset};
  HGDIOBJ oldPen = dc.SelectObject(::GetStockObject(BLACK_PEN));
  // The outline is fitted in place; fitting it again at the same size changes nothing.
  CLibrarySource::DrawFitted(&dc, m_outline.get(), area);
  dc.SelectObject(oldPen);
}

LRESULT CDragImageWnd::OnNcHitTest(CPoint) { return HTTRANSPARENT; }
