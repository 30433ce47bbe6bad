#include "text/undo/UndoCharColourRecord.h"

#include "text/TextBlock.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"

BOOL CUndoCharColourRecord::Undo(CBlockView* view) {
  m_done = 1;
  auto* text = static_cast<CTextBlock*>(m_block);
  // The box may have been removed by a later record of another step that was not undone.
  if (!text || !m_box || text->GetBoxArray()->IndexOf(m_box) < 0) return FALSE;
  m_box->m_colour = m_colour;
  text->InvalidateBox(view, m_box);
  return TRUE;
}
