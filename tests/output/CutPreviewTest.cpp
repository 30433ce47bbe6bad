// The job of the cut-output window built from a drawing document, without a window: cut to the
// page or to the flagged output areas by the transform library's figure cut (our stand-in, from
// the build's program folder), placed on the media by the cut settings, moved, mirrored, rotated
// and scaled by the option pages, and built again after an option changes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "media/WeldDll.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/OutputArea.h"
#include "model/blocks/ShapeBlock.h"
#include "model/document/AuxObjectList.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/PointRecord.h"
#include "output/CutPreview.h"
#include "output/CutSettings.h"
#include "output/FigureClip.h"
#include "support/MessageBoxCapture.h"

namespace {

const DWORD kRed = 0xFF0000;
const DWORD kBlue = 0x0000FF;

// Every curve of the job, nested groups opened, as point records.
void CollectCurves(CSegArray& blocks, std::vector<std::vector<POINTREC>>* curves) {
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (block->m_type == kGroupBlock)
      CollectCurves(static_cast<CGroupBlock*>(block)->GetChildren(), curves);
    else if (block->m_type == kCurveBlock)
      curves->push_back(static_cast<CCurveBlock*>(block)->GetPoints());
  }
}

std::vector<std::vector<POINTREC>> CurvesOf(CCutPreview& preview) {
  std::vector<std::vector<POINTREC>> curves;
  CollectCurves(preview.GetBlocks(), &curves);
  return curves;
}

CFRect BoundsOf(CCutPreview& preview) {
  CFRect bounds;
  preview.GetBlocks().GetBounds(&bounds, FALSE);
  return bounds;
}

void ExpectRect(const CFRect& expected, const CFRect& actual) {
  EXPECT_NEAR(expected.left, actual.left, 1e-3);
  EXPECT_NEAR(expected.top, actual.top, 1e-3);
  EXPECT_NEAR(expected.right, actual.right, 1e-3);
  EXPECT_NEAR(expected.bottom, actual.bottom, 1e-3);
}

// A text block as the preview sees it: its characters are a square, and its layout line (in page
// units) a rule under them.
class LaidOutText : public CBlock {
public:
  LaidOutText() {
    m_type = kTextBlock;
    m_box = CFRect(10, 10, 60, 30);
  }
  CBlock* ToCurve(DWORD colour) override {
    return colour == CShapeBlock::kAnyColour || colour == kRed ? MakeSquareCurve(10, 10, 20, kRed)
                                                               : nullptr;
  }
  CBlock* GetEffectOutline() const override {
    return MakeCurve(
        {{10, 35, kPointStart | kPointOnCurve}, {60, 35, kPointOpenEnd | kPointOnCurve}});
  }
};

class CutPreviewTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_NE(nullptr, m_library.Bind("program\\TalvexTransform.dll"));
    m_document.GetPageSettings().m_width = 100;
    m_document.GetPageSettings().m_height = 100;
    // Placed as drawn: no mirror, no move to the corner, no zoom.
    m_settings.m_savePaper = 0;
    m_settings.m_mirror = 0;
    m_settings.m_zoomCut = 1;
    m_settings.m_mediaRect = CFRect(0, 0, 400, 900);
    m_preview.SetDocument(&m_document);
    m_preview.SetLibrary(&m_library);
  }
  void AddSquare(float x, float y, float size, DWORD colour = kRed) {
    m_document.GetBlockList().AddBlock(MakeSquareCurve(x, y, size, colour));
  }
  COutputArea* AddArea(float l, float t, float r, float b, bool flagged) {
    COutputArea* area = new COutputArea(l, t, r, b);
    if (!flagged) area->SetFlags(0);
    m_document.GetOutputAreas().AddObject(area);
    return area;
  }

  MessageBoxCapture m_boxes;
  CWeldDll m_library;
  CTALVEX42Doc m_document;
  CCutSettings m_settings;
  CCutPreview m_preview{m_settings};
};

// A square over the page's corner is cut there and stays a closed outline (the page edge closes
// it); one inside is copied as it is and one beyond the page is left out.
TEST_F(CutPreviewTest, WithoutAreasThePageCutsTheJobAndOutlinesStayClosed) {
  AddSquare(10, 10, 20);
  AddSquare(80, 80, 40);
  AddSquare(200, 200, 10);
  m_preview.BuildPreview();
  ExpectRect(CFRect(10, 10, 100, 100), BoundsOf(m_preview));
  auto curves = CurvesOf(m_preview);
  ASSERT_EQ(2u, curves.size());
  const std::vector<POINTREC>& cut = curves[1];
  int starts = 0, closes = 0;
  for (const POINTREC& p : cut) {
    if (p.flags == kPointEnd) continue;
    EXPECT_GE(p.x, 80 - 1e-3);
    EXPECT_LE(p.y, 100 + 1e-3);
    starts += (p.flags & kPointSubpathBits) == kPointStart;
    closes += (p.flags & kPointClose) != 0;
  }
  EXPECT_EQ(1, starts);
  EXPECT_EQ(1, closes);
  ExpectRect(CFRect(0, 0, 100, 100), m_preview.GetPageRect());
  EXPECT_EQ(0u, m_boxes.Count());
}

// Images are never cut: one on the page and one inside a group leave only the outlines, in the
// build and in the rebuild.
TEST_F(CutPreviewTest, ImagesNeverEnterTheJob) {
  auto* image = new CImageBlock("C:\\LOGO.BMP");
  image->m_box = CFRect(5, 5, 60, 60);
  m_document.GetBlockList().AddBlock(image);
  AddSquare(10, 10, 20);
  auto* group = new CGroupBlock;
  auto* grouped = new CImageBlock("C:\\LOGO.BMP");
  grouped->m_box = CFRect(40, 40, 90, 90);
  group->AddChild(grouped);
  group->AddChild(MakeSquareCurve(50, 50, 10, kBlue));
  m_document.GetBlockList().AddBlock(group);
  m_preview.BuildPreview();
  EXPECT_EQ(2u, CurvesOf(m_preview).size());
  ExpectRect(CFRect(10, 10, 60, 60), BoundsOf(m_preview));
  m_preview.RebuildPreview();
  EXPECT_EQ(2u, CurvesOf(m_preview).size());
}

// Only flagged areas are cut; the rebuild after an option change does the same (it used to show
// every area, cut outlines open and move the media to the origin).
TEST_F(CutPreviewTest, FlaggedAreasMakeTheJobAndTheRebuildAgreesWithTheBuild) {
  AddSquare(10, 10, 20);
  AddSquare(60, 60, 20, kBlue);
  AddArea(0, 0, 25, 25, true);
  AddArea(50, 50, 100, 100, false);
  m_settings.m_savePaper = 1;
  m_settings.m_mediaRect = CFRect(30, 40, 430, 940);
  m_preview.BuildPreview();
  ASSERT_EQ(1, m_preview.GetBlocks().GetSize());  // one group per flagged area
  auto built = CurvesOf(m_preview);
  ASSERT_EQ(1u, built.size());
  // The job's corner goes to (0.1, 0.1): the part of the square in the area is 10..25.
  ExpectRect(CFRect(0.1f, 0.1f, 15.1f, 15.1f), BoundsOf(m_preview));

  m_preview.RebuildPreview();
  EXPECT_EQ(built, CurvesOf(m_preview));
  ExpectRect(CFRect(30, 40, 430, 940), m_settings.m_mediaRect);

  // With no area flagged nothing is cut, before and after a rebuild.
  m_document.GetOutputAreas().GetObjectAt(0)->SetFlags(0);
  m_preview.RebuildPreview();
  EXPECT_TRUE(CurvesOf(m_preview).empty());
  m_preview.BuildPreview();
  EXPECT_TRUE(CurvesOf(m_preview).empty());
}

// Choosing a colour leaves the rest of the job exactly where it was, also after the job was
// mirrored and scaled.
TEST_F(CutPreviewTest, ARebuildForAColourKeepsWhatRemainsInPlace) {
  AddSquare(10, 10, 20, kRed);
  AddSquare(50, 20, 10, kBlue);
  m_settings.m_savePaper = 1;
  m_preview.BuildPreview();
  m_preview.MirrorJob();
  ASSERT_TRUE(m_preview.ScaleJob(2));
  ASSERT_EQ(2, m_preview.GetBlocks().GetSize());
  CFRect blue = m_preview.GetBlocks().GetBlock(1)->m_box;
  CFRect page = m_preview.GetPageRect();
  m_settings.m_colorSeparation = 1;
  m_settings.m_colorNumber = static_cast<int>(kBlue);
  m_preview.RebuildPreview();
  ASSERT_EQ(1u, CurvesOf(m_preview).size());
  ExpectRect(blue, BoundsOf(m_preview));
  ExpectRect(page, m_preview.GetPageRect());
  EXPECT_EQ(2.0f, m_settings.m_zoomCut);
}

// The placement: x' = E.right - x when mirrored (E reaches the page's far corner), the corner to
// (0.1, 0.1) when saving paper, then the zoom; a zoom of 0 is stored back as 1.
TEST_F(CutPreviewTest, PlacementMatricesForMirrorSavePaperAndZoom) {
  AddSquare(10, 20, 30);  // bounds 10..40 x 20..50, page 100 x 100
  m_preview.BuildPreview();
  struct Case {
    int mirror, savePaper;
    float zoom;
    float m0, m4, m6, m7;
  };
  const Case cases[] = {
      {0, 0, 1, 1, 1, 0, 0},
      {1, 0, 1, -1, 1, 100, 0},
      {0, 1, 1, 1, 1, -9.9f, -19.9f},
      // Mirrored the square lies at 60..90: its corner moves by -59.9.
      {1, 1, 1, -1, 1, 100 - 59.9f, -19.9f},
      {0, 1, 2, 2, 2, -19.8f, -39.8f},
      {0, 0, 0, 1, 1, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mirror << c.savePaper << c.zoom);
    m_settings.m_mirror = c.mirror;
    m_settings.m_savePaper = c.savePaper;
    m_settings.m_zoomCut = c.zoom;
    CMatrix2D matrix;
    EXPECT_EQ(nullptr, m_preview.GetPlacementMatrix(&matrix));
    EXPECT_NEAR(c.m0, matrix.m[0], 1e-4);
    EXPECT_NEAR(c.m4, matrix.m[4], 1e-4);
    EXPECT_NEAR(c.m6, matrix.m[6], 1e-3);
    EXPECT_NEAR(c.m7, matrix.m[7], 1e-3);
    EXPECT_NEAR(0, matrix.m[1], 1e-6);
    EXPECT_NEAR(0, matrix.m[3], 1e-6);
  }
  EXPECT_EQ(1.0f, m_settings.m_zoomCut);
}

// Mirror and rotation keep the reference corner at the origin (the job's with "SavePaper" on,
// the page's with it off); a scale puts it at (1, 1); 0 scales by 1 and a negative zoom is
// refused.
TEST_F(CutPreviewTest, MovesOfTheJobKeepTheirCorner) {
  AddSquare(10, 20, 30);
  AddSquare(60, 20, 10);
  m_settings.m_savePaper = 1;
  m_preview.BuildPreview();  // bounds 0.1..60.1 x 0.1..30.1
  m_preview.MirrorJob();
  ExpectRect(CFRect(0, 0, 60, 30), BoundsOf(m_preview));
  m_preview.RotateJob();
  ExpectRect(CFRect(0, 0, 30, 60), BoundsOf(m_preview));
  ASSERT_TRUE(m_preview.ScaleJob(2));
  ExpectRect(CFRect(1, 1, 61, 121), BoundsOf(m_preview));
  EXPECT_EQ(2.0f, m_settings.m_zoomCut);
  EXPECT_FALSE(m_preview.ScaleJob(-1));
  ExpectRect(CFRect(1, 1, 61, 121), BoundsOf(m_preview));
  ASSERT_TRUE(m_preview.ScaleJob(0));  // 0 means 1: half of the zoom 2
  EXPECT_EQ(1.0f, m_settings.m_zoomCut);
  ExpectRect(CFRect(1, 1, 31, 61), BoundsOf(m_preview));

  m_settings.m_savePaper = 0;
  m_preview.MirrorJob();
  CFRect page = m_preview.GetPageRect();
  EXPECT_NEAR(0, page.left, 1e-3);
  EXPECT_NEAR(0, page.top, 1e-3);
}

// With "TextLine" a text brings the line it is set along into the job beside its characters, in
// the build and in the rebuild after the option changes; without it only the characters.
TEST_F(CutPreviewTest, TheTextLineOptionCutsATextsLayoutLineWithIt) {
  m_document.GetBlockList().AddBlock(new LaidOutText);
  m_settings.m_textLine = 1;
  m_preview.BuildPreview();
  auto curves = CurvesOf(m_preview);
  ASSERT_EQ(2u, curves.size());
  ASSERT_EQ(3u, curves[1].size());  // the rule and the end record
  EXPECT_EQ(10.0f, curves[1][0].x);
  EXPECT_EQ(35.0f, curves[1][0].y);
  EXPECT_EQ(60.0f, curves[1][1].x);
  ExpectRect(CFRect(10, 10, 60, 35), BoundsOf(m_preview));

  m_settings.m_textLine = 0;
  m_preview.RebuildPreview();
  ASSERT_EQ(1u, CurvesOf(m_preview).size());
  ExpectRect(CFRect(10, 10, 30, 30), BoundsOf(m_preview));
  m_settings.m_textLine = 1;
  m_preview.RebuildPreview();
  EXPECT_EQ(curves, CurvesOf(m_preview));

  // A text of another colour than the one chosen brings neither.
  m_settings.m_colorSeparation = 1;
  m_settings.m_colorNumber = static_cast<int>(kBlue);
  m_preview.RebuildPreview();
  EXPECT_TRUE(CurvesOf(m_preview).empty());
}

// The page outline marks where the document's page lies under the job: every placement, move and
// rebuild maps it with the job, so the job keeps its place on it (here 20 from the page's left
// and top, turned, mirrored and scaled with it).
TEST_F(CutPreviewTest, ThePageOutlineKeepsTheJobsPlaceOnIt) {
  m_document.GetPageSettings().m_width = 400;
  m_document.GetPageSettings().m_height = 300;
  AddSquare(20, 20, 100);
  m_settings.m_savePaper = 1;
  m_settings.m_mirror = 1;
  struct Step {
    const char* what;
    std::function<void()> run;
    float left, top, right, bottom;  // the job's margins on the page
  };
  const Step steps[] = {
      {"build", [&] { m_preview.BuildPreview(); }, 280, 20, 20, 180},
      {"mirror", [&] { m_preview.MirrorJob(); }, 20, 20, 280, 180},
      {"rotate", [&] { m_preview.RotateJob(); }, 180, 20, 20, 280},
      {"scale", [&] { ASSERT_TRUE(m_preview.ScaleJob(2)); }, 360, 40, 40, 560},
      {"save paper off", [&] { m_preview.SetSavePaper(false); }, 360, 40, 40, 560},
      {"rebuild", [&] { m_preview.RebuildPreview(); }, 360, 40, 40, 560},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.run();
    CFRect job = BoundsOf(m_preview), page = m_preview.GetPageRect();
    page.Normalize();
    EXPECT_NEAR(step.left, job.left - page.left, 1e-2);
    EXPECT_NEAR(step.top, job.top - page.top, 1e-2);
    EXPECT_NEAR(step.right, page.right - job.right, 1e-2);
    EXPECT_NEAR(step.bottom, page.bottom - job.bottom, 1e-2);
  }
}

// The media steps by its size less the overlap; up or left past the origin stops at 0.
TEST_F(CutPreviewTest, TheMediaStepsByItsSizeLessTheOverlap) {
  m_settings.m_mediaRect = CFRect(0, 0, 400, 900);
  m_settings.m_pageGaps = 10;
  EXPECT_TRUE(m_preview.StepMedia(CCutPreview::kStepDown));
  ExpectRect(CFRect(0, 890, 400, 1790), m_settings.m_mediaRect);
  EXPECT_TRUE(m_preview.StepMedia(CCutPreview::kStepRight));
  ExpectRect(CFRect(390, 890, 790, 1790), m_settings.m_mediaRect);
  EXPECT_TRUE(m_preview.StepMedia(CCutPreview::kStepUp));
  ExpectRect(CFRect(390, 0, 790, 900), m_settings.m_mediaRect);
  EXPECT_FALSE(m_preview.StepMedia(CCutPreview::kStepUp));
  ExpectRect(CFRect(390, 0, 790, 900), m_settings.m_mediaRect);
  m_settings.m_mediaRect.left = 100;
  m_settings.m_mediaRect.right = 500;
  EXPECT_FALSE(m_preview.StepMedia(CCutPreview::kStepLeft));
  ExpectRect(CFRect(0, 0, 400, 900), m_settings.m_mediaRect);
}

// Without a bound library there is no job; an empty group gives nothing either.
TEST(FigureClipGroup, NeedsABoundLibraryAndChildren) {
  CWeldDll unbound;
  CGroupBlock group;
  group.AddChild(MakeSquareCurve(0, 0, 10));
  EXPECT_EQ(nullptr, FigureClipGroup(&group, 0, 0, 5, 5, &unbound));
  CWeldDll bound;
  ASSERT_NE(nullptr, bound.Bind("program\\TalvexTransform.dll"));
  CGroupBlock empty;
  EXPECT_EQ(nullptr, FigureClipGroup(&empty, 0, 0, 5, 5, &bound));
  std::unique_ptr<CGroupBlock> quarter(FigureClipGroup(&group, 0, 0, 5, 5, &bound));
  ASSERT_NE(nullptr, quarter);
  CFRect box;
  quarter->GetChildren().GetBounds(&box, FALSE);
  ExpectRect(CFRect(0, 0, 5, 5), box);
}

}  // namespace
