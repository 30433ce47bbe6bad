#include "text/undo/UndoTextRecord.h"

#include "text/TextBlock.h"
#include "text/layout/DirectionEffect.h"

namespace {

CDirectionEffect* StraightLayoutOf(CBlock* block) {
  auto* text = dynamic_cast<CTextBlock*>(block);
  return text ? dynamic_cast<CDirectionEffect*>(text->GetEffect()) : nullptr;
}

}  // namespace

CUndoTextRecord::CUndoTextRecord(CBlock* textBlock, INT_PTR relayoutStart)
    : CUndoBlockRecord(textBlock), m_relayoutStart(relayoutStart) {
  if (CDirectionEffect* straight = StraightLayoutOf(textBlock)) {
    m_hasFrame = true;
    m_frame = straight->GetFrame();
  }
}

BOOL CUndoTextRecord::Undo(CBlockView* view) {
  m_done = 1;
  auto* text = static_cast<CTextBlock*>(m_block);
  if (!text) return FALSE;
  if (CDirectionEffect* straight = StraightLayoutOf(text); straight && m_hasFrame)
    straight->SetFrame(m_frame.left, m_frame.top, m_frame.right, m_frame.bottom);
  text->SetRelayoutStart(m_relayoutStart);
  text->Relayout(view, -1);
  text->UpdateBox();
  return TRUE;
}
