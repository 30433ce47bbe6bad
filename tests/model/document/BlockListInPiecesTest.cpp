// Block lists written in one pass and read a piece at a time, as large documents are: every block
// writes its record in place behind whatever the writer holds (a type that only has WriteRecord
// too), a block that writes nothing leaves the writer as it was, a list written in pieces joins
// to the record written whole, and a list read from a file through a small window gives what the
// same bytes give in memory, damaged or not. No window; files in a temporary folder.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ByteWriter.h"
#include "framework/File.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/document/SegArray.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordWriter.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

using Bytes = std::vector<BYTE>;

// A type written the way a type without AppendRecordTo writes itself: WriteRecord alone.
class RecordOnlyBlock : public CBlock {
public:
  RecordOnlyBlock() { m_type = kLineBlock; }
  int WriteRecord(HGLOBAL* record) override {
    CBlockRecordWriter writer(kLineRecordTag, *this);
    for (int i = 0; i < 40; ++i) writer.Fields().WriteByte(static_cast<BYTE>(i));
    return writer.Finish(record);
  }
};

// Begins its record in place, then finds it cannot be written.
class AbandoningBlock : public CBlock {
public:
  int AppendRecordTo(CByteWriter& out) override {
    CBlockRecordWriter writer(out, kLineRecordTag, *this);
    writer.WriteRect(CFRect(1, 2, 3, 4));
    return 0;
  }
};

CBlock* Ring() {
  auto* ring = new CCircleBlock;
  ring->m_rect = ring->m_box = CFRect(10, 20, 40, 35);
  ring->m_startAngle = 0.5f;
  ring->m_endAngle = 2.5f;
  return ring;
}

CBlock* Nested() {
  auto* inner = new CGroupBlock;
  inner->AddChild(MakeSquareCurve(1, 2, 3, 4));
  inner->AddChild(Ring());
  auto* outer = new CGroupBlock;
  outer->AddChild(inner);
  outer->AddChild(new CPolygonBlock);
  CMatrix2D shift;
  shift.m[6] = 7;
  outer->Transform(shift);
  return outer;
}

// A curve of n points on a zigzag: a record of 69 + 9 n bytes.
CBlock* LongCurve(int n) {
  auto* curve = new CCurveBlock;
  for (int i = 0; i < n; ++i)
    curve->AddPoint(i * 0.5f, (i % 2) * 3.0f, i == 0 ? 0x11 : i == n - 1 ? 0x21 : 0x01);
  curve->EndCurve();
  return curve;
}

void FillMixed(CSegArray& list) {
  list.AddBlock(new CLineBlock);
  list.AddBlock(new CRectBlock);
  list.AddBlock(Ring());
  list.AddBlock(Nested());
  list.AddBlock(new RecordOnlyBlock);
  list.AddBlock(new AbandoningBlock);
  list.AddBlock(LongCurve(40));                            // longer than the smallest window
  list.AddBlock(MakeCurve({{1, 2, 0x11}, {3, 4, 0x21}}));  // too short for a record
  list.AddBlock(MakeSquareCurve(5, 6, 7, 8));
}

Bytes WholeRecord(CSegArray& list) {
  CByteWriter writer;
  list.AppendRecordTo(writer);
  return Bytes(writer.Data(), writer.Data() + writer.Size());
}

TEST(BlockRecordsInPlace, EachStandsBehindWhatTheWriterHeldAsWriteRecordGivesIt) {
  CSegArray list;
  FillMixed(list);
  for (INT_PTR i = 0; i < list.GetSize(); ++i) {
    CBlock& block = *list.GetBlock(i);
    CByteWriter out;
    out.WriteBytes("held", 4);
    int length = block.AppendRecordTo(out);
    Bytes appended(out.Data() + 4, out.Data() + out.Size());
    EXPECT_EQ(0, memcmp(out.Data(), "held", 4));
    EXPECT_EQ(static_cast<size_t>(length), appended.size()) << "block " << i;
    HGLOBAL memory = nullptr;
    EXPECT_EQ(length, block.WriteRecord(&memory)) << "block " << i;
    if (!memory) continue;  // a block that writes nothing appends nothing
    {
      CGlobalLock lock(memory);
      EXPECT_EQ(appended, Bytes(lock.Data(), lock.Data() + length));
      EXPECT_EQ(kRecordPadByte, lock.Data()[length]) << "the pad byte outside the length";
    }
    ::GlobalFree(memory);
    std::unique_ptr<CBlock> read(CreateBlockFromRecord(appended.data(), appended.size()));
    ASSERT_TRUE(read) << "block " << i;
    EXPECT_EQ(appended, RecordOf(*read)) << "block " << i;
  }
}

TEST(BlockListInPieces, PiecesJoinToTheRecordWrittenWhole) {
  CSegArray list;
  FillMixed(list);
  FillMixed(list);
  Bytes whole = WholeRecord(list);
  for (size_t piece : {size_t(1), size_t(150), size_t(1000), whole.size()}) {
    CByteWriter writer;
    writer.WriteBytes("head", 4);
    Bytes joined;
    size_t length = list.WriteRecordInPieces(writer, piece, [&](const BYTE* data, size_t size) {
      joined.insert(joined.end(), data, data + size);
    });
    bool flushed = !joined.empty();
    joined.insert(joined.end(), writer.Data(), writer.Data() + writer.Size());
    ASSERT_EQ(whole.size(), length) << "pieces of " << piece;
    ASSERT_EQ(whole.size() + 4, joined.size());
    EXPECT_EQ(0, memcmp(joined.data(), "head", 4));
    Bytes record(joined.begin() + 4, joined.end());
    if (flushed) {
      EXPECT_EQ(Bytes(4, 0), Bytes(record.begin() + 1, record.begin() + 5)) << "left to the caller";
      std::copy(whole.begin() + 1, whole.begin() + 5, record.begin() + 1);
    }
    EXPECT_EQ(whole, record) << "pieces of " << piece;
  }

  CSegArray nothing;
  nothing.AddBlock(new AbandoningBlock);
  CByteWriter writer;
  writer.WriteByte(1);
  bool flushed = false;
  EXPECT_EQ(0u,
            nothing.WriteRecordInPieces(writer, 1, [&](const BYTE*, size_t) { flushed = true; }));
  EXPECT_FALSE(flushed);
  EXPECT_EQ(1u, writer.Size());
}

// What a load gave: its blocks' records, whether it met damage and the messages shown.
struct Loaded {
  std::vector<Bytes> records;
  bool damaged;
  size_t messages;
  bool operator==(const Loaded& other) const {
    return records == other.records && damaged == other.damaged && messages == other.messages;
  }
};

Loaded Describe(CSegArray* list, bool damaged, const MessageBoxCapture& boxes) {
  Loaded loaded = {{}, damaged, boxes.Count()};
  for (INT_PTR i = 0; list && i < list->GetSize(); ++i)
    loaded.records.push_back(RecordOf(*list->GetBlock(i)));
  delete list;
  return loaded;
}

TEST(BlockListInPieces, AFileReadThroughASmallWindowGivesWhatMemoryGives) {
  CSegArray list;
  FillMixed(list);
  list.AddBlock(LongCurve(300));
  const Bytes whole = WholeRecord(list);
  const size_t second = 5 + 49;  // after the line
  // The record as written, cut short, without its end byte, and damaged in several places.
  std::vector<Bytes> variants = {whole};
  for (size_t cut : {size_t(5), size_t(6), second + 3, whole.size() / 2, whole.size() - 1}) {
    variants.push_back(Bytes(whole.begin(), whole.begin() + cut));
  }
  for (size_t at : {second, second + 1, second + 2, whole.size() / 3, whole.size() - 1}) {
    Bytes damaged = whole;
    damaged[at] ^= 0x5A;
    variants.push_back(damaged);
  }
  TempFolder folder;
  std::string path = folder.File("list.bin");
  for (size_t v = 0; v < variants.size(); ++v) {
    const Bytes& bytes = variants[v];
    Loaded inMemory;
    {
      MessageBoxCapture boxes;
      bool damaged = false;
      inMemory = Describe(LoadSegArray(bytes.data(), bytes.size(), &damaged), damaged, boxes);
    }
    {
      CFile out(path.c_str(), CFile::modeCreate | CFile::modeWrite);
      out.Write("pre", 3);
      out.Write(bytes.data(), static_cast<UINT>(bytes.size()));
      out.Write("post", 4);
    }
    for (size_t piece : {size_t(16), size_t(100), size_t(4096)}) {
      MessageBoxCapture boxes;
      CFile in(path.c_str(), CFile::modeRead);
      in.Seek(3, CFile::begin);
      bool damaged = false;
      Loaded fromFile = Describe(LoadSegArrayFromFile(in, bytes.size(), piece, &damaged), damaged,
                                 boxes);
      EXPECT_TRUE(fromFile == inMemory) << "variant " << v << ", pieces of " << piece;
      EXPECT_LE(in.GetPosition(), 3 + bytes.size()) << "nothing read past the list";
    }
  }
}

}  // namespace
