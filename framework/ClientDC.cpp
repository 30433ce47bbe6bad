#include "framework/ClientDC.h"

#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CClientDC, CDC)

CClientDC::CClientDC(HWND window) : m_hWnd(window) { Attach(::GetDC(window)); }

CClientDC::~CClientDC() {
  HDC hdc = Detach();
  if (hdc) ::ReleaseDC(m_hWnd, hdc);
}

CClientDC::CClientDC(CWnd* window) : CClientDC(window ? window->GetSafeHwnd() : nullptr) {}
