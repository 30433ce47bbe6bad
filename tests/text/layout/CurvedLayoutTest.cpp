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

// Little-endian fields, as the record layouts give them.
class Builder {
public:
  Builder& Byte(BYTE value) {
    bytes.push_back(value);
    return *this;
  }
  Builder& Word(WORD value) { return Raw(&value, 2); }
  Builder& Dword(DWORD value) { return Raw(&value, 4); }
  Builder& Float(float value) { return Raw(&value, 4); }
  Builder& Append(const Bytes& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
  }
  Bytes bytes;

private:
  Builder& Raw(const void* data, size_t size) {
    const BYTE* at = static_cast<const BYTE*>(data);
    bytes.insert(bytes.end(), at, at + size);
    return *this;
  }
};

// The curve record of an open polyline: tag '#', length, type 128, attribute word 0, box,
// identity matrix, colour 0, count (the end record included), the points, 0xF1.
Bytes CurveRecord(const std::vector<POINTREC>& points, const CFRect& box) {
  Builder b;
  b.Byte('#').Dword(static_cast<DWORD>(68 + 9 * (points.size() + 1) + 1)).Byte(128).Word(0);
  b.Float(box.left).Float(box.top).Float(box.right).Float(box.bottom);
  for (float m : {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f}) b.Float(m);
  b.Dword(0).Dword(static_cast<DWORD>(points.size() + 1));
  for (const POINTREC& p : points) b.Float(p.x).Float(p.y).Byte(p.flags);
  b.Float(0).Float(0).Byte(0xFF).Byte(0xF1);
  return b.bytes;
}

Bytes RecordOf(const CTextEffect& effect) {
  CByteWriter writer;
  EXPECT_LT(0, effect.WriteRecord(writer));
  return Bytes(writer.Data(), writer.Data() + writer.Size());
}

CCurveBlock* Polyline(const std::vector<FPOINT>& points, bool closed = false) {
  CCurveBlock* curve = new CCurveBlock;
  for (size_t i = 0; i < points.size(); ++i) {
    BYTE flags = kPointOnCurve;
    if (i == 0) flags |= kPointStart;
    if (i + 1 == points.size() && !closed) flags |= kPointOpenEnd;
    curve->AddPoint(points[i].x, points[i].y, flags);
  }
  if (closed) curve->CloseLastSubpath();
  curve->EndCurve();
  return curve;
}

CCurveBlock* Bezier(FPOINT p0, FPOINT p1, FPOINT p2, FPOINT p3) {
  CCurveBlock* curve = new CCurveBlock;
  curve->AddPoint(p0.x, p0.y, kPointStart | kPointOnCurve);
  curve->AddPoint(p1.x, p1.y, 0);
  curve->AddPoint(p2.x, p2.y, 0);
  curve->AddPoint(p3.x, p3.y, kPointOpenEnd | kPointOnCurve);
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
  const double a0 = 30 * kPi / 180, a1 = 150 * kPi / 180, r = 50;
  // Spread, three characters: the arc's 104.72 less the centres' 20, shared in two.
  const double spread = ((a1 - a0) * r - 20) / 2;
  struct Case {
    const char* what;
    int n;
    float gaps;
    WORD attributes;
    double first, step;
  };
  const Case cases[] = {
      {"from the start, the spacing after every character", 3, 2, 0, a0, 12 / r},
      {"spread from the start to the end", 3, 0, CTextEffect::kSpread, a0, (10 + spread) / r},
      {"spread, spacing left out", 3, 2, CTextEffect::kSpread, a0, (10 + spread) / r},
      {"reversed from the end", 3, 0, CTextEffect::kSpread | CTextEffect::kReversed, a1,
       -(10 + spread) / r},
      {"one character spread stands at the start", 1, 0, CTextEffect::kSpread, a0, 0},
      {"one character reversed stands at the end", 1, 0,
       CTextEffect::kSpread | CTextEffect::kReversed, a1, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Fill(c.n, 10, 10, c.gaps);
    Arc(30, 150, c.attributes);
    std::vector<CCharBox*> chars = Chars();
    for (int k = 0; k < c.n; ++k) {
      double t = c.first + k * c.step;
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
    FPOINT origin = Map(matrix, 0, 0), corner = Map(matrix, 1024, 1024);
    EXPECT_NEAR(c.origin.x, origin.x, 1e-3);
    EXPECT_NEAR(c.origin.y, origin.y, 1e-3);
    EXPECT_NEAR(c.corner.x, corner.x, 1e-3);
    EXPECT_NEAR(c.corner.y, corner.y, 1e-3);
  }
  // The cell's bounding box is the box's rectangle; the caret runs along the leading edge.
  auto arc = Arc(0, 90, CTextEffect::kSpread);
  arc->PlaceBox(Chars()[0]);
  const CFRect& rect = Chars()[0]->m_rect;
  EXPECT_NEAR(150, rect.left, 1e-3);
  EXPECT_NEAR(158, rect.right, 1e-3);
  EXPECT_NEAR(195, rect.top, 1e-3);
  EXPECT_NEAR(205, rect.bottom, 1e-3);
  FPOINT top, bottom;
  arc->GetCaretPos(0, 1, &top, &bottom);
  EXPECT_NEAR(158, top.x, 1e-3);
  EXPECT_NEAR(195, top.y, 1e-3);
  EXPECT_NEAR(150, bottom.x, 1e-3);
  EXPECT_EQ(1, arc->HitTestBox(0, 155, 197));
  EXPECT_EQ(0, arc->HitTestBox(0, 155, 203));
}

TEST_F(CurvedLayout, AnArcFromARectangleRunsOverTheTopAndItsHandlesReshapeIt) {
  // Through (0, 40), (50, 0) and (100, 40): R = (50^2 + 40^2) / 80, the centre R below y = 0.
  Fill(1);
  CArcEffect made(0, 0, 100, 40, &m_boxes, &m_matrix);
  EXPECT_FLOAT_EQ(51.25f, made.GetRadius());
  EXPECT_FLOAT_EQ(50, made.GetCentre().x);
  EXPECT_FLOAT_EQ(51.25f, made.GetCentre().y);
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
  EXPECT_NEAR(1.25, arc.GetCentre().x, 1e-4);
  EXPECT_NEAR(-1.25, arc.GetCentre().y, 1e-4);
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
  EXPECT_NEAR(50, centre.x, 1e-4);
  EXPECT_NEAR(152.5, centre.y, 1e-4);
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
  EXPECT_EQ(10, arch.GetFirstEnd().x);
  EXPECT_EQ(90, arch.GetSecondEnd().x);
  EXPECT_EQ(90, arch.GetSecondEnd().y);
  EXPECT_EQ(1, arch.MoveHandle(nullptr, CArchEffect::kApexHandle, 70, 60));
  EXPECT_EQ(50, arch.GetApex().x);
  EXPECT_EQ(60, arch.GetApex().y);
  int handle = 0;
  EXPECT_TRUE(arch.HitTestHandle(nullptr, 90.5f, 89.5f, &handle));
  EXPECT_EQ(CArchEffect::kSecondEndHandle, handle);

  // A vertical chord with the apex on its left: the arc runs through the apex.
  Builder b;
  b.Byte('6').Dword(40).Byte(17);
  for (float v : {0.0f, 0.0f, 0.0f, 100.0f, -20.0f, 50.0f}) b.Float(v);
  b.Word(CTextEffect::kSpread).Dword(0).Float(10);
  std::unique_ptr<CTextEffect> loaded(
      LoadTextEffect(b.bytes.data(), b.bytes.size(), &m_boxes, &m_matrix));
  auto* upright = dynamic_cast<CArchEffect*>(loaded.get());
  ASSERT_TRUE(upright);
  upright->GetCircle(&centre, &radius, &start, &end);
  double middle = (start + end) / 2.0;
  EXPECT_NEAR(-20, centre.x + radius * std::cos(middle), 1e-3);
  EXPECT_NEAR(50, centre.y - radius * std::sin(middle), 1e-3);
  EXPECT_EQ(b.bytes, RecordOf(*upright));
}

TEST_F(CurvedLayout, TextAlongAPathCentresEachCharacterOnItAndFacesItsDirection) {
  const double s30 = 0.5, c30 = std::sqrt(3.0) / 2;
  struct Case {
    const char* what;
    CCurveBlock* path;
    int n;
    float width;
    WORD attributes;
    std::vector<FPOINT> at;
    float turn;  // of every character, degrees
  };
  std::vector<Case> cases;
  cases.push_back({"straight, left to right, upright",
                   Polyline({{0, 0}, {100, 0}}),
                   3,
                   10,
                   CTextEffect::kPathBit,
                   {{0, 0}, {10, 0}, {20, 0}},
                   0});
  cases.push_back(
      {"turned up 30 degrees",
       Polyline({{0, 0}, {static_cast<float>(100 * c30), static_cast<float>(-100 * s30)}}),
       2,
       10,
       CTextEffect::kPathBit,
       {{0, 0}, {static_cast<float>(10 * c30), static_cast<float>(-10 * s30)}},
       -30});
  cases.push_back({"spread on an open path: (100 - 30) / 3 between",
                   Polyline({{0, 0}, {100, 0}}),
                   4,
                   10,
                   CTextEffect::kSpread | CTextEffect::kPathBit,
                   {{0, 0}, {100.0f / 3, 0}, {200.0f / 3, 0}, {100, 0}},
                   0});
  cases.push_back({"spread round a closed square: (100 - 60) / 4 between",
                   Polyline({{0, 0}, {25, 0}, {25, 25}, {0, 25}}, true),
                   4,
                   15,
                   CTextEffect::kSpread,
                   {{0, 0}, {25, 0}, {25, 25}, {0, 25}},
                   0});
  cases.push_back({"one character spread stands at the start",
                   Polyline({{0, 0}, {100, 0}}),
                   1,
                   10,
                   CTextEffect::kSpread | CTextEffect::kPathBit,
                   {{0, 0}},
                   0});
  cases.push_back({"reversed from the end, turned round",
                   Polyline({{0, 0}, {100, 0}}),
                   2,
                   10,
                   CTextEffect::kReversed | CTextEffect::kPathBit,
                   {{100, 0}, {90, 0}},
                   -180});
  cases.push_back({"a Bezier straight line",
                   Bezier({0, 0}, {100.0f / 3, 0}, {200.0f / 3, 0}, {100, 0}),
                   3,
                   10,
                   CTextEffect::kPathBit,
                   {{0, 0}, {10, 0}, {20, 0}},
                   0});
  cases.push_back({"a Bezier arch, spread: the middle character at its top",
                   Bezier({0, 0}, {0, -50}, {100, -50}, {100, 0}),
                   3,
                   10,
                   CTextEffect::kSpread,
                   {{0, 0}, {50, -37.5f}, {100, 0}},
                   0});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Fill(c.n, c.width);
    CPathTextEffect effect(c.path, &m_boxes, &m_matrix);
    EXPECT_EQ(CTextEffect::kSpread | CTextEffect::kPathBit, effect.GetAttributes());
    effect.SetAttributes(c.attributes);
    effect.Layout(0);
    std::vector<CCharBox*> chars = Chars();
    for (size_t k = 0; k < c.at.size(); ++k) {
      ExpectAt(chars[k], c.at[k].x, c.at[k].y, 0.02);
      EXPECT_NEAR(c.turn, effect.GetTurn(chars[k]), 1e-3) << k;
    }
  }
}

TEST_F(CurvedLayout, APathTooShortKeepsTheRestAndTheOffsetLiftsUpright) {
  Fill(3);
  for (CCharBox* box : Chars()) box->m_x = box->m_y = -7;
  CPathTextEffect effect(Polyline({{0, 0}, {15, 0}}), &m_boxes, &m_matrix);
  effect.SetAttributes(CTextEffect::kPathBit);
  effect.Layout(0);
  std::vector<CCharBox*> chars = Chars();
  ExpectAt(chars[1], 10, 0);
  ExpectAt(chars[2], -7, -7);
  EXPECT_FALSE(chars[2]->m_style & CCharBox::kPlaced);

  // Upright with an offset of 5: the cell stands 5 higher on the page than without.
  effect.SetAttributes(0);
  effect.Layout(0);
  FPOINT plain = Map(effect.GetBoxMatrix(chars[1]), 0, 0);
  EXPECT_NEAR(5, plain.x, 1e-4);
  EXPECT_NEAR(-10, plain.y, 1e-4);
  Builder b;
  b.Byte('7').Dword(0).Byte(19).Word(0).Float(5);
  Bytes record = RecordOf(effect);
  std::memcpy(record.data() + 8, b.bytes.data() + 8, 4);
  std::unique_ptr<CTextEffect> lifted(
      LoadTextEffect(record.data(), record.size(), &m_boxes, &m_matrix));
  ASSERT_TRUE(lifted);
  lifted->Layout(0);
  FPOINT up = Map(lifted->GetBoxMatrix(chars[1]), 0, 0);
  EXPECT_NEAR(plain.x, up.x, 1e-4);
  EXPECT_NEAR(plain.y - 5, up.y, 1e-4);
}

TEST_F(CurvedLayout, TheRecordsHoldTheirFieldsWhereTheLayoutsSay) {
  Bytes arc = Builder()
                  .Byte('5')
                  .Dword(36)
                  .Byte(18)
                  .Float(50)
                  .Float(100)
                  .Float(200)
                  .Float(0.5f)
                  .Float(2.5f)
                  .Word(0x8013)
                  .Float(0)
                  .Float(12)
                  .bytes;
  ASSERT_EQ(36u, arc.size());
  std::unique_ptr<CTextEffect> effect(LoadTextEffect(arc.data(), arc.size(), &m_boxes, &m_matrix));
  auto* loaded = dynamic_cast<CArcEffect*>(effect.get());
  ASSERT_TRUE(loaded);
  EXPECT_EQ(50, loaded->GetRadius());
  EXPECT_EQ(200, loaded->GetCentre().y);
  EXPECT_EQ(2.5f, loaded->GetEndAngle());
  EXPECT_EQ(0x8013, loaded->GetAttributes());
  EXPECT_EQ(arc, RecordOf(*loaded));

  Bytes arch = Builder()
                   .Byte('6')
                   .Dword(40)
                   .Byte(17)
                   .Float(0)
                   .Float(100)
                   .Float(100)
                   .Float(100)
                   .Float(50)
                   .Float(80)
                   .Word(0x8010)
                   .Dword(0)
                   .Float(10)
                   .bytes;
  ASSERT_EQ(40u, arch.size());
  CArchEffect made(0, 80, 100, 100, &m_boxes, &m_matrix);
  EXPECT_EQ(arch, RecordOf(made));

  Bytes curve = CurveRecord({MakePointRecord(0, 0, 0x11), MakePointRecord(100, 0, 0x21)},
                            CFRect(0, 0, 100, 0));
  Bytes path = Builder()
                   .Byte('7')
                   .Dword(static_cast<DWORD>(43 + curve.size()))
                   .Byte(19)
                   .Word(0x30)
                   .Float(2)
                   .Float(10)
                   .Float(100)
                   .Float(0)
                   .Dword(3)
                   .Float(35)
                   .Float(1.5f)
                   .Word(0)
                   .Dword(0)
                   .Append(curve)
                   .Byte(0xF1)
                   .bytes;
  effect.reset(LoadTextEffect(path.data(), path.size(), &m_boxes, &m_matrix));
  auto* along = dynamic_cast<CPathTextEffect*>(effect.get());
  ASSERT_TRUE(along);
  EXPECT_EQ(2, along->GetOffsetFromPath());
  EXPECT_EQ(35, along->GetSpacing());
  EXPECT_EQ(1.5f, along->GetStartDistance());
  EXPECT_EQ(3, along->GetPath()->GetCount());
  EXPECT_EQ(path, RecordOf(*along));
  // A copy through the record is the same layout.
  std::unique_ptr<CTextEffect> copy(CloneTextEffect(*along));
  ASSERT_TRUE(copy);
  EXPECT_EQ(path, RecordOf(*copy));
}

TEST_F(CurvedLayout, DamagedRecordsAreRefusedAndHugeAnglesReducedWithoutAHang) {
  Bytes arc = Builder()
                  .Byte('5')
                  .Dword(36)
                  .Byte(18)
                  .Float(50)
                  .Float(100)
                  .Float(200)
                  .Float(0.5f)
                  .Float(2.5f)
                  .Word(0x10)
                  .Float(0)
                  .Float(12)
                  .bytes;
  Bytes curve = CurveRecord({MakePointRecord(0, 0, 0x11), MakePointRecord(100, 0, 0x21)},
                            CFRect(0, 0, 100, 0));
  Bytes path = Builder()
                   .Byte('7')
                   .Dword(static_cast<DWORD>(43 + curve.size()))
                   .Byte(19)
                   .Word(0x30)
                   .Float(0)
                   .Float(10)
                   .Float(0)
                   .Float(0)
                   .Dword(0)
                   .Float(0)
                   .Float(0)
                   .Word(0)
                   .Dword(0)
                   .Append(curve)
                   .Byte(0xF1)
                   .bytes;
  auto putFloat = [](Bytes& r, size_t at, float value) { std::memcpy(&r[at], &value, 4); };
  struct Case {
    const char* what;
    const Bytes* good;
    void (*damage)(Bytes&);
  };
  static auto put = putFloat;
  const Case cases[] = {
      {"an arc of radius 0", &arc, [](Bytes& r) { put(r, 6, 0); }},
      {"an arc of negative radius", &arc, [](Bytes& r) { put(r, 6, -3); }},
      {"an arc of no radius", &arc, [](Bytes& r) { put(r, 6, kNaN); }},
      {"a start angle of NaN", &arc, [](Bytes& r) { put(r, 18, kNaN); }},
      {"an infinite end angle", &arc, [](Bytes& r) { put(r, 22, kInfinity); }},
      {"an infinite centre", &arc, [](Bytes& r) { put(r, 10, -kInfinity); }},
      {"an arc of another length", &arc, [](Bytes& r) { r[1] = 37; }},
      {"a path offset of NaN", &path, [](Bytes& r) { put(r, 8, kNaN); }},
      {"an infinite start distance", &path, [](Bytes& r) { put(r, 32, kInfinity); }},
      {"a path whose record is a rectangle's", &path, [](Bytes& r) { r[42] = kRectRecordTag; }},
      {"a curve record of another type", &path, [](Bytes& r) { r[47] = 2; }},
      {"an embedded length that is not the rest", &path, [](Bytes& r) { r[43] -= 9; }},
      {"no end byte after the path", &path, [](Bytes& r) { r.back() = 0xFE; }},
      {"a path point of NaN", &path, [](Bytes& r) { put(r, 42 + 68, kNaN); }},
      {"a length past the bytes", &path, [](Bytes& r) { r[1] += 1; }},
  };
  for (const Case& c : cases) {
    Bytes damaged = *c.good;
    c.damage(damaged);
    EXPECT_FALSE(std::unique_ptr<CTextEffect>(
        LoadTextEffect(damaged.data(), damaged.size(), &m_boxes, &m_matrix)))
        << c.what;
  }
  for (const Bytes* good : {&arc, &path})
    for (size_t size = 0; size < good->size(); ++size)
      EXPECT_FALSE(
          std::unique_ptr<CTextEffect>(LoadTextEffect(good->data(), size, &m_boxes, &m_matrix)))
          << size;

  // Huge and far negative angles load reduced: the start within one turn, the end at most one
  // turn above it, and the layout ends.
  Fill(20);
  for (auto angles : {std::pair<float, float>{1e30f, -1e30f}, {-3e9f, 7.5f}, {0, 3.4e38f}}) {
    Bytes huge = arc;
    putFloat(huge, 18, angles.first);
    putFloat(huge, 22, angles.second);
    std::unique_ptr<CTextEffect> read(
        LoadTextEffect(huge.data(), huge.size(), &m_boxes, &m_matrix));
    auto* loaded = dynamic_cast<CArcEffect*>(read.get());
    ASSERT_TRUE(loaded);
    EXPECT_GE(loaded->GetStartAngle(), 0);
    EXPECT_LT(loaded->GetStartAngle(), kFullTurn);
    EXPECT_GE(loaded->GetEndAngle(), loaded->GetStartAngle());
    EXPECT_LE(loaded->GetEndAngle() - loaded->GetStartAngle(), kFullTurn + 1e-5);
    loaded->Layout(0);
    for (CCharBox* box : Chars()) EXPECT_TRUE(std::isfinite(box->m_x) && std::isfinite(box->m_y));
  }
}

TEST_F(CurvedLayout, TheLayoutLineComesInPageUnitsThroughTheBlockMatrix) {
  m_matrix.m[6] = 5;
  m_matrix.m[7] = 7;
  Fill(1);
  CArcEffect arc(0, 0, 100, 40, &m_boxes, &m_matrix);
  arc.SetArc({100, 200}, 50, 0, static_cast<float>(kPi / 2));
  std::vector<POINTREC> line;
  arc.AppendLayoutLine(&line);
  ASSERT_LE(4u, line.size());
  EXPECT_EQ(kPointStart | kPointOnCurve, line.front().flags);
  EXPECT_NEAR(155, line.front().x, 1e-3);
  EXPECT_NEAR(207, line.front().y, 1e-3);
  EXPECT_EQ(kPointOpenEnd | kPointOnCurve, line.back().flags);
  EXPECT_NEAR(105, line.back().x, 1e-3);
  EXPECT_NEAR(157, line.back().y, 1e-3);
  for (const POINTREC& point : line) {
    if (point.flags & kPointOnCurve) {
      EXPECT_NEAR(50, Distance(105, 207, point.x, point.y), 1e-3);
    }
  }

  CPathTextEffect along(Polyline({{0, 0}, {30, 40}}), &m_boxes, &m_matrix);
  line.clear();
  along.AppendLayoutLine(&line);
  ASSERT_EQ(2u, line.size());
  EXPECT_EQ(35, line[1].x);
  EXPECT_EQ(47, line[1].y);
  std::unique_ptr<CBlock> outline(along.GetOutlineBlock());
  ASSERT_TRUE(outline);
  EXPECT_EQ(kCurveBlock, outline->m_type);
}
