// CUndoArtTransformRecord: a transform block took the place of its source in the document, at an
// index. Undo puts the source back there, selected, and deletes the transform block, which gives
// up its source first.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CTransformBlock;

class CUndoArtTransformRecord : public CUndoBlockRecord {
public:
  CUndoArtTransformRecord(CTransformBlock* block, INT_PTR index);
  BOOL Undo(CBlockView* view) override;

  INT_PTR m_index;
};
