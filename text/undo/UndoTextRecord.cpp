#include "text/undo/UndoTextRecord.h"

#include "text/TextBlock.h"

BOOL CUndoTextRecord::Undo(CBlockView* view) {
  m_done = 1;
  auto* text = static_cast<CTextBlock*>(m_block);
  if (!text) return FALSE;
  text->SetRelayoutStart(m_relayoutStart);
  text->Relayout(view, -1);
  text->UpdateBox();
  return TRUE;
}
