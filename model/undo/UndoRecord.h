// CUndoRecord: one change of an editing command that knows how to put itself back. Records that
// refer to blocks watch them: a block destroyed while a record still points at it (deleted while
// nothing was recording) is forgotten by the record, whose undo then does nothing.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Object.h"

class CBlock;
class CBlockView;

class CUndoRecord : public CObject {
public:
  enum : WORD { kOrdinary = 0, kRepaint = 0x8000 };

  CUndoRecord();
  ~CUndoRecord() override;
  CUndoRecord(const CUndoRecord&) = delete;
  CUndoRecord& operator=(const CUndoRecord&) = delete;

  virtual void Serialize() {}
  // Puts the change back on the view; non-zero on success. The base only marks itself done.
  virtual BOOL Undo(CBlockView* view);
  // Whether the record stands for a change of the document. Selecting and repainting change
  // nothing that is saved: a step of such records alone is not worth keeping.
  virtual bool ChangesDocument() const { return true; }

  // Every record watching the block forgets it. The block's destructor calls this.
  static void ForgetBlock(CBlock* block);

  WORD m_kind;
  // Movable global memory owned by the record.
  HGLOBAL m_memory;
  BYTE m_done;

protected:
  // Tells this record when the block is destroyed (OnBlockDestroyed).
  void Watch(CBlock* block);
  void Unwatch(CBlock* block);
  virtual void OnBlockDestroyed(CBlock* /*block*/) {}

private:
  std::vector<CBlock*> m_watched;
};
