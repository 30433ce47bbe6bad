#include "model/undo/UndoStep.h"

#include "model/undo/UndoManager.h"
#include "model/undo/UndoRecord.h"

CUndoStep::~CUndoStep() { CUndoManager::DeleteAll(*this); }

CUndoRecord* CUndoStep::GetRecord(INT_PTR index) const {
  return static_cast<CUndoRecord*>(GetAt(index));
}

bool CUndoStep::BeginsWithRepaint() const {
  return GetSize() > 0 && GetRecord(0)->m_kind == CUndoRecord::kRepaint;
}
