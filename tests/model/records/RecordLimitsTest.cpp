// Limits that readers and writers of records share, so that whatever is written can be read back
// and no crafted record can exhaust the reader: the point count of outline records and the nesting
// of group records. No window.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/CurveTestSupport.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/DocFileReader.h"
#include "model/document/DocFileWriter.h"
#include "model/geometry/Contour.h"
#include "model/records/BlockRecord.h"
#include "support/MessageBoxCapture.h"

namespace {

using Bytes = std::vector<BYTE>;

// A curve record of n point records: one open sub-path, then the end record.
Bytes CurveRecordOf(int n) {
  GoldenBytes record;
  record.Byte('#').DWord(static_cast<DWORD>(69 + 9 * n)).Byte(128).Word(0);
  record.Floats({0, 0, 10, 10}).Identity().DWord(0).DWord(static_cast<DWORD>(n));
  for (int i = 0; i < n; ++i) {
    BYTE flags = i == 0 ? 0x11 : i == n - 1 ? 0xFF : i == n - 2 ? 0x21 : 0x01;
    record.Floats({i == n - 1 ? 0.0f : static_cast<float>(i % 10), 0}).Byte(flags);
  }
  record.Byte(0xF1);
  return record.Get();
}

TEST(PointLimit, TheLongestReadableOutlineIsWrittenAndNoLongerOne) {
  Bytes longest = CurveRecordOf(kMaxPointRecords);
  std::unique_ptr<CBlock> curve(CreateBlockFromRecord(longest.data(), longest.size()));
  ASSERT_NE(nullptr, curve);
  EXPECT_EQ(longest, RecordOf(*curve));
  std::unique_ptr<CContour> contour(CContour::FromRecord(longest.data(), longest.size()));
  ASSERT_NE(nullptr, contour);
  HGLOBAL memory = nullptr;
  EXPECT_EQ(static_cast<int>(longest.size()), contour->ToRecord(&memory));
  ::GlobalFree(memory);

  // One point more is refused by the readers, so the writers write nothing.
  Bytes tooLong = CurveRecordOf(kMaxPointRecords + 1);
  EXPECT_EQ(nullptr, CreateBlockFromRecord(tooLong.data(), tooLong.size()));
  EXPECT_EQ(nullptr, CContour::FromRecord(tooLong.data(), tooLong.size()));
  static_cast<CCurveBlock*>(curve.get())->InsertPointsAt(1, 1);
  EXPECT_TRUE(RecordOf(*curve).empty());
  contour->TrimEndMarks();
  contour->AppendRaw(MakePointRecord(1, 1, 0x21));
  contour->AppendEndMark();
  EXPECT_EQ(0, contour->ToRecord(&memory));
  EXPECT_EQ(nullptr, memory);
}

TEST(PointLimit, ADocumentWithAnOverlongCurveSavesAndReopens) {
  Bytes longest = CurveRecordOf(kMaxPointRecords);
  CCurveBlock* overlong = static_cast<CCurveBlock*>(
      CreateBlockFromRecord(longest.data(), longest.size()));
  ASSERT_NE(nullptr, overlong);
  overlong->InsertPointsAt(1, 1);
  CSegArray blocks;
  blocks.AddBlock(overlong);
  blocks.AddBlock(MakeSquareCurve(0, 0, 10));
  CPageSettings page;
  CDocFileWriter writer;
  writer.AddPageSettings(page);
  writer.AddEmptyFontMount();
  writer.AddText("", 0);
  writer.AddBlockList(blocks);

  MessageBoxCapture boxes;
  CDocFileReader reader;
  ASSERT_EQ(CDocFileReader::kNoError, reader.ReadImage(writer.Data(), writer.Size()));
  EXPECT_FALSE(reader.IsPartial());
  CSegArray read;
  reader.TakeBlocks(read);
  EXPECT_EQ(1, read.GetSize());  // the curve that cannot be stored is left out
  EXPECT_EQ(0u, boxes.Count());
}

// A group record nested depth groups deep around one curve: each level holds only the next.
Bytes NestedGroupRecord(int depth) {
  Bytes curve = RecordOf(*std::unique_ptr<CCurveBlock>(MakeSquareCurve(0, 0, 10)));
  Bytes record;
  record.reserve(curve.size() + 67u * depth);
  for (int level = depth; level >= 1; --level) {
    DWORD groupLength = static_cast<DWORD>(curve.size() + 67u * level);
    GoldenBytes header;
    header.Byte(')').DWord(groupLength).Byte(129).Word(0).Floats({0, 0, 10, 10}).Identity();
    header.Byte(2).DWord(groupLength - 61);
    record.insert(record.end(), header.Get().begin(), header.Get().end());
  }
  record.insert(record.end(), curve.begin(), curve.end());
  for (int level = 1; level <= depth; ++level) {
    record.push_back(0xFE);
    record.push_back(0xF1);
  }
  return record;
}

TEST(GroupNesting, DeepGroupsLoadAndDeeperOnesAreDamage) {
  Bytes deepest = NestedGroupRecord(256);
  std::unique_ptr<CBlock> block(CreateBlockFromRecord(deepest.data(), deepest.size()));
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(kCurveBlock, block->m_type);  // groups of one child load as the child

  // A crafted record far deeper than any stack would take is refused, reported once.
  for (int depth : {257, 100000}) {
    Bytes crafted = NestedGroupRecord(depth);
    MessageBoxCapture boxes;
    EXPECT_EQ(nullptr, CreateBlockFromRecord(crafted.data(), crafted.size())) << depth;
    ASSERT_EQ(1u, boxes.Count()) << depth;
    EXPECT_EQ("物件数据已损坏!", boxes.Last().text);
  }
}

}  // namespace
