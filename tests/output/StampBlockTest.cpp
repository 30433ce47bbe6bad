// The stamp block without windows: its 'P' record against bytes laid out by hand and read back
// through the record dispatcher (colour kept, damaged records refused), the seal layouts against
// hand-worked cells, the frame's sub-paths by corner type, the characters made from GBK text, and
// the edits that users make (solid, colour, moves). Characters come from a glyph source of the
// test: every glyph is one closed square.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"
#include "model/FakeBlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/geometry/Contour.h"
#include "model/records/BlockRecord.h"
#include "output/StampBlock.h"
#include "output/StampServices.h"
#include "support/MemoryCanvas.h"
#include "support/MessageBoxCapture.h"
#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"
#include "text/layout/TextDefaults.h"

namespace {

const DWORD kRed = 0xFF0000;
const WORD kGbCharacter = 0xD3A1;

std::vector<BYTE> RecordOf(CBlock& block) {
  HGLOBAL memory = nullptr;
  int length = block.WriteRecord(&memory);
  std::vector<BYTE> bytes;
  if (memory && length > 0) {
    CGlobalLock lock(memory);
    const BYTE* data = static_cast<const BYTE*>(lock.Data());
    bytes.assign(data, data + length + 1);  // with the spare byte after the end byte
  }
  if (memory) GlobalFree(memory);
  return bytes;
}

std::unique_ptr<CStampBlock> Read(const std::vector<BYTE>& bytes) {
  CBlock* block = CreateBlockFromRecord(bytes.data(), bytes.size());
  EXPECT_TRUE(!block || block->m_type >= kStampBlock);
  return std::unique_ptr<CStampBlock>(static_cast<CStampBlock*>(block));
}

int SubpathsOf(const CContour* contour) {
  int starts = 0;
  for (const POINTREC& point : contour->GetPoints()) starts += IsStartOnly(point.flags) ? 1 : 0;
  return starts;
}

void ExpectCell(const CFRect& expected, const CFRect& actual) {
  EXPECT_FLOAT_EQ(expected.left, actual.left);
  EXPECT_FLOAT_EQ(expected.top, actual.top);
  EXPECT_FLOAT_EQ(expected.right, actual.right);
  EXPECT_FLOAT_EQ(expected.bottom, actual.bottom);
}

// A frame 40 wide and 24 high off the origin, spacing that differs in x and y.
CStampParams TestParams(int kind, const char* text) {
  CStampParams params;
  params.templateIndex = kind;
  params.width = 40;
  params.height = 24;
  params.border = 1;
  params.marginX = 2;
  params.marginY = 1.5f;
  params.gapX = 0.5f;
  params.gapY = 1;
  params.cornerSize = 3;
  params.cornerType = CStampBlock::kCutCorners;
  params.text = text;
  return params;
}

class StampBlockTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_saved = CTextDefaults::Global();
    for (WORD code : {WORD('A'), WORD('B'), kGbCharacter, WORD(0xB0A1)})
      m_glyphs.glyphs[code] = {MakePointRecord(100, 100, kPointStart | kPointOnCurve),
                               MakePointRecord(924, 100, kPointOnCurve),
                               MakePointRecord(924, 924, kPointOnCurve),
                               MakePointRecord(100, 924, kPointOnCurve),
                               MakePointRecord(100, 100, kPointClose | kPointOnCurve)};
  }
  void TearDown() override { CTextDefaults::Global() = m_saved; }
  // A stamp of the test values whose frame is (10, 20, 50, 44).
  CStampBlock* Make(int kind, const char* text) {
    return CStampBlock::CreateCentred(TestParams(kind, text), 60, 64);
  }

  CStampServices m_services;
  FakeGlyphSource m_glyphs;
  CTextDefaults m_saved;
  MessageBoxCapture m_boxes;
};

// Every field at the offset the layout gives, read back by the dispatcher as it was written.
TEST_F(StampBlockTest, TheRecordHoldsEachFieldAtItsOffsetAndReadsBack) {
  CStampBlock stamp;
  stamp.m_attributes = 0x0100;
  stamp.m_box = CFRect(1, 2, 3, 4);
  stamp.m_frame = CFRect(5, 6, 7, 8);
  stamp.m_marginX = 9;
  stamp.m_marginY = 10;
  stamp.m_gapX = 11;
  stamp.m_gapY = 12;
  stamp.m_border = 13;
  stamp.m_cornerSize = 14;
  stamp.m_cornerType = CStampBlock::kRoundCorners;
  stamp.m_layout = 3;
  for (int i = 0; i < 9; ++i) stamp.m_matrix.m[i] = 20.0f + i;

  CByteWriter expected;
  expected.WriteByte('P');
  expected.WriteDWord(106);
  expected.WriteByte(144);
  expected.WriteWord(0x0100);
  for (float value : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 2}) expected.WriteFloat(value);
  expected.WriteByte(3);
  for (int i = 0; i < 9; ++i) expected.WriteFloat(20.0f + i);
  expected.WriteByte(0xF1);
  expected.WriteByte(0xFF);
  ASSERT_EQ(107u, expected.Size());
  std::vector<BYTE> bytes = RecordOf(stamp);
  EXPECT_EQ(std::vector<BYTE>(expected.Data(), expected.Data() + expected.Size()), bytes);

  auto back = Read(bytes);
  ASSERT_NE(nullptr, back);
  EXPECT_EQ(bytes, RecordOf(*back));
  EXPECT_EQ(0, back->GetBoxArray()->GetSize());
}

// A stamp comes back with the colour of its characters. Damaged records are refused as a whole;
// damage inside the item list keeps the characters read before it and says so; a layout kind the
// stamp cannot lay out is still a stamp.
TEST_F(StampBlockTest, RecordsComeBackWithTheirColourAndDamagedOnesAreRefused) {
  std::unique_ptr<CStampBlock> stamp(Make(4, "AB"));
  stamp->SetColour(nullptr, kRed, FALSE);
  const std::vector<BYTE> good = RecordOf(*stamp);
  const size_t length = good.size() - 1;
  auto putFloat = [](std::vector<BYTE>& bytes, size_t at, float value) {
    memcpy(&bytes[at], &value, sizeof value);
  };
  auto putLength = [](std::vector<BYTE>& bytes, size_t at, DWORD value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<BYTE>(value >> (8 * i));
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float infinity = std::numeric_limits<float>::infinity();
  struct Case {
    const char* what;
    std::function<void(std::vector<BYTE>&)> damage;
    bool read;
    int items;
  };
  const Case cases[] = {
      {"as written", [](std::vector<BYTE>&) {}, true, 2},
      {"shorter than 106",
       [&](std::vector<BYTE>& b) {
         b.resize(106);
         putLength(b, 1, 105);
         b[104] = 0xF1;
       },
       false, 0},
      {"type 148", [](std::vector<BYTE>& b) { b[5] = 148; }, true, 2},
      {"type 149", [](std::vector<BYTE>& b) { b[5] = 149; }, false, 0},
      {"corner NaN", [&](std::vector<BYTE>& b) { putFloat(b, 64, nan); }, false, 0},
      {"corner 3", [&](std::vector<BYTE>& b) { putFloat(b, 64, 3); }, false, 0},
      {"corner 1.5", [&](std::vector<BYTE>& b) { putFloat(b, 64, 1.5f); }, false, 0},
      {"frame infinite", [&](std::vector<BYTE>& b) { putFloat(b, 28, infinity); }, false, 0},
      {"matrix NaN", [&](std::vector<BYTE>& b) { putFloat(b, 101, nan); }, false, 0},
      {"layout 9", [](std::vector<BYTE>& b) { b[68] = 9; }, true, 2},
      {"items not a box array", [](std::vector<BYTE>& b) { b[105] = 4; }, false, 0},
      {"items shorter than the rest",
       [&](std::vector<BYTE>& b) { putLength(b, 106, DWORD(length - 106 - 1)); }, false, 0},
      {"second item damaged", [](std::vector<BYTE>& b) { b[110 + 75] = 99; }, true, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<BYTE> bytes = good;
    c.damage(bytes);
    const size_t boxes = m_boxes.Count();
    auto back = Read(bytes);
    EXPECT_EQ(c.read, back != nullptr);
    if (back) {
      EXPECT_EQ(c.items, back->GetBoxArray()->GetSize());
      EXPECT_EQ(kRed, back->m_colour);
      EXPECT_EQ(bytes[5], RecordOf(*back)[5]);  // the shape's type code is written back
    }
    EXPECT_EQ(c.items == 1 ? boxes + 1 : boxes, m_boxes.Count());
  }
}

// The cells of layouts 1-4 in the frame (10, 20, 50, 44) with border 1, margins 2 and 1.5, gaps
// 0.5 and 1: half width 16.75, half height 9, full height 19; right column at 30.25, left at 13;
// bottom line 41.5, top row's bottom 31.5. Layouts 2-4 place the first characters in their
// fixed cells, and the rest of the text gets none; the two columns of layout 1 share the
// characters, the right one taking the odd one: three rows there are (19 - 2) / 3 high.
TEST_F(StampBlockTest, LayoutsPlaceTheCharactersInsideTheFrame) {
  const CFRect right(30.25f, 22.5f, 47, 41.5f), left(13, 22.5f, 29.75f, 41.5f);
  const CFRect topRight(30.25f, 22.5f, 47, 31.5f), bottomRight(30.25f, 32.5f, 47, 41.5f);
  const CFRect topLeft(13, 22.5f, 29.75f, 31.5f), bottomLeft(13, 32.5f, 29.75f, 41.5f);
  const float third = 17.0f / 3;
  const CFRect rightThirds[] = {CFRect(30.25f, 22.5f, 47, 22.5f + third),
                                CFRect(30.25f, 23.5f + third, 47, 23.5f + 2 * third),
                                CFRect(30.25f, 24.5f + 2 * third, 47, 41.5f)};
  struct Row {
    int kind;
    int count;
    std::vector<CFRect> cells;
  };
  const Row rows[] = {
      {1, 1, {right}},
      {1, 2, {right, left}},
      {1, 3, {topRight, bottomRight, left}},
      {1, 4, {topRight, bottomRight, topLeft, bottomLeft}},
      {1, 5, {rightThirds[0], rightThirds[1], rightThirds[2], topLeft, bottomLeft}},
      {2, 2, {topRight, bottomRight}},
      {2, 4, {topRight, bottomRight, left}},
      {3, 1, {right}},
      {3, 4, {right, topLeft, bottomLeft}},
      {4, 3, {topRight, bottomRight, topLeft}},
      {4, 4, {topRight, bottomRight, topLeft, bottomLeft}},
      {0, 4, {}},
      {5, 4, {}},
  };
  const char* texts[] = {"A", "AB", "AB\xB0\xA1", "AB\xB0\xA1\xD3\xA1",
                         "AB\xB0\xA1\xD3\xA1"
                         "A"};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "kind " << row.kind << ", " << row.count << " characters");
    std::unique_ptr<CStampBlock> stamp(Make(row.kind, texts[row.count - 1]));
    ExpectCell(CFRect(10, 20, 50, 44), stamp->m_frame);
    CBoxArray& items = *stamp->GetBoxArray();
    ASSERT_EQ(row.count, items.GetSize());
    for (int i = 0; i < row.count; ++i) {
      CCharBox* box = items.GetCharBox(i);
      if (i < static_cast<int>(row.cells.size())) {
        ExpectCell(row.cells[i], box->m_rect);
        EXPECT_FLOAT_EQ(row.cells[i].right - row.cells[i].left, box->m_width);
      } else {
        EXPECT_EQ(0.0f, box->m_width);
      }
    }
    std::unique_ptr<CContour> contour(stamp->GetContour(nullptr, 0));
    EXPECT_EQ(2 + static_cast<int>(row.cells.size()), SubpathsOf(contour.get()));
  }
}

// The two-column seal is refused when its columns cannot hold the characters: with the test
// frame's 19 units of column height and a row gap of 9.5, two rows fit and three leave none. A GB
// character counts once, a lead byte at the end not at all.
TEST(StampParams, TheTwoColumnSealIsRefusedWhenItsCharactersCannotStand) {
  const struct {
    const char* text;
    CStampParams::Problem problem;
  } cases[] = {
      {"ABAB", CStampParams::kFine},
      {"ABABA", CStampParams::kNoRoom},
      {"\xB0\xA1\xB0\xA1\xB0\xA1\xB0\xA1", CStampParams::kFine},
      {"ABAB\xB0", CStampParams::kFine},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CStampParams params = TestParams(1, c.text);
    params.gapY = 9.5f;
    EXPECT_EQ(c.problem, params.Check());
  }
}

// The frame is one closed path without a border and a ring with one; a cut or rounded corner
// leaves the edge at the corner size, and the inner edge's corner is the size less the border
// (square when the border is wider).
TEST_F(StampBlockTest, TheFrameHasItsCornersAndARingForTheBorder) {
  struct Case {
    BYTE type;
    float border, corner;
    int subpaths;
    int outerPoints;  // without the end record
    FPOINT first;
    int innerPoints;
  };
  const Case cases[] = {
      {CStampBlock::kStraightCorners, 0, 3, 1, 5, {10, 20}, 0},
      {CStampBlock::kStraightCorners, 1, 3, 2, 5, {10, 20}, 5},
      {CStampBlock::kCutCorners, 0, 3, 1, 9, {10, 23}, 0},
      {CStampBlock::kCutCorners, 1, 3, 2, 9, {10, 23}, 9},
      {CStampBlock::kCutCorners, 4, 3, 2, 9, {10, 23}, 5},
      {CStampBlock::kRoundCorners, 0, 3, 1, 17, {10, 23}, 0},
      {CStampBlock::kRoundCorners, 1.5f, 3, 2, 17, {10, 23}, 17},
      {CStampBlock::kRoundCorners, 3, 3, 2, 17, {10, 23}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.type) << ", border " << c.border);
    CStampParams params = TestParams(0, "");
    params.cornerType = c.type;
    params.border = c.border;
    params.cornerSize = c.corner;
    std::unique_ptr<CStampBlock> stamp(CStampBlock::CreateCentred(params, 60, 64));
    std::unique_ptr<CContour> contour(stamp->GetFrameContour(nullptr));
    EXPECT_EQ(c.subpaths, SubpathsOf(contour.get()));
    std::vector<POINTREC> points = contour->GetPoints();
    EXPECT_EQ(c.outerPoints + c.innerPoints + 1, static_cast<int>(points.size()));
    EXPECT_FLOAT_EQ(c.first.x, points[0].x);
    EXPECT_FLOAT_EQ(c.first.y, points[0].y);
    // The whole stamp cuts as one curve of its colour: the frame and its characters.
    std::unique_ptr<CBlock> curve(stamp->ToCurve(0));
    ASSERT_NE(nullptr, curve);
    EXPECT_EQ(kCurveBlock, curve->m_type);
    EXPECT_EQ(nullptr, stamp->ToCurve(kRed));
  }
}

// Drawn four pixels to the millimetre, the frame (10, 20, 50, 44) shows its outer edge at y 80
// and its inner edge at y 84; solid, the border between them is filled.
TEST_F(StampBlockTest, DrawingShowsBothEdgesOfTheBorder) {
  std::unique_ptr<CStampBlock> stamp(Make(0, ""));
  stamp->SetColour(nullptr, kRed, FALSE);
  CMatrix2D display;
  display.m[0] = display.m[4] = 4;
  for (bool solid : {false, true}) {
    SCOPED_TRACE(solid ? "solid" : "outline");
    stamp->SetAttrBits(nullptr, solid ? kSolidAttr : 0, kSolidAttr);
    MemoryCanvas canvas(240, 200);
    stamp->Draw(&canvas.DC(), &display, 0);
    EXPECT_FALSE(canvas.IsWhite(120, 80));
    EXPECT_FALSE(canvas.IsWhite(120, 84));
    EXPECT_FALSE(canvas.IsWhite(40, 120));
    EXPECT_FALSE(canvas.IsWhite(44, 120));
    EXPECT_EQ(!solid, canvas.IsWhite(120, 82));
    EXPECT_TRUE(canvas.IsWhite(120, 120));
  }
}

// "AB", a GB character and a lead byte without its trail: two characters of charset 0, one of
// charset 134, nothing for the lone byte. The stamp sits in the middle of a 400 x 900 page.
TEST_F(StampBlockTest, CreateCentredSplitsTheTextAndCentresTheFrame) {
  CStampParams params;
  params.text = "AB\xD3\xA1\xB0";
  std::unique_ptr<CStampBlock> stamp(CStampBlock::CreateCentred(params, 400, 900));
  ExpectCell(CFRect(190, 440, 210, 460), stamp->m_frame);
  ExpectCell(CFRect(190, 440, 210, 460), stamp->m_box);
  CBoxArray& items = *stamp->GetBoxArray();
  ASSERT_EQ(3, items.GetSize());
  EXPECT_EQ(0, items.GetCharBox(0)->Charset());
  EXPECT_EQ('B', items.GetCharBox(1)->m_code);
  EXPECT_EQ(CCharBox::kGb2312Charset, items.GetCharBox(2)->Charset());
  EXPECT_EQ(kGbCharacter, items.GetCharBox(2)->m_code);
  EXPECT_EQ(CString("AB\xD3\xA1"), stamp->GetParams().text);
}

// Solid sets the characters' fill bit and clear clears it, colour goes to every character; each
// step undoes to the record before.
TEST_F(StampBlockTest, EditsGoToTheCharactersAndUndoBackToTheRecordBefore) {
  FakeBlockView view;
  std::unique_ptr<CStampBlock> stamp(Make(1, "AB"));
  auto step = [&](const std::function<void()>& edit) {
    const std::vector<BYTE> before = RecordOf(*stamp);
    view.undo.BeginStep();
    edit();
    view.undo.EndStep();
    EXPECT_NE(before, RecordOf(*stamp));
    view.undo.PlayLastStep(&view);
    EXPECT_EQ(before, RecordOf(*stamp));
  };
  step([&] {
    stamp->SetAttrBits(&view, kSolidAttr, kSolidAttr);
    for (int i = 0; i < 2; ++i)
      EXPECT_TRUE(stamp->GetBoxArray()->GetCharBox(i)->m_style & CCharBox::kFilled);
  });
  stamp->SetAttrBits(nullptr, kSolidAttr, kSolidAttr);
  step([&] {
    stamp->SetAttrBits(&view, 0, kSolidAttr);
    EXPECT_FALSE(stamp->GetBoxArray()->GetCharBox(1)->m_style & CCharBox::kFilled);
  });
  step([&] {
    stamp->SetColour(&view, kRed, FALSE);
    EXPECT_EQ(kRed, stamp->GetBoxArray()->GetCharBox(1)->m_colour);
  });
}

// An untransformed stamp moves its frame and characters; a rotated one only its matrix.
TEST_F(StampBlockTest, MovingKeepsFrameAndCharactersTogether) {
  std::unique_ptr<CStampBlock> plain(Make(1, "AB"));
  plain->Offset(3, -2);
  ExpectCell(CFRect(13, 18, 53, 42), plain->m_frame);
  ExpectCell(CFRect(33.25f, 20.5f, 50, 39.5f), plain->GetBoxArray()->GetCharBox(0)->m_rect);
  std::unique_ptr<CStampBlock> turned(Make(1, "AB"));
  turned->m_matrix.m[0] = turned->m_matrix.m[4] = 0;
  turned->m_matrix.m[1] = 1;
  turned->m_matrix.m[3] = -1;
  turned->Offset(3, -2);
  ExpectCell(CFRect(10, 20, 50, 44), turned->m_frame);
  EXPECT_FLOAT_EQ(3, turned->m_matrix.m[6]);
  EXPECT_FLOAT_EQ(-2, turned->m_matrix.m[7]);
}

}  // namespace
