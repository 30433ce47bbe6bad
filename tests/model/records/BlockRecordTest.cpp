// Block records: the common header and end byte, the dispatcher on every tag and on damaged
// records, clones through records and the type names.
#include <gtest/gtest.h>

#include <vector>

#include "framework/GlobalLock.h"
#include "model/HandleBlock.h"
#include "model/records/BlockRecord.h"
#include "model/records/BlockRecordReader.h"

namespace {

std::vector<BYTE> RecordBytes(CBlock& block) {
  HGLOBAL memory = nullptr;
  int length = block.WriteRecord(&memory);
  std::vector<BYTE> bytes;
  if (!memory) return bytes;
  {
    CGlobalLock lock(memory);
    bytes.assign(lock.Data(), lock.Data() + length);
  }
  ::GlobalFree(memory);
  return bytes;
}

// The smallest well-formed record of a tag: header and end byte only.
std::vector<BYTE> EmptyRecord(BYTE tag) { return {tag, 9, 0, 0, 0, 1, 0, 0, kRecordEndByte}; }

void FillSample(HandleBlock& block) {
  block.m_attributes = 0x0102;
  block.m_box = CFRect(1.5f, -2, 30, 40.25f);
  block.m_matrix.m[0] = 2;
  block.m_matrix.m[3] = 0.5f;
  block.m_matrix.m[7] = -7;
  block.value = 0x12345678;
}

TEST(BlockRecordWriter, WritesHeaderFieldsEndByteAndThePadByte) {
  HandleBlock block;
  FillSample(block);
  HGLOBAL memory = nullptr;
  int length = block.WriteRecord(&memory);
  ASSERT_NE(nullptr, memory);
  ASSERT_EQ(static_cast<int>(HandleBlock::kRecordLength), length);
  {
    CGlobalLock lock(memory);
    const BYTE* data = lock.Data();
    ASSERT_GT(lock.Size(), static_cast<SIZE_T>(length));
    EXPECT_EQ(HandleBlock::kTag, data[0]);
    EXPECT_EQ(length, data[1] | data[2] << 8 | data[3] << 16 | data[4] << 24);
    EXPECT_EQ(kLineBlock, data[5]);
    EXPECT_EQ(0x02, data[6]);
    EXPECT_EQ(0x01, data[7]);
    EXPECT_EQ(0x00, data[8]);  // 1.5f = 0x3FC00000, little-endian
    EXPECT_EQ(0xC0, data[10]);
    EXPECT_EQ(0x3F, data[11]);
    EXPECT_EQ(0x78, data[length - 5]);
    EXPECT_EQ(kRecordEndByte, data[length - 1]);
    EXPECT_EQ(kRecordPadByte, data[length]);
  }
  ::GlobalFree(memory);
}

TEST(BlockRecordDispatcher, NoTagBuildsABlockFromAnEmptyRecord) {
  // A bare header is no block of any type: every tag must answer null safely.
  for (int tag = 0; tag < 256; ++tag) {
    SCOPED_TRACE(tag);
    std::vector<BYTE> record = EmptyRecord(static_cast<BYTE>(tag));
    EXPECT_EQ(nullptr, CreateBlockFromRecord(record.data(), record.size()));
  }
  EXPECT_EQ(nullptr, CreateBlockFromRecord(nullptr, 100));
  BYTE lone = kLineRecordTag;
  EXPECT_EQ(nullptr, CreateBlockFromRecord(&lone, 0));
}

TEST(BlockRecordDispatcher, BuildsTheBlockOfARegisteredTag) {
  HandleBlockReaderScope reader;
  HandleBlock original;
  FillSample(original);
  std::vector<BYTE> record = RecordBytes(original);
  CBlock* built = CreateBlockFromRecord(record.data(), record.size());
  ASSERT_NE(nullptr, built);
  HandleBlock* copy = dynamic_cast<HandleBlock*>(built);
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(0x12345678, copy->value);
  EXPECT_EQ(0x0102, copy->m_attributes);
  delete built;
}

TEST(BlockRecordDispatcher, ListEndAndZeroTagsAreNotBlocks) {
  HandleBlockReaderScope reader;
  HandleBlock block;
  FillSample(block);
  std::vector<BYTE> record = RecordBytes(block);
  for (BYTE tag : std::vector<BYTE>{0, kListEndByte, kSegArrayRecordTag, 0x7F}) {
    record[0] = tag;
    EXPECT_EQ(nullptr, CreateBlockFromRecord(record.data(), record.size())) << int(tag);
  }
}

TEST(BlockRecordDispatcher, DamagedRecordsAreRefused) {
  HandleBlockReaderScope reader;
  HandleBlock block;
  FillSample(block);
  const std::vector<BYTE> good = RecordBytes(block);
  auto build = [](std::vector<BYTE> bytes, size_t available) {
    CBlock* built = CreateBlockFromRecord(bytes.data(), available);
    bool made = built != nullptr;
    delete built;
    return made;
  };
  EXPECT_TRUE(build(good, good.size()));
  // Fewer bytes available than the record claims, down to a cut header.
  for (size_t available : {good.size() - 1, size_t{9}, size_t{5}, size_t{4}, size_t{1}})
    EXPECT_FALSE(build(good, available)) << available;

  std::vector<BYTE> bytes = good;
  bytes[good.size() - 1] = 0x00;  // end byte missing
  EXPECT_FALSE(build(bytes, bytes.size()));

  for (int length : {0, 8, -1, -65, 0x7FFFFFFF}) {
    bytes = good;
    for (int i = 0; i < 4; ++i) bytes[1 + i] = static_cast<BYTE>(length >> (8 * i));
    EXPECT_FALSE(build(bytes, bytes.size())) << length;
  }

  // A well-closed record of the wrong length for its type.
  bytes = good;
  bytes.insert(bytes.end() - 1, 0x00);
  bytes[1] = static_cast<BYTE>(bytes.size());
  EXPECT_FALSE(build(bytes, bytes.size()));
  bytes = EmptyRecord(HandleBlock::kTag);
  EXPECT_FALSE(build(bytes, bytes.size()));
}

TEST(BlockRecordReader, ReadsFieldsOnlyUpToTheEndByte) {
  const BYTE record[] = {0x24, 13, 0, 0, 0, 7, 0x34, 0x12, 1, 2, 3, 4, kRecordEndByte, 0xAA};
  CBlockRecordReader reader(record, sizeof record);
  EXPECT_FALSE(reader.Open(0x25));
  ASSERT_TRUE(reader.Open(0x24));
  EXPECT_EQ(13u, reader.Length());
  EXPECT_EQ(7, reader.TypeCode());
  EXPECT_EQ(0x1234, reader.Attributes());
  DWORD value = 0;
  EXPECT_TRUE(reader.Fields().ReadDWord(value));
  EXPECT_EQ(0x04030201u, value);
  BYTE past = 0;
  EXPECT_FALSE(reader.Fields().ReadByte(past));  // the end byte is not a field
  CFRect rect;
  EXPECT_FALSE(reader.ReadRect(rect));
}

TEST(BlockClone, ACloneIsWhatASaveAndReloadWouldGive) {
  HandleBlockReaderScope reader;
  HandleBlock original;
  FillSample(original);
  CBlock* clone = original.Clone();
  ASSERT_NE(nullptr, clone);
  ASSERT_NE(&original, clone);
  HandleBlock* copy = dynamic_cast<HandleBlock*>(clone);
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(original.m_type, copy->m_type);
  EXPECT_EQ(original.m_attributes, copy->m_attributes);
  EXPECT_EQ(0, memcmp(&original.m_box, &copy->m_box, sizeof(CFRect)));
  EXPECT_EQ(0, memcmp(original.m_matrix.m, copy->m_matrix.m, sizeof original.m_matrix.m));
  EXPECT_EQ(original.value, copy->value);
  delete clone;
}

TEST(BlockClone, ABlockThatCannotBeStoredOrReadCannotBeCloned) {
  CBlock base;
  EXPECT_EQ(nullptr, base.Clone());
  HGLOBAL memory = reinterpret_cast<HGLOBAL>(1);
  EXPECT_EQ(0, base.WriteRecord(&memory));
  EXPECT_EQ(nullptr, memory);
  // When the reader of its tag refuses the record, it is written but nothing is built (and nothing
  // leaks).
  HandleBlock orphan;
  EXPECT_EQ(nullptr, orphan.Clone());
}

TEST(BlockTypeName, NamesEveryTypeAndCallsTheRestUnknown) {
  // clang-format off
  const std::pair<BYTE, const char*> names[] = {
      {1, "直线块"},     {2, "(圆角)矩形块"}, {3, "圆(弧)形块"},   {8, "正多边形块"},
      {9, "变形块"},     {128, "曲线块"},     {129, "组块"},       {130, "文字块"},
      {131, "图库块"},   {133, "图像块"},     {144, "方形印章"},   {145, "圆形印章"},
      {146, "菱形印章"}, {147, "三角形印章"}, {148, "倒三角形印章"}, {4, "未知块"},
      {0, "未知块"},     {255, "未知块"},
  };
  // clang-format on
  for (const auto& [type, expected] : names) {
    CString name = "before";
    GetBlockTypeName(type, name);
    EXPECT_STREQ(expected, name) << int(type);
  }
}

}  // namespace
