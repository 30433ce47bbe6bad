// The outline expansion entries of the transform library's stand-in, called through CExpandDll
// with a group record as the outline thickness dialog hands it over (no window). A 10 x 10 square
// grown by 1 has the areas worked out by hand: 144 with mitred corners, 140 + pi with round ones.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "TransformLibrary.h"
#include "media/ExpandDll.h"
#include "model/blocks/CurveBlock.h"

using namespace addon_test;

namespace {

const double kPi = 3.14159265358979;

class ExpandEntries : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_NE(nullptr, m_expand.Bind(kLibraryPath)); }

  CBlock* Expanded(const std::vector<CFRect>& outline, const ExpandParams& params, bool band) {
    HGLOBAL record = GroupRecordOf(Rectangles(outline));
    HGLOBAL result = band ? m_expand.ExpandOutLine(record, params)
                          : m_expand.Expand(record, params);
    EXPECT_NE(record, result);
    GlobalFree(record);
    return TakeResult(result);
  }

  CExpandDll m_expand;
};

TEST_F(ExpandEntries, ASquareGrowsByTheThicknessWithTheCornersOfItsMode) {
  struct Case {
    double thickness;
    int mode;
    bool band;
    double area;
    CFRect box;
  };
  const Case cases[] = {
      {1, 0, false, 144, CFRect(-1, -1, 11, 11)},       {1, 1, false, 144, CFRect(-1, -1, 11, 11)},
      {1, 2, false, 140 + kPi, CFRect(-1, -1, 11, 11)}, {-1, 1, false, 64, CFRect(1, 1, 9, 9)},
      {1, 1, true, 44, CFRect(-1, -1, 11, 11)},         {-1, 1, true, 36, CFRect(0, 0, 10, 10)},
  };
  for (const Case& c : cases) {
    ExpandParams params = {c.thickness, 120, 50, 1e-10, c.mode};
    std::unique_ptr<CBlock> result(Expanded({CFRect(0, 0, 10, 10)}, params, c.band));
    ASSERT_NE(nullptr, result) << c.thickness << " mode " << c.mode;
    EXPECT_EQ(kCurveBlock, result->m_type);  // the group's lone child
    EXPECT_NEAR(c.area, AreaOf(result.get()), 0.01) << c.thickness << " mode " << c.mode;
    EXPECT_NEAR(c.box.left, result->m_box.left, 1e-4);
    EXPECT_NEAR(c.box.top, result->m_box.top, 1e-4);
    EXPECT_NEAR(c.box.right, result->m_box.right, 1e-4);
    EXPECT_NEAR(c.box.bottom, result->m_box.bottom, 1e-4);
  }
}

TEST_F(ExpandEntries, SharpCornersAreCutFlatInModeZeroAndRoundedInModeOne) {
  // A thin triangle: its 11-degree point lies below the angle limit of 50.
  std::unique_ptr<CCurveBlock> spike(new CCurveBlock);
  spike->AddPoint(0, 0, kPointStart | kPointOnCurve);
  spike->AddPoint(50, 5, kPointOnCurve);
  spike->AddPoint(0, 10, kPointOnCurve);
  spike->AddPoint(0, 0, kPointClose | kPointOnCurve);
  spike->EndCurve();
  double areas[2] = {};
  for (int mode = 0; mode < 2; ++mode) {
    HGLOBAL record = GroupRecordOf(static_cast<CCurveBlock*>(spike->Clone()));
    ExpandParams params = {2, 120, 50, 1e-10, mode};
    std::unique_ptr<CBlock> result(TakeResult(m_expand.Expand(record, params)));
    GlobalFree(record);
    ASSERT_NE(nullptr, result);
    areas[mode] = AreaOf(result.get());
    // Never the point's long mitre (2 / sin(5.7 degrees), about 20 beyond the tip): the flat cut
    // and the arc both end the thickness beyond it.
    EXPECT_NEAR(52, result->m_box.right, 0.01) << mode;
  }
  // The flat cut keeps the corners the arc rounds off.
  EXPECT_GT(areas[0], areas[1]);
}

TEST_F(ExpandEntries, AnOutlineWithoutAreaGrowsRoundItsFarEnd) {
  // Closed outlines on one line, 10 long, which the library takes as lines: a box of no height
  // (out and straight back) and a stroke through a middle point. Grown by 1, each is a band of 20
  // with an end where the way turns straight back: cut flat 1 beyond it (2) in mode 0, round
  // (pi / 2) in modes 1 and 2. The box's start is a line's open end, flat but in mode 2; the
  // stroke turns back at both ends.
  const Path box = {{0, 0}, {10, 0}, {10, 0}, {0, 0}}, stroke = {{0, 0}, {5, 0}, {10, 0}};
  struct Case {
    const Path* outline;
    int mode;
    double area;
  };
  const Case cases[] = {
      {&box, 0, 22},    {&box, 1, 20 + kPi / 2}, {&box, 2, 20 + kPi},
      {&stroke, 0, 24}, {&stroke, 1, 20 + kPi},  {&stroke, 2, 20 + kPi},
  };
  for (const Case& c : cases) {
    HGLOBAL record = GroupRecordOf(Outline({*c.outline}));
    std::unique_ptr<CBlock> result(
        TakeResult(m_expand.Expand(record, {1, 120, 50, 1e-10, c.mode})));
    GlobalFree(record);
    ASSERT_NE(nullptr, result) << c.outline->size() << " mode " << c.mode;
    EXPECT_NEAR(c.area, AreaOf(result.get()), 0.01) << c.outline->size() << " mode " << c.mode;
  }
}

TEST_F(ExpandEntries, UnusableSettingsAndDamagedRecordsGiveNull) {
  HGLOBAL record = GroupRecordOf(Rectangles({CFRect(0, 0, 10, 10)}));
  ExpandParams good = {1, 120, 50, 1e-10, 1};
  ExpandParams badMode = good, badThickness = good;
  badMode.mode = 3;
  badThickness.thickness = NAN;
  EXPECT_EQ(nullptr, m_expand.Expand(record, badMode));
  EXPECT_EQ(nullptr, m_expand.Expand(record, badThickness));
  // The record's length field claims more than its memory holds.
  BYTE* bytes = static_cast<BYTE*>(GlobalLock(record));
  bytes[1] = 0xFF;
  bytes[2] = 0xFF;
  GlobalUnlock(record);
  EXPECT_EQ(nullptr, m_expand.Expand(record, good));
  EXPECT_EQ(nullptr, m_expand.ExpandOutLine(record, good));
  GlobalFree(record);
}

}  // namespace
