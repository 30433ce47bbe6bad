#include "media/WeldRecord.h"

#include "framework/GlobalLock.h"
#include "model/blocks/Block.h"
#include "model/records/BlockRecord.h"

CWeldRecord::CWeldRecord(CBlock& block) : m_box(block.m_box) {
  m_length = block.WriteRecord(&m_memory);
}

CWeldRecord::~CWeldRecord() {
  if (m_memory) ::GlobalFree(m_memory);
}

CBlock* CWeldRecord::TakeBlock(HGLOBAL result) {
  if (!result) return nullptr;
  CBlock* block = nullptr;
  {
    CGlobalLock lock(result);
    if (lock.Data()) block = CreateBlockFromRecord(lock.Data(), lock.Size());
  }
  ::GlobalFree(result);
  return block;
}
