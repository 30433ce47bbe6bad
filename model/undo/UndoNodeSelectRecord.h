// CUndoNodeSelectRecord: a node of a curve was selected in the node tool; undo deselects it.
#pragma once

#include "model/undo/UndoBlockRecord.h"

class CCurveBlock;

class CUndoNodeSelectRecord : public CUndoBlockRecord {
public:
  CUndoNodeSelectRecord(CCurveBlock* curve, int index);
  BOOL Undo(CBlockView* view) override;
  bool ChangesDocument() const override { return false; }

  int m_index;
};
