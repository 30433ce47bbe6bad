// The cached one-pixel pens of the views' outline drawing, on a memory canvas: each scope draws in
// its colour and gives the context its pen back, also once more colours than the cache keeps have
// pushed the first ones out.
#include <gtest/gtest.h>

#include "model/editing/ThinPenScope.h"
#include "support/MemoryCanvas.h"

namespace {

TEST(ThinPenScope, EachColourDrawsItselfAndTheContextGetsItsPenBackWhileTheCacheTurnsOver) {
  MemoryCanvas canvas(160, 4);
  HGDIOBJ own = GetCurrentObject(canvas.DC(), OBJ_PEN);
  auto colourOf = [](int i) { return RGB(i * 3, 255 - i, (i * 7) % 256); };
  for (int i = 0; i < 160; ++i) {
    CThinPenScope pen(&canvas.DC(), colourOf(i % 80));
    canvas.DC().MoveTo(i, 0);
    canvas.DC().LineTo(i, 4);
  }
  EXPECT_EQ(own, GetCurrentObject(canvas.DC(), OBJ_PEN));
  for (int i = 0; i < 160; ++i) ASSERT_EQ(colourOf(i % 80), canvas.DC().GetPixel(i, 2)) << i;
  EXPECT_EQ(CThinPenScope::PenOf(RGB(1, 2, 3)), CThinPenScope::PenOf(RGB(1, 2, 3)));
}

}  // namespace
