// The cut-pattern tools' side without windows: the centre table of the radial and ring cuts, and
// the patterns the tools make from the stored settings (here the defaults of a profile bound to
// no application): the two passes of a tool never make the same pieces.
#include <gtest/gtest.h>

#include <memory>

#include "editor/commands/CutPatternCommands.h"
#include "model/blocks/CurveBlock.h"
#include "model/settings/AppProfile.h"

namespace {

// The tops of the sub-paths of a strip pattern.
std::vector<float> StripTops(const CCurveBlock* curve) {
  std::vector<float> tops;
  if (!curve) return tops;
  for (const POINTREC& point : curve->GetPoints())
    if (IsSubpathStart(point.flags)) tops.push_back(point.y);
  return tops;
}

}  // namespace

TEST(CutPatternCommands, TheCentreTableGivesCornersEdgeMiddlesAndTheCentreWithTheirAngles) {
  const CFRect box(0, 0, 100, 40);
  struct Case {
    int index;
    CCutPatternCommands::Centre centre;
  };
  const Case cases[] = {
      {0, {0, 0, 270, 360}},  {1, {50, 0, 180, 360}}, {2, {100, 0, 180, 270}},
      {3, {0, 20, 270, 450}}, {4, {50, 20, 0, 360}},  {5, {100, 20, 90, 270}},
      {6, {0, 40, 0, 90}},    {7, {50, 40, 0, 180}},  {8, {100, 40, 90, 180}},
      {9, {50, 20, -1, -1}},
  };
  for (const Case& c : cases) {
    CCutPatternCommands::Centre centre = CCutPatternCommands::CentreFor(c.index, box);
    EXPECT_FLOAT_EQ(c.centre.x, centre.x) << c.index;
    EXPECT_FLOAT_EQ(c.centre.y, centre.y) << c.index;
    EXPECT_FLOAT_EQ(c.centre.start, centre.start) << c.index;
    EXPECT_FLOAT_EQ(c.centre.end, centre.end) << c.index;
  }
}

TEST(CutPatternCommands, TheParallelToolsTwoPassesMakeDifferentStripsThatTogetherCoverTheBox) {
  const CAppProfile defaults;  // "KeepBorder" 1 and eight equal strips
  const CFRect box(0, 0, 100, 80);
  CCutPatterns::Problem problem = CCutPatterns::kBadValue;
  std::unique_ptr<CCurveBlock> first(
      CCutPatternCommands::MakeParallelCutPattern(box, defaults, 0, 0, 0, &problem));
  EXPECT_EQ(CCutPatterns::kNoProblem, problem);
  std::unique_ptr<CCurveBlock> second(
      CCutPatternCommands::MakeParallelCutPattern(box, defaults, 0, 0, 1, &problem));
  std::vector<float> tops = StripTops(first.get()), others = StripTops(second.get());
  ASSERT_EQ(4u, tops.size());
  ASSERT_EQ(4u, others.size());
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_NEAR(20.0f * i, tops[i], 0.01f) << i;
    EXPECT_NEAR(20.0f * i + 10, others[i], 0.01f) << i;
  }
}

TEST(CutPatternCommands, TheRadialAndRingToolsTakeTheirCentreFromThePoint) {
  const CAppProfile defaults;  // counter-clockwise, eight equal parts
  const CFRect box(0, 0, 100, 100);
  std::unique_ptr<CCurveBlock> sectors(
      CCutPatternCommands::MakeRadialCutPattern(box, defaults, 50, 50, 0, nullptr));
  ASSERT_TRUE(sectors);
  // Four of the eight sectors of the full turn around a point inside the box.
  int pieces = 0;
  for (const POINTREC& point : sectors->GetPoints())
    if (IsSubpathStart(point.flags)) ++pieces;
  EXPECT_EQ(4, pieces);
  std::unique_ptr<CCurveBlock> rings(
      CCutPatternCommands::MakeRingCutPattern(box, defaults, 0, 0, 1, nullptr));
  ASSERT_TRUE(rings);
  // Rings around the top-left corner reach the far corner, 141.4 away.
  EXPECT_NEAR(0, (rings->m_box.left + rings->m_box.right) / 2, 0.01f);
  EXPECT_NEAR(-141.42f, rings->m_box.left, 0.1f);
}
