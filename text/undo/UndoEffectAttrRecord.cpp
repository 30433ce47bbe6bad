#include "text/undo/UndoEffectAttrRecord.h"

#include "text/TextBlock.h"
#include "text/layout/TextEffect.h"

BOOL CUndoEffectAttrRecord::Undo(CBlockView* view) {
  m_done = 1;
  auto* text = static_cast<CTextBlock*>(m_block);
  if (!text || !text->GetEffect()) return FALSE;
  text->GetEffect()->SetAttributes(m_attributes);
  text->Relayout(view, -1);
  text->UpdateBox();
  return TRUE;
}
