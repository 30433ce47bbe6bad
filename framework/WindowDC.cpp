#include "framework/WindowDC.h"

#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CWindowDC, CDC)

CWindowDC::CWindowDC(HWND window) : m_hWnd(window) { Attach(::GetWindowDC(window)); }

CWindowDC::~CWindowDC() {
  HDC hdc = Detach();
  if (hdc) ::ReleaseDC(m_hWnd, hdc);
}

CWindowDC::CWindowDC(CWnd* window) : CWindowDC(window ? window->GetSafeHwnd() : nullptr) {}
