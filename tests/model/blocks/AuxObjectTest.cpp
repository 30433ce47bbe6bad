// Guide lines and output areas: their records, the factory, hit tests, corner handles, the
// angle that drawing normalises, and what they draw.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "framework/GlobalLock.h"
#include "model/FakeBlockView.h"
#include "model/MemoryCanvas.h"
#include "model/blocks/GuideLine.h"
#include "model/blocks/OutputArea.h"

namespace {

std::vector<BYTE> RecordBytes(CAuxObject& object, SIZE_T* bufferSize = nullptr) {
  HGLOBAL memory = nullptr;
  int length = object.WriteRecord(&memory);
  std::vector<BYTE> bytes;
  if (!memory) return bytes;
  {
    CGlobalLock lock(memory);
    bytes.assign(lock.Data(), lock.Data() + length);
    if (bufferSize) *bufferSize = lock.Size();
  }
  ::GlobalFree(memory);
  return bytes;
}

TEST(AuxObjectRecord, GuideLineIsTwentyBytesWithAngleAsFloat) {
  CGuideLine guide(10.0f, -2.5f, 90.0);
  SIZE_T bufferSize = 0;
  std::vector<BYTE> expected = {'A',  20,   0,    0,    0, 0, 0, 0x00, 0x00, 0xB4, 0x42,  // 90.0f
                                0x00, 0x00, 0x20, 0x41,                                   // 10.0f
                                0x00, 0x00, 0x20, 0xC0,                                   // -2.5f
                                0xF0};
  EXPECT_EQ(expected, RecordBytes(guide, &bufferSize));
  EXPECT_GE(bufferSize, 29u);
}

TEST(AuxObjectRecord, OutputAreaIsTwentyFourBytesWithFlags) {
  COutputArea area(3.0f, 4.0f, 1.0f, 2.0f);
  SIZE_T bufferSize = 0;
  std::vector<BYTE> bytes = RecordBytes(area, &bufferSize);
  std::vector<BYTE> expected = {'B',  24,   0,    0,    0,    0x00,
                                0x01, 0x00, 0x00, 0x80, 0x3F,  // left 1
                                0x00, 0x00, 0x00, 0x40,        // top 2
                                0x00, 0x00, 0x40, 0x40,        // right 3
                                0x00, 0x00, 0x80, 0x40,        // bottom 4
                                0xF0};
  EXPECT_EQ(expected, bytes);
  EXPECT_GE(bufferSize, 33u);
}

TEST(AuxObjectRecord, FactoryRebuildsBothKindsAndRefusesOthers) {
  CGuideLine guide(1.25f, 2.5f, 30.0);
  std::vector<BYTE> record = RecordBytes(guide);
  std::unique_ptr<CAuxObject> rebuilt(CreateAuxObjectFromRecord(record.data(), record.size()));
  ASSERT_NE(nullptr, rebuilt);
  ASSERT_TRUE(rebuilt->IsGuide());
  auto* copy = static_cast<CGuideLine*>(rebuilt.get());
  EXPECT_EQ(1.25f, copy->GetX());
  EXPECT_EQ(2.5f, copy->GetY());
  EXPECT_EQ(30.0, copy->GetAngle());
  EXPECT_EQ(0, copy->GetFlags());
  EXPECT_EQ(0, copy->GetState());

  COutputArea area(0, 0, 5, 6);
  area.SetFlags(0);
  area.SetState(CAuxObject::kSelectedState);
  record = RecordBytes(area);
  rebuilt.reset(CreateAuxObjectFromRecord(record.data(), record.size()));
  ASSERT_NE(nullptr, rebuilt);
  EXPECT_FALSE(rebuilt->IsGuide());
  EXPECT_EQ(0, rebuilt->GetFlags());
  EXPECT_EQ(0, rebuilt->GetState());  // the state is not stored
  CFRect rect;
  ASSERT_TRUE(rebuilt->GetRect(&rect));
  EXPECT_EQ(5.0f, rect.right);
  EXPECT_EQ(6.0f, rect.bottom);

  record[0] = 'C';
  EXPECT_EQ(nullptr, CreateAuxObjectFromRecord(record.data(), record.size()));
  record[0] = 'B';
  EXPECT_EQ(nullptr, CreateAuxObjectFromRecord(record.data(), 20));  // fields cut off
}

TEST(AuxObjectRecord, StoredAreaIsTakenAsItIsAndNewAreasAreNormalisedAndSolid) {
  COutputArea dragged(50, 40, 10, 20);
  CFRect rect;
  dragged.GetRect(&rect);
  EXPECT_EQ(10.0f, rect.left);
  EXPECT_EQ(20.0f, rect.top);
  EXPECT_EQ(50.0f, rect.right);
  EXPECT_EQ(40.0f, rect.bottom);
  EXPECT_EQ(CAuxObject::kSolidFlag, dragged.GetFlags());

  dragged.SetRect(9, 8, 1, 2);  // as given
  std::vector<BYTE> record = RecordBytes(dragged);
  std::unique_ptr<CAuxObject> rebuilt(CreateAuxObjectFromRecord(record.data(), record.size()));
  rebuilt->GetRect(&rect);
  EXPECT_EQ(9.0f, rect.left);
  EXPECT_EQ(1.0f, rect.right);
}

TEST(GuideLineHitTest, HorizontalVerticalAndSlanted) {
  CGuideLine horizontal(0, 10, 180);
  EXPECT_TRUE(horizontal.HitTest(500, 12, 2));
  EXPECT_FALSE(horizontal.HitTest(0, 12.5f, 2));

  CGuideLine vertical(10, 0, 270);
  EXPECT_TRUE(vertical.HitTest(8, -300, 2));
  EXPECT_FALSE(vertical.HitTest(7, 0, 2));

  // 45 degrees rises to the right on the screen: y falls as x grows.
  CGuideLine slanted(0, 0, 45);
  EXPECT_TRUE(slanted.HitTest(10, -10, 0.1f));
  EXPECT_FALSE(slanted.HitTest(10, 10, 1));
  EXPECT_TRUE(slanted.HitTest(10, -8, 1.5f));  // 2/sqrt(2) away
  EXPECT_FALSE(slanted.HitTest(10, -8, 1.4f));
}

TEST(GuideLineHitTest, UndefinedAnglesNeverHit) {
  CGuideLine nan(0, 0, std::numeric_limits<double>::quiet_NaN());
  EXPECT_FALSE(nan.HitTest(0, 0, 5));
  CGuideLine infinite(0, 0, std::numeric_limits<double>::infinity());
  EXPECT_FALSE(infinite.HitTest(0, 0, 5));
}

TEST(GuideLineAngle, AboveThreeSixtyIsBroughtBackWithoutLooping) {
  EXPECT_EQ(5.0, CGuideLine::NormalizeAngle(725));
  EXPECT_EQ(360.0, CGuideLine::NormalizeAngle(720));
  EXPECT_EQ(360.0, CGuideLine::NormalizeAngle(360));
  EXPECT_EQ(-30.0, CGuideLine::NormalizeAngle(-30));
  double huge = CGuideLine::NormalizeAngle(1e300);
  EXPECT_GT(huge, 0.0);
  EXPECT_LE(huge, 360.0);
  EXPECT_EQ(0.0, CGuideLine::NormalizeAngle(std::numeric_limits<double>::infinity()));
  EXPECT_EQ(0.0, CGuideLine::NormalizeAngle(-std::numeric_limits<double>::infinity()));
  EXPECT_EQ(0.0, CGuideLine::NormalizeAngle(std::numeric_limits<double>::quiet_NaN()));
}

TEST(GuideLineAngle, DrawingStoresTheNormalisedAngle) {
  MemoryCanvas canvas(40, 40);
  CMatrix2D identity;
  CFRect visible(0, 0, 40, 40);
  CGuideLine guide(10, 10, 725);
  guide.DrawOutline(&canvas.DC(), identity, visible);
  EXPECT_EQ(5.0, guide.GetAngle());

  for (double angle :
       {1e300, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
    CGuideLine odd(10, 10, angle);
    odd.DrawOutline(&canvas.DC(), identity, visible);
    EXPECT_TRUE(std::isfinite(odd.GetAngle()));
  }
}

TEST(GuideLineEnds, NearlyVerticalRunsTopToBottomAndShallowRunsLeftToRight) {
  CFRect visible(0, 0, 100, 50);
  FPOINT start, end;
  CGuideLine steep(20, 10, 89.999);
  steep.GetEnds(visible, 5, &start, &end);
  EXPECT_EQ(-5.0f, start.y);
  EXPECT_EQ(55.0f, end.y);
  EXPECT_NEAR(20.0, start.x, 0.01);

  CGuideLine vertical(20, 10, 90);
  vertical.GetEnds(visible, 5, &start, &end);
  EXPECT_EQ(20.0f, start.x);
  EXPECT_EQ(20.0f, end.x);

  CGuideLine shallow(0, 10, 45.0 / 2);
  shallow.GetEnds(visible, 0, &start, &end);
  EXPECT_EQ(0.0f, start.x);
  EXPECT_EQ(100.0f, end.x);
  EXPECT_NEAR(10 - 100 * std::tan(22.5 * 3.14159265358979 / 180), end.y, 1e-3);
}

TEST(GuideLineDrawing, OutlineIsRedAndXorTwiceErases) {
  MemoryCanvas canvas(40, 40);
  CMatrix2D identity;
  CFRect visible(0, 0, 40, 40);
  CGuideLine guide(0, 20, 0);
  guide.DrawOutline(&canvas.DC(), identity, visible);
  EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(10, 20));
  guide.DrawOutline(&canvas.DC(), identity, visible);
  EXPECT_TRUE(canvas.AllWhite());
  guide.DrawXor(&canvas.DC(), identity, visible);
  EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(30, 20));
}

TEST(OutputAreaHitTest, EdgesHitAndTheInteriorDoesNot) {
  COutputArea area(10, 10, 50, 30);
  EXPECT_TRUE(area.HitTest(11, 20, 2));     // near the left edge
  EXPECT_TRUE(area.HitTest(30, 31.5f, 2));  // just outside the bottom
  EXPECT_FALSE(area.HitTest(30, 20, 2));    // inside
  EXPECT_FALSE(area.HitTest(30, 33, 2));    // beyond the grown rectangle
  EXPECT_FALSE(area.HitTest(12, 20, 2));    // exactly the tolerance away: strictly within only
}

TEST(OutputAreaHitTest, CornerHandlesInTheirOrder) {
  FakeBlockView view(0.5);  // 3 pixels are 1.5 page units
  COutputArea area(10, 10, 50, 30);
  int handle = 99;
  EXPECT_TRUE(area.HitTestHandle(&view, 11, 9, &handle));
  EXPECT_EQ(COutputArea::kTopLeftHandle, handle);
  EXPECT_TRUE(area.HitTestHandle(&view, 51.5f, 10, &handle));
  EXPECT_EQ(COutputArea::kTopRightHandle, handle);
  EXPECT_TRUE(area.HitTestHandle(&view, 10, 31, &handle));
  EXPECT_EQ(COutputArea::kBottomLeftHandle, handle);
  EXPECT_TRUE(area.HitTestHandle(&view, 49, 29, &handle));
  EXPECT_EQ(COutputArea::kBottomRightHandle, handle);
  EXPECT_FALSE(area.HitTestHandle(&view, 30, 10, &handle));
  EXPECT_EQ(-1, handle);
}

TEST(OutputAreaDrawing, SolidIsWhiteInsideWithBlueFrame) {
  MemoryCanvas canvas(40, 40);
  canvas.DC().FillSolidRect(0, 0, 40, 40, RGB(0, 0, 0));
  CMatrix2D identity;
  CFRect visible(0, 0, 40, 40);
  COutputArea area(5, 5, 30, 30);
  area.Draw(&canvas.DC(), identity, visible);
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(5, 15));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(15, 15));
  area.SetFlags(0);
  canvas.DC().FillSolidRect(0, 0, 40, 40, RGB(0, 0, 0));
  area.Draw(&canvas.DC(), identity, visible);
  EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(5, 15));
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(15, 15));
}

}  // namespace
