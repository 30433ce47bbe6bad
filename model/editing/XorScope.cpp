#include "model/editing/XorScope.h"

#include "framework/DC.h"

CXorScope::CXorScope(CDC* dc, CPen* pen) : m_dc(dc) {
  m_pen = dc->SelectObject(pen ? pen->m_hObject : ::GetStockObject(BLACK_PEN));
  m_brush = dc->SelectObject(::GetStockObject(NULL_BRUSH));
  m_rop = dc->SetROP2(R2_NOTXORPEN);
}

CXorScope::~CXorScope() {
  m_dc->SetROP2(m_rop);
  m_dc->SelectObject(m_brush);
  m_dc->SelectObject(m_pen);
}

void CXorScope::SelectPen(CPen* pen) {
  m_dc->SelectObject(pen ? pen->m_hObject : ::GetStockObject(BLACK_PEN));
}
