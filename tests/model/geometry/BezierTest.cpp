#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "model/geometry/Bezier.h"
#include "model/geometry/BezierTable.h"
#include "model/geometry/Geometry.h"

namespace {

FPOINT Pt(float x, float y) {
  FPOINT p = {x, y};
  return p;
}

// A quarter of the circle of radius 50 about the origin, from (50, 0) to (0, -50).
CBezier QuarterCircle() {
  const float k = 0.5523f * 50;
  return CBezier(Pt(50, 0), Pt(50, -k), Pt(k, -50), Pt(0, -50));
}

CBezier StraightPiece() { return CBezier(Pt(0, 0), Pt(10.0f / 3, 0), Pt(20.0f / 3, 0), Pt(10, 0)); }

// Restores the shared table's step count when a test changes it.
class TableSteps {
public:
  explicit TableSteps(int n) : m_old(GetBezierTable().GetSteps()) { GetBezierTable().SetSteps(n); }
  ~TableSteps() { GetBezierTable().SetSteps(m_old); }

private:
  int m_old;
};

TEST(CBezierTable, StepsAreClampedAndEntryBeforeLastIsTheEnd) {
  CBezierTable table;
  EXPECT_EQ(100, table.GetSteps());
  table.SetSteps(0);
  EXPECT_EQ(1, table.GetSteps());
  table.SetSteps(250);
  EXPECT_EQ(100, table.GetSteps());
  table.SetSteps(20);
  EXPECT_EQ(20, table.GetSteps());
  // Entry n - 1 is t = 1 exactly: all weight on P3.
  EXPECT_EQ(1.0f, table.Weights(19)[3]);
  EXPECT_EQ(0.0f, table.Weights(19)[0]);
}

TEST(CBezier, EvaluateSplitAndSubSegment) {
  CBezier piece = QuarterCircle();
  FPOINT mid;
  piece.PointAt(0.5f, &mid);
  EXPECT_NEAR(50.0f, std::hypot(mid.x, mid.y), 0.02f);

  FPOINT s[7];
  piece.SplitAt(0.3f, s);
  FPOINT at;
  piece.PointAt(0.3f, &at);
  EXPECT_NEAR(at.x, s[3].x, 1e-4);
  EXPECT_NEAR(at.y, s[3].y, 1e-4);
  EXPECT_EQ(piece.p[0].x, s[0].x);
  EXPECT_EQ(piece.p[3].y, s[6].y);

  CBezier first, second;
  piece.Split(&first, &second, 0.5f);
  EXPECT_EQ(first.p[3].x, second.p[0].x);
  EXPECT_NEAR(mid.x, first.p[3].x, 1e-4);

  FPOINT sub[4], swapped[4], a, b;
  piece.SubSegment(0.2f, 0.6f, sub);
  piece.SubSegment(0.6f, 0.2f, swapped);
  piece.PointAt(0.2f, &a);
  piece.PointAt(0.6f, &b);
  EXPECT_NEAR(a.x, sub[0].x, 1e-4);
  EXPECT_NEAR(a.y, sub[0].y, 1e-4);
  EXPECT_NEAR(b.x, sub[3].x, 1e-4);
  EXPECT_NEAR(b.y, sub[3].y, 1e-4);
  EXPECT_EQ(sub[1].x, swapped[1].x);
  FPOINT start[4];
  piece.SubSegment(0.0f, 0.0f, start);  // no division by a zero upper bound
  EXPECT_EQ(piece.p[0].x, start[3].x);
}

TEST(CBezier, BoxOfPointsAndOfTheCurve) {
  // Controls distant above; the curve itself only reaches y = -7.5.
  CBezier arch(Pt(0, 0), Pt(0, -10), Pt(10, -10), Pt(10, 0));
  arch.ComputeBox();
  EXPECT_EQ(-10.0f, arch.minY);
  EXPECT_EQ(10.0f, arch.maxX);
  CFRect box(0, 0, 0, 0);
  arch.ExtendBoxByCurve(&box);
  EXPECT_FLOAT_EQ(-7.5f, box.top);
  EXPECT_EQ(0.0f, box.bottom);
  EXPECT_EQ(10.0f, box.right);
}

TEST(CBezier, LengthAndPointAtDistance) {
  EXPECT_NEAR(10.0f, StraightPiece().Length(100), 1e-4);
  EXPECT_NEAR(10.0f, StraightPiece().Length(0), 1e-4);
  CBezier quarter = QuarterCircle();
  float length = quarter.Length(20);
  EXPECT_NEAR(50.0f * 3.14159265f / 2, length, 0.1f);

  FPOINT p = {7, 7};
  quarter.PointAtDistance(&p, 1, 0, 20);  // a zero total leaves the output alone
  EXPECT_EQ(7.0f, p.x);
  quarter.PointAtDistance(&p, length * 2, length, 20);
  EXPECT_EQ(0.0f, p.x);
  EXPECT_EQ(0.0f, p.y);
  quarter.PointAtDistance(&p, length, length, 20);
  EXPECT_EQ(0.0f, p.x);
  EXPECT_EQ(-50.0f, p.y);
  quarter.PointAtDistance(&p, length / 2, length, 20);
  EXPECT_NEAR(50.0f, std::hypot(p.x, p.y), 0.05f);
  EXPECT_NEAR(3.14159265 / 4, std::atan2(-p.y, p.x), 0.06);
}

TEST(CBezier, NearestParameterWorksBelowOneUnitAndStaysInRange) {
  // A piece shorter than one page unit: whole-number distances would all be 0.
  CBezier tiny(Pt(0, 0), Pt(0.1f, 0), Pt(0.2f, 0), Pt(0.3f, 0));
  EXPECT_NEAR(0.75f, tiny.NearestParameter(0.225f, 0.01f, 0.0f, 1.0f), 0.01f);
  EXPECT_NEAR(0.25f, tiny.NearestParameter(0.075f, 0.0f, 0.0f, 1.0f), 0.01f);
  float t = tiny.NearestParameter(0.4f, 0.0f, 0.97f, 1.07f);
  EXPECT_LE(t, 1.0f);
  EXPECT_GE(t, 0.97f);
  EXPECT_GE(tiny.NearestParameter(-0.1f, 0.0f, -0.05f, 0.05f), 0.0f);
}

TEST(CBezier, HitTest) {
  CBezier quarter = QuarterCircle();
  FPOINT start = {50, 0};
  EXPECT_NEAR(0.0f, quarter.HitTest(&start, 0.5f), 0.01f) << "a hit at the start is a hit";

  FPOINT close = {35.5f, -35.5f};  // about 0.2 outside the arc at 45 degrees
  float t = quarter.HitTest(&close, 0.5f);
  EXPECT_NEAR(0.5f, t, 0.02f);
  EXPECT_NEAR(50.0f, std::hypot(close.x, close.y), 0.05f);  // moved onto the curve

  FPOINT end = {0, -50.3f};
  t = quarter.HitTest(&end, 0.5f);
  EXPECT_GT(t, 0.95f);
  EXPECT_LE(t, 1.0f);

  FPOINT inside = {30, -30};
  EXPECT_EQ(-1.0f, quarter.HitTest(&inside, 0.5f));
  FPOINT outsideBox = {80, 0};
  EXPECT_EQ(-1.0f, quarter.HitTest(&outsideBox, 0.5f));

  // With few table steps the polyline still follows the curve, not its chord.
  TableSteps steps(10);
  FPOINT apex = {35.4f, -35.4f};
  EXPECT_NEAR(0.5f, quarter.HitTest(&apex, 0.5f), 0.02f);
}

TEST(CBezier, HitTestOfAPointLikePiece) {
  CBezier dot(Pt(3, 3), Pt(3, 3), Pt(3, 3), Pt(3, 3));
  FPOINT p = {3.2f, 3.0f};
  EXPECT_EQ(0.0f, dot.HitTest(&p, 0.5f));
  EXPECT_EQ(3.0f, p.x);
  FPOINT q = {4, 3};
  EXPECT_EQ(-1.0f, dot.HitTest(&q, 0.5f));
}

TEST(CBezier, FlattenToText) {
  EXPECT_EQ(CString("10,0"), StraightPiece().FlattenToText());
  CBezier dot(Pt(3, 3), Pt(3, 3), Pt(3, 3), Pt(3, 3));
  EXPECT_TRUE(dot.FlattenToText().IsEmpty());

  CString text = QuarterCircle().FlattenToText();
  EXPECT_EQ(CString("0,-50"), text.Right(5));
  // Every written point lies on the circle (within truncation), and there are several.
  int pairs = 0;
  const char* at = text;
  int x, y, used;
  while (sscanf(at, "%d,%d%n", &x, &y, &used) == 2) {
    EXPECT_NEAR(50.0, std::hypot(x, y), 1.5) << text;
    ++pairs;
    at += used;
    if (*at == ',') ++at;
  }
  EXPECT_GT(pairs, 3);
  EXPECT_EQ('\0', *at);
}

TEST(CBezier, SolveFindsARootOnAStep) {
  // x(t) = 30 t^2 - 20 t^3 is exactly 5 at t = 0.5, a step of the scan.
  CBezier piece(Pt(0, 0), Pt(0, 1), Pt(10, 2), Pt(10, 3));
  CArray<float> roots;
  ASSERT_EQ(1, SolveBezierCoordinate(1, 0, 5, piece, &roots));
  EXPECT_EQ(0.5f, roots[0]);
  roots.RemoveAll();
  EXPECT_EQ(1, SolveBezierCoordinate(0, 1, 0.75f, piece, &roots));
  EXPECT_NEAR(0.25f, roots[0], 1e-5);
  roots.RemoveAll();
  EXPECT_EQ(0, SolveBezierCoordinate(1, 0, 20, piece, &roots));
  CBezier flat(Pt(0, 2), Pt(1, 2), Pt(2, 2), Pt(3, 2));
  EXPECT_EQ(0, SolveBezierCoordinate(0, 1, 2, flat, &roots));
}

TEST(CBezier, InsertSortedFloat) {
  float values[4] = {1, 2, 3, 0};
  InsertSortedFloat(values, 5, 3);
  EXPECT_EQ(3.0f, values[2]);
  EXPECT_EQ(0.0f, values[3]);
  InsertSortedFloat(values, 2.5f, 3);
  EXPECT_EQ(2.0f, values[1]);
  EXPECT_EQ(2.5f, values[2]);
  EXPECT_EQ(3.0f, values[3]);
}

TEST(CBezier, ClipWhollyInsideAndOutside) {
  CBezier quarter = QuarterCircle();
  CArray<FPOINT> pieces;
  ASSERT_EQ(1, quarter.ClipToBox(-100, -100, 100, 100, &pieces));
  ASSERT_EQ(5, pieces.GetSize());
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(quarter.p[i].x, pieces[i].x, 1e-4);
    EXPECT_NEAR(quarter.p[i].y, pieces[i].y, 1e-4);
  }
  EXPECT_EQ(kClipEndMarker, pieces[4].x);
  EXPECT_EQ(kClipEndMarker, pieces[4].y);

  CArray<FPOINT> none;
  EXPECT_EQ(0, quarter.ClipToBox(100, 100, 200, 200, &none));
  EXPECT_EQ(0, none.GetSize());
}

// Counts the runs of parameters whose curve point lies in the box, sampling finely.
int InsideRuns(const CBezier& piece, float x1, float y1, float x2, float y2) {
  int runs = 0;
  bool wasInside = false;
  for (int i = 0; i <= 20000; ++i) {
    FPOINT p;
    piece.PointAt(i / 20000.0f, &p);
    bool inside = PointInBox(p.x, p.y, x1, y1, x2, y2);
    if (inside && !wasInside) ++runs;
    wasInside = inside;
  }
  return runs;
}

// Clips and checks that every inside stretch comes back as one piece lying in the box.
void ExpectClipMatchesSampling(CBezier curve) {
  CArray<FPOINT> pieces;
  ASSERT_EQ(1, curve.ClipToBox(0, 0, 10, 10, &pieces));
  ASSERT_EQ(1, pieces.GetSize() % 4);
  int count = static_cast<int>(pieces.GetSize() / 4);
  EXPECT_EQ(InsideRuns(curve, 0, 0, 10, 10), count);
  for (int i = 0; i < count; ++i) {
    CBezier piece(&pieces[i * 4]);
    for (float t : {0.0f, 0.25f, 0.5f, 0.75f, 1.0f}) {
      FPOINT p;
      piece.PointAt(t, &p);
      EXPECT_TRUE(PointInBox(p.x, p.y, -1e-3f, -1e-3f, 10.001f, 10.001f)) << i << " " << t;
    }
  }
  EXPECT_EQ(kClipEndMarker, pieces[pieces.GetSize() - 1].x);
}

TEST(CBezier, ClipKeepsEveryPieceOfAWildCurve) {
  // x swings across both vertical edges three times each and y across both horizontal edges
  // twice each: ten crossings, more than a fixed list of ten parameters has room for.
  CBezier wild(Pt(-2.5f, -2), Pt(42.5f, 20), Pt(-32.5f, 20), Pt(12.5f, -2));
  CArray<float> roots;
  for (float edge : {0.0f, 10.0f}) {
    SolveBezierCoordinate(1, 0, edge, wild, &roots);
    SolveBezierCoordinate(0, 1, edge, wild, &roots);
  }
  EXPECT_EQ(10, roots.GetSize());
  ExpectClipMatchesSampling(wild);
  // A curve that enters the box three times.
  ExpectClipMatchesSampling(
      CBezier(Pt(8.9f, 8.7f), Pt(-13, -31.3f), Pt(44.8f, 48.5f), Pt(-2.5f, -6.5f)));
}

}  // namespace
