// CUndoTransformDataRecord: a transform block's transformation or source changed (a handle
// dragged, a character typed in the node tool, a colour given to the source); undo puts the
// transformation of the kept data back and rebuilds the block's result. Kept without data it only
// rebuilds: a colour record of the source, played before it, has then given the source its colour
// back.
#pragma once

#include <vector>

#include "model/undo/UndoBlockRecord.h"

class CTransformBlock;

class CUndoTransformDataRecord : public CUndoBlockRecord {
public:
  CUndoTransformDataRecord(CTransformBlock* block, std::vector<BYTE> data);
  BOOL Undo(CBlockView* view) override;

  std::vector<BYTE> m_data;
};
