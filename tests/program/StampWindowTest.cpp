// Stamps in the program's main frame under Xvfb, through the user's paths: the new-stamp command
// runs the stamp area dialog and the square seal dialog (answered as a user would) and adds a
// stamp centred on the page in one undo step; coloured from the palette, it is saved, opened
// again with its colour and cut through the cut-output window into a plot file that holds its
// frame, its ring and its characters. The stamp's panel (the property window) runs the square
// seal dialog, which refuses values no stamp can take and applies the rest in one undo step.
// Characters come from a glyph source of the test; pictures, the document and the plot file
// are saved in screenshots\.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "EditorWindowTest.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/bars/PropertyWnd.h"
#include "editor/cut/CutFrame.h"
#include "model/CurveTestSupport.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/ProgramPaths.h"
#include "output/OutputTexts.h"
#include "output/SquareSealDlg.h"
#include "output/StampAreaDlg.h"
#include "output/StampBlock.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"
#include "support/MouseDrag.h"
#include "support/TempFolder.h"
#include "support/ToolBarClick.h"
#include "text/layout/CharBox.h"
#include "text/layout/FakeGlyphSource.h"

namespace {

const UINT kUndoCommand = 57643;
const DWORD kRed = 0xFF0000;

std::string Text(HWND dialog, UINT id) {
  char text[64] = {};
  GetDlgItemTextA(dialog, static_cast<int>(id), text, sizeof text);
  return text;
}

// The number of cut runs (a pen-down command each) in an HP-GL plot file.
int CutRuns(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string plot((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  int runs = 0;
  for (size_t at = plot.find("PD"); at != std::string::npos; at = plot.find("PD", at + 2)) ++runs;
  return runs;
}

class StampWindowTest : public EditorWindowTest {
protected:
  void SetUp() override {
    for (WORD code : {WORD(0xB1EA), WORD(0xD7BC), WORD(0xB7BD), WORD(0xD5C2)})
      m_fonts.glyphs[code] = {MakePointRecord(100, 100, kPointStart | kPointOnCurve),
                              MakePointRecord(924, 100, kPointOnCurve),
                              MakePointRecord(924, 924, kPointOnCurve),
                              MakePointRecord(100, 924, kPointOnCurve),
                              MakePointRecord(100, 100, kPointClose | kPointOnCurve)};
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow(900, 640));
  }
  void TearDown() override {
    if (g_propertyWnd) g_propertyWnd->DestroyWindow();
    CloseEditorWindow();
  }
  void Command(UINT id) {
    m_view->SendMessage(WM_COMMAND, id);
    PumpMessages();
  }
  CStampBlock* OnlyStamp() {
    CSegArray& blocks = m_document->GetBlockList();
    if (blocks.GetSize() != 1 || blocks.GetBlock(0)->m_type != kStampBlock) return nullptr;
    return static_cast<CStampBlock*>(blocks.GetBlock(0));
  }
  // The stamp area dialog's template chosen and OK pressed, as the first dialog of the driver.
  static void ChooseTemplate(ModalDialogDriver& dialogs, int templateIndex) {
    dialogs.Then([templateIndex](CDialog* area) {
      ModalDialogDriver::Choose(area->m_hWnd, CStampAreaDlg::kTemplateCombo, CB_SETCURSEL,
                                CBN_SELCHANGE, static_cast<WPARAM>(templateIndex));
      EXPECT_EQ(templateIndex,
                SendDlgItemMessageA(area->m_hWnd, CStampAreaDlg::kPictureList, LB_GETCURSEL, 0, 0));
      area->PostMessage(WM_COMMAND, IDOK);
    });
  }
  // The new-stamp command with a template (the four-character one unless told) and the seal
  // dialog's defaults, or the size and the text given.
  void MakeStampFromTheMenu(int templateIndex = 4, const char* size = nullptr,
                            const char* text = nullptr) {
    ModalDialogDriver dialogs;
    ChooseTemplate(dialogs, templateIndex);
    dialogs.Then([size, text](CDialog* seal) {
      EXPECT_EQ("20.00", Text(seal->m_hWnd, CSquareSealDlg::kWidth));
      EXPECT_EQ("1.00", Text(seal->m_hWnd, CSquareSealDlg::kBorder));
      EXPECT_EQ("2.00", Text(seal->m_hWnd, CSquareSealDlg::kCornerSize));
      EXPECT_EQ("0.50", Text(seal->m_hWnd, CSquareSealDlg::kGapY));
      EXPECT_TRUE(IsDlgButtonChecked(seal->m_hWnd, CSquareSealDlg::kStraight));
      EXPECT_EQ(CSquareSealDlg::kDefaultText, Text(seal->m_hWnd, CSquareSealDlg::kText));
      if (size) {
        SetDlgItemTextA(seal->m_hWnd, CSquareSealDlg::kWidth, size);
        SetDlgItemTextA(seal->m_hWnd, CSquareSealDlg::kHeight, size);
      }
      if (text) SetDlgItemTextA(seal->m_hWnd, CSquareSealDlg::kText, text);
      seal->PostMessage(WM_COMMAND, IDOK);
    });
    Command(ID_STAMP_NEW);
    EXPECT_EQ(2, dialogs.Shown());
    EXPECT_EQ(0, dialogs.Stuck());
  }

  FakeGlyphSource m_fonts;
  MessageBoxCapture m_boxes;
};

}  // namespace

TEST_F(StampWindowTest, AStampFromTheMenuIsSavedOpenedAgainAndCut) {
  MakeStampFromTheMenu();
  CStampBlock* stamp = OnlyStamp();
  ASSERT_NE(nullptr, stamp);
  const CPageSettings& page = m_document->GetPageSettings();
  EXPECT_FLOAT_EQ((page.m_width - 20) / 2, stamp->m_frame.left);
  EXPECT_FLOAT_EQ((page.m_height - 20) / 2, stamp->m_frame.top);
  EXPECT_EQ(1, stamp->m_selected);
  EXPECT_EQ(4, stamp->GetBoxArray()->GetSize());
  Command(kUndoCommand);
  EXPECT_EQ(0, m_document->GetBlockList().GetSize());
  MakeStampFromTheMenu();
  stamp = OnlyStamp();
  ASSERT_NE(nullptr, stamp);
  m_view->SendMessage(WM_COMMAND, CTALVEX42View::kColourCommand, kRed);
  EXPECT_EQ(kRed, stamp->m_colour);
  const CFRect& box = stamp->m_box;
  m_view->ZoomToRect(CFRect(box.left - 5, box.top - 5, box.right + 5, box.bottom + 5));
  m_view->Invalidate();
  m_view->UpdateWindow();
  CreateDirectoryA("screenshots", nullptr);
  SaveClientPicture(m_view->m_hWnd, "screenshots\\stamp.bmp");

  TempFolder folder;
  const std::string path = folder.File("STAMP.T42");
  ASSERT_TRUE(m_document->OnSaveDocument(path.c_str()));
  CopyFileA(path.c_str(), "screenshots\\stamp.T42", FALSE);
  theApp.CloseAllDocuments(FALSE);
  PumpMessages();
  ASSERT_NO_FATAL_FAILURE(OpenView(theApp.OpenDocumentFile(path.c_str())));
  stamp = OnlyStamp();
  ASSERT_NE(nullptr, stamp);
  EXPECT_EQ(kRed, stamp->m_colour);
  EXPECT_EQ(4, stamp->GetBoxArray()->GetSize());

  // The cut window writes the job to a file through the plain HP-GL model.
  const CString keptProfile = g_cutterDevice.ProfileFile().GetPath();
  char program[MAX_PATH];
  ASSERT_EQ(1, GetProgramDir(program, sizeof program));
  const std::string ini = folder.File("Cutters.INI");
  const std::string library = std::string(program) + "TalvexTransform.dll";
  ASSERT_TRUE(
      CopyFileA((std::string(program) + "program\\Cutters.INI").c_str(), ini.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA((std::string(program) + "program\\TalvexTransform.dll").c_str(),
                        library.c_str(), FALSE));
  const char* values[][2] = {{"Device", "HP-GL 刻字机"}, {"SavePaper", "0"}, {"Mirror", "0"},
                             {"ZoomCut", "1"},           {"AutoFeed", "0"},  {"PageRect", "0"}};
  for (auto& value : values) WritePrivateProfileStringA("CutInfo", value[0], value[1], ini.c_str());
  g_cutterDevice.ProfileFile().SetPath(ini.c_str());
  Command(ID_FILE_CUT_OUTPUT);
  CString title;
  ASSERT_TRUE(title.LoadString(IDS_CUT_OUTPUT));
  auto* cut = dynamic_cast<CCutFrame*>(CWnd::FromHandle(FindWindowA(nullptr, title)));
  ASSERT_NE(nullptr, cut);
  const std::string plot = folder.File("stamp.plt");
  SetDlgItemTextA(cut->GetDeviceBar().m_hWnd, IDC_CUT_PORT, plot.c_str());
  EXPECT_TRUE(cut->GetDeviceBar().Output());
  cut->DestroyWindow();
  PumpMessages();
  g_cutterDevice.ProfileFile().SetPath(keptProfile);
  DeleteFileA(library.c_str());
  // The frame, its inner edge and the four characters, each one run of the blade.
  EXPECT_EQ(6, CutRuns(plot));
  CopyFileA(plot.c_str(), "screenshots\\stamp.plt", FALSE);
}

// A new stamp is placed selected; dragged away at once, it leaves none of its handles behind: the
// screen is what a full repaint gives.
TEST_F(StampWindowTest, ANewStampMovedWithTheMouseLeavesNoHandlesBehind) {
  m_main->MoveWindow(0, 0, 1280, 1000);
  PumpMessages();
  RECT client;
  m_view->GetClientRect(&client);
  auto repainted = [&] {
    m_view->Invalidate(FALSE);
    m_view->UpdateWindow();
    return ClientPixels(m_view->m_hWnd, client);
  };
  // The page's centre, where the stamp goes, near the view's bottom right corner, out from under
  // the stamp dialogs; nothing left to paint from before.
  const CPageSettings& page = m_document->GetPageSettings();
  const float x = page.m_width / 2, y = page.m_height / 2;
  m_view->ZoomToRect(CFRect(x - 200, y - 140, x + 12, y + 12));
  repainted();
  MakeStampFromTheMenu();
  CStampBlock* stamp = OnlyStamp();
  ASSERT_NE(nullptr, stamp);
  const float left = stamp->m_box.left;
  FPOINT centre = {(stamp->m_box.left + stamp->m_box.right) / 2,
                   (stamp->m_box.top + stamp->m_box.bottom) / 2};
  POINT from;
  m_view->GetDisplayMatrix()->TransformPointToInt(&centre, &from);
  m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  m_view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x - 40, from.y - 30));
  m_view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(from.x - 80, from.y - 60));
  m_view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(from.x - 80, from.y - 60));
  PumpMessages();
  ASSERT_LT(stamp->m_box.left, left);
  const std::vector<DWORD> moved = ClientPixels(m_view->m_hWnd, client);
  EXPECT_TRUE(moved == repainted());
}

// A 60 x 60 seal with border 1 and spacings 0.5: half cells 28.25 square, the right column 30.25
// and the left 1.5 from the frame's left, rows 1.5 and 30.25 from its top. Every template keeps
// its characters inside the frame: the two-column seal stacks the default four two in each
// column, the three-character ones place the three typed.
TEST_F(StampWindowTest, EachTemplateLaysItsTextOutInsideTheFrame) {
  const CFRect topRight(30.25f, 1.5f, 58.5f, 29.75f), bottomRight(30.25f, 30.25f, 58.5f, 58.5f);
  const CFRect topLeft(1.5f, 1.5f, 29.75f, 29.75f), bottomLeft(1.5f, 30.25f, 29.75f, 58.5f);
  const CFRect right(30.25f, 1.5f, 58.5f, 58.5f), left(1.5f, 1.5f, 29.75f, 58.5f);
  const char* kThree = "\xB1\xEA\xD7\xBC\xB7\xBD";
  const struct {
    int templateIndex;
    const char* text;
    std::vector<CFRect> cells;
  } templates[] = {
      {1, nullptr, {topRight, bottomRight, topLeft, bottomLeft}},
      {2, kThree, {topRight, bottomRight, left}},
      {3, kThree, {right, topLeft, bottomLeft}},
      {4, nullptr, {topRight, bottomRight, topLeft, bottomLeft}},
  };
  for (const auto& t : templates) {
    SCOPED_TRACE(testing::Message() << "template " << t.templateIndex);
    MakeStampFromTheMenu(t.templateIndex, "60", t.text);
    CStampBlock* stamp = OnlyStamp();
    ASSERT_NE(nullptr, stamp);
    const CFRect& frame = stamp->m_frame;
    EXPECT_FLOAT_EQ(60, frame.right - frame.left);
    ASSERT_EQ(static_cast<INT_PTR>(t.cells.size()), stamp->GetBoxArray()->GetSize());
    for (size_t i = 0; i < t.cells.size(); ++i) {
      const CFRect& cell = stamp->GetBoxArray()->GetCharBox(static_cast<INT_PTR>(i))->m_rect;
      EXPECT_NEAR(t.cells[i].left, cell.left - frame.left, 1e-3) << i;
      EXPECT_NEAR(t.cells[i].top, cell.top - frame.top, 1e-3) << i;
      EXPECT_NEAR(t.cells[i].right, cell.right - frame.left, 1e-3) << i;
      EXPECT_NEAR(t.cells[i].bottom, cell.bottom - frame.top, 1e-3) << i;
    }
    Command(kUndoCommand);
  }
}

// Nothing typed is dropped: a template with fewer cells than the text has characters refuses the
// text, saying how many characters it holds, and gives the field back to the user; one without
// character cells (空 and the personal seals 人名印章1 and 人名印章2, which lay out nothing)
// greys its text field and makes a frame that holds no characters.
TEST_F(StampWindowTest, ATemplateTakesNoMoreCharactersThanItHasCellsAndOneWithoutCellsNone) {
  const char* kFive = "\xB1\xEA\xD7\xBC\xB7\xBD\xD5\xC2\xB1\xEA";
  const struct {
    int templateIndex;
    int holds;  // characters; 0 for a template without cells
  } templates[] = {{2, 3}, {3, 3}, {4, 4}, {0, 0}, {5, 0}, {6, 0}};
  for (const auto& t : templates) {
    SCOPED_TRACE(testing::Message() << "template " << t.templateIndex);
    const bool hasCells = t.holds != 0;
    const size_t boxesBefore = m_boxes.Count();
    ModalDialogDriver dialogs;
    ChooseTemplate(dialogs, t.templateIndex);
    dialogs.Then([&](CDialog* seal) {
      HWND window = seal->m_hWnd, text = GetDlgItem(window, CSquareSealDlg::kText);
      EXPECT_EQ(hasCells, IsWindowEnabled(text) != FALSE);
      if (!hasCells) {
        EXPECT_EQ("", Text(window, CSquareSealDlg::kText));
        seal->PostMessage(WM_COMMAND, IDOK);
        return;
      }
      SetDlgItemTextA(window, CSquareSealDlg::kText, kFive);
      SendMessageA(window, WM_COMMAND, IDOK, 0);
      EXPECT_TRUE(IsWindow(window));
      EXPECT_EQ(text, GetFocus());
      EXPECT_EQ(kFive, Text(window, CSquareSealDlg::kText));
      seal->PostMessage(WM_COMMAND, IDCANCEL);
    });
    Command(ID_STAMP_NEW);
    if (hasCells) {
      EXPECT_EQ(0, m_document->GetBlockList().GetSize());
      ASSERT_EQ(boxesBefore + 1, m_boxes.Count());
      CString holds;
      holds.Format(OutputText::Load(OutputText::kStampTooManyCharacters), t.holds);
      EXPECT_EQ(std::string(holds), m_boxes.Last().text);
      continue;
    }
    EXPECT_EQ(boxesBefore, m_boxes.Count());
    CStampBlock* stamp = OnlyStamp();
    ASSERT_NE(nullptr, stamp);
    EXPECT_EQ(0, stamp->GetBoxArray()->GetSize());
    Command(kUndoCommand);
  }
}

TEST_F(StampWindowTest, ThePanelRefusesWhatNoStampTakesAndAppliesTheRestInOneStep) {
  MakeStampFromTheMenu();
  CStampBlock* stamp = OnlyStamp();
  ASSERT_NE(nullptr, stamp);
  const float left = stamp->m_frame.left;
  const INT_PTR steps = m_view->GetUndoManager()->GetStepCount();
  m_document->SetModifiedFlag(FALSE);
  MessageBoxCapture boxes;
  ModalDialogDriver dialogs;
  dialogs.Then([&boxes](CDialog* seal) {
    HWND window = seal->m_hWnd;
    EXPECT_EQ("20.00", Text(window, CSquareSealDlg::kWidth));
    for (const char* refused : {"0", "abc", "1e40"}) {
      SetDlgItemTextA(window, CSquareSealDlg::kWidth, refused);
      SendMessageA(window, WM_COMMAND, IDOK, 0);
      EXPECT_TRUE(IsWindow(window)) << refused;
    }
    SetDlgItemTextA(window, CSquareSealDlg::kWidth, "30");
    for (const char* refused : {"-1", "15"}) {  // below 0, and no room left for the characters
      SetDlgItemTextA(window, CSquareSealDlg::kMarginX, refused);
      SendMessageA(window, WM_COMMAND, IDOK, 0);
      EXPECT_EQ(GetDlgItem(window, CSquareSealDlg::kMarginX), GetFocus());
    }
    EXPECT_EQ(5u, boxes.Count());
    // Every field changes in the one edit.
    const std::pair<UINT, const char*> fields[] = {
        {CSquareSealDlg::kHeight, "24"},    {CSquareSealDlg::kBorder, "1.5"},
        {CSquareSealDlg::kCornerSize, "3"}, {CSquareSealDlg::kMarginX, "1"},
        {CSquareSealDlg::kMarginY, "0.8"},  {CSquareSealDlg::kGapX, "0.7"},
        {CSquareSealDlg::kGapY, "1.2"},     {CSquareSealDlg::kText, "\xB7\xBD\xD5\xC2"}};
    for (const auto& field : fields) SetDlgItemTextA(window, field.first, field.second);
    CheckRadioButton(window, CSquareSealDlg::kStraight, CSquareSealDlg::kRound,
                     CSquareSealDlg::kRound);
    seal->PostMessage(WM_COMMAND, IDOK);
  });
  const std::vector<BYTE> before = RecordOf(*stamp);
  // The property window shown with the stamp selected asks for its panel.
  m_main->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_WINDOW);
  PumpMessages();
  EXPECT_EQ(1, dialogs.Shown());
  EXPECT_FLOAT_EQ(left - 5, stamp->m_frame.left);
  const CStampParams params = stamp->GetParams();
  const float values[] = {params.height,  params.border, params.cornerSize, params.marginX,
                          params.marginY, params.gapX,   params.gapY};
  const float typed[] = {24, 1.5f, 3, 1, 0.8f, 0.7f, 1.2f};
  for (int i = 0; i < 7; ++i) EXPECT_FLOAT_EQ(typed[i], values[i]) << i;
  EXPECT_EQ(CStampBlock::kRoundCorners, params.cornerType);
  EXPECT_EQ(CString("\xB7\xBD\xD5\xC2"), params.text);
  EXPECT_EQ(steps + 1, m_view->GetUndoManager()->GetStepCount());
  EXPECT_TRUE(m_document->IsModified());
  Command(kUndoCommand);
  EXPECT_EQ(before, RecordOf(*stamp));
}

// The seal dialog is the stamp's panel, which the user asks for by showing the property window.
// While the window stays up it only follows the view: clicking the stamp, dragging it, clicking it
// again, choosing the selection tool on the tool box or coming back from another drawing opens no
// dialog. Shown again, the window asks again.
TEST_F(StampWindowTest, TheSealDialogOpensWhenAskedForNotWhenThePropertyWindowFollows) {
  MakeStampFromTheMenu();
  CStampBlock* stamp = OnlyStamp();
  ASSERT_NE(nullptr, stamp);
  const float left = stamp->m_frame.left;
  ModalDialogDriver dialogs;
  for (int i = 0; i < 8; ++i) dialogs.Then(ModalDialogDriver::PressCancel());
  Menu(ID_VIEW_PROPERTY_WINDOW);
  ASSERT_EQ(1, dialogs.Shown());
  FPOINT centre = {(stamp->m_box.left + stamp->m_box.right) / 2,
                   (stamp->m_box.top + stamp->m_box.bottom) / 2};
  POINT at;
  m_view->GetDisplayMatrix()->TransformPointToInt(&centre, &at);
  const POINT moved = {at.x + 30, at.y + 20};
  CFrameWnd* drawing = m_view->GetParentFrame();
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"click", [&] { DragMouse(*m_view, at, at); }},
      {"drag", [&] { DragMouse(*m_view, at, moved); }},
      {"click again", [&] { DragMouse(*m_view, moved, moved); }},
      {"selection tool", [&] { ClickToolBarButton(m_main->GetToolBox(), ID_TOOL_SELECT); }},
      {"another drawing and back",
       [&] {
         m_template->OpenDocumentFile(nullptr);
         PumpMessages();
         m_main->MDIActivate(drawing);
         PumpMessages();
       }},
  };
  for (const auto& step : steps) {
    step.second();
    EXPECT_EQ(1, dialogs.Shown()) << step.first;
    EXPECT_EQ(1, stamp->m_selected) << step.first;
  }
  EXPECT_LT(left, stamp->m_frame.left);
  Menu(ID_VIEW_PROPERTY_WINDOW);
  Menu(ID_VIEW_PROPERTY_WINDOW);
  EXPECT_EQ(2, dialogs.Shown());
  EXPECT_EQ(0, dialogs.Stuck());
}

TEST_F(StampWindowTest, OnlySquareStampsAreMadeAndCancellingMakesNone) {
  CreateDirectoryA("screenshots", nullptr);
  ModalDialogDriver dialogs;
  dialogs.Then([this](CDialog* area) {
    HWND window = area->m_hWnd;
    for (UINT hidden : {1144u, 1145u, 1332u, 1337u})
      EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, static_cast<int>(hidden)))) << hidden;
    EXPECT_EQ(60, SendDlgItemMessageA(window, CStampAreaDlg::kPictureList, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(7, SendDlgItemMessageA(window, CStampAreaDlg::kPictureList, LB_GETCOUNT, 0, 0));
    area->UpdateWindow();
    SaveClientPicture(window, "screenshots\\stamp_area.bmp");
    ModalDialogDriver::Choose(window, CStampAreaDlg::kShapeList, LB_SETCURSEL, LBN_SELCHANGE, 1);
    EXPECT_EQ(0, SendDlgItemMessageA(window, CStampAreaDlg::kTemplateCombo, CB_GETCOUNT, 0, 0));
    SendMessageA(window, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(1u, m_boxes.Count());
    ModalDialogDriver::Choose(window, CStampAreaDlg::kShapeList, LB_SETCURSEL, LBN_SELCHANGE, 0);
    ModalDialogDriver::Choose(window, CStampAreaDlg::kPictureList, LB_SETCURSEL, LBN_SELCHANGE, 2);
    EXPECT_EQ(2, SendDlgItemMessageA(window, CStampAreaDlg::kTemplateCombo, CB_GETCURSEL, 0, 0));
    area->PostMessage(WM_COMMAND, IDOK);
  });
  dialogs.Then([](CDialog* seal) {
    seal->UpdateWindow();
    SaveClientPicture(seal->m_hWnd, "screenshots\\square_seal.bmp");
    seal->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Command(ID_STAMP_NEW);
  // The area dialog stayed open after the seal dialog was cancelled: the driver closed it.
  EXPECT_EQ(2, dialogs.Shown());
  EXPECT_EQ(1, dialogs.Stuck());
  EXPECT_EQ(0, m_document->GetBlockList().GetSize());
  EXPECT_EQ(1u, m_boxes.Count());
}
