// CUndoCancelArtTransformRecord: a transform block was taken out of the document at an index and
// its source put in its place. The record holds the transform block (still pointing at its
// source, which the document holds); undo takes the source out again and puts the transform block
// back, selected. A record destroyed while it still holds the block deletes it without its source;
// a source destroyed meanwhile is forgotten by the block.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CTransformBlock;

class CUndoCancelArtTransformRecord : public CUndoBlockRecord {
public:
  CUndoCancelArtTransformRecord(CTransformBlock* block, INT_PTR index);
  ~CUndoCancelArtTransformRecord() override;
  BOOL Undo(CBlockView* view) override;

  INT_PTR m_index;

protected:
  void OnBlockDestroyed(CBlock* block) override;

private:
  CBlock* m_source;
};
