// The one decoder of the outline records: what each record adds to a path, including records
// that break the usual patterns, and that every reader of outlines agrees with it. No window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/ContourTestSupport.h"
#include "model/CurveTestSupport.h"
#include "model/FakeBlockView.h"
#include "model/geometry/CurveBoxClip.h"
#include "model/geometry/SegmentWalker.h"

namespace {

// One letter per record: E end, S special, c control, M move, L line, B Bezier.
std::string KindsOf(std::initializer_list<TestPoint> points) {
  const char kLetters[] = "EScMLB";
  CSegmentWalker walker;
  std::string kinds;
  for (const TestPoint& p : points)
    kinds += kLetters[walker.Step(MakePointRecord(p.x, p.y, p.flags))];
  return kinds;
}

TEST(CSegmentWalker, SaysWhatEachRecordAddsToThePath) {
  struct Case {
    const char* what;
    std::initializer_list<TestPoint> records;
    const char* kinds;
  };
  const Case cases[] = {
      {"lines and a Bezier piece",
       {{0, 0, 0x11}, {1, 0, 0x01}, {1, 1, 0x00}, {0, 1, 0x00}, {0, 0, 0x41}},
       "MLccB"},
      {"a pen colour changes nothing", {{0, 0, 0x11}, {0, 0, 0x81}, {1, 0, 0x21}}, "MSL"},
      {"the end record", {{0, 0, 0x11}, {1, 0, 0x21}, {0, 0, 0xFF}}, "MLE"},
      {"every start bit moves", {{0, 0, 0x11}, {1, 0, 0x21}, {5, 5, 0x31}, {6, 6, 0x11}}, "MLMM"},
      {"the first node moves without a start bit", {{0, 0, 0x01}, {1, 0, 0x21}}, "ML"},
      {"a lone control makes no curve", {{0, 0, 0x11}, {1, 1, 0x00}, {2, 0, 0x21}}, "McL"},
      {"nor do three",
       {{0, 0, 0x11}, {1, 1, 0x00}, {2, 1, 0x00}, {3, 1, 0x00}, {4, 0, 0x21}},
       "McccL"},
      {"a selected node is a node", {{0, 0, 0x19}, {1, 0, 0x09}}, "ML"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.kinds, KindsOf(c.records)) << c.what;
}

TEST(CSegmentWalker, GivesEachSegmentsPointsThroughTheMatrix) {
  CMatrix2D shift;
  shift.m[6] = 10;
  CSegmentWalker walker(&shift);
  walker.Step(MakePointRecord(0, 0, 0x11));
  ASSERT_EQ(CSegmentWalker::kLine, walker.Step(MakePointRecord(4, 0, 0x01)));
  const FPOINT* p = walker.Points();
  EXPECT_EQ(10, p[0].x);
  EXPECT_EQ(14, p[3].x);
  EXPECT_EQ(10, p[1].x);  // a line is the Bezier piece along itself
  EXPECT_EQ(14, p[2].x);
  walker.Step(MakePointRecord(4, 2, 0x08));
  walker.Step(MakePointRecord(0, 2, 0x00));
  ASSERT_EQ(CSegmentWalker::kBezier, walker.Step(MakePointRecord(0, 4, 0x41)));
  p = walker.Points();
  EXPECT_EQ(14, p[0].x);
  EXPECT_EQ(14, p[1].x);
  EXPECT_EQ(10, p[2].x);
  EXPECT_EQ(4, p[3].y);
  EXPECT_EQ(0x08, walker.Records()[1].flags);  // the stored records keep their flags
  EXPECT_TRUE(walker.ClosesSubpath());
  EXPECT_TRUE(walker.EndsSubpath());
}

// A lone control point between two nodes: drawing, hit testing and clipping all see a line.
TEST(CSegmentWalker, ReadersAgreeOnAnIrregularControlRun) {
  std::unique_ptr<CContour> contour(MakeContour({{0, 0, 0x11}, {50, 80, 0x00}, {100, 0, 0x21}}));
  EXPECT_TRUE(contour->HitTestOutline(50, 0, 1));
  EXPECT_FALSE(contour->HitTestOutline(50, 40, 1));
  std::unique_ptr<CCurveBlock> curve(MakeCurve({{0, 0, 0x11}, {50, 80, 0x00}, {100, 0, 0x21}}));
  FakeBlockView view(1.0);
  EXPECT_TRUE(curve->HitTest(&view, 50, 1));
  std::unique_ptr<CCurveBlock> clipped(ClipCurveBlockToBox(curve.get(), -10, -10, 50, 10));
  ASSERT_NE(nullptr, clipped);
  std::vector<POINTREC> points = clipped->GetPoints();
  ASSERT_EQ(3u, points.size());
  EXPECT_EQ(MakePointRecord(50, 0, 0x21), points[1]);
}

}  // namespace
