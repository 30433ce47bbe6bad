#include <gtest/gtest.h>

#include "model/geometry/FRect.h"

namespace {

TEST(CFRect, StartsEmptyAndCopies) {
  CFRect r;
  EXPECT_EQ(0.0f, r.left);
  EXPECT_EQ(0.0f, r.bottom);
  CFRect a(1, 2, 3, 4), b;
  a.CopyTo(&b);
  EXPECT_EQ(3.0f, b.right);
  EXPECT_EQ(&b, a.CopyTo(&b));
  EXPECT_EQ(0.0f, b.SetEmpty().top);
}

TEST(CFRect, InsideIncludesTheEdges) {
  CFRect r(0, 0, 10, 10);
  EXPECT_TRUE(r.IsInside(0, 0, 10, 10));
  EXPECT_TRUE(r.IsInside(-1, -1, 11, 11));
  EXPECT_FALSE(r.IsInside(0.5f, 0, 10, 10));
  EXPECT_FALSE(r.IsInside(0, 0, 10, 9.9f));
}

TEST(CFRect, OutsideCountsTouchingAnEdge) {
  CFRect r(0, 0, 10, 10);
  EXPECT_TRUE(r.IsOutside(10, 0, 20, 10));  // touches the right edge
  EXPECT_TRUE(r.IsOutside(-10, 0, 0, 10));  // touches the left edge
  EXPECT_TRUE(r.IsOutside(0, 10, 10, 20));
  EXPECT_TRUE(r.IsOutside(0, -5, 10, 0));
  EXPECT_FALSE(r.IsOutside(9, 9, 20, 20));
  EXPECT_FALSE(r.IsOutside(2, 2, 3, 3));  // box inside the rectangle
}

TEST(CFRect, InflateMoveAndNormalize) {
  CFRect r(0, 0, 10, 20);
  r.Inflate(1, 2);
  EXPECT_EQ(CFRect(-1, -2, 11, 22).left, r.left);
  EXPECT_EQ(22.0f, r.bottom);
  r.Inflate(-1, -2);
  r.MoveTo(5, -5);
  EXPECT_EQ(5.0f, r.left);
  EXPECT_EQ(15.0f, r.right);
  EXPECT_EQ(-5.0f, r.top);
  EXPECT_EQ(15.0f, r.bottom);
  FPOINT p;
  EXPECT_EQ(&p, r.GetTopLeft(&p));
  EXPECT_EQ(5.0f, p.x);
  EXPECT_EQ(-5.0f, p.y);

  CFRect flipped(10, 20, 0, 0);
  EXPECT_EQ(10.0f, flipped.Width());
  EXPECT_EQ(20.0f, flipped.Height());
  flipped.Normalize();
  EXPECT_EQ(0.0f, flipped.left);
  EXPECT_EQ(20.0f, flipped.bottom);
  flipped.SetWidth(-4);
  flipped.SetHeight(3);
  EXPECT_EQ(4.0f, flipped.right);
  EXPECT_EQ(3.0f, flipped.bottom);
}

}  // namespace
