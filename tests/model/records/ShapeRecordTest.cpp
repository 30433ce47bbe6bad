// Records of the line, rectangle, circle and polygon blocks: their exact bytes, what comes back
// after moves, scaling and rotation, and what damaged records give.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "model/ShapeTestSupport.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/geometry/ContourShapes.h"
#include "model/geometry/MatrixFactories.h"

namespace {

CLineBlock* SampleLine() {
  CLineBlock* line = new CLineBlock;
  line->m_attributes = 0x0100;
  line->m_start = {1, 2};
  line->m_end = {11, 22};
  line->m_box = CFRect(1, 2, 11, 22);
  line->m_colour = 0x00112233;
  return line;
}

CRectBlock* SampleRect() {
  CRectBlock* rect = new CRectBlock;
  rect->m_rect = CFRect(0, 0, 40, 20);
  rect->m_box = rect->m_rect;
  rect->m_cornerRatioX = 0.25f;
  rect->m_cornerRatioY = 0.5f;
  rect->m_colour = 0x00FF0000;
  return rect;
}

CCircleBlock* SampleArc() {
  CCircleBlock* circle = new CCircleBlock;
  circle->m_rect = CFRect(10, 10, 50, 30);
  circle->m_box = circle->m_rect;
  circle->m_startAngle = 0.5f;
  circle->m_endAngle = 2.5f;
  circle->m_arcMode = -2.0f;
  circle->m_colour = 0x000000FF;
  return circle;
}

CPolygonBlock* SampleStar() {
  CPolygonBlock* polygon = new CPolygonBlock;
  polygon->m_centre = {50, 60};
  polygon->m_outerRadius = 30;
  polygon->m_innerRadius = 12;
  polygon->m_starAngle = 0.25f;
  polygon->m_bandWidth = 3;
  polygon->m_startAngle = 1.5f;
  polygon->m_cornerCount = 6;
  polygon->m_box = CFRect(20, 30, 80, 90);
  polygon->m_colour = 0x00ABCDEF;
  return polygon;
}

TEST(ShapeRecords, LineGoldenBytes) {
  std::unique_ptr<CLineBlock> line(SampleLine());
  std::vector<BYTE> expected = GoldenRecord(0x24, 49, 1, 0x0100)
                                   .Floats({1, 2, 11, 22})
                                   .Floats({1, 2, 11, 22})
                                   .Int(0x00112233)
                                   .Int(0)
                                   .End();
  EXPECT_EQ(expected, RecordOf(*line));
}

TEST(ShapeRecords, RectangleGoldenBytes) {
  std::unique_ptr<CRectBlock> rect(SampleRect());
  std::vector<BYTE> expected = GoldenRecord(0x25, 93, 2, 0)
                                   .Floats({0, 0, 40, 20})
                                   .Identity()
                                   .Floats({0.25f, 0.5f})
                                   .Floats({0, 0, 40, 20})
                                   .Int(0x00FF0000)
                                   .Int(0)
                                   .End();
  EXPECT_EQ(expected, RecordOf(*rect));
}

TEST(ShapeRecords, CircleGoldenBytes) {
  std::unique_ptr<CCircleBlock> circle(SampleArc());
  std::vector<BYTE> expected = GoldenRecord(0x26, 97, 3, 0)
                                   .Floats({10, 10, 50, 30})
                                   .Identity()
                                   .Floats({10, 10, 50, 30})
                                   .Int(0x000000FF)
                                   .Floats({0.5f, 2.5f})
                                   .Int(0)
                                   .Float(-2.0f)
                                   .End();
  EXPECT_EQ(expected, RecordOf(*circle));
}

TEST(ShapeRecords, PolygonGoldenBytes) {
  std::unique_ptr<CPolygonBlock> polygon(SampleStar());
  std::vector<BYTE> expected = GoldenRecord(0x27, 97, 8, 0)
                                   .Floats({30, 12})
                                   .Identity()
                                   .Floats({20, 30, 80, 90})
                                   .Int(0x00ABCDEF)
                                   .Floats({3, 1.5f})
                                   .Int(6)
                                   .Floats({0.25f, 50, 60})
                                   .End();
  EXPECT_EQ(expected, RecordOf(*polygon));
}

TEST(ShapeRecords, NewBlocksHaveTheirTypesAndDefaults) {
  CLineBlock line;
  CRectBlock rect;
  CCircleBlock circle;
  CPolygonBlock polygon;
  EXPECT_EQ(1, line.m_type);
  EXPECT_EQ(2, rect.m_type);
  EXPECT_EQ(3, circle.m_type);
  EXPECT_EQ(8, polygon.m_type);
  EXPECT_FLOAT_EQ(1.5707964f, circle.m_startAngle);
  EXPECT_TRUE(circle.IsWholeEllipse());
  EXPECT_FLOAT_EQ(100.0f, polygon.m_outerRadius);
  EXPECT_EQ(5, polygon.m_cornerCount);
  EXPECT_TRUE(rect.CanNodeEdit() && circle.CanNodeEdit() && polygon.CanNodeEdit());
  EXPECT_FALSE(line.CanNodeEdit());
}

// Move, scale and rotate a block, then store it and read it back: the copy has the same fields and
// the same outline on the page.
void ExpectRoundTripAfterTransforms(CBlock* original) {
  std::unique_ptr<CBlock> block(original);
  block->m_attributes = 0x0100;
  block->Offset(5, -3);
  std::unique_ptr<CMatrix2D> scale(new CMatrix2D);
  scale->m[0] = 2;
  scale->m[4] = 0.5f;
  block->Transform(*scale);
  CMatrix2D rotation = MakeRotationMatrix(20, 10, 30);
  block->Transform(rotation);
  block->Offset(-1, 2);

  std::vector<POINTREC> before = PagePoints(*block);
  std::vector<BYTE> record = RecordOf(*block);
  std::unique_ptr<CBlock> copy = BlockFrom(record);
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(block->m_type, copy->m_type);
  EXPECT_EQ(0x0100, copy->m_attributes);
  ExpectBox(block->m_box, copy->m_box);
  ExpectSamePoints(before, PagePoints(*copy));
  // Stored again, the copy gives the same bytes.
  EXPECT_EQ(record, RecordOf(*copy));
  std::unique_ptr<CBlock> clone(block->Clone());
  ASSERT_NE(nullptr, clone);
  ExpectSamePoints(before, PagePoints(*clone));
}

TEST(ShapeRecords, EveryShapeComesBackWhereItWasAfterMoveScaleAndRotate) {
  {
    SCOPED_TRACE("line");
    ExpectRoundTripAfterTransforms(SampleLine());
  }
  {
    SCOPED_TRACE("rectangle");
    ExpectRoundTripAfterTransforms(SampleRect());
  }
  {
    SCOPED_TRACE("arc");
    ExpectRoundTripAfterTransforms(SampleArc());
  }
  {
    SCOPED_TRACE("star");
    ExpectRoundTripAfterTransforms(SampleStar());
  }
}

TEST(ShapeRecords, AMovedLineIsStoredWithItsEndsOnThePage) {
  std::unique_ptr<CLineBlock> line(SampleLine());
  CMatrix2D rotation = MakeRotationMatrix(0, 0, 90);
  line->Transform(rotation);
  line->Offset(100, 0);
  std::unique_ptr<CBlock> copy(line->Clone());
  ASSERT_NE(nullptr, copy);
  CLineBlock* read = static_cast<CLineBlock*>(copy.get());
  EXPECT_TRUE(read->m_matrix.IsIdentity());
  EXPECT_NEAR(98, read->m_start.x, 1e-4);
  EXPECT_NEAR(1, read->m_start.y, 1e-4);
  EXPECT_NEAR(78, read->m_end.x, 1e-4);
  EXPECT_NEAR(11, read->m_end.y, 1e-4);
  // The block itself keeps its own coordinates.
  EXPECT_EQ(1.0f, line->m_start.x);
}

TEST(ShapeRecords, DamagedRecordsBuildNothing) {
  std::unique_ptr<CBlock> blocks[] = {std::unique_ptr<CBlock>(SampleLine()),
                                      std::unique_ptr<CBlock>(SampleRect()),
                                      std::unique_ptr<CBlock>(SampleArc()),
                                      std::unique_ptr<CBlock>(SampleStar())};
  for (auto& block : blocks) {
    SCOPED_TRACE(int(block->m_type));
    const std::vector<BYTE> good = RecordOf(*block);
    ASSERT_NE(nullptr, BlockFrom(good));
    // Cut short: the length says more than there is.
    std::vector<BYTE> cut(good.begin(), good.end() - 1);
    EXPECT_EQ(nullptr, CreateBlockFromRecord(cut.data(), cut.size()));
    // Another length that still closes properly.
    std::vector<BYTE> longer = good;
    longer.insert(longer.end() - 1, 0);
    longer[1] = static_cast<BYTE>(longer.size());
    EXPECT_EQ(nullptr, BlockFrom(longer));
    std::vector<BYTE> shorter = good;
    shorter.erase(shorter.end() - 2);
    shorter[1] = static_cast<BYTE>(shorter.size());
    EXPECT_EQ(nullptr, BlockFrom(shorter));
    std::vector<BYTE> unclosed = good;
    unclosed.back() = 0;
    EXPECT_EQ(nullptr, BlockFrom(unclosed));
  }
}

TEST(ShapeRecords, APolygonCornerCountFromARecordIsHeldToADrawableRange) {
  std::unique_ptr<CPolygonBlock> polygon(SampleStar());
  const std::vector<BYTE> good = RecordOf(*polygon);
  const size_t countAt = 80;
  for (int stored : {0, 2, -5, 0x7FFFFFFF, 3, 360}) {
    SCOPED_TRACE(stored);
    std::vector<BYTE> record = good;
    for (int i = 0; i < 4; ++i) record[countAt + i] = static_cast<BYTE>(stored >> (8 * i));
    std::unique_ptr<CBlock> read = BlockFrom(record);
    ASSERT_NE(nullptr, read);
    int count = static_cast<CPolygonBlock*>(read.get())->m_cornerCount;
    EXPECT_GE(count, 3);
    EXPECT_LE(count, kMaxPolygonCorners);
    if (stored >= 3 && stored <= 360) {
      EXPECT_EQ(stored, count);
    }
    // A plain polygon's outline has its corners, the closing point and the end record; with the
    // star and the band, twice twice as many.
    std::vector<POINTREC> points = PagePoints(*read);
    EXPECT_EQ(static_cast<size_t>(2 * (2 * count + 1) + 1), points.size());
  }
}

TEST(ShapeRecords, ACircleRecordClaimingAnotherTypeStillMakesACircle) {
  std::unique_ptr<CCircleBlock> circle(SampleArc());
  std::vector<BYTE> record = RecordOf(*circle);
  record[5] = 130;  // the text block's type code
  std::unique_ptr<CBlock> read = BlockFrom(record);
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(kCircleBlock, read->m_type);
}

}  // namespace
