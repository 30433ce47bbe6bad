#include "text/undo/UndoCharAttrRecord.h"

#include "model/blocks/Block.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"

BOOL CUndoCharAttrRecord::Undo(CBlockView* /*view*/) {
  m_done = 1;
  CBoxArray* boxes = m_block ? m_block->GetBoxArray() : nullptr;
  // The box may have been removed by a later record of another step that was not undone.
  if (!boxes || !m_box || boxes->IndexOf(m_box) < 0) return FALSE;
  m_box->m_style = m_style;
  m_box->ForgetGlyph();
  return TRUE;
}
