#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <memory>

#include "model/geometry/Matrix2D.h"
#include "model/geometry/MatrixFactories.h"

namespace {

using MatrixPtr = std::unique_ptr<CMatrix2D>;

CMatrix2D Rotation90() { return MakeRotationMatrix(0, 0, 90); }

TEST(CMatrix2D, IdentityTestLooksAtTheExactBitsOfTheDiagonal) {
  CMatrix2D m;
  EXPECT_TRUE(m.IsIdentity());
  m.m[8] = 5.0f;
  EXPECT_TRUE(m.IsIdentity());
  m.m[0] = 0.99999994f;
  EXPECT_FALSE(m.IsIdentity());
  m.SetIdentity();
  m.m[6] = 0.5f;
  EXPECT_FALSE(m.IsIdentity());
}

TEST(CMatrix2D, DivideBySkipsZero) {
  CMatrix2D m;
  m.DivideBy(0.0f);
  EXPECT_TRUE(m.IsIdentity());
  m.DivideBy(2.0f);
  EXPECT_EQ(0.5f, m.m[0]);
  EXPECT_EQ(0.5f, m.m[8]);
}

TEST(CMatrix2D, TransformsPointsInPlaceOrIntoAnOutput) {
  CMatrix2D m;
  m.m[0] = 2;
  m.m[4] = 3;
  m.m[6] = 1;
  m.m[7] = -1;
  FPOINT p = {1, 1}, out;
  EXPECT_EQ(&p, m.TransformPointTo(&p, &out));
  EXPECT_EQ(1.0f, p.x);
  EXPECT_EQ(3.0f, out.x);
  EXPECT_EQ(2.0f, out.y);
  m.TransformPoint(&p);
  EXPECT_EQ(3.0f, p.x);
  // Elements 2, 5 and 8 are never read by the point transforms.
  m.m[2] = 100;
  m.m[5] = 100;
  m.m[8] = 100;
  FPOINT q = {1, 1};
  m.TransformPoint(&q);
  EXPECT_EQ(3.0f, q.x);
  EXPECT_EQ(2.0f, q.y);
}

TEST(CMatrix2D, IntegerOutputsTruncateTowardZero) {
  CMatrix2D m;
  m.m[6] = -2.7f;
  m.m[7] = 2.7f;
  FPOINT p = {0, 0};
  POINT ip;
  m.TransformPointToInt(&p, &ip);
  EXPECT_EQ(-2, ip.x);
  EXPECT_EQ(2, ip.y);
  m.TransformPointToInt(&p);
  EXPECT_FLOAT_EQ(-2.7f, p.x);

  CFRect r(0, 0, 1, 1);
  RECT ir;
  m.TransformRectToInt(&r, &ir);
  EXPECT_EQ(-2, ir.left);
  EXPECT_EQ(2, ir.top);
  EXPECT_EQ(-1, ir.right);  // 1 - 2.7 = -1.7
  EXPECT_EQ(3, ir.bottom);  // 1 + 2.7 = 3.7
}

TEST(CMatrix2D, TransformFRectMapsOnlyTheTwoStoredCorners) {
  CMatrix2D rotation = Rotation90();
  CFRect r(0, 0, 10, 20);
  rotation.TransformFRect(&r);
  EXPECT_EQ(-20.0f, r.left);
  EXPECT_EQ(0.0f, r.top);
  EXPECT_EQ(0.0f, r.right);
  EXPECT_EQ(10.0f, r.bottom);

  CFRect s(0, 0, 10, 20);
  rotation.TransformRect(&s);
  EXPECT_EQ(-20.0f, s.left);
  EXPECT_EQ(0.0f, s.top);
  EXPECT_EQ(0.0f, s.right);
  EXPECT_EQ(10.0f, s.bottom);
}

TEST(CMatrix2D, TransformRectGivesTheBoundingBoxUnderRotation) {
  CMatrix2D rotation = MakeRotationMatrix(0, 0, 45);
  CFRect two(0, 0, 10, 10), four(0, 0, 10, 10);
  rotation.TransformFRect(&two);
  rotation.TransformRect(&four);
  // The corner (10, 0) maps to (7.07, 7.07) and (0, 10) to (-7.07, 7.07): only the full box sees
  // them.
  EXPECT_NEAR(-7.0711f, four.left, 1e-3);
  EXPECT_NEAR(7.0711f, four.right, 1e-3);
  EXPECT_NEAR(0.0f, four.top, 1e-5);
  EXPECT_NEAR(14.1421f, four.bottom, 1e-3);
  EXPECT_NEAR(0.0f, two.left, 1e-5);
  EXPECT_NEAR(0.0f, two.right, 1e-5);

  FPOINT corners[4];
  CFRect box;
  CFRect source(0, 0, 10, 10);
  rotation.TransformRectToQuad(&source, corners, &box);
  EXPECT_NEAR(7.0711f, corners[1].x, 1e-3);   // right-top
  EXPECT_NEAR(-7.0711f, corners[2].x, 1e-3);  // left-bottom
  EXPECT_EQ(four.left, box.left);
  EXPECT_EQ(four.bottom, box.bottom);

  RECT ir;
  CFRect again(0, 0, 10, 10);
  rotation.TransformRect(&again, &ir);
  EXPECT_EQ(-7, ir.left);
  EXPECT_EQ(14, ir.bottom);
}

TEST(CMatrix2D, TransformRectToIntNeverNormalises) {
  CMatrix2D rotation = Rotation90();
  CFRect r(0, 0, 10, 20);
  rotation.TransformRectToInt(&r);
  EXPECT_EQ(0.0f, r.left);
  EXPECT_EQ(-20.0f, r.right);
  EXPECT_EQ(10.0f, r.bottom);
}

TEST(CMatrix2D, MultiplyAppliesThisFirstAndForcesElement8) {
  CMatrix2D scale, shift;
  scale.m[0] = 2;
  scale.m[4] = 2;
  shift.m[6] = 5;
  scale.m[8] = 7;
  shift.m[8] = 3;
  CMatrix2D product = scale;
  product.Multiply(shift);
  FPOINT p = {1, 1};
  product.TransformPoint(&p);
  EXPECT_EQ(7.0f, p.x);  // scaled first, then shifted
  EXPECT_EQ(2.0f, p.y);
  EXPECT_EQ(1.0f, product.m[8]);
  EXPECT_EQ(0.0f, product.m[5]);

  CMatrix2D self = shift;
  self.m[7] = 1;
  self.Multiply(self);
  EXPECT_EQ(10.0f, self.m[6]);
  EXPECT_EQ(2.0f, self.m[7]);
  CMatrix2D appended = shift;
  shift.m[7] = 4;
  EXPECT_EQ(4.0f, appended.Append(shift));
}

TEST(CMatrix2D, InverseUndoesTheTransform) {
  CMatrix2D rotation = MakeRotationMatrix(3, 4, 30);
  CMatrix2D m = rotation;
  m.m[0] *= 2;
  m.m[3] *= 2;
  bool ok = false;
  CMatrix2D inverse = m.Inverted(&ok);
  EXPECT_TRUE(ok);
  FPOINT p = {12.5f, -7.25f};
  m.TransformPoint(&p);
  inverse.TransformPoint(&p);
  EXPECT_NEAR(12.5f, p.x, 1e-4);
  EXPECT_NEAR(-7.25f, p.y, 1e-4);

  // The heap form holds the same matrix.
  MatrixPtr owned(m.Inverse(&ok));
  EXPECT_TRUE(ok);
  EXPECT_EQ(0, memcmp(owned->m, inverse.m, sizeof inverse.m));
}

TEST(CMatrix2D, ASingularMatrixSaysSoAndMapsNothingAway) {
  CMatrix2D zero;
  for (float& e : zero.m) e = 0.0f;
  EXPECT_FALSE(zero.IsInvertible());
  bool ok = true;
  CMatrix2D inverse = zero.Inverted(&ok);
  EXPECT_FALSE(ok);
  EXPECT_TRUE(inverse.IsIdentity());
  ok = true;
  MatrixPtr owned(zero.Inverse(&ok));
  EXPECT_FALSE(ok);
  EXPECT_TRUE(owned->IsIdentity());

  CMatrix2D flat;  // scales y to nothing: a zero-height block
  flat.m[4] = 0;
  EXPECT_FALSE(flat.IsInvertible());
  CMatrix2D flatInverse = flat.Inverted();
  FPOINT p = {3, 4};
  flatInverse.TransformPoint(&p);
  EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));

  CMatrix2D broken;
  broken.m[6] = NAN;
  EXPECT_FALSE(broken.IsInvertible());
}

TEST(CMatrix2D, InverseLengthMeasuresAVerticalLengthBack) {
  CMatrix2D display;  // page millimetres to pixels at 4 pixels per millimetre
  display.m[0] = 4;
  display.m[4] = 4;
  display.m[6] = 100;
  display.m[7] = 50;
  EXPECT_FLOAT_EQ(0.75f, display.InverseLength(3));
  EXPECT_FLOAT_EQ(0.75f, display.InverseLength(-3));
  CMatrix2D rotation = MakeRotationMatrix(0, 0, 90);
  EXPECT_NEAR(3.0f, rotation.InverseLength(3), 1e-6);
}

}  // namespace
