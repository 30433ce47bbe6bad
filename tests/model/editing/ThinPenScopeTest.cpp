// The cached one-pixel pens of the views' outline drawing, on a memory canvas (no window): each
// scope draws in its colour and gives the context its pen back, also after more colours than the
// cache keeps have pushed the first ones out.
#include <gtest/gtest.h>

#include "model/editing/ThinPenScope.h"
#include "support/MemoryCanvas.h"

namespace {

TEST(ThinPenScope, EachColourDrawsItselfAndTheContextGetsItsPenBackWhileTheCacheTurnsOver) {
  const int kColours = 80;
  MemoryCanvas canvas(kColours + 2, 20);
  CDC& dc = canvas.DC();
  HGDIOBJ own = GetCurrentObject(dc, OBJ_PEN);
  auto colourOf = [](int i) { return RGB(i * 3, 255 - i, (i * 7) % 256); };
  for (int round = 0; round < 2; ++round)
    for (int i = 0; i < kColours; ++i) {
      CThinPenScope pen(&dc, colourOf(i));
      dc.MoveTo(i, 2 + round * 8);
      dc.LineTo(i, 8 + round * 8);
    }
  EXPECT_EQ(own, GetCurrentObject(dc, OBJ_PEN));
  for (int round = 0; round < 2; ++round)
    for (int i = 0; i < kColours; ++i)
      ASSERT_EQ(colourOf(i), dc.GetPixel(i, 4 + round * 8)) << "colour " << i << " round " << round;
  EXPECT_EQ(CThinPenScope::PenOf(RGB(1, 2, 3)), CThinPenScope::PenOf(RGB(1, 2, 3)));
}

}  // namespace
