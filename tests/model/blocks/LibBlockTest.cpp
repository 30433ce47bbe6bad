// The library block against a glyph source of the test's own: its record byte for byte, what it
// reads back, how its outline and box follow moves, transforms and fits, and what it does
// without an outline (a blank character, no source installed, an empty target). No window.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "model/ShapeTestSupport.h"
#include "model/blocks/LibBlock.h"
#include "model/blocks/LibGlyphSource.h"
#include "model/geometry/Contour.h"
#include "model/geometry/MatrixFactories.h"

namespace {

// Graphic (3, 1, 2) is a right triangle from (10, 5) to (40, 25); every other one is blank.
class TriangleSource : public CLibGlyphSource {
public:
  CContour* ReadGlyph(int source, int group, int item, const CMatrix2D* matrix) override {
    ++reads;
    if (source != 3 || group != 1 || item != 2) return nullptr;
    CContour* contour = new CContour;
    const POINTREC points[] = {MakePointRecord(10, 5, 0x11), MakePointRecord(40, 5, 0x01),
                               MakePointRecord(40, 25, 0x01), MakePointRecord(10, 5, 0x41)};
    for (POINTREC point : points) {
      if (matrix) {
        FPOINT p = {point.x, point.y};
        matrix->TransformPoint(&p);
        point.x = p.x;
        point.y = p.y;
      }
      contour->AppendPoint(point);
    }
    contour->AppendEndMark();
    return contour;
  }
  int reads = 0;
};

std::unique_ptr<CLibBlock> Triangle() {
  std::unique_ptr<CLibBlock> block(new CLibBlock(3, 1, 2));
  std::unique_ptr<CContour> outline(block->GetContour(nullptr, 0));
  return block;
}

TEST(LibBlock, RecordGoldenBytesAndRoundTrip) {
  TriangleSource source;
  std::unique_ptr<CLibBlock> block = Triangle();
  block->m_attributes = 0x0100;
  block->m_colour = 0x00A0B0C0;
  block->Offset(7, -3);
  std::vector<BYTE> expected = GoldenRecord(0x22, 71, 131, 0x0100)
                                   .Floats({17, 2, 47, 22})
                                   .Floats({1, 0, 0, 0, 1, 0, 7, -3, 1})
                                   .Byte(3)
                                   .Byte(0)
                                   .Byte(1)
                                   .Byte(0)
                                   .Byte(2)
                                   .Byte(0)
                                   .Int(0x00A0B0C0)
                                   .End();
  ASSERT_EQ(expected, RecordOf(*block));
  std::unique_ptr<CBlock> read = BlockFrom(expected);
  ASSERT_NE(nullptr, read);
  auto* copy = dynamic_cast<CLibBlock*>(read.get());
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(131, copy->m_type);
  EXPECT_EQ(0x0100, copy->m_attributes);
  EXPECT_EQ(0x00A0B0C0u, copy->m_colour);
  EXPECT_EQ(expected, RecordOf(*copy));
  ExpectSamePoints(PagePoints(*block), PagePoints(*copy));
}

TEST(LibBlock, DamagedRecordsBuildNothing) {
  TriangleSource source;
  const std::vector<BYTE> good = RecordOf(*Triangle());
  std::vector<BYTE> cut(good.begin(), good.end() - 1);
  EXPECT_EQ(nullptr, CreateBlockFromRecord(cut.data(), cut.size()));
  std::vector<BYTE> longer = good;
  longer.insert(longer.end() - 1, 0);
  longer[1] = static_cast<BYTE>(longer.size());
  EXPECT_EQ(nullptr, BlockFrom(longer));
  std::vector<BYTE> unclosed = good;
  unclosed.back() = 0;
  EXPECT_EQ(nullptr, BlockFrom(unclosed));
}

TEST(LibBlock, OutlineAndBoxFollowMovesTransformsAndFits) {
  TriangleSource source;
  std::unique_ptr<CLibBlock> block = Triangle();
  ExpectBox(CFRect(10, 5, 40, 25), block->m_box);
  block->Offset(5, 10);
  ExpectBox(CFRect(15, 15, 45, 35), block->m_box);
  ExpectSamePoints({MakePointRecord(15, 15, 0x11), MakePointRecord(45, 15, 0x01),
                    MakePointRecord(45, 35, 0x01), MakePointRecord(15, 15, 0x41),
                    MakePointRecord(0, 0, kPointEnd)},
                   PagePoints(*block));
  // Mirrored about x = 100: the box is mapped at once, the outline agrees with it.
  block->Transform(MakeMirrorMatrix(0, 0, 200, 0, true, false));
  std::vector<POINTREC> mirrored = PagePoints(*block);
  ExpectBox(CFRect(155, 15, 185, 35), block->m_box);
  EXPECT_NEAR(185.0f, mirrored[0].x, 0.001f);
  // Fitted into a box of other proportions: separate x and y scales.
  block->SetBox(0, 100, 60, 110);
  std::unique_ptr<CContour> fitted(block->GetContour(nullptr, 0));
  ASSERT_NE(nullptr, fitted);
  ExpectBox(CFRect(0, 100, 60, 110), fitted->GetBox());
  ExpectBox(CFRect(0, 100, 60, 110), block->m_box);
  // An empty target is not taken: the block keeps its size and can still be fitted again.
  block->SetBox(10, 10, 10, 50);
  ExpectBox(CFRect(0, 100, 60, 110), block->m_box);
  block->SetBox(1, 2, 31, 22);
  std::unique_ptr<CContour> again(block->GetContour(nullptr, 0));
  ExpectBox(CFRect(1, 2, 31, 22), again->GetBox());
  // The display matrix is applied after the box was taken from the page outline.
  CMatrix2D zoom;
  zoom.m[0] = zoom.m[4] = 2.0f;
  std::unique_ptr<CContour> shown(block->GetContour(&zoom, 0));
  ExpectBox(CFRect(1, 2, 31, 22), block->m_box);
  EXPECT_NE(nullptr, shown);
}

TEST(LibBlock, WithoutAnOutlineNothingIsDrawnOrConverted) {
  CLibBlock orphan(3, 1, 2);
  EXPECT_EQ(nullptr, std::unique_ptr<CContour>(orphan.GetContour(nullptr, 0)));
  TriangleSource source;
  CLibBlock blank(0, 0, 32);
  EXPECT_EQ(nullptr, std::unique_ptr<CContour>(blank.GetContour(nullptr, 0)));
  EXPECT_EQ(nullptr, std::unique_ptr<CBlock>(blank.ToCurve(CShapeBlock::kAnyColour)));
  // A blank glyph's empty box fits anywhere without dividing by zero.
  blank.SetBox(0, 0, 50, 50);
  for (float value : blank.m_matrix.m) EXPECT_TRUE(std::isfinite(value));
  std::unique_ptr<CLibBlock> triangle = Triangle();
  triangle->m_colour = 0x123456;
  std::unique_ptr<CBlock> curve(triangle->ToCurve(CShapeBlock::kAnyColour));
  ASSERT_NE(nullptr, curve);
  EXPECT_EQ(kCurveBlock, curve->m_type);
  EXPECT_EQ(nullptr, std::unique_ptr<CBlock>(triangle->ToCurve(0x654321)));
}

TEST(LibBlock, TheLatestSourceServesUntilItGoes) {
  TriangleSource outer;
  {
    TriangleSource inner;
    std::unique_ptr<CLibBlock> block = Triangle();
    EXPECT_EQ(1, inner.reads);
    EXPECT_EQ(0, outer.reads);
  }
  EXPECT_EQ(&outer, CLibGlyphSource::Installed());
}

}  // namespace
