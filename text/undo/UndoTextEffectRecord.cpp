#include "text/undo/UndoTextEffectRecord.h"

#include "text/TextBlock.h"
#include "text/layout/TextEffect.h"

CUndoTextEffectRecord::CUndoTextEffectRecord(CBlock* textBlock,
                                             std::unique_ptr<CTextEffect> oldEffect)
    : CUndoBlockRecord(textBlock), m_oldEffect(std::move(oldEffect)) {}

CUndoTextEffectRecord::~CUndoTextEffectRecord() = default;

BOOL CUndoTextEffectRecord::Undo(CBlockView* view) {
  m_done = 1;
  auto* text = static_cast<CTextBlock*>(m_block);
  if (!text || !m_oldEffect) return FALSE;
  // The newer layout goes with this record.
  m_oldEffect = text->ReplaceEffect(std::move(m_oldEffect));
  text->Relayout(view, -1);
  text->UpdateBox();
  return TRUE;
}
