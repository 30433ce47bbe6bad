// The cut-pattern generators, without windows: strips, sectors and rings checked piece by piece
// against boxes worked out by hand, the two passes against each other, and every count, step and
// list that could divide by zero, walk forever or make an unbounded number of pieces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "model/blocks/CurveBlock.h"
#include "model/geometry/CutPatterns.h"

namespace {

using Patterns = CCutPatterns;

// The box of every sub-path, in order.
std::vector<CFRect> PieceBoxes(const CCurveBlock* curve) {
  std::vector<CFRect> boxes;
  if (!curve) return boxes;
  for (const POINTREC& point : curve->GetPoints()) {
    if (IsSpecialPoint(point.flags)) continue;
    if (IsSubpathStart(point.flags)) boxes.push_back(CFRect(point.x, point.y, point.x, point.y));
    CFRect& box = boxes.back();
    box.left = std::min(box.left, point.x);
    box.top = std::min(box.top, point.y);
    box.right = std::max(box.right, point.x);
    box.bottom = std::max(box.bottom, point.y);
  }
  return boxes;
}

void ExpectBox(const CFRect& expected, const CFRect& actual, float tolerance = 0.01f) {
  EXPECT_NEAR(expected.left, actual.left, tolerance);
  EXPECT_NEAR(expected.top, actual.top, tolerance);
  EXPECT_NEAR(expected.right, actual.right, tolerance);
  EXPECT_NEAR(expected.bottom, actual.bottom, tolerance);
}

std::unique_ptr<CCurveBlock> Owned(CCurveBlock* curve) {
  return std::unique_ptr<CCurveBlock>(curve);
}

}  // namespace

TEST(CutPatterns, EqualStripsFromACornerRunAcrossTheBoxAndThePassesTakeTurns) {
  // Box 100 x 40, strips along x (angle 0), walked downward from the top-left corner: four strips
  // of 10, each as long as 2.05 times the half length, centred on the box.
  auto first = Owned(Patterns::MakeHatchLines(0, 0, 100, 40, 0, 4, 0, 0, 0));
  auto second = Owned(Patterns::MakeHatchLines(0, 0, 100, 40, 0, 4, 0, 0, Patterns::kSecondPass));
  ASSERT_TRUE(first && second);
  EXPECT_EQ(Patterns::kPatternAttributes, first->m_attributes);
  std::vector<CFRect> drawn = PieceBoxes(first.get()), others = PieceBoxes(second.get());
  ASSERT_EQ(2u, drawn.size());
  ASSERT_EQ(2u, others.size());
  ExpectBox(CFRect(-1.25f, 0, 101.25f, 10), drawn[0]);
  ExpectBox(CFRect(-1.25f, 20, 101.25f, 30), drawn[1]);
  ExpectBox(CFRect(-1.25f, 10, 101.25f, 20), others[0]);
  ExpectBox(CFRect(-1.25f, 30, 101.25f, 40), others[1]);
}

TEST(CutPatterns, AStartPointInsideTheBoxLiesInTheMiddleOfAStripAndBothSidesAreCovered) {
  auto first = Owned(Patterns::MakeHatchLines(0, 0, 100, 40, 0, 4, 50, 20, 0));
  auto second = Owned(Patterns::MakeHatchLines(0, 0, 100, 40, 0, 4, 50, 20, Patterns::kSecondPass));
  std::vector<CFRect> drawn = PieceBoxes(first.get()), others = PieceBoxes(second.get());
  ASSERT_EQ(3u, drawn.size());
  ASSERT_EQ(2u, others.size());
  EXPECT_NEAR(-5, drawn[0].top, 0.01);
  EXPECT_NEAR(15, drawn[1].top, 0.01);
  EXPECT_NEAR(25, drawn[1].bottom, 0.01);
  EXPECT_NEAR(45, drawn[2].bottom, 0.01);
  EXPECT_NEAR(5, others[0].top, 0.01);
  EXPECT_NEAR(35, others[1].bottom, 0.01);
}

TEST(CutPatterns, StripsTurnWithTheAngleWhichIsFoldedIntoHalfATurn) {
  // At 90 degrees the strips stand upright and the walk goes to the right.
  auto upright = Owned(Patterns::MakeHatchLines(0, 0, 100, 40, 90, 4, 0, 0, 0));
  std::vector<CFRect> drawn = PieceBoxes(upright.get());
  ASSERT_EQ(2u, drawn.size());
  ExpectBox(CFRect(0, -0.5f, 25, 40.5f), drawn[0]);
  ExpectBox(CFRect(50, -0.5f, 75, 40.5f), drawn[1]);
  // 270 folds to 90: the same pattern.
  auto folded = Owned(Patterns::MakeHatchLines(0, 0, 100, 40, 270, 4, 0, 0, 0));
  std::vector<CFRect> same = PieceBoxes(folded.get());
  ASSERT_EQ(2u, same.size());
  ExpectBox(drawn[1], same[1]);

  EXPECT_DOUBLE_EQ(20, Patterns::FoldAngle(200));
  EXPECT_DOUBLE_EQ(180, Patterns::FoldAngle(180));
  EXPECT_DOUBLE_EQ(180, Patterns::FoldAngle(360));
  EXPECT_DOUBLE_EQ(-30, Patterns::FoldAngle(-30));
}

TEST(CutPatterns, ListStripsTakeTheWidthsInTurnOnBothSidesOfTheStartPoint) {
  // "5,,12,-6" reads 5, 5, 12, 6, 0, 6, 12 ...; the zero width is no strip at all.
  double widths[8] = {};
  bool bad = true;
  ASSERT_EQ(8, Patterns::ListWidths("5,,12,-6", 8, widths, &bad));
  EXPECT_FALSE(bad);
  const double expected[] = {5, 5, 12, 6, 0, 6, 12, 18};
  for (int i = 0; i < 8; ++i) EXPECT_DOUBLE_EQ(expected[i], widths[i]) << i;

  // From the top edge of a 100 x 40 box: 5 drawn, 5 skipped, 12 drawn, 6 skipped, (0), 6 drawn
  // (ends past the box at 34 + 6 = 40).
  auto first = Owned(Patterns::MakeHatchLinesFromList(0, 0, 100, 40, 0, 0, 0, "5,,12,-6", 0));
  std::vector<CFRect> drawn = PieceBoxes(first.get());
  ASSERT_EQ(3u, drawn.size());
  EXPECT_NEAR(0, drawn[0].top, 0.01);
  EXPECT_NEAR(5, drawn[0].bottom, 0.01);
  EXPECT_NEAR(10, drawn[1].top, 0.01);
  EXPECT_NEAR(22, drawn[1].bottom, 0.01);
  EXPECT_NEAR(28, drawn[2].top, 0.01);
  EXPECT_NEAR(34, drawn[2].bottom, 0.01);

  // From the middle: 20 to each side, each walk starting again with the first width.
  auto middle = Owned(Patterns::MakeHatchLinesFromList(0, 0, 100, 40, 0, 50, 20, "10", 0));
  std::vector<CFRect> both = PieceBoxes(middle.get());
  ASSERT_EQ(2u, both.size());
  EXPECT_NEAR(20, both[0].top, 0.01);
  EXPECT_NEAR(30, both[0].bottom, 0.01);
  EXPECT_NEAR(10, both[1].top, 0.01);
  EXPECT_NEAR(20, both[1].bottom, 0.01);
}

namespace {

// The corners of every closed piece, in order (the closing record left out).
std::vector<std::vector<FPOINT>> PieceCorners(const CCurveBlock* curve) {
  std::vector<std::vector<FPOINT>> pieces;
  if (!curve) return pieces;
  for (const POINTREC& point : curve->GetPoints()) {
    if (IsSpecialPoint(point.flags)) continue;
    if (IsSubpathStart(point.flags)) pieces.emplace_back();
    if (!(point.flags & kPointClose)) pieces.back().push_back(FPOINT{point.x, point.y});
  }
  return pieces;
}

float Dot(FPOINT a, FPOINT b) { return a.x * b.x + a.y * b.y; }
FPOINT Minus(FPOINT a, FPOINT b) { return FPOINT{a.x - b.x, a.y - b.y}; }

}  // namespace

// Strips at an oblique angle run along (cos a, -sin a) on the page (y down, angles counted
// counter-clockwise on the screen), walk across the box from the start point and together cover
// it; a sign error in either direction tilts them the other way and leaves corners uncovered.
TEST(CutPatterns, ObliqueStripsRunAtTheirAngleCoverTheBoxAndStartAtThePoint) {
  const FPOINT corners[] = {{0, 0}, {100, 0}, {100, 40}, {0, 40}};
  for (float angle : {30.0f, 60.0f}) {
    SCOPED_TRACE(angle);
    const float rad = angle * 3.14159265f / 180;
    const FPOINT along = {std::cos(rad), -std::sin(rad)};
    const FPOINT across = {std::sin(rad), std::cos(rad)};
    auto first = Owned(Patterns::MakeHatchLines(0, 0, 100, 40, angle, 4, 0, 0, 0));
    auto second = Owned(
        Patterns::MakeHatchLines(0, 0, 100, 40, angle, 4, 0, 0, Patterns::kSecondPass));
    std::vector<std::vector<FPOINT>> pieces = PieceCorners(first.get());
    const size_t drawnByFirst = pieces.size();
    for (auto& piece : PieceCorners(second.get())) pieces.push_back(piece);
    ASSERT_EQ(2u, drawnByFirst);
    ASSERT_EQ(4u, pieces.size());

    // The box's span across the strips, worked out from its corners.
    float low = 1e9f, high = -1e9f;
    for (FPOINT corner : corners) {
      low = std::min(low, Dot(corner, across));
      high = std::max(high, Dot(corner, across));
    }
    struct Span {
      float low, high;
      bool firstPass;
    };
    std::vector<Span> spans;
    for (size_t i = 0; i < pieces.size(); ++i) {
      const std::vector<FPOINT>& piece = pieces[i];
      ASSERT_EQ(4u, piece.size());
      FPOINT length = Minus(piece[1], piece[0]);
      FPOINT width = Minus(piece[2], piece[1]);
      EXPECT_NEAR(0, Dot(length, across), 0.01) << "the long sides run along the angle";
      EXPECT_NEAR(0, Dot(width, along), 0.01);
      EXPECT_NEAR((high - low) / 4, std::fabs(Dot(width, across)), 0.01);
      float a = Dot(piece[0], across), b = Dot(piece[2], across);
      spans.push_back({std::min(a, b), std::max(a, b), i < drawnByFirst});
      // Each strip is long enough for the whole box.
      for (FPOINT corner : corners) {
        float at = Dot(Minus(corner, piece[0]), along) / Dot(length, along);
        EXPECT_TRUE(at >= 0 && at <= 1) << "a corner beyond the strip's ends";
      }
    }
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.low < b.low; });
    // Side by side across the whole box, the passes taking turns, from the start point's edge.
    EXPECT_NEAR(low, spans.front().low, 0.01);
    EXPECT_NEAR(high, spans.back().high, 0.01);
    for (size_t i = 1; i < spans.size(); ++i) {
      EXPECT_NEAR(spans[i - 1].high, spans[i].low, 0.01);
      EXPECT_NE(spans[i - 1].firstPass, spans[i].firstPass);
    }
    const Span& start = Dot(FPOINT{0, 0}, across) - low < high - Dot(FPOINT{0, 0}, across)
                            ? spans.front()
                            : spans.back();
    EXPECT_TRUE(start.firstPass) << "pass 0 draws the strip at the start point";
  }
}

TEST(CutPatterns, SectorsWalkFromTheEndAngleOrCounterClockwiseFromTheStart) {
  // A 100 x 100 box around its centre: radius 1.02 times the half diagonal.
  const float r = 1.02f * std::sqrt(2.0f) * 50;
  auto clockwise = Owned(Patterns::MakeRadialSectors(0, 0, 100, 100, 50, 50, 0, 360, 4, 0));
  std::vector<CFRect> drawn = PieceBoxes(clockwise.get());
  ASSERT_EQ(2u, drawn.size());
  // 270..360 (right, below the centre on the screen), then 90..180 (left, above).
  ExpectBox(CFRect(50, 50, 50 + r, 50 + r), drawn[0], 0.05f);
  ExpectBox(CFRect(50 - r, 50 - r, 50, 50), drawn[1], 0.05f);

  auto counter = Owned(
      Patterns::MakeRadialSectors(0, 0, 100, 100, 50, 50, 0, 360, 4, Patterns::kCounterClockwise));
  std::vector<CFRect> turned = PieceBoxes(counter.get());
  ASSERT_EQ(2u, turned.size());
  ExpectBox(CFRect(50, 50 - r, 50 + r, 50), turned[0], 0.05f);
  ExpectBox(CFRect(50 - r, 50, 50, 50 + r), turned[1], 0.05f);

  // A list of angles: 90 then 0 (nothing) then 90 again, so the second sector is skipped and the
  // third drawn.
  auto listed = Owned(Patterns::MakeRadialSectorsFromList(0, 0, 100, 100, 50, 50, 0, 360, "90,0,90",
                                                          Patterns::kCounterClockwise));
  ASSERT_EQ(2u, PieceBoxes(listed.get()).size());
}

TEST(CutPatterns, RingsStepOutToTheFarthestCornerAndThePassesTakeTurns) {
  // Centre at a corner of a 30 x 40 box: radius 50, five rings of 10.
  auto first = Owned(Patterns::MakeRings(0, 0, 30, 40, 0, 0, 5, 0));
  auto second = Owned(Patterns::MakeRings(0, 0, 30, 40, 0, 0, 5, Patterns::kSecondPass));
  std::vector<CFRect> drawn = PieceBoxes(first.get()), others = PieceBoxes(second.get());
  // Pass 0: the disc of 10, the rings 20-30 and 40-50; pass 1: 10-20 and 30-40.
  ASSERT_EQ(5u, drawn.size());
  ASSERT_EQ(4u, others.size());
  const float firstRadii[] = {10, 20, 30, 40, 50};
  for (size_t i = 0; i < drawn.size(); ++i)
    EXPECT_NEAR(2 * firstRadii[i], drawn[i].Width(), 0.01) << i;
  const float secondRadii[] = {10, 20, 30, 40};
  for (size_t i = 0; i < others.size(); ++i)
    EXPECT_NEAR(2 * secondRadii[i], others[i].Width(), 0.01) << i;

  // A count of 0 and a zero width take the smallest step instead of dividing by zero.
  auto smallest = Owned(Patterns::MakeRings(0, 0, 1, 0, 0, 0, 0, 0));
  ASSERT_TRUE(smallest);
  EXPECT_NEAR(0.1f, PieceBoxes(smallest.get())[0].Width(), 0.001);
  auto zeroList = Owned(Patterns::MakeRingsFromList(0, 0, 1, 0, 0, 0, "0", 0));
  ASSERT_TRUE(zeroList);
  EXPECT_NEAR(0.1f, PieceBoxes(zeroList.get())[0].Width(), 0.001);
  // A box of no size around its centre has no ring at all.
  EXPECT_EQ(nullptr, Patterns::MakeRings(5, 5, 5, 5, 5, 5, 4, 0));
}

TEST(CutPatterns, CountsStepsAndListsThatCannotMakeAPatternAreRefusedWithTheirReason) {
  using Problem = Patterns::Problem;
  struct Case {
    const char* name;
    CCurveBlock* (*make)(Problem* problem);
    Problem problem;
  };
  const Case cases[] = {
      {"strip count 0",
       [](Problem* p) { return Patterns::MakeHatchLines(0, 0, 100, 40, 0, 0, 0, 0, 0, p); },
       Patterns::kBadValue},
      {"strip angle not a number",
       [](Problem* p) {
         const float nan = std::numeric_limits<float>::quiet_NaN();
         return Patterns::MakeHatchLines(0, 0, 100, 40, nan, 4, 0, 0, 0, p);
       },
       Patterns::kBadValue},
      {"strip count of a hundred thousand",
       [](Problem* p) { return Patterns::MakeHatchLines(0, 0, 100, 40, 0, 100000, 0, 0, 0, p); },
       Patterns::kTooManyPieces},
      {"strip list of tiny widths",
       [](Problem* p) {
         return Patterns::MakeHatchLinesFromList(0, 0, 100, 40, 0, 0, 0, "0.0001", 0, p);
       },
       Patterns::kTooManyPieces},
      {"strip list staying at 0",
       [](Problem* p) {
         return Patterns::MakeHatchLinesFromList(0, 0, 100, 40, 0, 0, 0, "0", 0, p);
       },
       Patterns::kNoProblem},
      {"strip list running down to 0 and staying",
       [](Problem* p) {
         return Patterns::MakeHatchLinesFromList(0, 0, 100, 40, 0, 0, 0, "0,+0", 0, p);
       },
       Patterns::kNoProblem},
      {"sector count 0",
       [](Problem* p) { return Patterns::MakeRadialSectors(0, 0, 10, 10, 5, 5, 0, 360, 0, 0, p); },
       Patterns::kBadValue},
      {"sector list staying at 0",
       [](Problem* p) {
         return Patterns::MakeRadialSectorsFromList(0, 0, 10, 10, 5, 5, 0, 360, "0", 0, p);
       },
       Patterns::kNoProblem},
      {"sector list of tiny angles",
       [](Problem* p) {
         return Patterns::MakeRadialSectorsFromList(0, 0, 10, 10, 5, 5, 0, 360, "0.01", 0, p);
       },
       Patterns::kTooManyPieces},
      {"ring count 0 on a large box",
       [](Problem* p) { return Patterns::MakeRings(0, 0, 100, 100, 0, 0, 0, 0, p); },
       Patterns::kTooManyPieces},
      {"ring list of zeros on a large box",
       [](Problem* p) { return Patterns::MakeRingsFromList(0, 0, 100, 100, 0, 0, "0", 0, p); },
       Patterns::kTooManyPieces},
  };
  for (const Case& c : cases) {
    Problem problem = Patterns::kBadValue;
    std::unique_ptr<CCurveBlock> made(c.make(&problem));
    EXPECT_EQ(nullptr, made.get()) << c.name;
    EXPECT_EQ(c.problem, problem) << c.name;
  }
}
