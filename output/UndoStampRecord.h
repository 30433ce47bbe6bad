// CUndoStampRecord: a stamp took other values from its dialog (frame, border, corners, spacing,
// layout, characters); undo gives it back the whole state it had. The record owns a copy of that
// state until then and drops it with the step.
#pragma once

#include <memory>

#include "model/undo/UndoBlockRecord.h"

class CStampBlock;

class CUndoStampRecord : public CUndoBlockRecord {
public:
  // Copies the stamp as it is now, before the change.
  explicit CUndoStampRecord(CStampBlock* stamp);
  ~CUndoStampRecord() override;
  BOOL Undo(CBlockView* view) override;

private:
  std::unique_ptr<CStampBlock> m_before;
};
