// What a user reaches in the program's main frame under Xvfb, each through the way a user takes:
// menu commands through the frame's routing, accelerator keys through the frame's translation,
// tool-bar buttons and palette swatches clicked where they are on the screen, mouse messages on
// the drawing view. Page setup, the node tool, the guide panel, the font lists of the text page
// and the change-font dialog, selection that leaves no undo step, selected blocks that stay
// visible, the window menu and the status panes; font and size of selected texts.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "ProfileKey.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/bars/PropertyWnd.h"
#include "editor/dialogs/GuidePanelDlg.h"
#include "editor/dialogs/PageSetupDlg.h"
#include "editor/views/RulerManager.h"
#include "framework/CmdUI.h"
#include "framework/FileDialog.h"
#include "framework/ResourceModule.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/GuideLine.h"
#include "model/blocks/RectBlock.h"
#include "model/document/AuxObjectList.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoManager.h"
#include "resources/Resource.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"
#include "support/MouseDrag.h"
#include "support/TempFolder.h"
#include "support/ToolBarClick.h"
#include "text/FontTable.h"
#include "text/Language.h"
#include "text/TextBlock.h"
#include "text/layout/CharBox.h"
#include "text/layout/TextDefaults.h"

namespace {

const UINT kUndoCommand = 57643;

LPARAM At(POINT p) { return MAKELPARAM(static_cast<short>(p.x), static_cast<short>(p.y)); }

class ItemRecorder : public CCmdUI {
public:
  void Enable(BOOL on) override { enabled = on; }
  BOOL enabled = -1;
};

class UserPath : public EditorWindowTest {
protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(OpenEditorWindow(900, 640)); }
  void TearDown() override {
    if (g_propertyWnd) g_propertyWnd->DestroyWindow();
    CloseEditorWindow();
  }

  // File > New as the menu gives it; the new drawing becomes the current one.
  bool NewDocument() {
    Command(ID_FILE_NEW);
    OpenView(m_main->GetActiveDocument());
    return m_document && m_view;
  }
  POINT PixelOf(float x, float y) {
    FPOINT page = {x, y};
    POINT pixel;
    m_view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
    return pixel;
  }
  void Mouse(UINT message, UINT flags, POINT at) { m_view->SendMessage(message, flags, At(at)); }
  void Click(float x, float y, UINT flags = 0) {
    POINT p = PixelOf(x, y);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON | flags, p);
    Mouse(WM_LBUTTONUP, flags, p);
    PumpMessages();
  }
  void Command(UINT id) {
    m_main->SendMessage(WM_COMMAND, id);
    PumpMessages();
  }
  // A key as the keyboard gives it: through the message loop, where accelerators are translated.
  void Key(UINT key, UINT message = WM_KEYDOWN) {
    m_view->SetFocus();
    m_view->PostMessage(message, key, 0);
    PumpMessages();
  }
  // A button of a tool bar clicked where it is.
  BOOL Enabled(UINT id) {
    ItemRecorder item;
    item.m_nID = id;
    item.DoUpdate(m_view, TRUE);
    return item.enabled;
  }
  CCurveBlock* AddSquare(float x, float y, float size, DWORD colour = 0) {
    CCurveBlock* square = MakeSquareCurve(x, y, size, colour);
    m_document->AddBlock(square);
    return square;
  }

  void CheckStatusPanes();
};

void SetSize(CDialog* dialog, int width, int height) {
  dialog->SetDlgItemInt(CPageSetupDlg::kWidth, static_cast<UINT>(width), TRUE);
  dialog->SetDlgItemInt(CPageSetupDlg::kHeight, static_cast<UINT>(height), TRUE);
  dialog->PostMessage(WM_COMMAND, IDOK);
}

}  // namespace

TEST_F(UserPath, PageSetupComesFromTheMenuF10TheToolBarAndCtrlDoubleClickAndAppliesItself) {
  ProfileKey profile("TalvexUserPathTest");
  const std::vector<std::function<void()>> paths = {
      [&] { Command(ID_PAGE_SETUP); },
      [&] { Key(VK_F10, WM_SYSKEYDOWN); },
      [&] { ClickToolBarButton(m_main->GetMainToolBar(), ID_PAGE_SETUP); },
      [&] { Mouse(WM_LBUTTONDBLCLK, MK_CONTROL, PixelOf(200, 300)); },
  };
  for (size_t i = 0; i < paths.size(); ++i) {
    const int width = 300 + 10 * static_cast<int>(i), height = 200 + static_cast<int>(i);
    m_document->SetModifiedFlag(FALSE);
    ModalDialogDriver driver;
    driver.Then([=](CDialog* d) { SetSize(d, width, height); });
    paths[i]();
    PumpMessages();
    EXPECT_EQ(1, driver.Shown()) << i;
    EXPECT_EQ(0, driver.Stuck()) << i;
    EXPECT_EQ(static_cast<float>(width), m_document->GetPageSettings().m_width) << i;
    EXPECT_EQ(static_cast<float>(height), m_document->GetPageSettings().m_height) << i;
    EXPECT_TRUE(m_document->IsModified()) << i;
  }
  // A new document takes the stored page.
  ASSERT_TRUE(NewDocument());
  EXPECT_EQ(330.0f, m_document->GetPageSettings().m_width);
}

TEST_F(UserPath, PageSetupKeepsAColourThePaletteLacksInsteadOfTheWhiteItBeginsLike) {
  ProfileKey profile("TalvexUserPathTest");
  // 1677 is no palette colour, but "16777215", white, begins with its digits.
  m_document->GetPageSettings().m_gridColor = 1677;
  m_document->GetPageSettings().m_backColor = 0xFF0000;
  ModalDialogDriver driver;
  driver.Then(ModalDialogDriver::PressOk());
  Command(ID_PAGE_SETUP);
  EXPECT_EQ(1677, m_document->GetPageSettings().m_gridColor);
  EXPECT_EQ(0xFF0000, m_document->GetPageSettings().m_backColor);
}

TEST_F(UserPath, TheNodeToolEditsTheClickedCurveAndEscapeOrTheSelectionToolLeavesIt) {
  CCurveBlock* curve = AddSquare(100, 100, 60);
  CToolBoxBar& toolBox = m_main->GetToolBox();
  ClickToolBarButton(toolBox, ID_TOOL_NODE);
  ASSERT_EQ(CTALVEX42View::kNodeTool, m_view->GetCurrentTool());
  // Until a curve is clicked the tool box keeps the ordinary set, selection button included.
  EXPECT_EQ(static_cast<UINT>(CToolBoxBar::kOrdinaryMode), toolBox.GetMode());
  ClickToolBarButton(toolBox, ID_TOOL_SELECT);
  EXPECT_EQ(CTALVEX42View::kSelectTool, m_view->GetCurrentTool());

  Command(ID_TOOL_NODE);
  Click(100, 130);  // on the square's left side
  ASSERT_EQ(curve, m_view->GetEditBlock());
  EXPECT_EQ(CTALVEX42View::kNodeTool, curve->m_editMode);
  EXPECT_EQ(static_cast<UINT>(CToolBoxBar::kNodeMode), toolBox.GetMode());
  Key(VK_ESCAPE);
  EXPECT_EQ(nullptr, m_view->GetEditBlock());
  EXPECT_EQ(CTALVEX42View::kSelectTool, m_view->GetCurrentTool());
  EXPECT_EQ(0, curve->m_editMode);
  EXPECT_EQ(static_cast<UINT>(CToolBoxBar::kOrdinaryMode), toolBox.GetMode());

  // A node command that waits for a click makes its own tool current; choosing the selection
  // tool still ends the editing.
  ClickToolBarButton(toolBox, ID_TOOL_NODE);
  Click(100, 130);
  ASSERT_EQ(curve, m_view->GetEditBlock());
  curve->m_hitParam = -1.0f;
  ClickToolBarButton(toolBox, ID_NODE_ADD);
  ASSERT_EQ(ID_NODE_ADD, m_view->GetCurrentTool());
  Command(ID_TOOL_SELECT);
  EXPECT_EQ(nullptr, m_view->GetEditBlock());
  EXPECT_EQ(0, curve->m_editMode);
  EXPECT_EQ(static_cast<UINT>(CToolBoxBar::kOrdinaryMode), toolBox.GetMode());
}

TEST_F(UserPath, ACurveEmptiedWhileNothingRecordsLeavesTheDocumentWhenEditingEnds) {
  CCurveBlock* curve = AddSquare(100, 100, 60);
  AddSquare(300, 100, 20);
  Command(ID_TOOL_NODE);
  Click(100, 130);
  ASSERT_EQ(curve, m_view->GetEditBlock());
  m_view->GetUndoManager()->Suspend();
  // Every node in a band, then Delete.
  POINT from = PixelOf(90, 90), to = PixelOf(170, 170);
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, from);
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, to);
  Mouse(WM_LBUTTONUP, 0, to);
  Key(VK_DELETE);
  Key(VK_ESCAPE);
  m_view->GetUndoManager()->Resume();
  ASSERT_EQ(1, m_document->GetBlockList().GetSize());
  EXPECT_NE(curve, m_document->GetBlockList().GetBlock(0));
}

TEST_F(UserPath, AMovedGuideShowsItsPanelWhoseTypedValuesPlaceTheGuide) {
  Command(ID_VIEW_PROPERTY_WINDOW);
  ASSERT_NE(nullptr, g_propertyWnd);
  auto* guide = new CGuideLine(120.0f, 300.0f, 0.0f);
  m_document->GetGuideLines().AddObject(guide);
  m_view->Invalidate(FALSE);
  PumpMessages();
  POINT on = PixelOf(200, 300);
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, on);
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, {on.x, on.y + 20});
  Mouse(WM_LBUTTONUP, 0, {on.x, on.y + 20});
  PumpMessages();
  HWND panel = ::GetWindow(g_propertyWnd->m_hWnd, GW_CHILD);
  ASSERT_NE(nullptr, panel);
  EXPECT_EQ(static_cast<LONG_PTR>(CGuidePanelDlg::kTemplateId),
            ::GetWindowLongPtrA(panel, GWLP_USERDATA));
  char y[32] = {};
  ::GetDlgItemTextA(panel, CGuidePanelDlg::kY1, y, sizeof y);
  EXPECT_NEAR(guide->GetY(), atof(y), 0.01);
  EXPECT_GT(guide->GetY(), 300.0f);

  // Typed as two points, the guide runs through both; OK is the panel's default button.
  m_document->SetModifiedFlag(FALSE);
  ::CheckRadioButton(panel, CGuidePanelDlg::kPointSlope, CGuidePanelDlg::kTwoPoints,
                     CGuidePanelDlg::kTwoPoints);
  ::SetDlgItemTextA(panel, CGuidePanelDlg::kX1, "50");
  ::SetDlgItemTextA(panel, CGuidePanelDlg::kY1, "70");
  ::SetDlgItemTextA(panel, CGuidePanelDlg::kX2, "150");
  ::SetDlgItemTextA(panel, CGuidePanelDlg::kY2, "-30");
  ::SendMessageA(panel, WM_COMMAND, IDOK, 0);
  EXPECT_FLOAT_EQ(50.0f, guide->GetX());
  EXPECT_FLOAT_EQ(70.0f, guide->GetY());
  EXPECT_NEAR(45.0, guide->GetAngle(), 1e-4);
  EXPECT_TRUE(m_document->IsModified());
  char angle[32] = {};
  ::GetDlgItemTextA(panel, CGuidePanelDlg::kAngle, angle, sizeof angle);
  EXPECT_STREQ("45.00", angle);
}

TEST_F(UserPath, AClickThatOnlySelectsLeavesTheDocumentUnmodifiedAndNoUndoStep) {
  CCurveBlock* square = AddSquare(100, 100, 60);
  m_document->SetModifiedFlag(FALSE);
  const INT_PTR steps = m_view->GetUndoManager()->GetStepCount();
  Click(100, 130);
  ASSERT_EQ(1, square->m_selected);
  Click(400, 600);  // empty page: deselects
  ASSERT_EQ(0, square->m_selected);
  EXPECT_FALSE(m_document->IsModified());
  EXPECT_EQ(steps, m_view->GetUndoManager()->GetStepCount());
  EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
  // A move after a selecting click is one step, and its undo leaves the selection alone.
  Click(100, 130);
  POINT from = PixelOf(130, 130), to = PixelOf(150, 160);
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, from);
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, to);
  Mouse(WM_LBUTTONUP, 0, to);
  EXPECT_TRUE(m_document->IsModified());
  EXPECT_EQ(steps + 1, m_view->GetUndoManager()->GetStepCount());
  Command(ID_EDIT_UNDO);
  EXPECT_NEAR(100.0f, square->m_box.left, 1e-3);
  EXPECT_EQ(1, square->m_selected);
}

TEST_F(UserPath, ASelectedBlockKeepsItsColourOnTheScreen) {
  auto* rect = new CRectBlock;
  rect->m_rect = rect->m_box = CFRect(100, 100, 200, 160);
  rect->SetColour(nullptr, 0xFF0000, FALSE);
  m_document->AddBlock(rect);
  CCurveBlock* line = AddSquare(250, 100, 60, 0xFF0000);
  m_view->UpdateWindow();
  Click(100, 130);
  Click(250, 130, MK_SHIFT);
  ASSERT_EQ(1, rect->m_selected);
  ASSERT_EQ(1, line->m_selected);
  m_view->UpdateWindow();
  HDC dc = ::GetDC(m_view->m_hWnd);
  // The blocks' own left edges, half way down, are still red.
  for (POINT edge : {PixelOf(100, 130), PixelOf(250, 130)}) {
    bool red = false;
    for (int dx = -1; dx <= 1; ++dx) red |= ::GetPixel(dc, edge.x + dx, edge.y) == RGB(255, 0, 0);
    EXPECT_TRUE(red) << edge.x;
  }
  ::ReleaseDC(m_view->m_hWnd, dc);
}

TEST_F(UserPath, ASwatchClickedWithTheMouseColoursTheSelection) {
  CCurveBlock* square = AddSquare(100, 100, 60);
  Click(100, 130);
  ASSERT_EQ(1, square->m_selected);
  HWND swatches = ::GetDlgItem(m_main->GetPaletteBar().m_hWnd, IDC_PALETTE_SWATCHES);
  ASSERT_NE(nullptr, swatches);
  ::SendMessageA(swatches, LB_SETTOPINDEX, 0, 0);
  PumpMessages();
  RECT item = {};
  ::SendMessageA(swatches, LB_GETITEMRECT, 12, reinterpret_cast<LPARAM>(&item));  // red
  POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
  ::ClientToScreen(swatches, &centre);
  // The swatch list, not what lies under it, takes the click.
  HWND under = ::WindowFromPoint(centre);
  ASSERT_EQ(swatches, under);
  POINT local = centre;
  ::ScreenToClient(under, &local);
  ::SendMessageA(under, WM_LBUTTONDOWN, MK_LBUTTON, At(local));
  ::SendMessageA(under, WM_LBUTTONUP, 0, At(local));
  PumpMessages();
  EXPECT_EQ(0xFF0000u, square->GetColour());
  EXPECT_TRUE(m_document->IsModified());
  // The list still shows its swatches.
  EXPECT_TRUE(::IsWindowVisible(swatches));
  EXPECT_EQ(39, ::SendMessageA(swatches, LB_GETCOUNT, 0, 0));
}

TEST_F(UserPath, CutNeedsSelectedCharactersInATextUnderEdit) {
  CTextBlock* text = CTextBlock::CreateAt(0, 50, 50, 350, 50);
  m_document->AddBlock(text);
  Command(ID_TOOL_TEXT);
  CTextDefaults defaults = CTextDefaults::Global();
  for (char c : {'A', 'B'}) {
    auto* box = new CCharBox;
    box->Init(0, static_cast<WORD>(c), defaults);
    text->InsertChar(box);
  }
  text->Relayout(m_view, -1);
  text->BeginEdit(kTextTool, m_view);
  m_view->SetEditBlock(text);
  const INT_PTR boxes = text->GetBoxArray()->GetSize();
  EXPECT_FALSE(Enabled(ID_EDIT_CUT));
  m_main->SendMessage(WM_COMMAND, ID_EDIT_CUT);
  EXPECT_EQ(boxes, text->GetBoxArray()->GetSize());
  text->SelectRange(0, 0);
  EXPECT_TRUE(Enabled(ID_EDIT_CUT));
  EXPECT_TRUE(Enabled(ID_EDIT_COPY));
}

TEST_F(UserPath, TheWindowMenuNamesEachDocumentByItsTitle) {
  ASSERT_TRUE(NewDocument());
  PumpMessages();
  HMENU bar = ::GetMenu(m_main->m_hWnd);
  ASSERT_NE(nullptr, bar);
  HMENU window = m_main->GetWindowMenuPopup(bar);
  ASSERT_NE(nullptr, window);
  std::vector<std::string> titles;
  for (int i = 0; i < ::GetMenuItemCount(window); ++i) {
    UINT id = ::GetMenuItemID(window, i);
    if (id < AFX_IDM_FIRST_MDICHILD || id == static_cast<UINT>(-1)) continue;
    char text[128] = {};
    ::GetMenuStringA(window, i, text, sizeof text, MF_BYPOSITION);
    titles.push_back(text);
  }
  ASSERT_EQ(2u, titles.size());
  for (const std::string& title : titles) {
    EXPECT_NE(std::string::npos, title.find("TALVEX")) << title;
  }
}

TEST_F(UserPath, TheStatusPanesHoldTheirLongestTextsInBothLanguages) {
  CheckStatusPanes();
  // The frame made again from the English resources.
  HINSTANCE saved = AfxGetResourceHandle();
  HMODULE english = LoadLibraryA("program\\RCT42Eng.DLL");
  ASSERT_NE(nullptr, english);
  TearDown();
  AfxSetResourceHandle(english);
  SetUp();
  CheckStatusPanes();
  TearDown();
  AfxSetResourceHandle(saved);
  FreeLibrary(english);
  SetUp();
}

TEST_F(UserPath, TheExportAndMergeDialogsNameTheirFileKindsInTheInterfacesLanguage) {
  HINSTANCE saved = AfxGetResourceHandle();
  HMODULE english = LoadLibraryA("program\\RCT42Eng.DLL");
  ASSERT_NE(nullptr, english);
  AfxSetResourceHandle(english);
  std::vector<std::string> filters;
  AfxCommonDialogHandler previous = AfxSetCommonDialogHandler([&](CCommonDialog* dialog) {
    if (auto* files = DYNAMIC_DOWNCAST(CFileDialog, dialog)) {
      std::string kinds;
      for (const char* p = files->m_ofn.lpstrFilter; p && *p; p += strlen(p) + 1)
        kinds += std::string(p) + "|";
      filters.push_back(kinds);
    }
    return static_cast<INT_PTR>(IDCANCEL);
  });
  Command(ID_FILE_EXPORT);
  Command(ID_FILE_MERGE);
  AfxSetCommonDialogHandler(std::move(previous));
  AfxSetResourceHandle(saved);
  FreeLibrary(english);
  ASSERT_EQ(2u, filters.size());
  EXPECT_EQ(0u, filters[0].find("Text Files (*.TXT;*.)|*. ; *.TXT|")) << filters[0];
  EXPECT_NE(std::string::npos, filters[0].find("|*.EPS|")) << filters[0];
  // The import filter may add kinds of its own after the program's.
  EXPECT_EQ(0u, filters[1].find("All Kinds (*.T42;*.PLT;*.AI;*.EPS)|")) << filters[1];
  EXPECT_NE(std::string::npos, filters[1].find("Text Files (*.TXT)|*.Txt|")) << filters[1];
}

void UserPath::CheckStatusPanes() {
  CStatusBar& status = m_main->GetStatusBar();
  HDC dc = ::GetDC(status.m_hWnd);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(status.SendMessage(WM_GETFONT)));
  auto fits = [&](int pane, const CString& text) {
    UINT id = 0, style = 0;
    int width = 0;
    status.GetPaneInfo(pane, id, style, width);
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &extent);
    return extent.cx <= width;
  };
  CString format, text;
  format.LoadString(IDS_STATUS_POINTER);
  text.Format(format, -888.8, -888.8);
  EXPECT_TRUE(fits(1, text)) << text;
  format.LoadString(IDS_STATUS_WIDTH);
  text.Format(format, -888.8);
  EXPECT_TRUE(fits(2, text)) << text;
  std::vector<UINT> typeNames = {IDS_STATUS_SEVERAL_BLOCKS};
  for (UINT id = IDS_BLOCK_LINE; id <= IDS_BLOCK_UNKNOWN; ++id) typeNames.push_back(id);
  for (UINT id = IDS_STAMP_SQUARE; id <= IDS_STAMP_INVERTED_TRIANGLE; ++id) typeNames.push_back(id);
  for (UINT id : typeNames) {
    text.LoadString(id);
    EXPECT_TRUE(fits(4, text)) << text;
  }
  ::SelectObject(dc, old);
  ::ReleaseDC(status.m_hWnd, dc);
}

namespace {

// The page window of the property bar that holds the font controls.
HWND TextPage(CPropertyBar& bar) {
  for (HWND child = ::GetWindow(bar.m_hWnd, GW_CHILD); child;
       child = ::GetWindow(child, GW_HWNDNEXT))
    if (::GetDlgItem(child, IDC_FONT_NAMES)) return child;
  return nullptr;
}

std::vector<std::string> InstalledFaces(int row) {
  std::vector<std::string> faces;
  for (int i = 0; i < g_winFontTable.GetEntryCount(row, 0); ++i) {
    CString face;
    g_winFontTable.GetEntryText(row, 0, i, face);
    faces.push_back(std::string(face).substr(0, 39));
  }
  return faces;
}

void Choose(HWND page, int combo, int row) {
  HWND control = ::GetDlgItem(page, combo);
  ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
  ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(combo, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
}

}  // namespace

// One language, GB with the installed fonts, read from settings of the test's own, which keep
// what the font dialogs store; the frame is made again after the fonts, as at start-up.
class UserPathWithFonts : public UserPath {
protected:
  void SetUp() override {
    m_defaults = CTextDefaults::Global();
    const std::string ini = m_folder.File("TALVEX42.INI");
    WritePrivateProfileStringA("LANGUAGE0", "ID", "134", ini.c_str());
    WritePrivateProfileStringA("LANGUAGE0", "NAME", "GB", ini.c_str());
    m_settings = g_settings.GetPath();
    g_settings.SetPath(ini.c_str());
    theApp.InitializeApplicationData(CTALVEX42App::kLoadFonts);
    UserPath::SetUp();
  }
  void TearDown() override {
    UserPath::TearDown();
    g_settings.SetPath(m_settings);
    CTextDefaults::Global() = m_defaults;
  }
  // A text of Chinese characters in the installed font of the number, at size 30.
  CTextBlock* AddText(float x, float y, int characters, WORD font) {
    CTextDefaults defaults = CTextDefaults::Global();
    defaults.defaultSource[0] = 0;
    defaults.defaultFontNumber[0] = font;
    defaults.fontSizeX = defaults.fontSizeY = 30;
    CTextBlock* text = CTextBlock::CreateAt(0, x, y, x + 300, y);
    for (int i = 0; i < characters; ++i) {
      auto* box = new CCharBox;
      box->Init(134, 0xB0A1, defaults);
      text->InsertChar(box);
    }
    text->Relayout(m_view, -1);
    text->UpdateBox();
    m_document->AddBlock(text);
    return text;
  }
  void ClickCentreOf(const CFRect& r, UINT flags = 0) {
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2, flags);
  }

  ProfileKey m_profile{"TalvexUserPathTest"};
  TempFolder m_folder;
  CString m_settings;
  CTextDefaults m_defaults;
};

TEST_F(UserPathWithFonts,
       TheFontListsShowTheInstalledFontsByNameAndTheTextPageFollowsTheClickedText) {
  const std::vector<std::string> faces = InstalledFaces(0);
  ASSERT_GE(faces.size(), 2u);
  for (const std::string& face : faces) ASSERT_FALSE(face.empty());

  HWND page = TextPage(m_main->GetPropertyBar());
  ASSERT_NE(nullptr, page);
  const std::vector<std::string> libraries = Items(::GetDlgItem(page, IDC_FONT_LIBRARY), false);
  ASSERT_EQ(1u, libraries.size());
  CString word = g_language.GetFontLibraryWord();
  EXPECT_EQ("GBWin " + std::string(word), libraries[0]);
  Choose(page, IDC_FONT_LIBRARY, 0);
  EXPECT_EQ(faces, Items(::GetDlgItem(page, IDC_FONT_NAMES), false));

  // A text in the second installed font, clicked with the selection tool.
  CTextBlock* text = AddText(50, 50, 1, 1);
  ::SendDlgItemMessageA(page, IDC_FONT_NAMES, CB_SETCURSEL, 0, 0);
  ClickCentreOf(text->m_box);
  ASSERT_EQ(1, text->m_selected);
  EXPECT_EQ(0, ::SendDlgItemMessageA(page, IDC_FONT_LIBRARY, CB_GETCURSEL, 0, 0));
  EXPECT_EQ(1, ::SendDlgItemMessageA(page, IDC_FONT_NAMES, CB_GETCURSEL, 0, 0));
  char size[32] = {};
  ::GetDlgItemTextA(page, IDC_FONT_SIZE, size, sizeof size);
  EXPECT_STREQ("30.00", size);

  // The change-font dialog (Ctrl+F) lists the same names.
  ModalDialogDriver driver;
  std::vector<std::string> listed;
  driver.Then([&](CDialog* d) {
    HWND libraryList = ::GetDlgItem(d->m_hWnd, IDC_FONT_LIBRARY);
    ::SendMessageA(libraryList, LB_SETCURSEL, 0, 0);
    d->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_FONT_LIBRARY, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(libraryList));
    listed = Items(::GetDlgItem(d->m_hWnd, IDC_FONT_LIST), true);
    d->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Command(ID_TEXT_FONT_SIZE);
  EXPECT_EQ(1, driver.Shown());
  EXPECT_EQ(faces, listed);
}

namespace {

struct CharFormat {
  float size;
  WORD font;
  bool operator==(const CharFormat& other) const {
    return size == other.size && font == other.font;
  }
};

std::vector<CharFormat> Formats(CTextBlock* text) {
  std::vector<CharFormat> formats;
  CBoxArray* boxes = text->GetBoxArray();
  for (INT_PTR i = 0; i < boxes->GetSize(); ++i)
    if (const CCharBox* box = boxes->GetCharBox(i))
      formats.push_back({box->m_width, box->m_fontNumber});
  return formats;
}

}  // namespace

// Font and size from the change-font dialog and from the property bar's text page reach the two
// texts the selection tool selected, or only the characters the text tool selected; undo takes
// each change back.
TEST_F(UserPathWithFonts, FontAndSizeOfBothDialogsReachTheSelectedTextsOrCharacters) {
  ASSERT_GE(InstalledFaces(0).size(), 2u);
  HWND page = TextPage(m_main->GetPropertyBar());
  ASSERT_NE(nullptr, page);
  auto sent = [](HWND window, int control, UINT notification) {
    ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(control, notification),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, control)));
  };
  struct Path {
    const char* name;
    std::function<void()> applySize25AndFont1;
    int undoSteps;
  };
  const Path paths[] = {
      {"change-font dialog",
       [&] {
         ModalDialogDriver driver;
         driver.Then([&](CDialog* d) {
           ModalDialogDriver::Choose(d->m_hWnd, IDC_FONT_LIBRARY, LB_SETCURSEL, LBN_SELCHANGE, 0);
           ModalDialogDriver::Choose(d->m_hWnd, IDC_FONT_LIST, LB_SETCURSEL, LBN_SELCHANGE, 1);
           d->SetDlgItemText(IDC_FONT_SIZE_X, "25");
           d->SetDlgItemText(IDC_FONT_SIZE_Y, "25");
           d->PostMessage(WM_COMMAND, IDOK);
         });
         Command(ID_TEXT_FONT_SIZE);
         EXPECT_EQ(1, driver.Shown());
         EXPECT_EQ(0, driver.Stuck());
       },
       1},
      {"text page of the property bar",
       [&] {
         ::SetDlgItemTextA(page, IDC_FONT_SIZE, "25");
         sent(page, IDC_FONT_SIZE, CBN_EDITCHANGE);
         sent(page, IDC_FONT_SIZE, CBN_KILLFOCUS);
         ModalDialogDriver::Choose(page, IDC_FONT_LIBRARY, CB_SETCURSEL, CBN_SELCHANGE, 0);
         ModalDialogDriver::Choose(page, IDC_FONT_NAMES, CB_SETCURSEL, CBN_SELCHANGE, 1);
         PumpMessages();
       },
       2},
  };
  const std::vector<CharFormat> before(3, CharFormat{30, 0});
  for (const Path& path : paths) {
    SCOPED_TRACE(path.name);
    ASSERT_TRUE(NewDocument());
    CTextBlock* first = AddText(50, 50, 3, 0);
    CTextBlock* second = AddText(50, 150, 3, 0);
    Command(ID_TOOL_SELECT);
    ClickCentreOf(first->m_box);
    ClickCentreOf(second->m_box, MK_SHIFT);
    ASSERT_EQ(1, first->m_selected);
    ASSERT_EQ(1, second->m_selected);
    const INT_PTR steps = m_view->GetUndoManager()->GetStepCount();
    path.applySize25AndFont1();
    const std::vector<CharFormat> changed(3, CharFormat{25, 1});
    EXPECT_TRUE(changed == Formats(first));
    EXPECT_TRUE(changed == Formats(second));
    EXPECT_EQ(steps + path.undoSteps, m_view->GetUndoManager()->GetStepCount());
    for (int i = 0; i < path.undoSteps; ++i) Command(kUndoCommand);
    EXPECT_TRUE(before == Formats(first));
    EXPECT_TRUE(before == Formats(second));

    // The first two characters of the second text, dragged over with the text tool.
    Command(ID_TOOL_TEXT);
    CBoxArray* boxes = second->GetBoxArray();
    const CFRect a = boxes->GetCharBox(0)->m_rect, b = boxes->GetCharBox(1)->m_rect;
    DragMouse(*m_view, PixelOf((a.left + a.right) / 2, (a.top + a.bottom) / 2),
              PixelOf((b.left + b.right) / 2, (b.top + b.bottom) / 2));
    ASSERT_EQ(second, m_view->GetEditBlock());
    ASSERT_EQ(2, second->GetSelectedCount());
    path.applySize25AndFont1();
    EXPECT_TRUE((std::vector<CharFormat>{{25, 1}, {25, 1}, {30, 0}}) == Formats(second));
    EXPECT_TRUE(before == Formats(first));
    for (int i = 0; i < path.undoSteps; ++i) Command(kUndoCommand);
    EXPECT_TRUE(before == Formats(second));
  }
}
