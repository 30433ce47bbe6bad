// The arithmetic of the drawing views, without windows: zoom to fit and its tick units, the steps
// and pace of scrolling under a fake clock, and snapping under fake key states. A view without a
// window has a client area of nothing, which must still give a usable zoom.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "editor/views/RulerManager.h"
#include "editor/views/ScrollThrottle.h"
#include "editor/views/TALVEXView.h"
#include "framework/KeyState.h"
#include "model/blocks/GuideLine.h"
#include "model/document/TALVEX42Doc.h"

namespace {

TEST(ZoomToFit, APageWiderThanTheClientFitsItsWidthAndIsCentredVertically) {
  // 1000 x 500 page, 800 x 600 client, 15-pixel rulers: 785 x 585 pixels for the page.
  CRulerManager::Fit fit = CRulerManager::FitRect(CFRect(0, 0, 1000, 500), 800, 600, 15);
  EXPECT_DOUBLE_EQ(1000.0 / 785.0, fit.scale);
  EXPECT_EQ(10, fit.unit);
  EXPECT_FLOAT_EQ(0.0f, fit.originX);
  EXPECT_FLOAT_EQ(static_cast<float>(-(1000.0 / 785.0 * 585.0 - 500.0) / 2.0), fit.originY);
}

TEST(ZoomToFit, ScalesAreHeldBetweenTheLimitsAndAPointIsCentred) {
  CRulerManager::Fit point = CRulerManager::FitRect(CFRect(50, 40, 50, 40), 800, 600, 15);
  EXPECT_DOUBLE_EQ(0.02, point.scale);
  EXPECT_EQ(1, point.unit);
  EXPECT_FLOAT_EQ(static_cast<float>(50 - 0.02 * 785 / 2), point.originX);
  EXPECT_FLOAT_EQ(static_cast<float>(40 - 0.02 * 585 / 2), point.originY);

  // The upper limit is a cap: a larger request never ends at a larger scale than the limit.
  CRulerManager::Fit huge = CRulerManager::FitRect(CFRect(0, 0, 2.0e9f, 1), 800, 600, 15);
  EXPECT_DOUBLE_EQ(1000000.0, huge.scale);
  EXPECT_EQ(10000000, huge.unit);
  CRulerManager::Fit inverted = CRulerManager::FitRect(CFRect(10, 10, 0, 0), 800, 600, 15);
  EXPECT_DOUBLE_EQ(0.02, inverted.scale);
}

TEST(ZoomToFit, AClientNoLargerThanTheRulersGivesAFiniteScale) {
  for (int client : {15, 10, 0, -3}) {
    CRulerManager::Fit fit = CRulerManager::FitRect(CFRect(0, 0, 100, 50), client, client, 15);
    EXPECT_TRUE(std::isfinite(fit.scale)) << client;
    // One pixel stands for the whole page, not a wrapped-around four billion.
    EXPECT_DOUBLE_EQ(100.0, fit.scale) << client;
    EXPECT_TRUE(std::isfinite(fit.originX) && std::isfinite(fit.originY)) << client;
  }
}

TEST(TickUnit, IsThePowerOfTenAboveTheScaleRaisedUntilItSpansThreePixels) {
  struct Case {
    double scale;
    int unit;
  } cases[] = {
      {0.02, 1},
      {0.3, 1},
      {0.5, 10},
      {1.0, 10},
      {1000.0 / 785.0, 10},
      {5.0, 100},
      {10.0, 100},
      {50.0, 1000},
      {99999.0, 1000000},
      {100000.0, 1000000},
      {250000.0, 1000000},
      {500000.0, 10000000},
      {999999.0, 10000000},
      {1000000.0, 10000000},
  };
  for (const Case& c : cases) EXPECT_EQ(c.unit, CRulerManager::TickUnitFor(c.scale)) << c.scale;
}

TEST(TickUnit, EveryScaleOfTheRangeGetsAUnitOfThreeToThirtyPixels) {
  // Except below a tenth of a unit per pixel, where the millimetre tick spans up to 50 pixels.
  std::set<int> units;
  for (double scale = 0.02; scale <= 1000000.0; scale *= 1.07) {
    int unit = CRulerManager::TickUnitFor(scale);
    units.insert(unit);
    double pixels = unit / scale;
    EXPECT_GE(pixels, 3.0) << scale;
    EXPECT_LE(pixels, unit == 1 ? 50.0 : 30.0) << scale;
    int power = unit;
    while (power % 10 == 0) power /= 10;
    EXPECT_EQ(1, power) << scale;
  }
  EXPECT_EQ(8u, units.size());  // 1 up to 10,000,000
}

TEST(Scrolling, LineAndPageStepsAreTenthsAndThirdsOfTheClient) {
  struct Case {
    UINT code;
    bool scrolls;
    int distance;
  } cases[] = {
      {SB_LINEUP, true, 78},     {SB_LINEDOWN, true, -78},  {SB_PAGEUP, true, 261},
      {SB_PAGEDOWN, true, -261}, {SB_THUMBTRACK, false, 0}, {SB_THUMBPOSITION, false, 0},
      {SB_ENDSCROLL, false, 0},  {SB_TOP, false, 0},
  };
  for (const Case& c : cases) {
    int distance = 0;
    EXPECT_EQ(c.scrolls, CTALVEXView::ScrollDistance(c.code, 785, &distance)) << c.code;
    EXPECT_EQ(c.distance, distance) << c.code;
  }
}

DWORD g_now = 0;
DWORD FakeClock() { return g_now; }

class ScrollPace : public ::testing::Test {
protected:
  void SetUp() override { previous = CScrollThrottle::SetTickSource(&FakeClock); }
  void TearDown() override { CScrollThrottle::SetTickSource(previous); }
  CScrollThrottle::TickSource previous = nullptr;
};

TEST_F(ScrollPace, StepsCloserThanATenthOfASecondAreDroppedAlsoWhenTheTickCountWraps) {
  // Time-of-day arithmetic would stop scrolling for a day at midnight; tick differences do not.
  struct Step {
    DWORD now;
    bool accepted;
  } steps[] = {
      {3, true},  // the first step, even right after start-up
      {102, false},        {103, true},          {153, false},
      {0xFFFFFFC0u, true}, {0x00000010u, false},  // 80 ms later, across the wrap
      {0x00000030u, true},                        // 112 ms later
  };
  CScrollThrottle throttle;
  for (const Step& step : steps) {
    g_now = step.now;
    EXPECT_EQ(step.accepted, throttle.Accept()) << step.now;
  }
}

// Snapping reads Z, X and C at the moment of the call.
class Snapping : public ::testing::Test {
protected:
  void SetUp() override {
    // The document is the fixture's: losing its only view must not make it delete itself.
    document.m_bAutoDelete = FALSE;
    previousKeys = AfxSetKeyStateHandler(
        [this](int key) -> SHORT { return held.count(key) ? static_cast<SHORT>(0x8000) : 0; });
    document.GetPageSettings().m_width = 300;
    document.GetPageSettings().m_height = 200;
    document.GetPageSettings().m_gridSize = 10;
    document.AddView(&view);
    rulers.SetGuideList(&document.GetGuideLines());
  }
  void TearDown() override { AfxSetKeyStateHandler(previousKeys); }

  void AddGuide(float x, float y, double angle) {
    document.GetGuideLines().AddObject(new CGuideLine(x, y, angle));
  }
  // Snaps a 20 x 10 rectangle at (left, top) with a tolerance of 2 units.
  int Snap(float left, float top, CFRect* out) {
    *out = CFRect(left, top, left + 20, top + 10);
    return rulers.SnapRect(out, 2.0f);
  }

  std::set<int> held;
  AfxKeyStateHandler previousKeys;
  CTALVEX42Doc document;
  CTALVEXView view;
  CRulerManager rulers{&view};
};

TEST_F(Snapping, ZAlignsTheTopOrElseTheBottomWithHorizontalGuidesAndSidesWithVerticalOnes) {
  held = {'Z'};
  AddGuide(0, 51, 0);
  AddGuide(34, 0, 90);
  CFRect rect;
  EXPECT_EQ(1, Snap(33, 50, &rect));
  EXPECT_FLOAT_EQ(51, rect.top);
  EXPECT_FLOAT_EQ(61, rect.bottom);
  EXPECT_FLOAT_EQ(34, rect.left);
  EXPECT_FLOAT_EQ(54, rect.right);

  EXPECT_EQ(1, Snap(33, 40, &rect));  // bottom 50 lies 1 from the guide at 51
  EXPECT_FLOAT_EQ(51, rect.bottom);
  EXPECT_FLOAT_EQ(20, rect.Width());
  EXPECT_FLOAT_EQ(10, rect.Height());
}

TEST_F(Snapping, NeitherGuidesAtOtherAnglesNorGuidesWithoutZSnap) {
  AddGuide(33, 50, 45);
  AddGuide(33, 50, 89.999);
  AddGuide(0, 51, 0);
  CFRect rect;
  EXPECT_EQ(0, Snap(33, 50, &rect));  // no key held
  EXPECT_FLOAT_EQ(50, rect.top);
  document.GetGuideLines().DeleteAll();
  AddGuide(33, 50, 45);
  AddGuide(33, 50, 89.999);
  held = {'Z'};
  EXPECT_EQ(0, Snap(32, 49, &rect));
  EXPECT_FLOAT_EQ(32, rect.left);
  EXPECT_FLOAT_EQ(49, rect.top);
}

TEST_F(Snapping, XAlignsWithThePageEdges) {
  held = {'X'};
  CFRect rect;
  EXPECT_EQ(1, Snap(1.5f, 188.5f, &rect));
  EXPECT_FLOAT_EQ(0, rect.left);
  EXPECT_FLOAT_EQ(200, rect.bottom);
  EXPECT_EQ(1, Snap(279, 100, &rect));
  EXPECT_FLOAT_EQ(300, rect.right);
  EXPECT_FLOAT_EQ(100, rect.top);
}

TEST_F(Snapping, CAlignsWithTheGridOnlyWhenNothingNearerSnapped) {
  held = {'C'};
  CFRect rect;
  EXPECT_EQ(1, Snap(41, 58.5f, &rect));
  EXPECT_FLOAT_EQ(40, rect.left);
  EXPECT_FLOAT_EQ(60, rect.top);

  held = {'X', 'C'};
  EXPECT_EQ(1, Snap(1, 58.5f, &rect));
  EXPECT_FLOAT_EQ(0, rect.left);
  EXPECT_FLOAT_EQ(58.5f, rect.top);  // the page edge snapped: the grid stays out

  document.GetPageSettings().m_gridSize = 0;
  held = {'C'};
  EXPECT_EQ(0, Snap(41, 58.5f, &rect));
}

TEST_F(Snapping, AToleranceOfNothingMeansFivePixels) {
  held = {'Z'};
  AddGuide(0, 54, 0);
  CFRect rect(0, 50, 20, 60);
  EXPECT_EQ(1, rulers.SnapRect(&rect, 0.0f));  // scale 1.0 before any zoom: 5 units
  EXPECT_FLOAT_EQ(54, rect.top);
}

}  // namespace
