#include "text/undo/UndoCharFormatRecord.h"

#include "text/TextBlock.h"
#include "text/layout/CharBox.h"

CUndoCharFormatRecord::CUndoCharFormatRecord(CBlock* textBlock, CCharBox* box)
    : CUndoBlockRecord(textBlock),
      m_box(box),
      m_kind(box->m_kind),
      m_fontNumber(box->m_fontNumber),
      m_width(box->m_width),
      m_height(box->m_height),
      m_angle(box->m_angle),
      m_skewX(box->m_skewX),
      m_skewY(box->m_skewY) {}

BOOL CUndoCharFormatRecord::Undo(CBlockView* /*view*/) {
  m_done = 1;
  auto* text = static_cast<CTextBlock*>(m_block);
  if (!text || !m_box || text->GetBoxArray()->IndexOf(m_box) < 0) return FALSE;
  m_box->m_kind = m_kind;
  m_box->m_fontNumber = m_fontNumber;
  m_box->m_width = m_width;
  m_box->m_height = m_height;
  m_box->m_angle = m_angle;
  m_box->m_skewX = m_skewX;
  m_box->m_skewY = m_skewY;
  m_box->m_inkWidth = m_box->m_inkHeight = 0;
  m_box->ForgetGlyph();
  return TRUE;
}
