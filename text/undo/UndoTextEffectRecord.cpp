#include "text/undo/UndoTextEffectRecord.h"

#include "text/TextBlock.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"
#include "text/layout/TextEffect.h"

CUndoTextEffectRecord::CUndoTextEffectRecord(CBlock* textBlock,
                                             std::unique_ptr<CTextEffect> oldEffect)
    : CUndoBlockRecord(textBlock), m_oldEffect(std::move(oldEffect)) {
  CBoxArray* boxes = textBlock ? textBlock->GetBoxArray() : nullptr;
  for (INT_PTR i = 0; boxes && i < boxes->GetSize(); ++i)
    if (const CCharBox* box = boxes->GetCharBox(i)) m_angles.push_back(box->m_angle);
}

CUndoTextEffectRecord::~CUndoTextEffectRecord() = default;

BOOL CUndoTextEffectRecord::Undo(CBlockView* view) {
  m_done = 1;
  auto* text = static_cast<CTextBlock*>(m_block);
  if (!text || !m_oldEffect) return FALSE;
  // The newer layout goes with this record.
  m_oldEffect = text->ReplaceEffect(std::move(m_oldEffect));
  // The later records of the step are undone already: the characters are those it saw.
  CBoxArray* boxes = text->GetBoxArray();
  size_t next = 0;
  for (INT_PTR i = 0; i < boxes->GetSize() && next < m_angles.size(); ++i)
    if (CCharBox* box = boxes->GetCharBox(i)) box->m_angle = m_angles[next++];
  text->Relayout(view, -1);
  text->UpdateBox();
  return TRUE;
}
