#include "text/undo/UndoTextInsertRecord.h"

#include "model/blocks/BlockView.h"
#include "text/TextBlock.h"
#include "text/layout/CharBox.h"

BOOL CUndoTextInsertRecord::Undo(CBlockView* view) {
  m_done = 1;
  auto* text = static_cast<CTextBlock*>(m_block);
  if (!text || !m_box) return FALSE;
  CBoxArray* boxes = text->GetBoxArray();
  INT_PTR index = boxes->IndexOf(m_box);
  if (index < 0) return FALSE;
  if (m_box->IsCharBox()) text->InvalidateBox(view, static_cast<CCharBox*>(m_box));
  delete boxes->RemoveAt(index);
  m_box = nullptr;
  text->SelectRange(-1, -1);
  // Before the former place: after the character in front of it, or before the first one.
  INT_PTR before = text->PrevCharIndex(index);
  if (before >= 0)
    text->SetCaret(view, before, 0);
  else
    text->SetCaret(view, index, 1);
  INT_PTR start = text->GetRelayoutStart();
  if (start < 0 || index < start) text->SetRelayoutStart(index);
  if (HWND window = view ? view->GetViewWindow() : nullptr)
    ::SetTimer(window, CTextBlock::kRelayoutTimer, CTextBlock::kRelayoutPeriod, nullptr);
  else
    text->Relayout(view, -1);
  return TRUE;
}
