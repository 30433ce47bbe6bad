#include "text/undo/UndoCaretRecord.h"

#include "text/TextBlock.h"

BOOL CUndoCaretRecord::Undo(CBlockView* view) {
  m_done = 1;
  auto* text = static_cast<CTextBlock*>(m_block);
  if (!text) return FALSE;
  text->SetAnchor(m_anchor);
  INT_PTR caret = m_caret;
  int side = text->GetCaretSide();
  text->NormalizeCaret(&caret, &side);
  text->SetCaretIndex(caret);
  if (text->IsCaretShown()) text->SetCaret(view, caret, side);
  return TRUE;
}
