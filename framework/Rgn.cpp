#include "framework/Rgn.h"

#include "framework/DC.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

BOOL CRgn::CreateFromPath(CDC* dc) {
  if (!dc || !dc->m_hDC) return FALSE;
  return TakeNew(::PathToRegion(dc->m_hDC));
}
