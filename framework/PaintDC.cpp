#include "framework/PaintDC.h"

#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CPaintDC::CPaintDC(HWND window) : m_hWnd(window) { Attach(::BeginPaint(window, &m_ps)); }

CPaintDC::~CPaintDC() {
  Detach();
  ::EndPaint(m_hWnd, &m_ps);
}

CPaintDC::CPaintDC(CWnd* window) : CPaintDC(window ? window->GetSafeHwnd() : nullptr) {}
