#include "model/undo/UndoSelectRecord.h"

#include "framework/ClientDC.h"
#include "model/blocks/Block.h"
#include "model/blocks/BlockView.h"

BOOL CUndoSelectRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  if (HWND window = view ? view->GetViewWindow() : nullptr) {
    CClientDC dc(window);
    dc.SetROP2(R2_XORPEN);
    m_block->DrawXorOutline(&dc, view->GetDisplayMatrix());
  }
  m_block->m_selected = 0;
  return TRUE;
}
