// The outline combinations of the editing commands against the transform library's stand-in, as
// the program folder holds it (no view; a main window keeps the progress texts). What they pin:
// the given blocks are never changed or handed back, every result is a new block, and a failure
// anywhere gives null so that the caller leaves its document alone.
#include <gtest/gtest.h>

#include <memory>

#include "editor/commands/OutlineCombiner.h"
#include "model/CurveTestSupport.h"
#include "model/MainWindowCapture.h"
#include "model/blocks/RectBlock.h"
#include "resources/Resource.h"
#include "support/MessageBoxCapture.h"

namespace {

const char kLibrary[] = "program\\TalvexTransform.dll";

CRectBlock* MakeRect(float left, float top, float right, float bottom) {
  auto* rect = new CRectBlock;
  rect->m_rect = CFRect(left, top, right, bottom);
  rect->m_box = rect->m_rect;
  return rect;
}

void ExpectBox(const CFRect& expected, CBlock* block, const char* what) {
  ASSERT_NE(nullptr, block) << what;
  CFRect box = block->m_box;
  box.Normalize();
  EXPECT_NEAR(expected.left, box.left, 0.05) << what;
  EXPECT_NEAR(expected.top, box.top, 0.05) << what;
  EXPECT_NEAR(expected.right, box.right, 0.05) << what;
  EXPECT_NEAR(expected.bottom, box.bottom, 0.05) << what;
}

TEST(OutlineCombiner, WeldPairCombinesCurveCopiesAndLeavesBothBlocksAsTheyWere) {
  COutlineCombiner combiner(kLibrary);
  std::unique_ptr<CBlock> rect(MakeRect(0, 0, 20, 20));
  std::unique_ptr<CBlock> square(MakeSquareCurve(10, 10, 20));
  const auto rectBefore = RecordOf(*rect);
  const auto squareBefore = RecordOf(*square);

  std::unique_ptr<CBlock> welded(combiner.WeldPair(ID_OUTLINE_WELD, rect.get(), square.get()));
  ExpectBox(CFRect(0, 0, 30, 30), welded.get(), "weld");
  std::unique_ptr<CBlock> common(combiner.WeldPair(ID_OUTLINE_INTERSECT, rect.get(), square.get()));
  ExpectBox(CFRect(10, 10, 20, 20), common.get(), "intersection");
  std::unique_ptr<CBlock> trimmed(combiner.WeldPair(ID_OUTLINE_TRIM, rect.get(), square.get()));
  ExpectBox(CFRect(0, 0, 20, 20), trimmed.get(), "cut");
  EXPECT_NE(nullptr,
            std::unique_ptr<CBlock>(combiner.WeldPair(ID_OUTLINE_XOR, rect.get(), square.get())));

  EXPECT_EQ(nullptr, combiner.WeldPair(ID_EDIT_GROUP, rect.get(), square.get()));
  EXPECT_EQ(nullptr, combiner.WeldPair(ID_OUTLINE_WELD, rect.get(), nullptr));
  MessageBoxCapture boxes;  // the missing library is reported to the user
  COutlineCombiner missing("program\\NoSuchLibrary.dll");
  EXPECT_EQ(nullptr, missing.WeldPair(ID_OUTLINE_WELD, rect.get(), square.get()));
  EXPECT_EQ(1u, boxes.Count());
  EXPECT_EQ(rectBefore, RecordOf(*rect));
  EXPECT_EQ(squareBefore, RecordOf(*square));
}

TEST(OutlineCombiner, EachContourCutsInTurnReportsProgressAndNeverHandsOnTheInput) {
  MainWindowCapture main;
  COutlineCombiner combiner(kLibrary);
  std::unique_ptr<CBlock> shape(MakeSquareCurve(0, 0, 40));
  const auto shapeBefore = RecordOf(*shape);
  // Two knives, each across the square.
  std::unique_ptr<CCurveBlock> knives(new CCurveBlock);
  knives->AddRectangle(-5, 10, 45, 12);
  knives->AddRectangle(10, -5, 12, 45);
  knives->EndCurve();
  ASSERT_EQ(2, COutlineCombiner::CountSubpaths(*knives));

  std::unique_ptr<CBlock> pieces(combiner.WeldEachContour(shape.get(), knives.get(), 0));
  ASSERT_NE(nullptr, pieces);
  EXPECT_NE(shape.get(), pieces.get());
  EXPECT_EQ(shapeBefore, RecordOf(*shape));
  ASSERT_EQ(2u, main.Commands().size());
  EXPECT_EQ(UINT(ID_STATUS_TEXT), main.Commands()[0].id);
  EXPECT_EQ("轮廓切割运算中... 1/2", main.Commands()[0].text);
  EXPECT_EQ("轮廓切割运算中... 2/2", main.Commands()[1].text);

  // Nothing to cut by, or no library: null, and the shape is still the caller's as it was.
  std::unique_ptr<CCurveBlock> empty(new CCurveBlock);
  empty->EndCurve();
  EXPECT_EQ(nullptr, combiner.WeldEachContour(shape.get(), empty.get(), 0));
  MessageBoxCapture boxes;
  COutlineCombiner missing("program\\NoSuchLibrary.dll");
  EXPECT_EQ(nullptr, missing.WeldEachContour(shape.get(), knives.get(), 0));
  EXPECT_EQ(1u, boxes.Count());
  EXPECT_EQ(shapeBefore, RecordOf(*shape));
}

}  // namespace
