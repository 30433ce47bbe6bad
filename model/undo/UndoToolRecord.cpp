#include "model/undo/UndoToolRecord.h"

#include "model/blocks/BlockView.h"

BOOL CUndoToolRecord::Undo(CBlockView* view) {
  if (!view) return FALSE;
  view->SetCurrentTool(m_tool);
  return TRUE;
}
