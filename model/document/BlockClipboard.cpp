#include "model/document/BlockClipboard.h"

#include <memory>
#include <vector>

#include "framework/ByteWriter.h"
#include "framework/GbkClipboard.h"
#include "framework/GlobalLock.h"
#include "model/blocks/Block.h"
#include "model/document/SegArray.h"
#include "model/records/BlockRecord.h"

namespace {

// A block kind that never paints; it is copied like the drawn ones.
const BYTE kUnpaintedBlock = 240;
const size_t kListHeaderSize = 5;

enum class Copies { kNothing, kRecord, kRecordAndText };

Copies WhatIsCopied(BYTE type) {
  switch (type) {
    case kTransformBlock:  // hands on its source's text
    case kGroupBlock:
    case kTextBlock:
      return Copies::kRecordAndText;
    case kLineBlock:
    case kRectBlock:
    case kCircleBlock:
    case kPolygonBlock:
    case kCurveBlock:
    case kLibBlock:
    case kImageBlock:
    case kUnpaintedBlock:
      return Copies::kRecord;
    default:
      return Copies::kNothing;
  }
}

struct GlobalFreer {
  void operator()(void* memory) const { ::GlobalFree(memory); }
};
using GlobalMemory = std::unique_ptr<void, GlobalFreer>;

void AppendRecordOf(CBlock& block, CByteWriter& out) {
  HGLOBAL record = nullptr;
  int length = block.WriteRecord(&record);
  GlobalMemory owned(record);
  if (!record || length <= 0) return;
  CGlobalLock lock(record);
  if (lock.Data() && static_cast<size_t>(length) <= lock.Size())
    out.WriteBytes(lock.Data(), static_cast<size_t>(length));
}

bool Hand(UINT format, GlobalMemory& memory) {
  if (!memory) return true;
  if (!::SetClipboardData(format, memory.get())) return false;
  memory.release();
  return true;
}

}  // namespace

int CopyBlocksAndTextToClipboard(HWND owner, const CSegArray& blocks) {
  std::vector<char> text(kClipboardTextCapacity, '\0');
  CByteWriter records;
  records.WriteByte(kSegArrayRecordTag);
  records.WriteInt32(0);
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    Copies copies = WhatIsCopied(block->m_type);
    if (copies == Copies::kNothing) continue;
    if (copies == Copies::kRecordAndText) {
      block->AppendClipboardText(text.data(), text.size());
      text.back() = '\0';  // whatever the block did, the buffer stays one bounded string
    }
    AppendRecordOf(*block, records);
  }

  GlobalMemory record;
  if (records.Size() > kListHeaderSize) {
    size_t end = records.Size();
    records.WriteByte(kListEndByte);
    records.PatchDWord(1, static_cast<DWORD>(end + 1));
    records.WriteByte(kRecordPadByte);
    record.reset(AfxCopyToGlobal(records.Data(), records.Size(), 1));
  }
  CGbkClipboard plain(text.data());
  if (!record && plain.IsEmpty()) return 1;

  if (!::OpenClipboard(owner)) return 0;
  ::EmptyClipboard();
  // Text alone would paste as something else than what was copied.
  if (!plain.Hand() || !Hand(GetBlockListClipboardFormat(), record)) ::EmptyClipboard();
  ::CloseClipboard();
  return 1;
}
