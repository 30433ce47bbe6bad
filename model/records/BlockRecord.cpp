#include "model/records/BlockRecord.h"

#include <array>

#include "model/blocks/CircleBlock.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/LibBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/blocks/TransformBlock.h"
#include "model/records/BlockRecordReader.h"

namespace {

using ReaderTable = std::array<BlockRecordReader, 256>;

// Each block type's issue adds its reader here as the type is built; a tag without a reader
// gives null like a tag that is not a block's.
ReaderTable& Readers() {
  static ReaderTable readers = [] {
    ReaderTable table{};
    table[kLineRecordTag] = LoadLineBlock;
    table[kRectRecordTag] = LoadRectBlock;
    table[kCircleRecordTag] = LoadCircleBlock;
    table[kPolygonRecordTag] = LoadPolygonBlock;
    table[kCurveRecordTag] = &CCurveBlock::FromRecord;
    table[kGroupRecordTag] = &LoadGroupBlock;
    table[kImageRecordTag] = &LoadImageBlock;
    table[kLibRecordTag] = &LoadLibBlock;
    table[kTransformRecordTag] = &LoadTransformBlock;
    return table;
  }();
  return readers;
}

bool IsBlockTag(BYTE tag) {
  switch (tag) {
    case kTextRecordTag:
    case kLibRecordTag:
    case kCurveRecordTag:
    case kLineRecordTag:
    case kRectRecordTag:
    case kCircleRecordTag:
    case kPolygonRecordTag:
    case kImageRecordTag:
    case kGroupRecordTag:
    case kTransformRecordTag:
    case kStampRecordTag:
      return true;
    default:
      return false;
  }
}

struct TypeName {
  BYTE type;
  UINT stringId;
};

const TypeName kTypeNames[] = {
    {1, 189},   {2, 190},   {3, 191},   {8, 192},   {9, 195},   {128, 193}, {129, 197}, {130, 196},
    {131, 194}, {133, 198}, {144, 201}, {145, 202}, {146, 203}, {147, 204}, {148, 205},
};
const UINT kUnknownTypeNameId = 199;

}  // namespace

CBlock* CreateBlockFromRecord(const BYTE* record, size_t available) {
  if (!record || available == 0 || !IsBlockTag(record[0])) return nullptr;
  size_t length = 0;
  if (!CBlockRecordReader::ReadLength(record, available, &length)) return nullptr;
  if (record[length - 1] != kRecordEndByte) return nullptr;
  BlockRecordReader reader = Readers()[record[0]];
  return reader ? reader(record, length) : nullptr;
}

BlockRecordReader GetBlockRecordReader(BYTE tag) { return Readers()[tag]; }

BlockRecordReader SetBlockRecordReader(BYTE tag, BlockRecordReader reader) {
  BlockRecordReader previous = Readers()[tag];
  Readers()[tag] = reader;
  return previous;
}

void GetBlockTypeName(BYTE type, CString& name) {
  UINT id = kUnknownTypeNameId;
  for (const TypeName& entry : kTypeNames)
    if (entry.type == type) id = entry.stringId;
  CString loaded;
  if (loaded.LoadString(id)) name = loaded;
}
