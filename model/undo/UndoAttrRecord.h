// CUndoAttrRecord: a block's attribute word changed; undo restores the old word.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CUndoAttrRecord : public CUndoBlockRecord {
public:
  CUndoAttrRecord(CBlock* block, WORD attributes)
      : CUndoBlockRecord(block), m_attributes(attributes) {}
  BOOL Undo(CBlockView* view) override;

  WORD m_attributes;
};
