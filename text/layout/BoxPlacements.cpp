#include "text/layout/BoxPlacements.h"

#include <cmath>

#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"

CBoxPlacements::CBoxPlacements(const CBoxArray& boxes) {
  m_placements.resize(static_cast<size_t>(boxes.GetSize()));
  for (INT_PTR i = 0; i < boxes.GetSize(); ++i)
    if (const CCharBox* box = boxes.GetCharBox(i))
      m_placements[static_cast<size_t>(i)] = {box->m_x, box->m_y, box->m_angle, box->m_rect,
                                              box->m_style};
}

bool CBoxPlacements::ArePlacedFinite(const CBoxArray& boxes) {
  for (INT_PTR i = 0; i < boxes.GetSize(); ++i) {
    const CCharBox* box = boxes.GetCharBox(i);
    if (!box || !(box->m_style & CCharBox::kPlaced)) continue;
    const CFRect& r = box->m_rect;
    for (float value : {box->m_x, box->m_y, box->m_angle, r.left, r.top, r.right, r.bottom})
      if (!std::isfinite(value)) return false;
  }
  return true;
}

void CBoxPlacements::Restore(CBoxArray& boxes) const {
  for (INT_PTR i = 0; i < boxes.GetSize() && static_cast<size_t>(i) < m_placements.size(); ++i) {
    CCharBox* box = boxes.GetCharBox(i);
    if (!box) continue;
    const Placement& was = m_placements[static_cast<size_t>(i)];
    box->m_x = was.x;
    box->m_y = was.y;
    box->m_angle = was.angle;
    box->m_rect = was.rect;
    box->m_style = was.style;
  }
}
