// CWeldRecord: a block's record in movable global memory, handed to the transform library as a
// weld or cut operand and freed with the guard. TakeBlock reads the record block the library hands
// back and frees that memory too, so neither side of a library call can leak.
#pragma once

#include <windows.h>

#include "media/WeldDll.h"

class CBlock;

class CWeldRecord {
public:
  explicit CWeldRecord(CBlock& block);
  ~CWeldRecord();
  CWeldRecord(const CWeldRecord&) = delete;
  CWeldRecord& operator=(const CWeldRecord&) = delete;

  // False when the block wrote no record.
  bool IsValid() const { return m_memory && m_length > 0; }
  // The operand for the record, described by the block's box (or another box the caller gives).
  WeldOperand Operand() const { return MakeWeldOperand(m_memory, m_length, m_box); }
  WeldOperand Operand(const CFRect& box) const { return MakeWeldOperand(m_memory, m_length, box); }

  // The block in a record block the library returned (null when there is none or it is damaged);
  // the memory is freed either way.
  static CBlock* TakeBlock(HGLOBAL result);

private:
  HGLOBAL m_memory = nullptr;
  int m_length = 0;
  CFRect m_box;
};
