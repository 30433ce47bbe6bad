// The transform block against a transform service of the test's own, without a window: its record
// (the source's record nested, the library's data opaque) byte for byte and damaged, the lazy
// result, the node tool's changes and a colour with their undo, and what the block does when the
// library is missing, gives no data or bends nothing. The service's transformation moves the
// outline down by its amount, so where the result lies tells what the library was told.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/CurveTestSupport.h"
#include "model/FakeBlockView.h"
#include "model/MemoryCanvas.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/ModelServices.h"
#include "model/blocks/TransformBlock.h"
#include "model/blocks/TransformService.h"
#include "model/document/TALVEX42Doc.h"
#include "model/records/BlockRecord.h"
#include "model/undo/UndoScope.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

// Transformations by handle: a number and an amount, stored as the bytes 'F', number, amount. A
// press takes the handle; the drag sets the amount to how far it went down; '+' adds one.
class FakeTransformService : public CTransformService {
public:
  struct Transformation {
    int number, amount;
    CMatrix2D matrix;
    float pressY;
  };

  bool IsAvailable() const override { return available; }
  HANDLE InitTransformSeg(int index, const CFRect&) const override { return Add(index, 4); }
  void TFTransSegData(HANDLE transform, const CMatrix2D& matrix) const override {
    if (Transformation* t = Find(transform)) t->matrix = matrix;
  }
  int DoMouseCmd(HANDLE transform, UINT message, UINT, float, float y) const override {
    Transformation* t = Find(transform);
    if (t && message == WM_LBUTTONDOWN) t->pressY = y;
    if (t && message != WM_LBUTTONDOWN) t->amount = static_cast<int>(y - t->pressY);
    return t ? 1 : 0;
  }
  int TFOnChar(HANDLE transform, UINT ch, UINT) const override {
    Transformation* t = Find(transform);
    if (!t || ch != '+') return 0;
    ++t->amount;
    return 1;
  }
  int TFCreateData(HANDLE transform, HGLOBAL* data) const override {
    Transformation* t = Find(transform);
    *data = t && givesData ? Global({'F', BYTE(t->number), BYTE(t->amount)}) : nullptr;
    return *data ? 3 : 0;
  }
  HANDLE TFCreateTransformFromData(const BYTE* data, int length) const override {
    return readsData && length == 3 && data[0] == 'F'
               ? Add(data[1], static_cast<signed char>(data[2]))
               : nullptr;
  }
  void DeleteTransform(HANDLE transform) const override {
    transformations.erase(reinterpret_cast<INT_PTR>(transform));
  }
  HGLOBAL DoTransform(HANDLE transform, const TransformParams& params) const override {
    Transformation* t = Find(transform);
    if (!t || !bends) return nullptr;
    ++bent;
    CGlobalLock lock(params.sourceRecord);
    std::unique_ptr<CBlock> block(CreateBlockFromRecord(lock.Data(), lock.Size()));
    block->Offset(0, static_cast<float>(t->amount));
    return Global(RecordOf(*block));
  }

  static HGLOBAL Global(const std::vector<BYTE>& bytes) {
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    CGlobalLock lock(memory);
    memcpy(lock.Data(), bytes.data(), bytes.size());
    return memory;
  }
  Transformation* Find(HANDLE transform) const {
    auto found = transformations.find(reinterpret_cast<INT_PTR>(transform));
    return found == transformations.end() ? nullptr : &found->second;
  }
  HANDLE Add(int number, int amount) const {
    transformations[++last] = Transformation{number, amount, CMatrix2D(), 0};
    return reinterpret_cast<HANDLE>(last);
  }

  bool available = true, givesData = true, bends = true, readsData = true;
  mutable int bent = 0;
  mutable INT_PTR last = 0x40;
  mutable std::map<INT_PTR, Transformation> transformations;
};

std::vector<BYTE> LineRecord() {
  return GoldenBytes()
      .Byte(0x24)
      .DWord(49)
      .Byte(1)
      .Word(0)
      .Floats({1, 2, 11, 22, 1, 2, 11, 22})
      .DWord(0x00112233)
      .DWord(0)
      .Byte(0xF1)
      .Get();
}

// A transform record around a source record and data, the block moved by (5, 7).
std::vector<BYTE> TransformRecord(const std::vector<BYTE>& source, const std::vector<BYTE>& data) {
  return GoldenBytes()
      .Byte(0x2A)
      .DWord(static_cast<DWORD>(61 + source.size() + data.size()))
      .Byte(9)
      .Word(0x0100)
      .Floats({1, 0, 0, 0, 1, 0, 5, 7, 1})
      .Floats({6, 9, 16, 29})
      .Bytes(source)
      .Bytes(data)
      .Byte(0xF1)
      .Get();
}

std::string Box(const CFRect& box) {
  char text[80];
  std::snprintf(text, sizeof text, "%g,%g,%g,%g", box.left, box.top, box.right, box.bottom);
  return text;
}

std::unique_ptr<CTransformBlock> TransformFrom(const std::vector<BYTE>& record) {
  CBlock* block = CreateBlockFromRecord(record.data(), record.size());
  if (block && block->m_type != kTransformBlock) delete block;
  return std::unique_ptr<CTransformBlock>(
      block && block->m_type == kTransformBlock ? static_cast<CTransformBlock*>(block) : nullptr);
}

class TransformBlockTest : public ::testing::Test {
protected:
  FakeTransformService library;
  CModelServices installed{nullptr, &library};
  FakeBlockView view{1.0};
};

TEST_F(TransformBlockTest, TheRecordNestsTheSourceAndKeepsTheLibrarysDataBytes) {
  const std::vector<BYTE> record = TransformRecord(LineRecord(), {'F', 2, 9});
  std::unique_ptr<CTransformBlock> read = TransformFrom(record);
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(0x0100, read->m_attributes);
  EXPECT_EQ("6,9,16,29", Box(read->m_box));
  EXPECT_EQ(kLineBlock, read->GetSource()->m_type);
  FakeTransformService::Transformation* t = library.Find(read->GetTransformHandle());
  ASSERT_NE(nullptr, t);
  EXPECT_EQ(2, t->number);
  EXPECT_EQ(9, t->amount);
  EXPECT_EQ(7, t->matrix.m[7]);  // the library knows where the block lies
  EXPECT_EQ(nullptr, read->GetResult());
  EXPECT_EQ(record, RecordOf(*read));

  // A new block over the same line, moved, writes the same bytes.
  auto* line = static_cast<CLineBlock*>(CreateBlockFromRecord(LineRecord().data(), 49));
  CTransformBlock made(2, line);
  library.Find(made.GetTransformHandle())->amount = 9;
  made.m_attributes = 0x0100;
  made.Offset(5, 7);
  EXPECT_EQ(record, RecordOf(made));

  // Without the library: no call, the source only, the data written back as it was read.
  library.available = false;
  const size_t handles = library.transformations.size();
  CTransformBlock bare(1, MakeSquareCurve(0, 0, 10));
  std::unique_ptr<CTransformBlock> again = TransformFrom(record);
  EXPECT_EQ(handles, library.transformations.size());
  ASSERT_NE(nullptr, again);
  EXPECT_TRUE(again->IsSourceOnly() && bare.IsSourceOnly());
  EXPECT_FALSE(again->CanNodeEdit());
  EXPECT_EQ(record, RecordOf(*again));
  MemoryCanvas canvas(20, 20);
  bare.Draw(&canvas.DC(), nullptr, 0);
  EXPECT_FALSE(canvas.AllWhite());
  EXPECT_EQ("0,0,10,10", Box(bare.m_box));
}

TEST_F(TransformBlockTest, DamagedRecordsGiveNothing) {
  const std::vector<BYTE> good = TransformRecord(LineRecord(), {'F', 1, 0});
  auto patched = [&](size_t at, DWORD value) {
    std::vector<BYTE> bytes = good;
    memcpy(&bytes[at], &value, 4);
    return bytes;
  };
  // A group source that claims the transform record's own end byte as its end.
  std::vector<BYTE> list = GoldenBytes().Byte(2).DWord(55).Bytes(LineRecord()).Byte(0xFE).Get();
  std::vector<BYTE> group = GoldenBytes()
                                .Byte(0x29)
                                .DWord(117)
                                .Byte(129)
                                .Word(0)
                                .Floats({1, 2, 11, 22})
                                .Identity()
                                .Bytes(list)
                                .Byte(0xF1)
                                .Get();
  std::vector<BYTE> badSourceEnd = good;
  badSourceEnd[60 + 48] = 0x00;
  auto nested = [](int depth) {
    std::vector<BYTE> record = LineRecord();
    for (int i = 0; i < depth; ++i) record = TransformRecord(record, {});
    return record;
  };
  std::vector<std::pair<const char*, std::vector<BYTE>>> cases = {
      {"source longer than the room before the end byte", patched(61, 49 + 3 + 1)},
      {"source running into the end byte", TransformRecord(group, {})},
      {"source shorter than any record", patched(61, 5)},
      {"source without its end byte", badSourceEnd},
      {"record without a source", TransformRecord({}, {})},
      {"record cut short", std::vector<BYTE>(good.begin(), good.end() - 1)},
      {"length past the bytes", patched(1, static_cast<DWORD>(good.size() + 1))},
      {"sources nested without end", nested(100)},
  };
  for (const auto& c : cases) EXPECT_EQ(nullptr, TransformFrom(c.second)) << c.first;
  EXPECT_NE(nullptr, TransformFrom(nested(3)));
  // Without data the block reads, source-only.
  std::unique_ptr<CTransformBlock> bare = TransformFrom(TransformRecord(LineRecord(), {}));
  ASSERT_NE(nullptr, bare);
  EXPECT_TRUE(bare->IsSourceOnly());
}

TEST_F(TransformBlockTest, TheFirstDrawBuildsTheResultAndLaterOnesDrawItWithoutRecording) {
  std::unique_ptr<CTransformBlock> read = TransformFrom(TransformRecord(LineRecord(), {'F', 1, 3}));
  ASSERT_NE(nullptr, read);
  // A view that records: drawing must leave nothing in its undo steps.
  static FakeBlockView* active = nullptr;
  active = &view;
  CBlockView::ActiveViewFinder previous = CBlockView::SetActiveViewFinder(
      [] { return static_cast<CBlockView*>(active); });
  CUndoScope step(view.undo);
  const DWORD recordsBefore = view.undo.GetRecordsKept();
  MemoryCanvas canvas(60, 60);
  read->Draw(&canvas.DC(), &view.display, 0);
  EXPECT_EQ(1, library.bent);
  // The line moved down 3 by the library, then by the block (5, 7).
  EXPECT_EQ("6,12,16,32", Box(read->m_box));
  EXPECT_FALSE(canvas.AllWhite());
  read->m_attributes = kSolidAttr;
  read->Draw(&canvas.DC(), &view.display, 0);
  EXPECT_EQ(1, library.bent);
  EXPECT_EQ(kSolidAttr, read->GetResult()->m_attributes);
  EXPECT_EQ(recordsBefore, view.undo.GetRecordsKept());
  CBlockView::SetActiveViewFinder(previous);

  // Moving the block moves its box and matrix; the source and the result stay as they are.
  read->Offset(10, -2);
  EXPECT_EQ("16,10,26,30", Box(read->m_box));
  EXPECT_EQ("1,2,11,22", Box(read->GetSource()->m_box));
  EXPECT_EQ(15, library.Find(read->GetTransformHandle())->matrix.m[6]);
  std::unique_ptr<CBlock> curves(read->ToCurve(0xFFFFFFFF));
  EXPECT_EQ("16,10,26,30", Box(curves->m_box));
  // Scaled, the box is the bent outline's, scaled.
  CMatrix2D twice;
  twice.m[0] = twice.m[4] = 2;
  read->Transform(twice);
  EXPECT_EQ("32,20,52,60", Box(read->m_box));
  EXPECT_EQ(1, library.bent);

  // A document printed before it was drawn prints its transformed objects.
  MemoryCanvas paper(60, 60);
  TransformFrom(TransformRecord(LineRecord(), {'F', 1, 3}))->DrawForPrint(&paper.DC(), nullptr, 0);
  EXPECT_FALSE(paper.AllWhite());
}

TEST_F(TransformBlockTest, NodeToolChangesAndAColourAreUndoneStepByStep) {
  CTransformBlock block(1, MakeSquareCurve(0, 0, 10, 5));
  view.tool = kNodeTool;
  ASSERT_TRUE(block.BeginEdit(kNodeTool, &view));
  block.Rebuild();
  EXPECT_EQ(4, block.m_box.top);  // the starting amount
  {
    CUndoScope step(view.undo);
    EXPECT_TRUE(block.OnLButtonDown(&view, MK_LBUTTON, 5, 4));
    EXPECT_TRUE(block.OnLButtonUp(&view, 0, 5, 16));
  }
  EXPECT_EQ(12, block.m_box.top);
  {
    CUndoScope step(view.undo);
    EXPECT_TRUE(block.EditChar(&view, '+', 0));
    EXPECT_FALSE(block.EditChar(&view, 'x', 0));
  }
  EXPECT_EQ(13, block.m_box.top);
  {
    CUndoScope step(view.undo);
    block.SetColour(&view, 9, FALSE);
  }
  auto colour = [&] {
    return static_cast<CCurveBlock*>(block.GetResult()->GetChild(0))->GetColour();
  };
  EXPECT_EQ(9u, colour());
  ASSERT_EQ(3, view.undo.GetStepCount());
  view.undo.PlayLastStep(&view);
  EXPECT_EQ(5u, colour());
  view.undo.PlayLastStep(&view);
  EXPECT_EQ(12, block.m_box.top);
  view.undo.PlayLastStep(&view);
  EXPECT_EQ(4, block.m_box.top);
  EXPECT_EQ(4, library.Find(block.GetTransformHandle())->amount);
}

TEST_F(TransformBlockTest, ALibraryThatGivesNoDataOrBendsNothingLosesNoBlock) {
  // Data given once, then none: the last data goes with the block.
  CTransformBlock kept(1, MakeSquareCurve(0, 0, 10));
  library.Find(kept.GetTransformHandle())->amount = 6;
  const std::vector<BYTE> data = kept.GetTransformData();
  library.givesData = false;
  library.Find(kept.GetTransformHandle())->amount = 7;
  std::vector<BYTE> record = RecordOf(kept);
  ASSERT_GT(record.size(), 64u);
  EXPECT_EQ(data, std::vector<BYTE>(record.end() - 4, record.end() - 1));
  // Never any data: the source alone goes with the block, which reads back source-only.
  CTransformBlock never(1, MakeSquareCurve(20, 0, 10));
  std::unique_ptr<CTransformBlock> back = TransformFrom(RecordOf(never));
  ASSERT_NE(nullptr, back);
  EXPECT_TRUE(back->IsSourceOnly());
  EXPECT_EQ("20,0,30,10", Box(back->GetSource()->m_box));

  // Bending nothing: the source as it is at first, later the last result.
  library.bends = false;
  ASSERT_NE(nullptr, kept.Rebuild());
  EXPECT_EQ("0,0,10,10", Box(kept.m_box));
  library.bends = true;
  kept.Rebuild();
  EXPECT_EQ("0,7,10,17", Box(kept.m_box));
  library.bends = false;
  library.Find(kept.GetTransformHandle())->amount = 8;
  ASSERT_NE(nullptr, kept.Rebuild());
  EXPECT_EQ("0,7,10,17", Box(kept.m_box));
}

// Saved with the library, opened without it: one notice, and the blocks are there.
TEST_F(TransformBlockTest, ADocumentOpenedWithoutTheLibrarySaysSo) {
  TempFolder folder;
  std::string path = folder.File("transformed.t42");
  {
    CTALVEX42Doc document;
    document.AddBlock(new CTransformBlock(1, MakeSquareCurve(0, 0, 10)));
    CGroupBlock* group = new CGroupBlock;
    group->AddChild(new CTransformBlock(2, MakeSquareCurve(30, 0, 10)));
    group->AddChild(MakeSquareCurve(60, 0, 10));
    document.AddBlock(group);
    ASSERT_TRUE(document.OnSaveDocument(path.c_str()));
  }
  MessageBoxCapture boxes;
  CTALVEX42Doc withLibrary;
  ASSERT_TRUE(withLibrary.OnOpenDocument(path.c_str()));
  EXPECT_EQ(0u, boxes.Count());
  library.available = false;
  CTALVEX42Doc without;
  ASSERT_TRUE(without.OnOpenDocument(path.c_str()));
  EXPECT_EQ(2, CTransformBlock::CountSourceOnly(without.GetBlockList()));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find("艺术变化库未能载入"));
  // The library is there but cannot read the blocks' data: the notice says that instead.
  library.available = true;
  library.readsData = false;
  CTALVEX42Doc unread;
  ASSERT_TRUE(unread.OnOpenDocument(path.c_str()));
  EXPECT_EQ(2, CTransformBlock::CountSourceOnly(unread.GetBlockList()));
  ASSERT_EQ(2u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find("变化数据无法读取"));
  EXPECT_EQ(std::string::npos, boxes.Last().text.find("未能载入"));
}

}  // namespace
