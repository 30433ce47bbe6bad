// The layouts on a curve without a window: where the arc, the arch and the path put each
// character (angles, centres, spacing and spreading worked out by hand here), how a cell stands
// on its point in each placement mode, the handles, the records byte for byte against bytes built
// here from the record layouts, damaged records refused without a hang, and the layout line the
// cut's text-line option takes. Characters are Chinese boxes of ratio 1 from a fake glyph source.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "framework/ByteWriter.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/CurveBlock.h"
#include "model/geometry/Geometry.h"
#include "model/records/BlockRecord.h"
#include "text/layout/ArcEffect.h"
#include "text/layout/ArchEffect.h"
#include "text/layout/AttrBox.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"
#include "text/layout/PathTextEffect.h"
#include "text/layout/TextDefaults.h"

namespace {

using Bytes = std::vector<BYTE>;
const double kPi = 3.14159265358979323846;
const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInfinity = std::numeric_limits<float>::infinity();

void PutFloat(Bytes& record, size_t at, float value) { std::memcpy(&record[at], &value, 4); }

// Records by their layouts: the curve record of a line from (0, 0) to (100, 0) (tag '#', length,
// type 128, attribute word, box, identity matrix, colour, count with the end record, the points,
// 0xF1); the arc around (100, 200) of radius 50 from 0.5 to 2.5; the path along that line with
// offset 2, height 10, length 100, three characters, spacing 35, start 1.5.
// clang-format off
Bytes LineRecord() {
  return GoldenBytes().Byte('#').DWord(96).Byte(128).Word(0).Floats({0, 0, 100, 0}).Identity()
      .DWord(0).DWord(3).Floats({0, 0}).Byte(0x11).Floats({100, 0}).Byte(0x21).Floats({0, 0})
      .Byte(0xFF).Byte(0xF1).Get();
}
Bytes ArcRecord() {
  return GoldenBytes().Byte('5').DWord(36).Byte(18).Floats({50, 100, 200, 0.5f, 2.5f})
      .Word(0x8013).Floats({0, 12}).Get();
}
Bytes ArchRecord() {  // ends (0, 100) and (100, 100), apex (50, 80), spread and reversed
  return GoldenBytes().Byte('6').DWord(40).Byte(17).Floats({0, 100, 100, 100, 50, 80})
      .Word(0x8010).DWord(0).Float(10).Get();
}
Bytes PathRecord() {
  return GoldenBytes().Byte('7').DWord(43 + 96).Byte(19).Word(0x30).Floats({2, 10, 100, 0})
      .DWord(3).Floats({35, 1.5f}).Word(0).DWord(0).Bytes(LineRecord()).Byte(0xF1).Get();
}
// clang-format on

Bytes RecordOf(const CTextEffect& effect) {
  CByteWriter writer;
  EXPECT_LT(0, effect.WriteRecord(writer));
  return Bytes(writer.Data(), writer.Data() + writer.Size());
}

CCurveBlock* PathOf(const std::vector<CurvePoint>& points) {
  CCurveBlock* curve = new CCurveBlock;
  for (const CurvePoint& p : points) curve->AddPoint(p.x, p.y, p.flags);
  curve->EndCurve();
  return curve;
}

class CurvedLayout : public ::testing::Test {
protected:
  CurvedLayout() : m_saved(CTextDefaults::Global()) { CTextDefaults::Global().fontSizeY = 10; }
  ~CurvedLayout() override {
    m_boxes.DeleteAll();
    CTextDefaults::Global() = m_saved;
  }

  // n Chinese characters w wide and h high; a BoxGaps box first when gaps is not 0.
  void Fill(int n, float w = 10, float h = 10, float gaps = 0) {
    m_boxes.DeleteAll();
    if (gaps != 0) m_boxes.Add(new CAttrBox(CAttrBox::kBoxGaps, gaps));
    for (int i = 0; i < n; ++i) {
      CCharBox* box = new CCharBox;
      box->m_width = w;
      box->m_height = h;
      box->m_code = 0xB0A1;
      box->m_kind = CTextBox::kDoubleByteBit | 134;
      m_boxes.Add(box);
    }
  }
  // A Chinese character 10 wide for each 'C', a Latin one advancing half its width of 10 for
  // each 'L', a line break for each '|'; a BoxGaps box first when gaps is not 0.
  void FillMixed(const char* pattern, float gaps = 0) {
    Fill(0, 10, 10, gaps);
    for (const char* c = pattern; *c; ++c) {
      CCharBox* box = new CCharBox;
      box->m_width = box->m_height = 10;
      box->m_code = *c == 'C' ? 0xB0A1 : *c == '|' ? CCharBox::kLineBreak : 'A';
      box->m_kind = *c == 'C' ? CTextBox::kDoubleByteBit | 134 : 0;
      box->m_ratio = *c == 'C' ? 1 : 0.5f;
      m_boxes.Add(box);
    }
  }
  std::vector<CCharBox*> Chars() {
    std::vector<CCharBox*> chars;
    for (INT_PTR i = 0; i < m_boxes.GetSize(); ++i)
      if (CCharBox* box = m_boxes.GetCharBox(i)) chars.push_back(box);
    return chars;
  }
  // The arc around (100, 200) of radius 50 from a0 to a1 degrees.
  std::unique_ptr<CArcEffect> Arc(double a0, double a1, WORD attributes) {
    std::unique_ptr<CArcEffect> arc(new CArcEffect(0, 0, 100, 40, &m_boxes, &m_matrix));
    arc->SetArc({100, 200}, 50, static_cast<float>(a0 * kPi / 180),
                static_cast<float>(a1 * kPi / 180));
    arc->SetAttributes(attributes);
    arc->Layout(0);
    return arc;
  }
  void ExpectAt(const CCharBox* box, double x, double y, double tolerance = 1e-3) {
    EXPECT_NEAR(x, box->m_x, tolerance);
    EXPECT_NEAR(y, box->m_y, tolerance);
  }
  CTextEffect* Load(const Bytes& record) {
    return LoadTextEffect(record.data(), record.size(), &m_boxes, &m_matrix);
  }
  static void ExpectNear(FPOINT expected, FPOINT actual) {
    EXPECT_NEAR(expected.x, actual.x, 1e-3);
    EXPECT_NEAR(expected.y, actual.y, 1e-3);
  }
  static FPOINT Map(const CMatrix2D& m, float x, float y) {
    FPOINT p = {x, y};
    m.TransformPoint(&p);
    return p;
  }

  CTextDefaults m_saved;
  FakeGlyphSource m_fonts;
  CBoxArray m_boxes;
  CMatrix2D m_matrix;
};

}  // namespace

TEST_F(CurvedLayout, ArcPlacesEachCharacterAtItsAngleWithSpacingOrSpreading) {
  const double a0 = 30 * kPi / 180, a1 = 150 * kPi / 180, r = 50, arc = (a1 - a0) * r;
  // Spread: the arc's 104.72 less the distances between the centres, shared out between them.
  const double even = (arc - 20) / 2, mixed = (arc - 15) / 2;
  const WORD spread = CTextEffect::kSpread, reversed = CTextEffect::kReversed;
  struct Case {
    const char* what;
    const char* text;
    float gaps;
    WORD attributes;
    double first;
    std::vector<double> steps;  // along the arc from one centre to the next
  };
  // clang-format off
  const Case cases[] = {
      {"the spacing after every character but the first", "CCC", 2, 0, a0, {10, 12}},
      {"mixed widths: half of each advance, then the spacing", "CLC", 2, 0, a0, {7.5, 9.5}},
      {"spread from the start to the end", "CCC", 0, spread, a0, {10 + even, 10 + even}},
      {"spread with the spacing on top", "CLC", 2, spread, a0, {7.5 + mixed, 9.5 + mixed}},
      {"reversed from the end", "CCC", 0, spread | reversed, a1, {-10 - even, -10 - even}},
      {"reversed, the spacing after the second", "CLC", 2, reversed, a1, {-7.5, -9.5}},
      // A line break is a character of no width: it has its share of the spreading and the
      // spacing.
      {"a line break spread takes a place of its own", "C|C", 0, spread, a0,
       {5 + (arc - 10) / 2, 5 + (arc - 10) / 2}},
      {"a line break takes its spacing", "C|C", 2, 0, a0, {5, 7}},
      {"one character spread stands at the start", "C", 0, spread, a0, {}},
      {"one character reversed stands at the end", "C", 0, spread | reversed, a1, {}},
      // Spreading never squeezes the characters into each other: the 110 between the centres of
      // a text too long for the arc run on past its end, the line break between them.
      {"a text longer than the arc runs past its end", "CCCCCC|CCCCCC", 0, spread, a0,
       {10, 10, 10, 10, 10, 5, 5, 10, 10, 10, 10, 10}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FillMixed(c.text, c.gaps);
    Arc(30, 150, c.attributes);
    std::vector<CCharBox*> chars = Chars();
    ASSERT_EQ(c.steps.size() + 1, chars.size());
    double t = c.first;
    for (size_t k = 0; k < chars.size(); ++k) {
      if (k > 0) t += c.steps[k - 1] / r;
      ExpectAt(chars[k], 100 + r * std::cos(t), 200 - r * std::sin(t));
      EXPECT_TRUE(chars[k]->m_style & CCharBox::kPlaced);
    }
  }
}

TEST_F(CurvedLayout, ACellStandsOnItsArcPointByPlacementModeAndTurnsWithTheRadius) {
  // Two characters 10 wide, 8 and 12 high, spread from angle 0: the first stands at (150, 200),
  // where the character's up points along +x (a quarter turn clockwise on the page). H = 12.
  Fill(2, 10, 8);
  Chars()[1]->m_height = 12;
  struct Case {
    WORD attributes;
    FPOINT origin, corner;  // glyph (0, 0) and (1024, 1024)
  };
  const Case cases[] = {
      {CCurvedTextEffect::kOutside, {158, 195}, {150, 205}},
      {CCurvedTextEffect::kLineCentre, {152, 195}, {144, 205}},
      {CCurvedTextEffect::kInside, {150, 195}, {142, 205}},
      {CCurvedTextEffect::kCharCentre, {154, 195}, {146, 205}},
      {CCurvedTextEffect::kOutside | CTextEffect::kTurnChars, {154, 205}, {162, 195}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.attributes);
    auto arc = Arc(0, 90, static_cast<WORD>(c.attributes | CTextEffect::kSpread));
    EXPECT_EQ(12, arc->GetTextHeight());
    CCharBox* box = Chars()[0];
    ExpectAt(box, 150, 200);
    CMatrix2D matrix = arc->GetBoxMatrix(box);
    ExpectNear(c.origin, Map(matrix, 0, 0));
    ExpectNear(c.corner, Map(matrix, 1024, 1024));
  }
  // The cell's bounding box is the box's rectangle; the caret runs along the leading edge.
  auto arc = Arc(0, 90, CTextEffect::kSpread);
  arc->PlaceBox(Chars()[0]);
  const CFRect& rect = Chars()[0]->m_rect;
  ExpectNear({150, 195}, {rect.left, rect.top});
  ExpectNear({158, 205}, {rect.right, rect.bottom});
  FPOINT top, bottom;
  arc->GetCaretPos(0, 1, &top, &bottom);
  ExpectNear({158, 195}, top);
  ExpectNear({150, 195}, bottom);
  EXPECT_EQ(1, arc->HitTestBox(0, 155, 197));
  EXPECT_EQ(0, arc->HitTestBox(0, 155, 203));
}

TEST_F(CurvedLayout, AnArcFromARectangleRunsOverTheTopAndItsHandlesReshapeIt) {
  // Through (0, 40), (50, 0) and (100, 40): R = (50^2 + 40^2) / 80, the centre R below y = 0.
  Fill(1);
  CArcEffect made(0, 0, 100, 40, &m_boxes, &m_matrix);
  EXPECT_FLOAT_EQ(51.25f, made.GetRadius());
  ExpectNear({50, 51.25f}, made.GetCentre());
  EXPECT_NEAR(std::atan2(11.25, 50), made.GetStartAngle(), 1e-5);
  EXPECT_NEAR(kPi - std::atan2(11.25, 50), made.GetEndAngle(), 1e-5);
  EXPECT_EQ(CTextEffect::kSpread | CTextEffect::kReversed, made.GetAttributes());

  // A quarter from the right of (0, 0) to its top, radius 10.
  CArcEffect arc(0, 0, 100, 40, &m_boxes, &m_matrix);
  arc.SetArc({0, 0}, 10, 0, static_cast<float>(kPi / 2));
  int handle = 0;
  EXPECT_TRUE(arc.HitTestHandle(nullptr, 7.07f, -7.07f, &handle));
  EXPECT_EQ(CArcEffect::kMiddleHandle, handle);
  EXPECT_TRUE(arc.HitTestHandle(nullptr, 9.2f, -3.9f, &handle));
  EXPECT_EQ(CArcEffect::kArcHandle, handle);
  EXPECT_FALSE(arc.HitTestHandle(nullptr, -9.2f, 3.9f, &handle));
  EXPECT_EQ(-1, handle);

  // The middle dragged to the left turns the quarter, span and radius kept.
  EXPECT_EQ(1, arc.MoveHandle(nullptr, CArcEffect::kMiddleHandle, -10, 0));
  EXPECT_NEAR(3 * kPi / 4, arc.GetStartAngle(), 1e-5);
  EXPECT_NEAR(5 * kPi / 4, arc.GetEndAngle(), 1e-5);
  EXPECT_EQ(10, arc.GetRadius());

  // A point of the arc dragged across the chord: the circle through (10, 0), (-5, 5) and
  // (0, -10) has its centre at (1.25, -1.25); the arc now runs from the old end round through
  // the dragged point to the old start.
  arc.SetArc({0, 0}, 10, 0, static_cast<float>(kPi / 2));
  EXPECT_EQ(1, arc.MoveHandle(nullptr, CArcEffect::kArcHandle, -5, 5));
  ExpectNear({1.25f, -1.25f}, arc.GetCentre());
  EXPECT_NEAR(std::sqrt(78.125), arc.GetRadius(), 1e-4);
  EXPECT_NEAR(std::atan2(8.75, -1.25), arc.GetStartAngle(), 1e-4);
  EXPECT_NEAR(2 * kPi - std::atan2(1.25, 8.75), arc.GetEndAngle(), 1e-4);
  double dragged = 5 * kPi / 4;
  EXPECT_GT(dragged, arc.GetStartAngle());
  EXPECT_LT(dragged, arc.GetEndAngle());
  EXPECT_EQ(0, arc.MoveHandle(nullptr, 5, 1, 1));
}

TEST_F(CurvedLayout, AnArchRunsThroughItsApexAndItsEndsMoveTogether) {
  // Ends (0, 100) and (100, 100), apex (50, 80): R = (50^2 + 20^2) / 40 = 72.5.
  Fill(3);
  CArchEffect arch(0, 80, 100, 100, &m_boxes, &m_matrix);
  EXPECT_EQ(CTextEffect::kSpread | CTextEffect::kReversed, arch.GetAttributes());
  FPOINT centre;
  float radius, start, end;
  arch.GetCircle(&centre, &radius, &start, &end);
  ExpectNear({50, 152.5f}, centre);
  EXPECT_NEAR(72.5, radius, 1e-4);
  EXPECT_NEAR(std::atan2(52.5, 50), start, 1e-5);
  EXPECT_NEAR(kPi - std::atan2(52.5, 50), end, 1e-5);
  // Spread and reversed: from the first end over the apex to the second.
  arch.Layout(0);
  std::vector<CCharBox*> chars = Chars();
  ExpectAt(chars[0], 0, 100);
  ExpectAt(chars[1], 50, 80);
  ExpectAt(chars[2], 100, 100);

  // The apex on the chord: radius 100000, the text almost straight and upright.
  CArchEffect flat(0, 100, 100, 100, &m_boxes, &m_matrix);
  flat.SetAttributes(CTextEffect::kReversed);
  flat.Layout(0);
  chars = Chars();
  for (int k = 0; k < 3; ++k) ExpectAt(chars[k], 10 * k, 100, 0.05);

  // An end dragged: the other mirrors it about the apex; the apex moves across the chord only.
  EXPECT_EQ(1, arch.MoveHandle(nullptr, CArchEffect::kFirstEndHandle, 10, 90));
  ExpectNear({10, 90}, arch.GetFirstEnd());
  ExpectNear({90, 90}, arch.GetSecondEnd());
  EXPECT_EQ(1, arch.MoveHandle(nullptr, CArchEffect::kApexHandle, 70, 60));
  ExpectNear({50, 60}, arch.GetApex());
  int handle = 0;
  EXPECT_TRUE(arch.HitTestHandle(nullptr, 90.5f, 89.5f, &handle));
  EXPECT_EQ(CArchEffect::kSecondEndHandle, handle);

  // A vertical chord with the apex on its left: the arc runs through the apex.
  // clang-format off
  const Bytes upright = GoldenBytes().Byte('6').DWord(40).Byte(17).Floats({0, 0, 0, 100, -20, 50})
      .Word(CTextEffect::kSpread).DWord(0).Float(10).Get();
  // clang-format on
  std::unique_ptr<CTextEffect> loaded(Load(upright));
  auto* vertical = dynamic_cast<CArchEffect*>(loaded.get());
  ASSERT_TRUE(vertical);
  vertical->GetCircle(&centre, &radius, &start, &end);
  double middle = (start + end) / 2.0;
  EXPECT_NEAR(-20, centre.x + radius * std::cos(middle), 1e-3);
  EXPECT_NEAR(50, centre.y - radius * std::sin(middle), 1e-3);
  EXPECT_EQ(upright, RecordOf(*vertical));
}

TEST_F(CurvedLayout, TextAlongAPathCentresEachCharacterOnItAndFacesItsDirection) {
  using Path = std::vector<CurvePoint>;
  const float c30 = 0.8660254f;
  const Path line = {{0, 0, 0x11}, {100, 0, 0x21}};
  const Path slope = {{0, 0, 0x11}, {100 * c30, -50, 0x21}};
  const Path square = {{0, 0, 0x11}, {25, 0, 1}, {25, 25, 1}, {0, 25, 1}, {0, 0, 0x41}};
  const Path bezierLine = {{0, 0, 0x11}, {100.0f / 3, 0, 0}, {200.0f / 3, 0, 0}, {100, 0, 0x21}};
  const Path bezierArch = {{0, 0, 0x11}, {0, -50, 0}, {100, -50, 0}, {100, 0, 0x21}};
  const WORD spread = CTextEffect::kSpread, turned = CTextEffect::kPathBit;
  struct Case {
    const char* what;
    const Path* path;
    int n;
    float width;
    WORD attributes;
    std::vector<FPOINT> at;
    float turn;                  // of every character, degrees
    const char* text = nullptr;  // Latin and Chinese characters instead of n Chinese ones
  };
  // clang-format off
  const Case cases[] = {
      {"straight, left to right, upright", &line, 3, 10, turned, {{0, 0}, {10, 0}, {20, 0}}, 0},
      {"turned up 30 degrees", &slope, 2, 10, turned, {{0, 0}, {10 * c30, -5}}, -30},
      {"spread on an open path: (100 - 30) / 3 between", &line, 4, 10, spread | turned,
       {{0, 0}, {100.0f / 3, 0}, {200.0f / 3, 0}, {100, 0}}, 0},
      {"spread round a closed square: (100 - 60) / 4 between", &square, 4, 15, spread,
       {{0, 0}, {25, 0}, {25, 25}, {0, 25}}, 0},
      {"one character spread stands at the start", &line, 1, 10, spread | turned, {{0, 0}}, 0},
      {"reversed from the end, turned round", &line, 2, 10, CTextEffect::kReversed | turned,
       {{100, 0}, {90, 0}}, -180},
      {"a Bezier straight line", &bezierLine, 3, 10, turned, {{0, 0}, {10, 0}, {20, 0}}, 0},
      {"a Bezier arch, spread: the middle character at its top", &bezierArch, 3, 10, spread,
       {{0, 0}, {50, -37.5f}, {100, 0}}, 0},
      // Latin and Chinese: each centre half the advance of the character before it and half its
      // own further on, so that no two run into each other.
      {"mixed widths", &line, 0, 0, turned, {{0, 0}, {7.5f, 0}, {15, 0}, {22.5f, 0}}, 0, "LCLC"},
      {"mixed widths spread: (100 - 22.5) / 3 between, the last at the end", &line, 0, 0,
       spread | turned, {{0, 0}, {100.0f / 3, 0}, {200.0f / 3, 0}, {100, 0}}, 0, "CLCL"},
      {"mixed widths spread round a closed square: (100 - 30) / 4 between", &square, 0, 0, spread,
       {{0, 0}, {25, 0}, {25, 25}, {0, 25}}, 0, "CLCL"},
      // A line break takes no room and adds no spacing: (100 - 20) / 2 between the characters; it
      // stands where the character before it ends.
      {"a line break adds no spacing gap", &line, 0, 0, spread | turned,
       {{0, 0}, {5, 0}, {50, 0}, {100, 0}}, 0, "C|CC"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.text)
      FillMixed(c.text);
    else
      Fill(c.n, c.width);
    CPathTextEffect effect(PathOf(*c.path), &m_boxes, &m_matrix);
    EXPECT_EQ(CTextEffect::kSpread | CTextEffect::kPathBit, effect.GetAttributes());
    effect.SetAttributes(c.attributes);
    effect.Layout(0);
    std::vector<CCharBox*> chars = Chars();
    for (size_t k = 0; k < c.at.size(); ++k) {
      ExpectAt(chars[k], c.at[k].x, c.at[k].y, 0.02);
      EXPECT_NEAR(c.turn, chars[k]->m_angle, 1e-3) << k;
    }
  }
}

TEST_F(CurvedLayout, APathTooShortKeepsTheRestAndTheOffsetLiftsUpright) {
  Fill(3);
  for (CCharBox* box : Chars()) box->m_x = box->m_y = -7;
  CPathTextEffect effect(PathOf({{0, 0, 0x11}, {15, 0, 0x21}}), &m_boxes, &m_matrix);
  effect.SetAttributes(CTextEffect::kPathBit);
  effect.Layout(0);
  std::vector<CCharBox*> chars = Chars();
  ExpectAt(chars[1], 10, 0);
  ExpectAt(chars[2], -7, -7);
  EXPECT_FALSE(chars[2]->m_style & CCharBox::kPlaced);

  // Upright with an offset of 5 (+8 in the record): the cell stands 5 higher on the page.
  effect.SetAttributes(0);
  effect.Layout(0);
  FPOINT plain = Map(effect.GetBoxMatrix(chars[1]), 0, 0);
  EXPECT_NEAR(5, plain.x, 1e-4);
  EXPECT_NEAR(-10, plain.y, 1e-4);
  Bytes record = RecordOf(effect);
  PutFloat(record, 8, 5);
  std::unique_ptr<CTextEffect> lifted(Load(record));
  ASSERT_TRUE(lifted);
  lifted->Layout(0);
  FPOINT up = Map(lifted->GetBoxMatrix(chars[1]), 0, 0);
  EXPECT_NEAR(plain.x, up.x, 1e-4);
  EXPECT_NEAR(plain.y - 5, up.y, 1e-4);
}

TEST_F(CurvedLayout, RecordsHoldTheirFieldsWhereTheLayoutsSayAndDamagedOnesAreRefused) {
  const Bytes arc = ArcRecord(), path = PathRecord();
  std::unique_ptr<CTextEffect> effect(Load(arc));
  auto* loaded = dynamic_cast<CArcEffect*>(effect.get());
  ASSERT_TRUE(loaded);
  EXPECT_EQ(50, loaded->GetRadius());
  EXPECT_EQ(200, loaded->GetCentre().y);
  EXPECT_EQ(2.5f, loaded->GetEndAngle());
  EXPECT_EQ(0x8013, loaded->GetAttributes());
  EXPECT_EQ(arc, RecordOf(*loaded));
  EXPECT_EQ(ArchRecord(), RecordOf(CArchEffect(0, 80, 100, 100, &m_boxes, &m_matrix)));
  effect.reset(Load(path));
  auto* along = dynamic_cast<CPathTextEffect*>(effect.get());
  ASSERT_TRUE(along);
  EXPECT_EQ(2, along->GetOffsetFromPath());
  EXPECT_EQ(35, along->GetSpacing());
  EXPECT_EQ(1.5f, along->GetStartDistance());
  EXPECT_EQ(3, along->GetPath()->GetCount());
  EXPECT_EQ(path, RecordOf(*along));
  EXPECT_EQ(path, RecordOf(*std::unique_ptr<CTextEffect>(CloneTextEffect(*along))));

  struct Case {
    const char* what;
    const Bytes* good;
    size_t at;
    float value;  // put at the offset, or
    BYTE byte;    // this byte there when not 0
  };
  const float nan = kNaN;
  const Case cases[] = {
      {"an arc of radius 0", &arc, 6, 0, 0},
      {"an arc of negative radius", &arc, 6, -3, 0},
      {"an arc of no radius", &arc, 6, nan, 0},
      {"a start angle of NaN", &arc, 18, nan, 0},
      {"an infinite end angle", &arc, 22, kInfinity, 0},
      {"an infinite centre", &arc, 10, -kInfinity, 0},
      {"an arc of another length", &arc, 1, 0, 37},
      {"a path offset of NaN", &path, 8, nan, 0},
      {"an infinite start distance", &path, 32, kInfinity, 0},
      {"a path whose record is a rectangle's", &path, 42, 0, kRectRecordTag},
      {"a curve record of another type", &path, 47, 0, 2},
      {"an embedded length that is not the rest", &path, 43, 0, 88},
      {"no end byte after the path", &path, path.size() - 1, 0, 0xFE},
      {"a path point of NaN", &path, 42 + 68, nan, 0},
      {"a length past the bytes", &path, 1, 0, static_cast<BYTE>(path[1] + 1)},
  };
  for (const Case& c : cases) {
    Bytes damaged = *c.good;
    if (c.byte != 0)
      damaged[c.at] = c.byte;
    else
      PutFloat(damaged, c.at, c.value);
    EXPECT_FALSE(std::unique_ptr<CTextEffect>(Load(damaged))) << c.what;
  }
  // A point and a matrix each finite whose product is not: the baked path could not be stored.
  Bytes overflowing = path;
  PutFloat(overflowing, 42 + 24, 10);
  PutFloat(overflowing, 42 + 68, 3.4e38f);
  EXPECT_FALSE(std::unique_ptr<CTextEffect>(Load(overflowing)));
  for (const Bytes* good : {&arc, &path})
    for (size_t size = 0; size < good->size(); ++size)
      EXPECT_FALSE(
          std::unique_ptr<CTextEffect>(LoadTextEffect(good->data(), size, &m_boxes, &m_matrix)))
          << size;

  // Huge and far negative angles load reduced (the start within one turn, the end at most one
  // turn above it) and the layout ends.
  Fill(20);
  for (auto angles : {std::pair<float, float>{1e30f, -1e30f}, {-3e9f, 7.5f}, {0, 3.4e38f}}) {
    Bytes huge = arc;
    PutFloat(huge, 18, angles.first);
    PutFloat(huge, 22, angles.second);
    std::unique_ptr<CTextEffect> read(Load(huge));
    auto* reduced = dynamic_cast<CArcEffect*>(read.get());
    ASSERT_TRUE(reduced);
    EXPECT_GE(reduced->GetStartAngle(), 0);
    EXPECT_LT(reduced->GetStartAngle(), kFullTurn);
    EXPECT_GE(reduced->GetEndAngle(), reduced->GetStartAngle());
    EXPECT_LE(reduced->GetEndAngle() - reduced->GetStartAngle(), kFullTurn + 1e-5);
    reduced->Layout(0);
    for (CCharBox* box : Chars()) EXPECT_TRUE(std::isfinite(box->m_x) && std::isfinite(box->m_y));
  }

  // A whole turn, stored as such or as the float of 2 pi (360 degrees typed), a float step to
  // either side, or from another start, stays a whole turn.
  const float turnAbove = static_cast<float>(2 * kPi);
  for (auto angles : {std::pair<float, float>{0, kFullTurn},
                      {0, turnAbove},
                      {0, std::nextafter(kFullTurn, 0.0f)},
                      {1, 1 + turnAbove}}) {
    Bytes whole = arc;
    PutFloat(whole, 18, angles.first);
    PutFloat(whole, 22, angles.second);
    std::unique_ptr<CTextEffect> read(Load(whole));
    auto* round = dynamic_cast<CArcEffect*>(read.get());
    ASSERT_TRUE(round);
    EXPECT_NEAR(kFullTurn, round->GetEndAngle() - round->GetStartAngle(), 1e-6) << angles.second;
  }
}

// A segment of the path dragged moves the node that ends it by the mouse's move, with its
// control points and, for a closed path's first node, its closing point; the rest stays.
TEST_F(CurvedLayout, ASegmentOfThePathDraggedTakesTheNodeThatEndsItAlong) {
  using Path = std::vector<CurvePoint>;
  struct Case {
    const char* what;
    Path path;
    FPOINT grab;
    int node;
    std::vector<FPOINT> after;
  };
  // clang-format off
  const Case cases[] = {
      {"a straight segment", {{0, 0, 0x11}, {100, 0, 1}, {100, 100, 0x21}}, {50, 0}, 1,
       {{0, 0}, {100, 10}, {100, 100}}},
      {"a Bezier segment, grabbed at its middle", {{0, 0, 0x11}, {30, -30, 0}, {70, -30, 0},
       {100, 0, 0x21}}, {50, -22.5f}, 3, {{0, 0}, {30, -30}, {70, -20}, {100, 10}}},
      {"the closing segment of a closed path", {{0, 0, 0x11}, {50, 0, 1}, {50, 50, 1},
       {0, 50, 1}, {0, 0, 0x41}}, {0, 25}, 0, {{0, 10}, {50, 0}, {50, 50}, {0, 50}, {0, 10}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CPathTextEffect effect(PathOf(c.path), &m_boxes, &m_matrix);
    int handle = -1;
    ASSERT_TRUE(effect.HitTestHandle(nullptr, c.grab.x, c.grab.y, &handle));
    EXPECT_EQ(c.node, handle);
    EXPECT_EQ(1, effect.MoveHandle(nullptr, handle, c.grab.x, c.grab.y + 4));
    EXPECT_EQ(1, effect.MoveHandle(nullptr, handle, c.grab.x, c.grab.y + 10));
    const std::vector<POINTREC>& points = effect.GetPath()->GetPoints();
    ASSERT_LE(c.after.size(), points.size());
    for (size_t k = 0; k < c.after.size(); ++k) ExpectNear(c.after[k], {points[k].x, points[k].y});
  }
}

// The layout line in the text's own units (the block maps it through its matrix): the arc as one
// open sub-path on its circle, the path as its own records.
TEST_F(CurvedLayout, TheLayoutLineIsTheArcOrThePathInTheTextsOwnUnits) {
  m_matrix.m[6] = 5;
  m_matrix.m[7] = 7;
  Fill(1);
  CArcEffect arc(0, 0, 100, 40, &m_boxes, &m_matrix);
  arc.SetArc({100, 200}, 50, 0, static_cast<float>(kPi / 2));
  std::unique_ptr<CBlock> outline(arc.GetOutlineBlock());
  ASSERT_TRUE(outline);
  ASSERT_EQ(kCurveBlock, outline->m_type);
  std::vector<POINTREC> line = static_cast<CCurveBlock*>(outline.get())->GetPoints();
  ASSERT_LE(5u, line.size());
  line.pop_back();  // the end record
  EXPECT_EQ(kPointStart | kPointOnCurve, line.front().flags);
  EXPECT_NEAR(150, line.front().x, 1e-3);
  EXPECT_NEAR(200, line.front().y, 1e-3);
  EXPECT_EQ(kPointOpenEnd | kPointOnCurve, line.back().flags);
  EXPECT_NEAR(100, line.back().x, 1e-3);
  EXPECT_NEAR(150, line.back().y, 1e-3);
  for (const POINTREC& point : line) {
    if (point.flags & kPointOnCurve) {
      EXPECT_NEAR(50, Distance(100, 200, point.x, point.y), 1e-3);
    }
  }

  CPathTextEffect along(PathOf({{0, 0, 0x11}, {30, 40, 0x21}}), &m_boxes, &m_matrix);
  outline.reset(along.GetOutlineBlock());
  ASSERT_TRUE(outline);
  line = static_cast<CCurveBlock*>(outline.get())->GetPoints();
  ASSERT_LE(2u, line.size());
  EXPECT_EQ(30, line[1].x);
  EXPECT_EQ(40, line[1].y);
}
