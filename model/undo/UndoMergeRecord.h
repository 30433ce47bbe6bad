// CUndoMergeRecord: the blocks of a merged file were appended to the document. The record owns
// the list (not its blocks, which the document holds); undo takes the blocks out of the document
// and deletes them. A merged block destroyed elsewhere drops out of the list.
#pragma once

#include "model/undo/UndoRecord.h"

class CSegArray;

class CUndoMergeRecord : public CUndoRecord {
public:
  explicit CUndoMergeRecord(CSegArray* blocks);
  ~CUndoMergeRecord() override;
  BOOL Undo(CBlockView* view) override;
  CSegArray* GetBlocks() const { return m_blocks; }

protected:
  void OnBlockDestroyed(CBlock* block) override;

private:
  void ReleaseBlocks();

  CSegArray* m_blocks;
};
