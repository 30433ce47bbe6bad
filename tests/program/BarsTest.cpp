// The main frame's bars made from the program's resources, under Xvfb: the tool box following
// the tool and its right-click companions, the palette bar sending colours to the active view,
// the property window, the page setup dialog, and pictures of the whole frame with two documents
// open (one modified) in both languages, saved as build/<arch>/screenshots/bars_*.bmp.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "editor/bars/AppDocumentSource.h"
#include "editor/bars/PropertyWnd.h"
#include "editor/dialogs/PageSetupDlg.h"
#include "framework/ComboBox.h"
#include "framework/Dialog.h"
#include "framework/KeyState.h"
#include "framework/ListBox.h"
#include "framework/ResourceModule.h"
#include "model/settings/ProgramPaths.h"
#include "resources/Resource.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/TempFolder.h"

namespace {

struct Command {
  UINT code;
  LPARAM data;
};

// The program's main frame, keeping every command it is sent.
class RecordingMainFrame : public CMDIMainFrame {
public:
  std::vector<Command> commands;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back({LOWORD(wParam), lParam});
    return CMDIMainFrame::OnCommand(wParam, lParam);
  }
};

// Keeps the colour commands a window is sent before it handles them.
class ColourRecorder {
public:
  explicit ColourRecorder(HWND window) : m_window(window) {
    s_recorder = this;
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Record)));
  }
  ~ColourRecorder() {
    SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    s_recorder = nullptr;
  }
  std::vector<LPARAM> colours;

private:
  static LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && LOWORD(wParam) == ID_PALETTE_COLOUR)
      s_recorder->colours.push_back(lParam);
    return CallWindowProcA(s_recorder->m_previous, window, message, wParam, lParam);
  }
  static ColourRecorder* s_recorder;
  HWND m_window;
  WNDPROC m_previous;
};
ColourRecorder* ColourRecorder::s_recorder = nullptr;

// Makes its own main frame, which records the commands it is sent, and no document: the tests
// open theirs through the frame's menu.
class BarsTest : public EditorWindowTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(OpenMainFrame(m_frame = new RecordingMainFrame, 900, 640));
    PumpMessages();
  }
  void TearDown() override { CloseEditorWindow(); }

  CTALVEX42Doc* NewDocument() {
    m_frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    PumpMessages();
    return static_cast<CTALVEX42Doc*>(m_frame->GetActiveDocument());
  }
  CListBox* Swatches() {
    return static_cast<CListBox*>(m_frame->GetPaletteBar().GetDlgItem(IDC_PALETTE_SWATCHES));
  }
  bool CommandSent(UINT code) {
    for (const Command& command : m_frame->commands)
      if (command.code == code) return true;
    return false;
  }

  RecordingMainFrame* m_frame = nullptr;
};

bool IsSeparator(CToolBar& bar, int index) {
  return (bar.GetButtonStyle(index) & 0xFFFF) == TBSTYLE_SEP;
}
bool IsWrapped(CToolBar& bar, int index) { return (bar.GetButtonStyle(index) & TBBS_WRAPPED) != 0; }

}  // namespace

TEST_F(BarsTest, TheFrameMakesEveryBar) {
  CToolBoxBar& toolBox = m_frame->GetToolBox();
  ASSERT_NE(nullptr, toolBox.m_hWnd);
  EXPECT_EQ(static_cast<UINT>(CToolBoxBar::kOrdinaryMode), toolBox.GetMode());
  EXPECT_EQ(26, toolBox.GetCount());
  EXPECT_TRUE(IsSeparator(toolBox, 14));  // the placeholder
  EXPECT_TRUE(IsWrapped(toolBox, 1));
  EXPECT_FALSE(IsWrapped(toolBox, 2));
  EXPECT_TRUE(GetWindowLongA(toolBox.m_hWnd, GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY);
  EXPECT_EQ(39, Swatches()->GetCount());
  EXPECT_EQ(static_cast<UINT>(CPropertyBar::kTextPage), m_frame->GetPropertyBar().GetCurrentPage());
  EXPECT_EQ(11, m_frame->GetPropertyBar().GetCount());
  xCDocumentBar& tabs = m_frame->GetDocumentBar();
  ASSERT_NE(nullptr, tabs.m_hWnd);
  EXPECT_EQ(static_cast<int>(IDW_DOCUMENT_BAR), GetDlgCtrlID(tabs.m_hWnd));
  CRect rect;
  tabs.GetWindowRect(rect);
  EXPECT_EQ(26, rect.Height());

  EXPECT_TRUE(m_frame->ShowControlBars(0, CMDIMainFrame::kToolBox | CMDIMainFrame::kPaletteBar));
  PumpMessages();
  EXPECT_FALSE(toolBox.GetStyle() & WS_VISIBLE);
  EXPECT_FALSE(m_frame->GetPaletteBar().GetStyle() & WS_VISIBLE);
}

namespace {

// The popup of a menu bar that holds the command, or null.
HMENU PopupHolding(HMENU menuBar, UINT id) {
  for (int i = 0; i < GetMenuItemCount(menuBar); ++i) {
    HMENU popup = GetSubMenu(menuBar, i);
    if (popup && GetMenuState(popup, id, MF_BYCOMMAND) != static_cast<UINT>(-1)) return popup;
  }
  return nullptr;
}

}  // namespace

TEST_F(BarsTest, TheViewMenuChecksTheBarsThatAreShownAndUnchecksThemWhenHidden) {
  ASSERT_NE(nullptr, NewDocument());
  HMENU view = PopupHolding(GetMenu(m_frame->m_hWnd), ID_VIEW_STATUS_BAR);
  ASSERT_NE(nullptr, view);
  auto checked = [&](UINT id) {
    m_frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(view), 2);
    return (GetMenuState(view, id, MF_BYCOMMAND) & MF_CHECKED) != 0;
  };
  for (UINT id : {ID_VIEW_STATUS_BAR, ID_VIEW_PROPERTY_BAR, ID_VIEW_PALETTE_BAR}) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(checked(id));
    m_frame->SendMessage(WM_COMMAND, id);
    PumpMessages();
    EXPECT_FALSE(checked(id));
    m_frame->SendMessage(WM_COMMAND, id);
    PumpMessages();
    EXPECT_TRUE(checked(id));
  }
}

TEST_F(BarsTest, TheToolBoxShowsTheButtonsOfTheToolsMode) {
  CToolBoxBar& toolBox = m_frame->GetToolBox();
  toolBox.SetToolMode(32792);
  EXPECT_EQ(static_cast<UINT>(CToolBoxBar::kOutputAreaMode), toolBox.GetMode());
  EXPECT_EQ(6, toolBox.GetCount());
  EXPECT_EQ(1, toolBox.GetColumns());
  // The other output-area tool leaves the bar as it is, columns included.
  toolBox.SetColumns(3);
  toolBox.SetToolMode(32794);
  EXPECT_EQ(3, toolBox.GetColumns());

  // Node tools reload every time.
  toolBox.SetToolMode(40119);
  EXPECT_EQ(static_cast<UINT>(CToolBoxBar::kNodeMode), toolBox.GetMode());
  ASSERT_EQ(15, toolBox.GetCount());
  toolBox.SetButtonInfo(0, 1, TBBS_BUTTON, 0);
  toolBox.SetToolMode(32862);
  EXPECT_EQ(40118u, toolBox.GetItemID(0));
  EXPECT_EQ(2, toolBox.GetColumns());

  toolBox.SetToolMode(40096);
  EXPECT_EQ(static_cast<UINT>(CToolBoxBar::kOrdinaryMode), toolBox.GetMode());
  EXPECT_EQ(26, toolBox.GetCount());

  // In one column the placeholder stays a button and every button ends a row.
  toolBox.LoadToolBar(IDR_TOOLBOX_NORMAL);
  toolBox.SetColumns(1);
  EXPECT_FALSE(IsSeparator(toolBox, 18));
  for (int i = 0; i < toolBox.GetCount(); ++i) EXPECT_TRUE(IsWrapped(toolBox, i)) << i;
}

TEST_F(BarsTest, ARightClickOnAToolSendsItsCompanionFirst) {
  // clang-format off
  const UINT table[][2] = {
      {32820, 40115}, {40024, 40031}, {40046, 40049}, {40070, 32784}, {40071, 40051},
      {40075, 40079}, {40080, 32872}, {40081, 32873}, {40082, 32874}, {40083, 32875},
      {40084, 32876}, {40085, 32877}, {57607, 32888}, {60000, 60100}, {40118, 40022},
      {40096, 0}, {40036, 0},
  };
  // clang-format on
  for (const auto& row : table)
    EXPECT_EQ(row[1], CToolBoxBar::CompanionCommand(row[0], false)) << row[0];
  EXPECT_EQ(32787u, CToolBoxBar::CompanionCommand(40118, true));

  CToolBoxBar& toolBox = m_frame->GetToolBox();
  CRect button;
  toolBox.GetItemRect(0, button);  // the selection tool
  toolBox.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON,
                      MAKELPARAM(button.CenterPoint().x, button.CenterPoint().y));
  EXPECT_TRUE(CommandSent(32784));

  toolBox.SetToolMode(40118);
  toolBox.GetItemRect(0, button);
  AfxKeyStateHandler saved = AfxSetKeyStateHandler(
      [](int key) -> SHORT { return key == VK_SHIFT ? static_cast<SHORT>(0x8000) : 0; });
  toolBox.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON,
                      MAKELPARAM(button.CenterPoint().x, button.CenterPoint().y));
  AfxSetKeyStateHandler(saved);
  EXPECT_TRUE(CommandSent(32787));
  EXPECT_FALSE(CommandSent(40022));
}

TEST_F(BarsTest, ASwatchSendsItsColourToTheActiveView) {
  // Without a view nothing is sent.
  CListBox* swatches = Swatches();
  swatches->SetCurSel(12);
  m_frame->GetPaletteBar().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PALETTE_SWATCHES, LBN_SELCHANGE),
                                       reinterpret_cast<LPARAM>(swatches->m_hWnd));
  EXPECT_FALSE(CommandSent(ID_PALETTE_COLOUR));

  ASSERT_NE(nullptr, NewDocument());
  CView* view = m_frame->GetActiveFrame()->GetActiveView();
  ASSERT_NE(nullptr, view);
  ColourRecorder recorder(view->m_hWnd);
  swatches = Swatches();  // the idle time of the new document freed the temporary one
  swatches->SetCurSel(12);
  m_frame->GetPaletteBar().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PALETTE_SWATCHES, LBN_SELCHANGE),
                                       reinterpret_cast<LPARAM>(swatches->m_hWnd));
  ASSERT_EQ(1u, recorder.colours.size());
  EXPECT_EQ(0xFF0000, recorder.colours[0]);
  EXPECT_EQ(view->m_hWnd, GetFocus());

  // A colour from the colour dialog goes the same way; its new custom colours join the palette.
  TempFolder folder;
  std::ofstream(folder.File("PALETTE.INI")) << "[PALETTE]\nPAL0=PAL0\n";
  g_palette.LoadFile(folder.File("PALETTE.INI").c_str());
  COLORREF custom[16];
  for (COLORREF& colour : custom) colour = RGB(255, 255, 255);
  m_frame->GetPaletteBar().TakeDialogColours(RGB(1, 2, 3), custom, 16);
  EXPECT_EQ(39, Swatches()->GetCount());
  custom[5] = RGB(9, 8, 7);
  m_frame->GetPaletteBar().TakeDialogColours(RGB(1, 2, 3), custom, 16);
  EXPECT_EQ(40, Swatches()->GetCount());
  ASSERT_EQ(3u, recorder.colours.size());
  EXPECT_EQ(0x010203, recorder.colours[1]);
  g_palette.Load(g_settings, CColorPalette::kFileName);
}

TEST_F(BarsTest, APaletteItemIsDrawnInItsColourWithTheSelectionPen) {
  ASSERT_NE(nullptr, NewDocument());
  CListBox* swatches = Swatches();
  swatches->SetTopIndex(0);
  swatches->SetCurSel(3);
  swatches->UpdateWindow();
  CRect item;
  swatches->GetItemRect(2, item);
  HDC dc = GetDC(swatches->m_hWnd);
  EXPECT_EQ(RGB(0, 128, 128), GetPixel(dc, item.CenterPoint().x, item.CenterPoint().y));
  EXPECT_EQ(RGB(255, 255, 255), GetPixel(dc, item.left + 1, item.CenterPoint().y));
  swatches->GetItemRect(3, item);
  EXPECT_EQ(RGB(0, 0, 128), GetPixel(dc, item.left + 1, item.CenterPoint().y));
  ReleaseDC(swatches->m_hWnd, dc);
}

TEST_F(BarsTest, ThePropertyWindowTogglesAndIsMadeAgainAfterItWasClosed) {
  m_frame->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_WINDOW);
  ASSERT_NE(nullptr, g_propertyWnd);
  HWND first = g_propertyWnd->m_hWnd;
  EXPECT_TRUE(IsWindowVisible(first));
  char title[32] = {};
  GetWindowTextA(first, title, sizeof title);
  EXPECT_STREQ("Property", title);
  m_frame->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_WINDOW);
  EXPECT_FALSE(IsWindowVisible(first));
  m_frame->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_WINDOW);
  EXPECT_TRUE(IsWindowVisible(first));

  g_propertyWnd->DestroyWindow();
  EXPECT_EQ(nullptr, g_propertyWnd);
  m_frame->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_WINDOW);
  ASSERT_NE(nullptr, g_propertyWnd);
  EXPECT_TRUE(IsWindowVisible(g_propertyWnd->m_hWnd));
  g_propertyWnd->DestroyWindow();
  EXPECT_EQ(nullptr, g_propertyWnd);
}

TEST_F(BarsTest, ATabOfADocumentWithoutAViewActivatesNothing) {
  CDocument* document = NewDocument();
  ASSERT_NE(nullptr, document);
  CDocument loose;
  CAppDocumentSource source;
  EXPECT_EQ(1, source.GetCount());
  EXPECT_EQ(document, source.GetAt(0));
  EXPECT_EQ(document, source.GetActive());
  source.Activate(&loose);
  EXPECT_EQ(document, source.GetActive());
  source.CloseActive();
  PumpMessages();
  EXPECT_EQ(0, source.GetCount());
}

// ---- Page setup ----

namespace {

// Runs the page setup dialog and lets act work on it when it first waits for the user.
INT_PTR RunPageSetup(CPageSetupDlg& dialog, std::function<void(CDialog*)> act) {
  AfxModalDialogHandler saved = AfxSetModalDialogHandler([&](CWnd* window, int idle) {
    if (idle == 0) act(static_cast<CDialog*>(window));
  });
  INT_PTR result = dialog.DoModal();
  AfxSetModalDialogHandler(saved);
  return result;
}

// The settings and the palette of the build's program folder.
struct ProgramFolderSettings {
  ProgramFolderSettings() {
    char folder[MAX_PATH * 2] = {};
    GetProgramDir(folder, sizeof folder);
    settings.SetPath((std::string(folder) + "program\\TALVEX42.INI").c_str());
    palette.LoadFile((std::string(folder) + "program\\PALETTE\\PALETTE.INI").c_str());
  }
  CIniFile settings;
  CColorPalette palette;
};

void Choose(CDialog* dialog, int control, int index) {
  auto* combo = static_cast<CComboBox*>(dialog->GetDlgItem(control));
  combo->SetCurSel(index);
  dialog->SendMessage(WM_COMMAND, MAKEWPARAM(control, CBN_SELCHANGE),
                      reinterpret_cast<LPARAM>(combo->m_hWnd));
}

}  // namespace

TEST(PageSetup, PresetsComeFromTheSectionWithOrWithoutTheBlank) {
  EXPECT_EQ("PAGE", std::string(CPageSetupDlg::PresetSection(" ")));
  EXPECT_EQ("PAGE", std::string(CPageSetupDlg::PresetSection("")));
  EXPECT_EQ("PAGEEng", std::string(CPageSetupDlg::PresetSection("Eng")));
  const char list[] = "A4\0B5=1\0\0ignored";
  std::vector<CString> names = CPageSetupDlg::ParseKeyList(list, sizeof list);
  ASSERT_EQ(2u, names.size());
  EXPECT_EQ("A4", std::string(names[0]));
  EXPECT_EQ("B5", std::string(names[1]));
  // A list that is not ended stops at the buffer's end.
  EXPECT_EQ(1u, CPageSetupDlg::ParseKeyList("abc", 3).size());
  int width = 0, height = 0;
  EXPECT_TRUE(CPageSetupDlg::ParsePageSize("210,297", &width, &height));
  EXPECT_EQ(210, width);
  EXPECT_EQ(297, height);
  EXPECT_FALSE(CPageSetupDlg::ParsePageSize("210", &width, &height));
  ProgramFolderSettings program;
  EXPECT_EQ("400,900", std::string(CPageSetupDlg::PresetSize(program.settings, "no such page")));
  EXPECT_EQ("297,420", std::string(CPageSetupDlg::PresetSize(program.settings, "A3 (297x420)")));
}

TEST(PageSetup, FillsPresetsPaletteTypesAndColoursAndRefusesASideBelowTen) {
  CPageSettings page;
  page.m_width = 400.0f;
  page.m_height = 900.0f;
  page.m_paletteType = 0;
  page.m_backColor = 0xFFFFFF;
  page.m_gridColor = 0x123456;  // no such colour: kept
  page.m_gridSize = 50;
  CAppProfile unbound;  // writes nothing
  ProgramFolderSettings program;
  ASSERT_EQ(1, program.palette.GetPaletteCount());
  CPageSetupDlg dialog(page, program.palette, program.settings, unbound);
  bool stayedOpen = false;
  INT_PTR result = RunPageSetup(dialog, [&](CDialog* d) {
    auto* types = static_cast<CComboBox*>(d->GetDlgItem(CPageSetupDlg::kPageType));
    EXPECT_EQ(10, types->GetCount());
    EXPECT_EQ(1, static_cast<CComboBox*>(d->GetDlgItem(CPageSetupDlg::kPaletteType))->GetCount());
    EXPECT_EQ(0, static_cast<CComboBox*>(d->GetDlgItem(CPageSetupDlg::kPaletteType))->GetCurSel());
    EXPECT_EQ(15, static_cast<CComboBox*>(d->GetDlgItem(CPageSetupDlg::kBackColour))->GetCurSel());
    EXPECT_EQ(-1, static_cast<CComboBox*>(d->GetDlgItem(CPageSetupDlg::kGridColour))->GetCurSel());
    CString text;
    d->GetDlgItemText(CPageSetupDlg::kWidth, text);
    EXPECT_EQ("400.00", std::string(text));
    Choose(d, CPageSetupDlg::kPageType, 2);  // A3 (297x420)
    d->GetDlgItemText(CPageSetupDlg::kWidth, text);
    EXPECT_EQ("297", std::string(text));
    d->SetDlgItemText(CPageSetupDlg::kWidth, "9");
    d->SendMessage(WM_COMMAND, IDOK);
    stayedOpen = IsWindow(d->m_hWnd) && dialog.ContinueModal();
    d->SetDlgItemText(CPageSetupDlg::kWidth, "300");
    Choose(d, CPageSetupDlg::kBackColour, 12);
    d->SendMessage(WM_COMMAND, IDOK);
  });
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(IDOK, result);
  const CPageSettings& chosen = dialog.GetResult();
  EXPECT_EQ(300.0f, chosen.m_width);
  EXPECT_EQ(420.0f, chosen.m_height);
  EXPECT_EQ(0, chosen.m_paletteType);
  EXPECT_EQ(0xFF0000, chosen.m_backColor);
  EXPECT_EQ(0x123456, chosen.m_gridColor);
  EXPECT_EQ(50, chosen.m_gridSize);
}

// ---- Pictures ----

namespace {

// The window as the X server shows it, as a 24-bit bottom-up BMP file; its pixels for checking.
std::vector<COLORREF> SavePicture(HWND window, const std::string& path, CRect* rect) {
  GetWindowRect(window, rect);
  const int w = rect->Width(), h = rect->Height();
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, picture);
  BitBlt(memory, 0, 0, w, h, screen, rect->left, rect->top, SRCCOPY);
  GdiFlush();
  const int stride = (w * 3 + 3) & ~3;
  std::vector<COLORREF> pixels(static_cast<size_t>(w) * h);
  const auto* bytes = static_cast<const BYTE*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const BYTE* p = bytes + static_cast<size_t>(h - 1 - y) * stride + x * 3;
      pixels[static_cast<size_t>(y) * w + x] = RGB(p[2], p[1], p[0]);
    }
  BITMAPFILEHEADER file = {0x4D42,
                           static_cast<DWORD>(sizeof file + sizeof info.bmiHeader + stride * h), 0,
                           0, static_cast<DWORD>(sizeof file + sizeof info.bmiHeader)};
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  out.write(static_cast<const char*>(bits), static_cast<std::streamsize>(stride) * h);
  SelectObject(memory, old);
  DeleteObject(picture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

int CountColour(const std::vector<COLORREF>& pixels, COLORREF colour) {
  int count = 0;
  for (COLORREF pixel : pixels) count += pixel == colour;
  return count;
}

std::string ScreenshotFolder() {
  CreateDirectoryA("screenshots", nullptr);
  return "screenshots\\";
}

}  // namespace

class BarsPicture : public BarsTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BarsPicture, ShowsEveryBarWithTwoDocumentsOneModified) {
  const std::string language = GetParam();
  HINSTANCE saved = AfxGetResourceHandle();
  HMODULE english = nullptr;
  HMENU englishMenu = nullptr;
  if (language == "english") {
    english = LoadLibraryA("program\\RCT42Eng.DLL");
    ASSERT_NE(nullptr, english);
    AfxSetResourceHandle(english);
    // The frame is made again from the English resources, and the documents' menu taken from them.
    TearDown();
    SetUp();
    englishMenu = LoadMenuA(english, MAKEINTRESOURCEA(IDR_TALVEXTYPE));
    std::swap(m_template->m_hMenuShared, englishMenu);
  }
  CTALVEX42Doc* first = NewDocument();
  ASSERT_NE(nullptr, first);
  first->SetModifiedFlag(TRUE);
  ASSERT_NE(nullptr, NewDocument());
  for (int i = 0; i < 5; ++i) {
    PumpMessages();
    Sleep(50);
  }
  EXPECT_EQ(2, m_frame->GetDocumentBar().GetTabCount());
  EXPECT_EQ("*",
            std::string(xCDocumentBar::TabLabel(m_frame->GetDocumentBar().GetTab(0))).substr(0, 1));
  CRect rect;
  std::vector<COLORREF> pixels =
      SavePicture(m_frame->m_hWnd, ScreenshotFolder() + "bars_" + language + ".bmp", &rect);
  // The tab bar's background, the palette's teal swatch and the thumb-free tab strip are there.
  EXPECT_GT(CountColour(pixels, RGB(255, 251, 240)), 2000);
  EXPECT_GT(CountColour(pixels, RGB(0, 128, 128)), 100);
  EXPECT_GT(CountColour(pixels, RGB(255, 255, 0)), 100);
  TearDown();
  if (englishMenu) {
    std::swap(m_template->m_hMenuShared, englishMenu);
    DestroyMenu(englishMenu);
  }
  AfxSetResourceHandle(saved);
  if (english) FreeLibrary(english);
  SetUp();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, BarsPicture, ::testing::Values("chinese", "english"));
