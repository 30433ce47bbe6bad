#include "addons/transform/RecordTransfer.h"

#include <vector>

#include "framework/GlobalLock.h"
#include "model/blocks/Block.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"

CBlock* CRecordTransfer::ReadBlock(HGLOBAL record, int declaredLength) {
  if (!record) return nullptr;
  std::vector<BYTE> copy;
  {
    CGlobalLock lock(record);
    if (!lock.Data()) return nullptr;
    size_t length = 0;
    if (!CBlockRecordReader::ReadLength(lock.Data(), lock.Size(), &length)) return nullptr;
    if (declaredLength >= 0 && static_cast<size_t>(declaredLength) != length) return nullptr;
    copy.assign(lock.Data(), lock.Data() + length);
  }
  return CreateBlockFromRecord(copy.data(), copy.size());
}

HGLOBAL CRecordTransfer::WriteBlock(CBlock* block) {
  if (!block) return nullptr;
  HGLOBAL record = nullptr;
  if (block->WriteRecord(&record) <= 0) {
    if (record) GlobalFree(record);
    return nullptr;
  }
  return record;
}
