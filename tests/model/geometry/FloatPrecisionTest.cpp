#include <gtest/gtest.h>

#include <cfloat>

#include "model/geometry/Matrix2D.h"

namespace {

static_assert(FLT_EVAL_METHOD == 0,
              "float arithmetic must be done in float, not x87 extended precision");

// 2^24 + 1 is not a float. Done in float the sum rounds back to 2^24 and the difference is 0;
// an x87 register would keep the 1 and give a different cut path on another machine.
TEST(FloatPrecision, IntermediateResultsAreRoundedToFloat) {
  volatile float big = 16777216.0f;
  volatile float one = 1.0f;
  float sum = big + one;
  EXPECT_EQ(0.0f, (big + one) - big);
  EXPECT_EQ(16777216.0f, sum);

  CMatrix2D m;
  m.m[0] = big;
  m.m[6] = one;
  FPOINT p = {1.0f, 0.0f};
  m.TransformPoint(&p);
  EXPECT_EQ(16777216.0f, p.x);
}

}  // namespace
