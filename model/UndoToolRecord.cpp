#include "model/UndoToolRecord.h"

#include "model/BlockView.h"

BOOL CUndoToolRecord::Undo(CBlockView* view) {
  if (!view) return FALSE;
  view->SetCurrentTool(m_tool);
  return TRUE;
}
