// CUndoArrayItemRecord: a box was removed from a text's box array at an index. The record owns the
// box until undo puts it back there, and deletes it when destroyed still holding it. Records of
// one step are played from the last to the first, so boxes removed one after another return to
// the indices they had. Given the block that owns the array, the record watches it: once that
// block is destroyed the record forgets the array and its undo does nothing.
#pragma once

#include "model/undo/UndoRecord.h"

class CBoxArray;
class CTextBox;

class CUndoArrayItemRecord : public CUndoRecord {
public:
  CUndoArrayItemRecord(CBoxArray* array, CTextBox* box, INT_PTR index, CBlock* owner = nullptr);
  ~CUndoArrayItemRecord() override;
  BOOL Undo(CBlockView* view) override;

protected:
  void OnBlockDestroyed(CBlock* block) override;

public:
  CBoxArray* m_array;
  CTextBox* m_box;
  INT_PTR m_index;
};
