#include "framework/MiniFrameWnd.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BOOL CMiniFrameWnd::Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect,
                           CWnd* parent, UINT id) {
  return CreateEx(0, className, title, style, rect, parent, id);
}

BOOL CMiniFrameWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style,
                             const RECT& rect, CWnd* parent, UINT id) {
  m_strTitle = title ? title : "";
  DWORD windowStyle = style & 0xFFFF0000u;  // the mini-frame bits are ours, not the system's
  if (style & (MFS_THICKFRAME | MFS_4THICKFRAME)) windowStyle |= WS_THICKFRAME;
  HMENU idOrNone = (windowStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id))
                                            : nullptr;
  return CWnd::CreateEx(exStyle | WS_EX_TOOLWINDOW, className, title, windowStyle, rect.left,
                        rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        parent ? parent->m_hWnd : nullptr, idOrNone, nullptr);
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!cs.lpszClass)
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                                       reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return TRUE;  // no client edge, no title prefix
}
