// CUndoToolRecord: the view changed its tool; undo switches back to the previous one.
#pragma once

#include "model/undo/UndoRecord.h"

class CUndoToolRecord : public CUndoRecord {
public:
  explicit CUndoToolRecord(int previousTool) : m_tool(previousTool) {}
  BOOL Undo(CBlockView* view) override;
  bool ChangesDocument() const override { return false; }

  int m_tool;
};
