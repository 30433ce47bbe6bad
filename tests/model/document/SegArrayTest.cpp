// The block list: its record in memory and in files, damaged records, bounds and transforms, and
// the clipboard copy of the selected blocks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/File.h"
#include "framework/GlobalLock.h"
#include "framework/MemoryException.h"
#include "model/CurveTestSupport.h"
#include "model/MainWindowCapture.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/SegArray.h"
#include "model/records/BlockRecord.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"
#include "support/WideClipboard.h"

namespace {

// A block of a chosen type that writes no record and may fill the clipboard text.
class StubBlock : public CBlock {
public:
  explicit StubBlock(BYTE type, std::string text = "") : m_text(std::move(text)) { m_type = type; }
  void AppendClipboardText(char* buffer, size_t capacity) override {
    if (m_text == "overflow") {
      memset(buffer, 'x', capacity);  // a careless block: no room left for the zero
      return;
    }
    strncat(buffer, m_text.c_str(), capacity - strlen(buffer) - 1);
  }

private:
  std::string m_text;
};

// A block that runs out of memory while writing its record.
class FailingBlock : public CBlock {
public:
  FailingBlock() { m_type = kLineBlock; }
  int WriteRecord(HGLOBAL*) override { AfxThrowMemoryException(); }
};

std::vector<BYTE> MemoryRecord(CSegArray& list, size_t* blockSize = nullptr) {
  HGLOBAL memory = nullptr;
  int length = list.WriteToMemory(&memory);
  std::vector<BYTE> bytes;
  if (!memory) return bytes;
  {
    CGlobalLock lock(memory);
    bytes.assign(lock.Data(), lock.Data() + length + 1);  // with the byte after the record
    if (blockSize) *blockSize = lock.Size();
  }
  ::GlobalFree(memory);
  return bytes;
}

TEST(BlockList, RecordLeavesOutBlocksWithoutRecords) {
  CSegArray list;
  list.AddBlock(MakeSquareCurve(0, 0, 10, 1));
  list.AddBlock(new StubBlock(kLineBlock));
  list.AddBlock(MakeCurve({{1, 2, 0x11}, {3, 4, 0x21}}, 2));
  std::vector<BYTE> curveA = RecordOf(*list.GetBlock(0)), curveB = RecordOf(*list.GetBlock(2));
  size_t blockSize = 0;
  std::vector<BYTE> record = MemoryRecord(list, &blockSize);
  GoldenBytes expected;
  expected.Byte(2).DWord(static_cast<DWORD>(5 + curveA.size() + curveB.size() + 1));
  expected.Bytes(curveA).Bytes(curveB).Byte(0xFE).Byte(0xFF);
  EXPECT_EQ(expected.Get(), record);
  EXPECT_GE(blockSize, record.size() + 9);

  std::unique_ptr<CSegArray> read(LoadSegArray(record.data(), record.size() - 1));
  ASSERT_NE(nullptr, read);
  ASSERT_EQ(2, read->GetSize());
  EXPECT_EQ(curveB, RecordOf(*read->GetBlock(1)));
}

TEST(BlockList, FilesHoldOnlyListsWithBlocks) {
  TempFolder folder;
  std::string path = folder.File("list.bin");
  CSegArray empty, unwritable, list;
  unwritable.AddBlock(new StubBlock(kLineBlock));
  EXPECT_EQ(6u, MemoryRecord(unwritable).size() - 1);  // in memory the bare list is still made
  list.AddBlock(MakeSquareCurve(0, 0, 10));
  list.AddBlock(MakeSquareCurve(5, 5, 10));
  {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    EXPECT_FALSE(empty.WriteToFile(&file));
    EXPECT_FALSE(unwritable.WriteToFile(&file));  // would be refused when read back
    EXPECT_EQ(0u, file.GetLength());
    EXPECT_TRUE(list.WriteToFile(&file));
    EXPECT_EQ(MemoryRecord(list).size() - 1, file.GetLength());
  }
  CSegArray read;
  read.AddBlock(MakeSquareCurve(50, 50, 1));
  CFile file(path.c_str(), CFile::modeRead);
  EXPECT_TRUE(read.ReadFromFile(&file));
  ASSERT_EQ(3, read.GetSize());
  EXPECT_FLOAT_EQ(5, read.GetBlock(2)->m_box.left);
  EXPECT_EQ(file.GetLength(), file.GetPosition());
}

TEST(BlockList, FileReaderRefusesBareAndOverlongLists) {
  TempFolder folder;
  std::string path = folder.File("bad.bin");
  {
    CFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    const BYTE bare[] = {2, 6, 0, 0, 0, 0xFE, 2, 0xE8, 0x03, 0, 0, 0x23};
    file.Write(bare, sizeof bare);
  }
  CSegArray list;
  CFile file(path.c_str(), CFile::modeRead);
  EXPECT_FALSE(list.ReadFromFile(&file));
  EXPECT_EQ(0u, file.GetPosition());
  file.Seek(6, CFile::begin);
  EXPECT_FALSE(list.ReadFromFile(&file));  // 1000 bytes promised, 6 there
  EXPECT_TRUE(list.IsEmpty());
}

TEST(BlockList, DamagedRecordsKeepTheBlocksBeforeTheDamage) {
  MessageBoxCapture boxes;
  CSegArray list;
  list.AddBlock(MakeSquareCurve(0, 0, 10));
  list.AddBlock(MakeSquareCurve(20, 0, 10));
  std::vector<BYTE> record = MemoryRecord(list);
  size_t second = 5 + RecordOf(*list.GetBlock(0)).size();

  std::vector<BYTE> unknown = record;
  unknown[second] = 0x7F;
  std::unique_ptr<CSegArray> read(LoadSegArray(unknown.data(), unknown.size()));
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(1, read->GetSize());
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("物件数据已损坏!", boxes.Last().text);
  EXPECT_EQ("数据损坏", boxes.Last().caption);

  // Without its end byte the list stops where the bytes do.
  read.reset(LoadSegArray(record.data(), record.size() - 2));
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(2, read->GetSize());
  EXPECT_EQ(2u, boxes.Count());
  read.reset(LoadSegArray(record.data(), second + 20));
  EXPECT_EQ(1, read->GetSize());

  const BYTE bare[] = {2, 6, 0, 0, 0, 0xFE};
  EXPECT_EQ(nullptr, LoadSegArray(bare, sizeof bare));
  EXPECT_EQ(nullptr, LoadSegArray(record.data(), 3));
  record[0] = 3;
  EXPECT_EQ(nullptr, LoadSegArray(record.data(), record.size()));
  EXPECT_EQ(3u, boxes.Count());
}

TEST(BlockList, BoundsAndTransformPassOverNegativeBlocks) {
  CSegArray list;
  CFRect bounds;
  EXPECT_FALSE(list.GetBounds(&bounds, FALSE));
  list.AddBlock(MakeSquareCurve(-30, 0, 10));  // right edge below zero
  list.AddBlock(MakeSquareCurve(0, -30, 10));  // bottom edge below zero
  EXPECT_TRUE(list.GetBounds(&bounds, TRUE));
  EXPECT_FLOAT_EQ(0, bounds.left);
  EXPECT_FLOAT_EQ(0, bounds.right);
  EXPECT_FLOAT_EQ(0, list.m_bounds.bottom);
  list.AddBlock(MakeSquareCurve(5, 5, 10));
  EXPECT_TRUE(list.GetBounds(&bounds, FALSE));
  EXPECT_FLOAT_EQ(-30, bounds.left);
  EXPECT_FLOAT_EQ(15, bounds.bottom);

  CMatrix2D shift;
  shift.m[6] = 100;
  EXPECT_TRUE(list.Transform(shift, TRUE));
  EXPECT_FLOAT_EQ(-30, list.GetBlock(0)->m_box.left);
  EXPECT_FLOAT_EQ(105, list.GetBlock(2)->m_box.left);
  EXPECT_FLOAT_EQ(105, list.m_bounds.left);
  EXPECT_FLOAT_EQ(115, list.m_bounds.right);
}

std::string ClipboardText() {
  std::string text;
  if (!::OpenClipboard(nullptr)) return text;
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    CGlobalLock lock(data);
    if (lock.Data()) text = reinterpret_cast<const char*>(lock.Data());
  }
  ::CloseClipboard();
  return text;
}

std::vector<BYTE> ClipboardBlocks() {
  std::vector<BYTE> bytes;
  if (!::OpenClipboard(nullptr)) return bytes;
  if (HANDLE data = ::GetClipboardData(GetBlockListClipboardFormat())) {
    CGlobalLock lock(data);
    if (lock.Data()) bytes.assign(lock.Data(), lock.Data() + lock.Size());
  }
  ::CloseClipboard();
  return bytes;
}

TEST(BlockClipboard, CopiesTheSelectedBlocksAndTheirText) {
  MainWindowCapture mainWindow;
  CSegArray list;
  list.AddBlock(MakeSquareCurve(0, 0, 10, 5));
  list.AddBlock(MakeSquareCurve(20, 0, 10, 6));  // not selected
  list.AddBlock(new StubBlock(kStampBlock, "stamp"));
  list.AddBlock(new StubBlock(kTextBlock, "text "));
  CGroupBlock* group = new CGroupBlock;
  group->AddChild(new StubBlock(kTextBlock, "in group"));
  group->AddChild(MakeSquareCurve(40, 0, 10));
  group->AddChild(MakeSquareCurve(60, 0, 10));
  list.AddBlock(group);
  for (INT_PTR i : {0, 2, 3, 4}) list.GetBlock(i)->m_selected = 1;

  EXPECT_TRUE(CopyBlocksToClipboard(&list));
  EXPECT_EQ("text in group", ClipboardText());
  std::vector<BYTE> blocks = ClipboardBlocks();
  std::unique_ptr<CSegArray> pasted(LoadSegArray(blocks.data(), blocks.size()));
  ASSERT_NE(nullptr, pasted);
  ASSERT_EQ(2, pasted->GetSize());
  EXPECT_EQ(5u, static_cast<CCurveBlock*>(pasted->GetBlock(0))->GetColour());
  EXPECT_EQ(kGroupBlock, pasted->GetBlock(1)->m_type);
}

TEST(EnglishSystemBlockClipboard, TheTextGoesOutInItsWideFormToo) {
  MainWindowCapture mainWindow;
  CSegArray list;
  list.AddBlock(new StubBlock(kTextBlock, "招牌"));
  list.GetBlock(0)->m_selected = 1;
  EXPECT_TRUE(CopyBlocksToClipboard(&list));
  // Other programs read the wide form, which the system would make through its code page.
  EXPECT_EQ(L"\x62DB\x724C", WideClipboardText(nullptr));
  EXPECT_EQ("招牌", ClipboardText());
}

void PutClipboardText(const char* text) {
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, strlen(text) + 1);
  {
    CGlobalLock lock(memory);
    memcpy(lock.Data(), text, strlen(text));
  }
  ::SetClipboardData(CF_TEXT, memory);
  ::CloseClipboard();
}

TEST(BlockClipboard, RunningOutOfMemoryLeavesItClosedAndAsItWas) {
  MainWindowCapture mainWindow;
  PutClipboardText("before");
  CSegArray list;
  list.AddBlock(new StubBlock(kTextBlock, "text"));
  list.AddBlock(MakeSquareCurve(0, 0, 10));
  list.AddBlock(new FailingBlock);
  for (INT_PTR i = 0; i < list.GetSize(); ++i) list.GetBlock(i)->m_selected = 1;
  bool ranOut = false;
  try {
    CopyBlocksToClipboard(&list);
  } catch (CMemoryException* e) {
    e->Delete();
    ranOut = true;
  }
  EXPECT_TRUE(ranOut);
  EXPECT_EQ(nullptr, ::GetOpenClipboardWindow());
  EXPECT_EQ("before", ClipboardText());
  EXPECT_FALSE(::IsClipboardFormatAvailable(GetBlockListClipboardFormat()));
}

TEST(BlockClipboard, StampsAloneLeaveItEmptyAndTextStaysBounded) {
  MainWindowCapture mainWindow;
  CSegArray list;
  list.AddBlock(new StubBlock(kStampBlock));
  list.GetBlock(0)->m_selected = 1;
  EXPECT_TRUE(CopyBlocksToClipboard(&list));
  EXPECT_FALSE(::IsClipboardFormatAvailable(CF_TEXT));
  EXPECT_FALSE(::IsClipboardFormatAvailable(GetBlockListClipboardFormat()));

  list.AddBlock(new StubBlock(kTextBlock, "overflow"));
  list.AddBlock(new StubBlock(kTextBlock, "more"));
  list.GetBlock(1)->m_selected = list.GetBlock(2)->m_selected = 1;
  EXPECT_TRUE(CopyBlocksToClipboard(&list));
  EXPECT_EQ(kClipboardTextCapacity - 1, ClipboardText().size());
}

}  // namespace
