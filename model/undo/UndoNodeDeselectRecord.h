// CUndoNodeDeselectRecord: a node of a curve was deselected in the node tool; undo selects it
// again.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CCurveBlock;

class CUndoNodeDeselectRecord : public CUndoBlockRecord {
public:
  CUndoNodeDeselectRecord(CCurveBlock* curve, int index);
  BOOL Undo(CBlockView* view) override;
  bool ChangesDocument() const override { return false; }

  int m_index;
};
