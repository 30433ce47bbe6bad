// CUndoTextEffectRecord: a text block was given another layout; undo puts the old layout back,
// with the characters' angles as they were when the record was made (a layout along a path keeps
// its turns there), and lays the text out again. The record owns the old layout until then, and
// frees it when the step is dropped without being undone.
#pragma once

#include <memory>
#include <vector>

#include "model/undo/UndoBlockRecord.h"

class CTextEffect;

class CUndoTextEffectRecord : public CUndoBlockRecord {
public:
  CUndoTextEffectRecord(CBlock* textBlock, std::unique_ptr<CTextEffect> oldEffect);
  ~CUndoTextEffectRecord() override;
  BOOL Undo(CBlockView* view) override;

private:
  std::unique_ptr<CTextEffect> m_oldEffect;
  std::vector<float> m_angles;
};
