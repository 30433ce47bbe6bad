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

// Each case against the box (0, 0, 10, 10), worked out by hand from the edge order left, right,
// top, bottom. Ends with the same x (or y) never divide by their zero difference.
TEST(ClipSegmentToBox, HandWorkedCasesInsideOutsideCrossingTouchingAndDegenerate) {
  struct Case {
    const char* name;
    FPOINT a, b;
    int result;
    FPOINT placedA, placedB;
  };
  const Case cases[] = {
      {"inside", {2, 2}, {8, 8}, 1, {2, 2}, {8, 8}},
      {"leaving on the right", {5, 5}, {15, 10}, 1, {5, 5}, {10, 7.5f}},
      {"across the top-left corner", {-5, 5}, {5, -5}, 1, {0, 0}, {0, 0}},
      {"along the top edge", {-5, 0}, {15, 0}, 1, {0, 0}, {10, 0}},
      {"a point inside", {3, 3}, {3, 3}, 1, {3, 3}, {3, 3}},
      {"a point outside", {-5, -5}, {-5, -5}, 0, {-5, -5}, {-5, -5}},
      {"vertical, left of the box", {-5, -5}, {-5, 20}, 0, {-5, -5}, {-5, 20}},
      {"horizontal, below the box", {-5, 12}, {20, 12}, 0, {-5, 12}, {20, 12}},
      {"vertical through the box", {4, -6}, {4, 16}, 1, {4, 0}, {4, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FPOINT a = c.a, b = c.b;
    EXPECT_EQ(c.result, ClipSegmentToBox(&a, &b, 0, 0, 10, 10));
    EXPECT_FLOAT_EQ(c.placedA.x, a.x);
    EXPECT_FLOAT_EQ(c.placedA.y, a.y);
    EXPECT_FLOAT_EQ(c.placedB.x, b.x);
    EXPECT_FLOAT_EQ(c.placedB.y, b.y);
  }
}

TEST(ClipCurveBlockToBox, BeziersInsideOutsideAndCrossingOneEdge) {
  // Wholly inside: the segment is kept as it is.
  std::unique_ptr<CCurveBlock> inside(
      Curve({MakePointRecord(1, 1, 0x11), MakePointRecord(3, 9, 0), MakePointRecord(7, 9, 0),
             MakePointRecord(9, 1, 0x21)}));
  std::unique_ptr<CCurveBlock> kept(ClipCurveBlockToBox(inside.get(), 0, 0, 10, 10));
  ASSERT_NE(nullptr, kept);
  EXPECT_EQ(inside->GetPoints(), kept->GetPoints());
  // Wholly outside: nothing.
  std::unique_ptr<CCurveBlock> outside(
      Curve({MakePointRecord(20, 1, 0x11), MakePointRecord(23, 9, 0), MakePointRecord(27, 9, 0),
             MakePointRecord(29, 1, 0x21)}));
  EXPECT_EQ(nullptr, ClipCurveBlockToBox(outside.get(), 0, 0, 10, 10));
  // A straight cubic from (5, 5) to (15, 5) with controls at 8 and 12 meets x = 10 at t = 0.5;
  // its first half is 5, 6.5, 8.25, 10 and goes on from the start.
  std::unique_ptr<CCurveBlock> leaving(
      Curve({MakePointRecord(5, 5, 0x11), MakePointRecord(8, 5, 0), MakePointRecord(12, 5, 0),
             MakePointRecord(15, 5, 0x21)}));
  std::unique_ptr<CCurveBlock> half(ClipCurveBlockToBox(leaving.get(), 0, 0, 10, 10));
  ASSERT_NE(nullptr, half);
  std::vector<POINTREC> p = half->GetPoints();
  ASSERT_EQ(5u, p.size());
  const float xs[] = {5, 6.5f, 8.25f, 10};
  const BYTE flags[] = {0x11, 0, 0, 0x01};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(xs[i], p[i].x, 1e-3) << i;
    EXPECT_NEAR(5, p[i].y, 1e-3) << i;
    EXPECT_EQ(flags[i], p[i].flags) << i;
  }
}

// A wave through a thin strip enters it three times: every piece the clip finds is kept, each
// as a sub-path of its own, however many there are.
TEST(ClipCurveBlockToBox, EveryPieceOfAWaveThroughAStripIsKept) {
  std::unique_ptr<CCurveBlock> wave(
      Curve({MakePointRecord(0, 0, 0x11), MakePointRecord(10, 30, 0), MakePointRecord(20, -20, 0),
             MakePointRecord(30, 10, 0x21)}));
  std::unique_ptr<CCurveBlock> pieces(ClipCurveBlockToBox(wave.get(), -100, 4, 100, 6));
  ASSERT_NE(nullptr, pieces);
  std::vector<POINTREC> p = pieces->GetPoints();
  ASSERT_EQ(13u, p.size());
  for (int piece = 0; piece < 3; ++piece) {
    EXPECT_EQ(0x11, p[piece * 4].flags) << piece;
    EXPECT_EQ(0x01, p[piece * 4 + 3].flags) << piece;
    for (int end : {0, 3}) {
      EXPECT_GE(p[piece * 4 + end].y, 4 - 1e-3) << piece;
      EXPECT_LE(p[piece * 4 + end].y, 6 + 1e-3) << piece;
    }
  }
  EXPECT_EQ(kPointEnd, p[12].flags);
}

}  // namespace
