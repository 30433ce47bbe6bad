// CUndoStep: the records of one editing command in the order they were appended. It owns them.
#pragma once

#include "framework/ObArray.h"

class CUndoRecord;

class CUndoStep : public CObArray {
public:
  CUndoStep() = default;
  ~CUndoStep() override;
  CUndoStep(const CUndoStep&) = delete;
  CUndoStep& operator=(const CUndoStep&) = delete;

  CUndoRecord* GetRecord(INT_PTR index) const;
  // Whether the step starts with a repaint record.
  bool BeginsWithRepaint() const;
};
