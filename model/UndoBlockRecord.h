// CUndoBlockRecord: base of the undo records that refer to one block. The block pointer becomes
// null when the block is destroyed elsewhere; undo then does nothing.
#pragma once

#include "model/UndoRecord.h"

class CUndoBlockRecord : public CUndoRecord {
public:
  explicit CUndoBlockRecord(CBlock* block);
  CBlock* GetBlock() const { return m_block; }

protected:
  void OnBlockDestroyed(CBlock* block) override;

  CBlock* m_block;
};
