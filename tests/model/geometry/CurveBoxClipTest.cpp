// Cutting curves at the edges of a box: straight segments moved onto the edges, Bezier pieces cut
// into the parts inside, special records kept.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/blocks/CurveBlock.h"
#include "model/geometry/CurveBoxClip.h"

namespace {

CCurveBlock* Curve(std::initializer_list<POINTREC> points, DWORD colour = 0) {
  CCurveBlock* curve = new CCurveBlock;
  for (const POINTREC& p : points) {
    if (IsSpecialPoint(p.flags))
      curve->AddPointNoBounds(p);
    else
      curve->AddPoint(p);
  }
  curve->EndCurve();
  curve->SetColour(nullptr, colour, FALSE);
  return curve;
}

TEST(ClipSegmentToBox, EndsMoveOntoTheFirstEdgeTheyCross) {
  FPOINT a = {-10, 5}, b = {5, 5};
  EXPECT_EQ(1, ClipSegmentToBox(&a, &b, 0, 0, 10, 10));
  EXPECT_FLOAT_EQ(0, a.x);
  EXPECT_FLOAT_EQ(5, a.y);
  EXPECT_FLOAT_EQ(5, b.x);

  FPOINT c = {5, -10}, d = {5, 20};  // vertical: top and bottom edges
  EXPECT_EQ(1, ClipSegmentToBox(&c, &d, 0, 0, 10, 10));
  EXPECT_FLOAT_EQ(0, c.y);
  EXPECT_FLOAT_EQ(10, d.y);

  FPOINT e = {-10, -10}, f = {20, -5};  // passes above the box
  EXPECT_EQ(0, ClipSegmentToBox(&e, &f, 0, 0, 10, 10));
  EXPECT_FLOAT_EQ(-10, e.x);
  EXPECT_FLOAT_EQ(20, f.x);
}

TEST(ClipCurveBlockToBox, LinesLeavingAndEnteringStartNewSubpaths) {
  std::unique_ptr<CCurveBlock> zigzag(
      Curve({MakePointRecord(5, 5, 0x11), MakePointRecord(15, 5, 0x01),
             MakePointRecord(15, 8, 0x01), MakePointRecord(5, 8, 0x21)},
            0x123));
  std::unique_ptr<CCurveBlock> clipped(ClipCurveBlockToBox(zigzag.get(), 0, 0, 10, 10));
  ASSERT_NE(nullptr, clipped);
  EXPECT_EQ(0x123u, clipped->GetColour());
  std::vector<POINTREC> p = clipped->GetPoints();
  ASSERT_EQ(5u, p.size());
  EXPECT_EQ(MakePointRecord(5, 5, 0x11), p[0]);
  EXPECT_EQ(MakePointRecord(10, 5, 0x01), p[1]);
  EXPECT_EQ(MakePointRecord(10, 8, 0x11), p[2]);
  EXPECT_EQ(MakePointRecord(5, 8, 0x21), p[3]);
  EXPECT_EQ(kPointEnd, p[4].flags);
  EXPECT_EQ(5u, zigzag->GetPoints().size());  // the source stays as it was
}

TEST(ClipCurveBlockToBox, BezierPiecesAndSpecialRecords) {
  std::unique_ptr<CCurveBlock> arch(Curve(
      {MakePenColourRecord(RGB(1, 2, 3)), MakePointRecord(0, 5, 0x11), MakePointRecord(0, 25, 0x00),
       MakePointRecord(20, 25, 0x00), MakePointRecord(20, 5, 0x21)}));
  std::unique_ptr<CCurveBlock> clipped(ClipCurveBlockToBox(arch.get(), -5, 0, 25, 10));
  ASSERT_NE(nullptr, clipped);
  std::vector<POINTREC> p = clipped->GetPoints();
  // The colour record, then the two feet of the arch: one continues the start, one is new.
  ASSERT_EQ(10u, p.size());
  EXPECT_EQ(kPointPenColour, p[0].flags);
  EXPECT_EQ(MakePointRecord(0, 5, 0x11), p[1]);
  EXPECT_EQ((std::vector<BYTE>{0x00, 0x00, 0x01, 0x11, 0x00, 0x00, 0x01}),
            std::vector<BYTE>({p[2].flags, p[3].flags, p[4].flags, p[5].flags, p[6].flags,
                               p[7].flags, p[8].flags}));
  EXPECT_NEAR(10, p[4].y, 1e-3);
  EXPECT_NEAR(20, p[8].x, 1e-3);
  EXPECT_NEAR(5, p[8].y, 1e-3);
}

TEST(ClipCurveBlockToBox, NothingInsideOrNoCurveGivesNull) {
  std::unique_ptr<CCurveBlock> distant(
      Curve({MakePointRecord(50, 50, 0x11), MakePointRecord(60, 60, 0x21)}));
  EXPECT_EQ(nullptr, ClipCurveBlockToBox(distant.get(), 0, 0, 10, 10));
  CBlock other;
  EXPECT_EQ(nullptr, ClipCurveBlockToBox(&other, 0, 0, 10, 10));
  EXPECT_EQ(nullptr, ClipCurveBlockToBox(nullptr, 0, 0, 10, 10));
}

}  // namespace
