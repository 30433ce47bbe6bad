// What the typed-input dialogs of the creation tools make of what was typed, without their
// windows: the line type's number scan and its messages, the rectangles of width and height
// lists, and the circles, arcs, pie slices and chords of radius lists.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/dialogs/CircleParamDlg.h"
#include "editor/dialogs/LineTypeDlg.h"
#include "editor/dialogs/RectParamDlg.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/RectBlock.h"

namespace {

using Problems = std::vector<CLineTypeDlg::Problem>;

TEST(LineTypeDialog, ScansNumbersAndReportsEachProblemInTurn) {
  struct Case {
    const char* text;
    size_t numbers;
    int errorAt;
    Problems problems;
  } cases[] = {
      {"10,10 20,20", 4, -1, {}},
      {"-1.5;+2  x3,4", 4, -1, {}},
      {"10,10 20", 3, -1, {CLineTypeDlg::kOddCount, CLineTypeDlg::kTooFewPairs}},
      {"10,10", 2, -1, {CLineTypeDlg::kTooFewPairs}},
      {"10,10,2-3,4", 2, 6, {CLineTypeDlg::kFormatError, CLineTypeDlg::kTooFewPairs}},
      {"1,2,3,4,5.5.5,6", 4, 8, {CLineTypeDlg::kFormatError}},
      {"", 0, -1, {CLineTypeDlg::kTooFewPairs}},
  };
  for (const Case& c : cases) {
    CLineTypeDlg::Scan scan = CLineTypeDlg::ScanNumbers(c.text);
    EXPECT_EQ(c.numbers, scan.numbers.size()) << c.text;
    EXPECT_EQ(c.errorAt, scan.errorAt) << c.text;
    EXPECT_EQ(c.problems, CLineTypeDlg::ProblemsOf(scan)) << c.text;
  }
  EXPECT_STREQ("x,y最少为2对", CLineTypeDlg::TextOf(CLineTypeDlg::kTooFewPairs));
}

TEST(LineTypeDialog, ThePairsBecomeOneOpenCurve) {
  std::unique_ptr<CCurveBlock> curve(CLineTypeDlg::MakeCurve({0, 0, 10, 5, 20, -5}));
  ASSERT_NE(nullptr, curve);
  std::vector<POINTREC> points = curve->GetPoints();
  ASSERT_EQ(4u, points.size());
  EXPECT_EQ(0x11, points[0].flags);
  EXPECT_EQ(0x01, points[1].flags);
  EXPECT_EQ(0x21, points[2].flags);
  EXPECT_FLOAT_EQ(-5, points[2].y);
  EXPECT_EQ(kPointEnd, points[3].flags);
  EXPECT_EQ(nullptr, CLineTypeDlg::MakeCurve({1, 2, 3}));
}

TEST(RectangleDialog, OneWidthMakesARectangleSeveralOneCurveAroundThePoint) {
  std::unique_ptr<CBlock> single(CRectParamDlg::MakeShape({100, 100}, "100", ""));
  ASSERT_NE(nullptr, single);
  ASSERT_EQ(kRectBlock, single->m_type);
  const CFRect& rect = static_cast<CRectBlock*>(single.get())->m_rect;
  EXPECT_FLOAT_EQ(50, rect.left);
  EXPECT_FLOAT_EQ(150, rect.bottom);

  std::unique_ptr<CBlock> two(CRectParamDlg::MakeShape({0, 0}, "100,200", "50"));
  ASSERT_NE(nullptr, two);
  ASSERT_EQ(kCurveBlock, two->m_type);
  auto* curve = static_cast<CCurveBlock*>(two.get());
  CFRect inner, outer;
  ASSERT_TRUE(curve->GetSubpathBounds(0, &inner));
  ASSERT_TRUE(curve->GetSubpathBounds(5, &outer));
  EXPECT_FLOAT_EQ(-50, inner.left);
  EXPECT_FLOAT_EQ(-25, inner.top);
  EXPECT_FLOAT_EQ(-100, outer.left);
  EXPECT_FLOAT_EQ(-100, outer.top);

  EXPECT_EQ(nullptr, CRectParamDlg::MakeShape({0, 0}, "abc", "5"));
  EXPECT_EQ(nullptr, CRectParamDlg::MakeShape({0, 0}, "", "5"));
}

TEST(CircleDialog, CirclesArcsPiesAndChordsAroundThePoint) {
  std::unique_ptr<CCurveBlock> circles(
      CCircleParamDlg::MakeShape(CCircleParamDlg::kCircle, {0, 0}, "200", "0", -40, 220));
  ASSERT_NE(nullptr, circles);
  // A zero vertical radius makes a circle, not a flat ellipse.
  EXPECT_NEAR(-200, circles->m_box.top, 0.01);

  auto closedAt = [](const CCurveBlock& curve) {
    std::vector<POINTREC> points = curve.GetPoints();
    int closes = 0, opens = 0;
    for (const POINTREC& p : points) {
      if (IsSpecialPoint(p.flags)) continue;
      closes += (p.flags & kPointClose) != 0;
      opens += (p.flags & kPointOpenEnd) != 0;
    }
    return std::make_pair(closes, opens);
  };
  std::unique_ptr<CCurveBlock> arc(
      CCircleParamDlg::MakeShape(CCircleParamDlg::kArc, {0, 0}, "100", "", -40, 220));
  std::unique_ptr<CCurveBlock> pie(
      CCircleParamDlg::MakeShape(CCircleParamDlg::kPie, {0, 0}, "100", "", -40, 220));
  std::unique_ptr<CCurveBlock> chord(
      CCircleParamDlg::MakeShape(CCircleParamDlg::kChord, {0, 0}, "100", "", -40, 220));
  ASSERT_NE(nullptr, arc);
  ASSERT_NE(nullptr, pie);
  ASSERT_NE(nullptr, chord);
  EXPECT_EQ(std::make_pair(0, 1), closedAt(*arc));
  EXPECT_EQ(std::make_pair(1, 0), closedAt(*pie));
  EXPECT_EQ(std::make_pair(1, 0), closedAt(*chord));
  // The pie goes through the centre; the chord does not.
  bool centre = false;
  for (const POINTREC& p : pie->GetPoints())
    centre |= !IsSpecialPoint(p.flags) && p.x == 0.0f && p.y == 0.0f;
  EXPECT_TRUE(centre);
  EXPECT_EQ(pie->GetCount(), arc->GetCount() + 2);

  std::unique_ptr<CCurveBlock> two(
      CCircleParamDlg::MakeShape(CCircleParamDlg::kArc, {0, 0}, "50,100", "", 0, 90));
  ASSERT_NE(nullptr, two);
  EXPECT_EQ(std::make_pair(0, 2), closedAt(*two));
  EXPECT_EQ(nullptr, CCircleParamDlg::MakeShape(CCircleParamDlg::kArc, {0, 0}, "0", "", -40, 220));
}

}  // namespace
