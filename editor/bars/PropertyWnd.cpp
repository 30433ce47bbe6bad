#include "editor/bars/PropertyWnd.h"

IMPLEMENT_DYNAMIC(CPropertyWnd, CMiniFrameWnd)

const char CPropertyWnd::kTitle[] = "Property";

CPropertyWnd::CPropertyWnd(CPropertyWnd** slot) : m_slot(slot) {}

CPropertyWnd::~CPropertyWnd() {
  if (m_slot && *m_slot == this) *m_slot = nullptr;
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

BOOL CPropertyWnd::CreateFor(CWnd* owner, const RECT& rect) {
  // A class of its own: the light grey belongs to this window, not to every mini frame.
  LPCSTR className = AfxRegisterWndClass(CS_DBLCLKS,
                                         ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                                         static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH)));
  return Create(className, kTitle, kStyle, rect, owner);
}
