// The drawing commands sent to a real main view in a document window under Xvfb: the table lets
// them through when the selection allows, they change the document in one undo step that the
// view's undo takes back, and a failing library step is reported with the document unchanged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "CommandTestSupport.h"
#include "editor/DrawingWindow.h"
#include "editor/TALVEX42View.h"
#include "framework/CmdUI.h"
#include "framework/FileDialog.h"
#include "framework/MDIFrameWnd.h"
#include "framework/WinApp.h"
#include "model/CurveTestSupport.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/ProgramPaths.h"
#include "resources/Resource.h"
#include "support/FileContents.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/TempFolder.h"

using namespace command_test;

namespace {

const UINT kUndoCommand = 57643;

class ItemRecorder : public CCmdUI {
public:
  void Enable(BOOL on) override { enabled = on; }
  BOOL enabled = -1;
};

class DrawingCommands : public ::testing::Test {
protected:
  void SetUp() override {
    frame = new CMDIFrameWnd;
    ASSERT_TRUE(OpenDrawingWindow(app, frame, &document, &view));
    view->GetDrawingCommands().SetLibraryPath(kLibraryPath);
  }
  void TearDown() override { CloseDrawingWindow(app); }
  CBlock* AddSquare(float x, float y, float size, bool selected = true) {
    CBlock* block = MakeSquareCurve(x, y, size);
    block->m_selected = selected ? 1 : 0;
    document->AddBlock(block);
    return block;
  }
  BOOL Enabled(UINT id) {
    ItemRecorder item;
    item.m_nID = id;
    item.DoUpdate(view, TRUE);
    return item.enabled;
  }
  CSegArray& Blocks() { return document->GetBlockList(); }

  CDrawingTestApp app{"TalvexDrawingCommandsTest"};
  CMDIFrameWnd* frame = nullptr;
  CTALVEX42Doc* document = nullptr;
  CTALVEX42View* view = nullptr;
};

TEST_F(DrawingCommands, WeldThroughTheViewIsOneStepThatUndoTakesBack) {
  AddSquare(0, 0, 10);
  AddSquare(5, 5, 10);
  std::vector<ListEntry> before = Snapshot(Blocks());
  document->SetModifiedFlag(FALSE);
  ASSERT_TRUE(Enabled(ID_OUTLINE_WELD));
  view->SendMessage(WM_COMMAND, ID_OUTLINE_WELD);
  ASSERT_EQ(1, Blocks().GetSize());
  EXPECT_NEAR(175, AreaOf(Blocks().GetBlock(0)), 1e-3);
  EXPECT_TRUE(document->IsModified());
  EXPECT_EQ(1, view->GetSelectTracker().GetCount());
  EXPECT_EQ(1, view->GetUndoManager()->GetStepCount());

  view->SendMessage(WM_COMMAND, kUndoCommand);
  EXPECT_TRUE(Snapshot(Blocks()) == before);
}

// A line of five letters O, 10 x 10 with a 4 x 4 counter, each overlapping the next by 2, and a
// picture below them: Select All and one weld make the line one outline that keeps the five
// counters (10 x 42 less 5 x 16), in one step that undo takes back, and leave the picture.
TEST_F(DrawingCommands, WeldingASelectAllOfALineOfLettersMakesOneOutlineInOneStep) {
  const BYTE start = kPointStart | kPointOnCurve, on = kPointOnCurve,
             close = kPointClose | kPointOnCurve;
  for (int i = 0; i < 5; ++i) {
    const float x = 8.0f * i;
    CBlock* letter = MakeCurve({{x, 0, start},
                                {x + 10, 0, on},
                                {x + 10, 10, on},
                                {x, 10, on},
                                {x, 0, close},
                                {x + 3, 3, start},
                                {x + 3, 7, on},
                                {x + 7, 7, on},
                                {x + 7, 3, on},
                                {x + 3, 3, close}});
    document->AddBlock(letter);
  }
  CBlock* picture = new FakeImage(CFRect(0, 20, 10, 30));
  document->AddBlock(picture);
  view->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL_BLOCKS);
  EXPECT_EQ(6, view->GetSelectTracker().GetCount());
  std::vector<ListEntry> before = Snapshot(Blocks());
  ASSERT_TRUE(Enabled(ID_OUTLINE_WELD));
  view->SendMessage(WM_COMMAND, ID_OUTLINE_WELD);
  ASSERT_EQ(2, Blocks().GetSize());
  EXPECT_EQ(picture, Blocks().GetBlock(0));
  EXPECT_NEAR(420 - 80, AreaOf(Blocks().GetBlock(1)), 1e-3);
  EXPECT_EQ(1, view->GetUndoManager()->GetStepCount());

  view->SendMessage(WM_COMMAND, kUndoCommand);
  EXPECT_TRUE(Snapshot(Blocks()) == before);
}

TEST_F(DrawingCommands, AFailedLibraryStepIsReportedAndChangesNothing) {
  AddSquare(0, 0, 10);
  AddSquare(30, 30, 10);
  std::vector<ListEntry> before = Snapshot(Blocks());
  document->SetModifiedFlag(FALSE);
  MessageBoxCapture boxes;
  view->SendMessage(WM_COMMAND, ID_OUTLINE_INTERSECT);
  EXPECT_EQ(1u, boxes.Count());
  EXPECT_TRUE(Snapshot(Blocks()) == before);
  EXPECT_FALSE(document->IsModified());
  EXPECT_EQ(0, view->GetUndoManager()->GetStepCount());
}

// Trim of the sample document's star (a polygon block, r = 45, inside its ring) from its circle
// (r = 60), both selected: the ring, with the star as its hole, whichever of the two lies in
// front. The sample has the star behind the circle (new blocks go to the back, the end of the
// list); sending the circle to the back gives the other order. Undo brings both back each time.
TEST_F(DrawingCommands, TrimOfTheSamplesStarFromItsCircleLeavesTheRingInEitherOrder) {
  char folder[MAX_PATH];
  ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
  auto* sample = static_cast<CTALVEX42Doc*>(
      app.OpenDocumentFile((std::string(folder) + "program\\SAMPLE.T42").c_str()));
  ASSERT_NE(nullptr, sample);
  PumpMessages();
  auto* sampleView = static_cast<CTALVEX42View*>(frame->MDIGetActive()->GetActiveView());
  sampleView->GetDrawingCommands().SetLibraryPath(kLibraryPath);
  CSegArray& blocks = sample->GetBlockList();
  ASSERT_EQ(6, blocks.GetSize());
  CBlock* circle = blocks.GetBlock(1);
  CBlock* star = blocks.GetBlock(2);
  ASSERT_EQ(kCircleBlock, circle->m_type);
  ASSERT_EQ(kPolygonBlock, star->m_type);
  // The circle's four Bezier arcs, their handles 0.553 of the radius long, hold 3.1437146 r^2;
  // the star, ten triangles of its two radii 36 degrees apart, is its hole. The library's chords
  // keep within a few tenths of that.
  const double starArea = 10 * 0.5 * 45 * 18 * std::sin(3.14159265358979323846 / 5);
  const double ring = 3.1437146 * 60 * 60 - starArea;
  auto select = [&](std::initializer_list<CBlock*> chosen) {
    for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
      CBlock* block = blocks.GetBlock(i);
      block->m_selected = std::find(chosen.begin(), chosen.end(), block) != chosen.end();
    }
  };
  for (const char* order : {"star behind", "circle behind"}) {
    if (order[0] == 'c') {
      select({circle});
      sampleView->SendMessage(WM_COMMAND, ID_EDIT_TO_BACK);
      ASSERT_EQ(circle, blocks.GetBlock(5)) << order;
    }
    select({circle, star});
    const std::vector<ListEntry> before = Snapshot(blocks);
    MessageBoxCapture boxes;
    sampleView->SendMessage(WM_COMMAND, ID_OUTLINE_TRIM);
    EXPECT_EQ(0u, boxes.Count()) << order;
    ASSERT_EQ(5, blocks.GetSize()) << order;
    CBlock* result = blocks.GetBlock(4);
    EXPECT_NEAR(ring, AreaOf(result), 0.5) << order;
    EXPECT_NEAR(60, result->m_box.left, 0.01) << order;
    EXPECT_NEAR(190, result->m_box.bottom, 0.01) << order;
    sampleView->SendMessage(WM_COMMAND, kUndoCommand);
    EXPECT_TRUE(Snapshot(blocks) == before) << order;
  }
}

TEST_F(DrawingCommands, SelectAllThenUngroupAndSpacingRunThroughTheTable) {
  AddSquare(0, 0, 10, false);
  AddSquare(20, 0, 20, false);
  AddSquare(90, 0, 10, false);
  EXPECT_FALSE(Enabled(ID_EDIT_UNGROUP));
  view->SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL_BLOCKS);
  EXPECT_EQ(3, view->GetSelectTracker().GetCount());
  ASSERT_TRUE(Enabled(ID_SPACE_HORZ));
  view->SendMessage(WM_COMMAND, ID_SPACE_HORZ);
  EXPECT_FLOAT_EQ(40, Blocks().GetBlock(1)->m_box.left);
  // One step: the selection leaves none of its own.
  EXPECT_EQ(1, view->GetUndoManager()->GetStepCount());
}

TEST_F(DrawingCommands, TheFileOutputWritesByTheNamesKindAndRemembersTheFolder) {
  TempFolder folder;
  AddSquare(0, 0, 10);
  EXPECT_TRUE(view->GetDrawingCommands().ExportTo(folder.File("a.plt").c_str()));
  EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(folder.File("a.plt").c_str()));
  view->GetDrawingCommands().SetEpsSettingsPath("program\\ImExport.Ini");
  EXPECT_TRUE(view->GetDrawingCommands().ExportTo(folder.File("a.eps").c_str()));
  EXPECT_EQ(0u, ReadFileText(folder.File("a.eps")).find("%!PS-Adobe-3.0 EPSF-3.0\r\n"));
  // The drawing has no text to write.
  EXPECT_FALSE(view->GetDrawingCommands().ExportTo(folder.File("a.txt").c_str()));
  EXPECT_EQ(1, view->GetDrawingCommands().WriteArtworkRecord(folder.Path().c_str()));
}

TEST_F(DrawingCommands, TheFileOutputOffersItsThreeKindsAndSaysSoForANameOfAnotherKind) {
  TempFolder folder;
  AddSquare(0, 0, 10);
  MessageBoxCapture boxes;
  std::string filter;
  std::string name;
  AfxCommonDialogHandler previous = AfxSetCommonDialogHandler([&](CCommonDialog* dialog) {
    auto* files = DYNAMIC_DOWNCAST(CFileDialog, dialog);
    if (!files) return static_cast<INT_PTR>(IDCANCEL);
    for (const char* p = files->m_ofn.lpstrFilter; p && *p; p += strlen(p) + 1) filter += p;
    files->SetFileName(name.c_str());
    return static_cast<INT_PTR>(IDOK);
  });
  for (const char* kind : {"a.ai", "a.dxf"}) {
    name = folder.File(kind);
    frame->SendMessage(WM_COMMAND, ID_FILE_EXPORT);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(name.c_str())) << kind;
  }
  AfxSetCommonDialogHandler(std::move(previous));
  EXPECT_NE(std::string::npos, filter.find("EPS"));
  EXPECT_NE(std::string::npos, filter.find("PLT"));
  ASSERT_EQ(2u, boxes.Count());
  EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING), boxes.Last().type & MB_ICONMASK);
}

TEST_F(DrawingCommands, TheEpsChoiceOfTheFileOutputWritesOrSaysWhyItCannot) {
  TempFolder folder;
  AddSquare(5, 5, 10);
  std::string path = folder.File("out.eps");
  AfxCommonDialogHandler previous = AfxSetCommonDialogHandler([&](CCommonDialog* dialog) {
    auto* files = DYNAMIC_DOWNCAST(CFileDialog, dialog);
    if (!files) return INT_PTR(IDCANCEL);
    files->SetFileName(path.c_str());
    return INT_PTR(IDOK);
  });
  ASSERT_TRUE(Enabled(ID_FILE_EXPORT));
  view->GetDrawingCommands().SetEpsSettingsPath("program\\ImExport.Ini");
  view->SendMessage(WM_COMMAND, ID_FILE_EXPORT);
  EXPECT_NE(std::string::npos, ReadFileText(path).find("%%BoundingBox: 14 14 47 47\r\n"));

  // Without its resolution the export says so and makes no file.
  MessageBoxCapture boxes;
  path = folder.File("none.eps");
  view->GetDrawingCommands().SetEpsSettingsPath(folder.File("missing.ini").c_str());
  view->SendMessage(WM_COMMAND, ID_FILE_EXPORT);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(path.c_str()));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_EQ("ImExport.Ini 中没有EPS分辨率(EPSDPI), 无法输出EPS文件!", boxes.Last().text);
  AfxSetCommonDialogHandler(std::move(previous));
}

}  // namespace
