#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "model/geometry/MatrixFactories.h"

namespace {

FPOINT Map(const CMatrix2D& m, float x, float y) {
  FPOINT p = {x, y};
  m.TransformPoint(&p);
  return p;
}

TEST(MatrixFactories, RightAnglesAreExact) {
  CMatrix2D r90 = MakeRotationMatrix(0, 0, 90);
  FPOINT p = Map(r90, 1, 0);
  EXPECT_EQ(0.0f, p.x);
  EXPECT_EQ(1.0f, p.y);
  CMatrix2D r180 = MakeRotationMatrix(0, 0, 180);
  p = Map(r180, 1, 0);
  EXPECT_EQ(-1.0f, p.x);
  EXPECT_EQ(0.0f, p.y);
  CMatrix2D rm180 = MakeRotationMatrix(0, 0, -180);
  EXPECT_EQ(-1.0f, Map(rm180, 1, 0).x);
  CMatrix2D rm90 = MakeRotationMatrix(0, 0, -90);
  p = Map(rm90, 1, 0);
  EXPECT_EQ(0.0f, p.x);
  EXPECT_EQ(-1.0f, p.y);
}

TEST(MatrixFactories, RotationTurnsAboutItsCentre) {
  CMatrix2D r = MakeRotationMatrix(10, 20, 90);
  FPOINT centre = Map(r, 10, 20);
  EXPECT_EQ(10.0f, centre.x);
  EXPECT_EQ(20.0f, centre.y);
  FPOINT p = Map(r, 12, 20);  // right of the centre goes below it (clockwise on screen)
  EXPECT_EQ(10.0f, p.x);
  EXPECT_EQ(22.0f, p.y);

  CMatrix2D box = MakeRotationMatrixAboutBox(0, 10, 20, 30, 90);
  EXPECT_EQ(0, memcmp(box.m, r.m, sizeof r.m));

  CMatrix2D r30 = MakeRotationMatrix(0, 0, 30);
  p = Map(r30, 1, 0);
  EXPECT_NEAR(std::cos(30 * 0.017453292222222222), p.x, 1e-7);
  EXPECT_NEAR(0.5f, p.y, 1e-6);
}

TEST(MatrixFactories, MirrorsAcrossTheBoxCentre) {
  CMatrix2D none = MakeMirrorMatrix(0, 0, 10, 10, false, false);
  EXPECT_TRUE(none.IsIdentity());
  CMatrix2D h = MakeMirrorMatrix(0, 0, 10, 10, true, false);
  FPOINT p = Map(h, 2, 3);
  EXPECT_EQ(8.0f, p.x);
  EXPECT_EQ(3.0f, p.y);
  CMatrix2D v = MakeMirrorMatrix(0, 0, 10, 20, false, true);
  p = Map(v, 2, 3);
  EXPECT_EQ(2.0f, p.x);
  EXPECT_EQ(17.0f, p.y);
}

TEST(MatrixFactories, SkewShearsAboutTheBoxCentre) {
  CMatrix2D s = MakeSkewMatrix(0, 0, 10, 10, 45, 0);
  FPOINT p = Map(s, 5, 5);
  EXPECT_FLOAT_EQ(5.0f, p.x);
  EXPECT_FLOAT_EQ(5.0f, p.y);
  p = Map(s, 5, 7);  // x' = x + tan(45) * (y - cy)
  EXPECT_NEAR(7.0f, p.x, 1e-5);
  EXPECT_FLOAT_EQ(7.0f, p.y);
  CMatrix2D t = MakeSkewMatrix(0, 0, 10, 10, 0, 45);
  p = Map(t, 7, 5);
  EXPECT_NEAR(7.0f, p.y, 1e-5);
}

TEST(MatrixFactories, SkewNearARightAngleStaysFinite) {
  for (float angle : {90.0f, -90.0f, 270.0f, 89.9999f, 450.0f, 1e30f, INFINITY, NAN}) {
    CMatrix2D s = MakeSkewMatrix(0, 0, 10, 10, angle, angle);
    for (float e : s.m) EXPECT_TRUE(std::isfinite(e)) << "angle " << angle;
    EXPECT_TRUE(s.IsInvertible() || std::fabs(s.m[3] * s.m[1] - 1.0f) < 1e-3f) << "angle " << angle;
  }
  CMatrix2D limited = MakeSkewMatrix(0, 0, 0, 0, 90, 0);
  EXPECT_NEAR(std::tan(89 * 0.017453292222222222), limited.m[3], 1e-3);
  CMatrix2D wrapped = MakeSkewMatrix(0, 0, 0, 0, 225, 0);  // 225 is 45 modulo 180
  EXPECT_NEAR(1.0f, wrapped.m[3], 1e-5);
}

}  // namespace
