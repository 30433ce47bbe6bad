// The guide and output-area list: its tag-1 block written and read back, damaged blocks,
// selection bookkeeping, hit tests in list order and the clipboard.
#include <gtest/gtest.h>

#include <vector>

#include "framework/GlobalLock.h"
#include "model/blocks/GuideLine.h"
#include "model/blocks/OutputArea.h"
#include "model/document/AuxObjectList.h"
#include "model/geometry/Matrix2D.h"

namespace {

std::vector<BYTE> BlockBytes(const CAuxObjectList& list) {
  HGLOBAL memory = nullptr;
  int length = list.WriteToMemory(&memory);
  std::vector<BYTE> bytes;
  if (!memory) return bytes;
  {
    CGlobalLock lock(memory);
    bytes.assign(lock.Data(), lock.Data() + length);
  }
  ::GlobalFree(memory);
  return bytes;
}

void PutLength(std::vector<BYTE>& bytes, size_t at, DWORD length) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<BYTE>(length >> (8 * i));
}

// A list of a guide at offset 5 and an output area at offset 25, end byte at 49.
std::vector<BYTE> SampleBlock() {
  CAuxObjectList list;
  list.AddObject(new CGuideLine(1, 2, 0));
  list.AddObject(new COutputArea(0, 0, 10, 10));
  return BlockBytes(list);
}

TEST(AuxObjectListBlock, GuideAndAreaAreFramedByTagLengthAndEndByte) {
  std::vector<BYTE> bytes = SampleBlock();
  ASSERT_EQ(5u + 20 + 24 + 1, bytes.size());
  EXPECT_EQ(1, bytes[0]);
  EXPECT_EQ(50, bytes[1]);
  EXPECT_EQ(0, bytes[2] | bytes[3] | bytes[4]);
  EXPECT_EQ('A', bytes[5]);
  EXPECT_EQ('B', bytes[25]);
  EXPECT_EQ(0xFE, bytes[49]);
}

TEST(AuxObjectListBlock, EmptyListWritesNothing) {
  CAuxObjectList list;
  HGLOBAL memory = reinterpret_cast<HGLOBAL>(1);
  EXPECT_EQ(0, list.WriteToMemory(&memory));
  EXPECT_EQ(nullptr, memory);
}

TEST(AuxObjectListBlock, ReadsBackEveryObject) {
  std::vector<BYTE> bytes = SampleBlock();
  bool damaged = true;
  std::unique_ptr<CAuxObjectList> list(LoadAuxObjectList(bytes.data(), bytes.size(), &damaged));
  ASSERT_NE(nullptr, list);
  EXPECT_FALSE(damaged);
  ASSERT_EQ(2, list->GetSize());
  EXPECT_TRUE(list->GetObjectAt(0)->IsGuide());
  EXPECT_FALSE(list->GetObjectAt(1)->IsGuide());
  EXPECT_EQ(bytes, BlockBytes(*list));
}

TEST(AuxObjectListBlock, UnknownTagEndsReadingAndKeepsWhatCameBefore) {
  std::vector<BYTE> bytes = SampleBlock();
  bytes[25] = 'Q';
  bool damaged = true;
  std::unique_ptr<CAuxObjectList> list(LoadAuxObjectList(bytes.data(), bytes.size(), &damaged));
  ASSERT_NE(nullptr, list);
  EXPECT_FALSE(damaged);
  EXPECT_EQ(1, list->GetSize());

  bytes[5] = 'Q';
  EXPECT_EQ(nullptr, LoadAuxObjectList(bytes.data(), bytes.size(), &damaged));
  EXPECT_FALSE(damaged);
}

TEST(AuxObjectListBlock, ShortOrForeignBlocksYieldNothing) {
  std::vector<BYTE> tiny = {1, 6, 0, 0, 0, 0xFE};
  bool damaged = true;
  EXPECT_EQ(nullptr, LoadAuxObjectList(tiny.data(), tiny.size(), &damaged));
  EXPECT_FALSE(damaged);
  std::vector<BYTE> bytes = SampleBlock();
  bytes[0] = 2;
  EXPECT_EQ(nullptr, LoadAuxObjectList(bytes.data(), bytes.size(), &damaged));
  EXPECT_FALSE(damaged);
}

TEST(AuxObjectListBlock, DamagedLengthsAreRefusedWithoutReadingPastTheBlock) {
  struct Case {
    const char* what;
    size_t at;
    DWORD length;
  } cases[] = {
      {"block longer than the data", 1, 51},
      {"block length zero", 1, 0},
      {"record length zero", 6, 0},
      {"record shorter than its fields", 6, 12},
      {"record running into the end byte", 26, 25},
      {"record length huge", 26, 0x7FFFFFFF},
      {"record length negative", 6, 0xFFFFFFF0},
  };
  for (const Case& c : cases) {
    std::vector<BYTE> bytes = SampleBlock();
    PutLength(bytes, c.at, c.length);
    bool damaged = false;
    EXPECT_EQ(nullptr, LoadAuxObjectList(bytes.data(), bytes.size(), &damaged)) << c.what;
    EXPECT_TRUE(damaged) << c.what;
  }
  std::vector<BYTE> bytes = SampleBlock();
  bool damaged = false;
  EXPECT_EQ(nullptr, LoadAuxObjectList(bytes.data(), 30, &damaged));  // cut short
  EXPECT_TRUE(damaged);
}

TEST(AuxObjectList, FirstSelectedIsCurrentAndDeselectingForgetsIt) {
  CAuxObjectList list;
  CGuideLine* first = new CGuideLine(0, 0, 0);
  CGuideLine* second = new CGuideLine(0, 5, 0);
  COutputArea* third = new COutputArea(0, 0, 1, 1);
  list.AddObject(first);
  list.AddObject(second);
  list.AddObject(third);
  CMatrix2D identity;
  CFRect visible(0, 0, 10, 10);
  list.SelectObject(nullptr, identity, visible, second);
  list.SelectObject(nullptr, identity, visible, first);
  list.SelectObject(nullptr, identity, visible, third);
  EXPECT_EQ(second, list.GetCurrentObject());
  EXPECT_EQ(3, list.GetSelectedCount());

  list.MarkSelected(nullptr, identity, visible);
  EXPECT_EQ(CAuxObject::kMarkedState, first->GetState());
  list.OffsetSelected(1, 2);
  EXPECT_EQ(1.0f, first->GetX());
  EXPECT_EQ(7.0f, second->GetY());

  list.DeselectAll(nullptr, identity, visible);
  EXPECT_EQ(nullptr, list.GetCurrentObject());
  EXPECT_EQ(0, list.GetSelectedCount());
  EXPECT_EQ(CAuxObject::kNormalState, third->GetState());
}

TEST(AuxObjectList, DeleteSelectedKeepsTheOthers) {
  CAuxObjectList list;
  CGuideLine* keep = new CGuideLine(0, 0, 0);
  list.AddObject(keep);
  list.AddObject(new CGuideLine(0, 5, 0));
  CMatrix2D identity;
  CFRect visible(0, 0, 10, 10);
  list.SelectObject(nullptr, identity, visible, list.GetObjectAt(1));
  list.DeleteSelected(nullptr);
  ASSERT_EQ(1, list.GetSize());
  EXPECT_EQ(keep, list.GetObjectAt(0));
  EXPECT_EQ(nullptr, list.GetCurrentObject());
}

TEST(AuxObjectList, HitTestReturnsTheFirstInListOrder) {
  CAuxObjectList list;
  list.AddObject(new COutputArea(0, 0, 10, 10));
  list.AddObject(new CGuideLine(0, 0, 0));
  EXPECT_EQ(list.GetObjectAt(0), list.HitTest(5, 0, 1));
  EXPECT_EQ(list.GetObjectAt(1), list.HitTest(50, 0.5f, 1));
  EXPECT_EQ(nullptr, list.HitTest(5, 5, 1));
}

TEST(AuxObjectListClipboard, CopiesSelectedObjectsAndPastesThemBack) {
  CAuxObjectList list;
  list.AddObject(new CGuideLine(3, 4, 90));
  list.AddObject(new COutputArea(0, 0, 1, 1));
  CMatrix2D identity;
  CFRect visible(0, 0, 10, 10);
  list.SelectObject(nullptr, identity, visible, list.GetObjectAt(0));
  ASSERT_EQ(1, list.CopySelectedToClipboard());

  CAuxObjectList target;
  ASSERT_EQ(1, target.PasteFromClipboard());
  ASSERT_EQ(1, target.GetSize());
  auto* pasted = static_cast<CGuideLine*>(target.GetObjectAt(0));
  EXPECT_EQ(3.0f, pasted->GetX());
  EXPECT_EQ(90.0, pasted->GetAngle());
}

TEST(AuxObjectListClipboard, NothingSelectedLeavesAnEmptyClipboard) {
  CAuxObjectList list;
  list.AddObject(new CGuideLine(3, 4, 90));
  EXPECT_EQ(0, list.CopySelectedToClipboard());
  ASSERT_TRUE(::OpenClipboard(nullptr));
  EXPECT_FALSE(::IsClipboardFormatAvailable(CAuxObjectList::GetClipboardFormat()));
  ::CloseClipboard();
  CAuxObjectList target;
  EXPECT_EQ(0, target.PasteFromClipboard());
}

}  // namespace
