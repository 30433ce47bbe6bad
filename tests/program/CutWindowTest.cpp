// The cut-output window opened from the editor's drawing view on the sample document, under
// Xvfb with the program's resources and objects: it shows the job on the media (a picture is
// saved as screenshots\cut_window.bmp), its option pages read their values back, a job cut from
// it matches the same job cut from a bar over the document as drawn, a job sent to COM1 (the test
// terminal) shows its progress and ends saying what was sent, and its exit shows the editor again.
// Settings files live in a test folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "EditorWindowTest.h"
#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/cut/CUTView.h"
#include "editor/cut/CutFrame.h"
#include "framework/GbkText.h"
#include "framework/ResourceModule.h"
#include "framework/WideText.h"
#include "model/blocks/Block.h"
#include "model/blocks/ShapeBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/ProgramPaths.h"
#include "output/CutProgressDlg.h"
#include "output/SerialRecording.h"
#include "resources/Resource.h"
#include "support/ButtonInk.h"
#include "support/ClientPicture.h"
#include "support/ComboEntries.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/TempFolder.h"

namespace {

std::string Text(HWND dialog, UINT id) {
  char text[64] = {};
  GetDlgItemTextA(dialog, static_cast<int>(id), text, sizeof text);
  return text;
}

void Click(HWND dialog, UINT id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, static_cast<int>(id))));
}

void LeaveField(HWND dialog, UINT id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, static_cast<int>(id))));
}

std::vector<char> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The document's blocks as outline curves where they lie on the page: the job as a cut bar
// outside the window cuts it.
class DocumentAsDrawn : public CCutOutputHost {
public:
  explicit DocumentAsDrawn(CTALVEX42Doc* document) : m_document(document) {}
  ~DocumentAsDrawn() override { m_curves.DeleteAll(); }
  CSegArray* GetOutputBlocks() override {
    m_curves.DeleteAll();
    CSegArray& blocks = m_document->GetBlockList();
    for (INT_PTR i = 0; i < blocks.GetSize(); ++i)
      if (CBlock* curve = blocks.GetBlock(i)->ToCurve(CShapeBlock::kAnyColour))
        m_curves.AddBlock(curve);
    return &m_curves;
  }
  CString GetDocumentTitle() override { return "SAMPLE"; }
  LANGID GetLanguage() override { return 2052; }
  void CloseCutOutput() override {}

private:
  CTALVEX42Doc* m_document;
  CSegArray m_curves;
};

class CutWindowTest : public EditorWindowTest {
protected:
  void SetUp() override {
    m_keptProfile = g_cutterDevice.ProfileFile().GetPath();
    m_keptPorts = g_cutterDevice.m_port.GetSettingsFile().GetPath();
    m_ini = m_folder.File("Cutters.INI");
    char folder[MAX_PATH];
    ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
    m_program = std::string(folder) + "program\\";
    ASSERT_TRUE(CopyFileA((m_program + "Cutters.INI").c_str(), m_ini.c_str(), FALSE));
    // The window binds the transform library beside the program, as the editor does.
    m_library = std::string(folder) + "TalvexTransform.dll";
    ASSERT_TRUE(CopyFileA((m_program + "TalvexTransform.dll").c_str(), m_library.c_str(), FALSE));
    g_cutterDevice.ProfileFile().SetPath(m_ini.c_str());
    g_cutterDevice.m_port.GetSettingsFile().SetPath(m_folder.File("UPort.Ini").c_str());
    const char* values[][2] = {{"Device", "hp-gl 刻字机, 软件"},
                               {"SavePaper", "0"},
                               {"Mirror", "0"},
                               {"ZoomCut", "1"},
                               {"PortName", "FILE:"},
                               {"AutoFeed", "0"}};
    for (auto& value : values)
      WritePrivateProfileStringA("CutInfo", value[0], value[1], m_ini.c_str());

    // The size Wine gives a main frame by default on the test display.
    ASSERT_NO_FATAL_FAILURE(OpenMainFrame(new CMDIMainFrame, 960, 768));
    ASSERT_NO_FATAL_FAILURE(OpenView(theApp.OpenDocumentFile((m_program + "SAMPLE.T42").c_str())));
  }
  void TearDown() override {
    if (m_cut && IsWindow(m_cutWindow)) m_cut->DestroyWindow();
    CloseEditorWindow();
    g_cutterDevice.ProfileFile().SetPath(m_keptProfile);
    g_cutterDevice.m_port.GetSettingsFile().SetPath(m_keptPorts);
    DeleteFileA(m_library.c_str());
  }
  // The cut command of the drawing view, as the menu sends it.
  void OpenCutWindow() {
    m_view->SendMessage(WM_COMMAND, ID_FILE_CUT_OUTPUT, 0);
    PumpMessages();
    // "刻绘输出", or the English library's title.
    CString title;
    ASSERT_TRUE(title.LoadString(IDS_CUT_OUTPUT));
    m_cutWindow = FindWindowA(nullptr, title);
    ASSERT_NE(nullptr, m_cutWindow);
    m_cut = dynamic_cast<CCutFrame*>(CWnd::FromHandle(m_cutWindow));
    ASSERT_NE(nullptr, m_cut);
    ASSERT_NE(nullptr, m_cut->GetCutView());
  }
  HWND DeviceBar() { return m_cut->GetDeviceBar().m_hWnd; }
  HWND OptionsPage() { return m_cut->GetOptionsBar().GetOptionsPage().m_hWnd; }
  HWND AdjustPage() { return m_cut->GetOptionsBar().GetAdjustPage().m_hWnd; }

  TempFolder m_folder;
  std::string m_ini, m_program, m_library;
  CString m_keptProfile, m_keptPorts;
  MessageBoxCapture m_boxes;
  HWND m_cutWindow = nullptr;
  CCutFrame* m_cut = nullptr;
};

POINT PixelOf(CCUTView* view, float x, float y) {
  FPOINT page = {x, y};
  POINT pixel;
  view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
  return pixel;
}

void Mouse(CCUTView* view, UINT message, UINT flags, float x, float y) {
  POINT pixel = PixelOf(view, x, y);
  view->SendMessage(message, flags, MAKELPARAM(pixel.x, pixel.y));
}

// A press, a move and a release of the left button on the view, in page units.
void Drag(CCUTView* view, float x0, float y0, float x1, float y1) {
  Mouse(view, WM_LBUTTONDOWN, MK_LBUTTON, x0, y0);
  Mouse(view, WM_MOUSEMOVE, MK_LBUTTON, (x0 + x1) / 2, (y0 + y1) / 2);
  Mouse(view, WM_MOUSEMOVE, MK_LBUTTON, x1, y1);
  Mouse(view, WM_LBUTTONUP, 0, x1, y1);
}

// A port name typed into the device bar's port combo.
void TypePort(HWND bar, const char* name) {
  HWND combo = GetDlgItem(bar, IDC_CUT_PORT);
  SetWindowTextA(combo, name);
  SendMessageA(bar, WM_COMMAND, MAKEWPARAM(IDC_CUT_PORT, CBN_EDITCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

void ChooseModel(HWND bar, const char* model) {
  HWND combo = GetDlgItem(bar, IDC_CUT_MODEL);
  LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(model));
  ASSERT_NE(CB_ERR, index) << model;
  SendMessageA(combo, CB_SETCURSEL, index, 0);
  SendMessageA(bar, WM_COMMAND, MAKEWPARAM(IDC_CUT_MODEL, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(combo));
}

// Every label, check box and button of the bar shows its whole text, no control covers another and
// the bar is as wide as its controls; the model list drops down as wide as its longest name.
void ExpectBarFitsItsTexts(HWND bar) {
  struct Placed {
    LONG left, right;
    int id;
  };
  std::vector<Placed> placed;
  for (HWND child = GetWindow(bar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&rect), 2);
    placed.push_back({rect.left, rect.right, GetDlgCtrlID(child)});
    char kind[16] = {}, text[128] = {};
    GetClassNameA(child, kind, sizeof kind);
    GetWindowTextA(child, text, sizeof text);
    if (!text[0] || (lstrcmpiA(kind, "Button") != 0 && lstrcmpiA(kind, "Static") != 0)) continue;
    int room = rect.right - rect.left;
    if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX &&
        lstrcmpiA(kind, "Button") == 0)
      room -= GetSystemMetrics(SM_CXMENUCHECK);
    EXPECT_LE(TextExtent(child, text), room) << text;
  }
  std::sort(placed.begin(), placed.end(),
            [](const Placed& a, const Placed& b) { return a.left < b.left; });
  for (size_t i = 1; i < placed.size(); ++i) {
    if (placed[i].id == IDC_CUT_FORCE_SPIN) continue;  // the spin sits on its edit's edge
    EXPECT_GE(placed[i].left, placed[i - 1].right)
        << placed[i].id << " covers " << placed[i - 1].id;
  }
  RECT client;
  GetClientRect(bar, &client);
  EXPECT_GE(client.right, placed.back().right);
  HWND models = GetDlgItem(bar, IDC_CUT_MODEL);
  EXPECT_GE(SendMessageA(models, CB_GETDROPPEDWIDTH, 0, 0), WidestEntry(models));
}

COLORREF PixelAt(CCUTView* view, float x, float y) {
  FPOINT page = {x, y};
  POINT pixel;
  view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
  HDC dc = GetDC(view->m_hWnd);
  COLORREF colour = GetPixel(dc, pixel.x, pixel.y);
  ReleaseDC(view->m_hWnd, dc);
  return colour;
}

// Somewhere within two pixels of the page point something other than the media's white.
bool DrawnNear(CCUTView* view, float x, float y) {
  FPOINT page = {x, y};
  POINT pixel;
  view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
  HDC dc = GetDC(view->m_hWnd);
  bool drawn = false;
  for (int dx = -2; dx <= 2 && !drawn; ++dx)
    for (int dy = -2; dy <= 2 && !drawn; ++dy)
      drawn = GetPixel(dc, pixel.x + dx, pixel.y + dy) != RGB(255, 255, 255);
  ReleaseDC(view->m_hWnd, dc);
  return drawn;
}

TEST_F(CutWindowTest, TheCutCommandOpensTheJobOnTheMediaAndExitShowsTheEditorAgain) {
  OpenCutWindow();
  EXPECT_FALSE(IsWindowVisible(m_main->m_hWnd));
  EXPECT_TRUE(IsZoomed(m_cutWindow));
  EXPECT_EQ(nullptr, GetMenu(m_cutWindow));
  CCUTView* view = m_cut->GetCutView();
  // The sample's frame, ring, star and two rules, all on the page: copied as they are; its
  // picture is never cut.
  EXPECT_EQ(5, view->GetPreview()->GetBlocks().GetSize());
  EXPECT_GT(
      SendMessageA(m_cut->GetOptionsBar().GetOptionsPage().GetColourList(), CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ("400", Text(DeviceBar(), IDC_CUT_MEDIA_WIDTH));

  view->UpdateWindow();
  CreateDirectoryA("screenshots", nullptr);
  SaveClientPicture(view->m_hWnd, "screenshots\\cut_window.bmp");
  EXPECT_EQ(RGB(255, 255, 255), PixelAt(view, 10, 500));  // the media below the job
  EXPECT_TRUE(DrawnNear(view, 200, 20));                  // the frame's top edge
  EXPECT_TRUE(DrawnNear(view, 210, 110));                 // a rule
  EXPECT_FALSE(DrawnNear(view, 200, 600));

  Click(DeviceBar(), IDC_CUT_EXIT);
  PumpMessages();
  EXPECT_FALSE(IsWindow(m_cutWindow));
  m_cut = nullptr;
  EXPECT_TRUE(IsWindowVisible(m_main->m_hWnd));
  EXPECT_FALSE(m_document->IsModified());
  EXPECT_EQ(6, m_document->GetBlockList().GetSize());
  EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(CutWindowTest, AJobCutFromTheWindowMatchesTheSameJobCutFromTheBar) {
  OpenCutWindow();
  std::string fromWindow = m_folder.File("window.plt");
  SetDlgItemTextA(DeviceBar(), IDC_CUT_PORT, fromWindow.c_str());
  ASSERT_TRUE(m_cut->GetDeviceBar().Output());
  Click(DeviceBar(), IDC_CUT_EXIT);
  PumpMessages();
  m_cut = nullptr;

  std::string fromBar = m_folder.File("bar.plt");
  DocumentAsDrawn host(m_document);
  CCutDeviceBar bar(g_cutterDevice, g_cutSettings, host);
  CFrameWnd* frame = new CFrameWnd;
  ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
  ASSERT_TRUE(bar.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDD_CUT_DEVICE_BAR));
  SetDlgItemTextA(bar.m_hWnd, IDC_CUT_PORT, fromBar.c_str());
  EXPECT_TRUE(bar.Output());
  bar.DestroyWindow();
  frame->DestroyWindow();
  PumpMessages();

  std::vector<char> window = FileBytes(fromWindow), direct = FileBytes(fromBar);
  EXPECT_GT(window.size(), 100u);
  EXPECT_EQ(direct, window);
  // Each file written is announced with its path.
  ASSERT_EQ(2u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find(fromBar));
}

TEST_F(CutWindowTest, TheJobOptionsPageReadsItsNumbersBack) {
  OpenCutWindow();
  HWND page = OptionsPage();
  struct Case {
    UINT id;
    const char* typed;
    int limit, gap;
  };
  const Case cases[] = {
      {IDC_CUT_LENGTH_LIMIT, "50", 100, -1}, {IDC_CUT_LENGTH_LIMIT, "-5", 0, -1},
      {IDC_CUT_LENGTH_LIMIT, "0", 0, -1},    {IDC_CUT_LENGTH_LIMIT, "300", 300, -1},
      {IDC_CUT_PAGE_GAP, "600", -1, 20},     {IDC_CUT_PAGE_GAP, "300", -1, 300}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    SetDlgItemTextA(page, c.id, c.typed);
    m_cut->GetOptionsBar().GetOptionsPage().ReadBack();
    if (c.limit >= 0) {
      EXPECT_EQ(c.limit, g_cutSettings.m_shareOutLimit);
    }
    if (c.gap >= 0) {
      EXPECT_EQ(c.gap, g_cutSettings.m_mmPageGap);
    }
  }
  SetDlgItemTextA(page, IDC_CUT_PRECISION, "0.3");
  LeaveField(page, IDC_CUT_PRECISION);
  EXPECT_EQ("0.5", Text(page, IDC_CUT_PRECISION));
  EXPECT_EQ(0.5f, g_cutSettings.m_curveAccurate);
  // A negative scale is refused where it is typed; the job keeps its size.
  CFRect before;
  m_cut->GetCutView()->GetPreview()->GetBlocks().GetBounds(&before, FALSE);
  SetDlgItemTextA(page, IDC_CUT_ZOOM, "-2");
  LeaveField(page, IDC_CUT_ZOOM);
  EXPECT_EQ("1.00", Text(page, IDC_CUT_ZOOM));
  EXPECT_EQ(1.0f, g_cutSettings.m_zoomCut);
  CFRect after;
  m_cut->GetCutView()->GetPreview()->GetBlocks().GetBounds(&after, FALSE);
  EXPECT_EQ(before.right - before.left, after.right - after.left);
  // Only a device port hands jobs to the job manager.
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_CUT_REMOTE)));
  EXPECT_EQ(0u, m_boxes.Count());
}

// Out-of-range adjustments are refused with a message and the field shows the profile's value
// again; 0 is a valid blade offset (none), and so are 0.1 and 0.99.
TEST_F(CutWindowTest, TheAdjustmentsPageRefusesValuesOutOfRange) {
  OpenCutWindow();
  HWND page = AdjustPage();
  CCutAdjustPage& adjust = m_cut->GetOptionsBar().GetAdjustPage();
  const float offset = g_cutterDevice.m_bladeOffset;
  struct Case {
    UINT id;
    const char* typed;
    bool taken;
  };
  const Case cases[] = {{IDC_CUT_BLADE_OFFSET, "1.5", false}, {IDC_CUT_BLADE_OFFSET, "0.05", false},
                        {IDC_CUT_BLADE_OFFSET, "abc", false}, {IDC_CUT_BLADE_OFFSET, "0", true},
                        {IDC_CUT_BLADE_OFFSET, "0.1", true},  {IDC_CUT_BLADE_OFFSET, "0.99", true},
                        {IDC_CUT_RATIO_X, "0", false},        {IDC_CUT_RATIO_Y, "-1", false},
                        {IDC_CUT_RATIO_X, "1.0005", true},    {IDC_CUT_OVERCUT, "-3", false}};
  size_t boxes = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    adjust.FillControls();
    SetDlgItemTextA(page, c.id, c.typed);
    EXPECT_EQ(c.taken, adjust.ReadBack());
    if (!c.taken) {
      EXPECT_EQ(++boxes, m_boxes.Count());
      EXPECT_NE(c.typed, Text(page, c.id));
    }
  }
  EXPECT_FLOAT_EQ(0.99f, g_cutterDevice.m_bladeOffset);
  EXPECT_FLOAT_EQ(1.0005f, g_cutterDevice.m_ratioX);
  SetDlgItemTextA(page, IDC_CUT_BLADE_OFFSET, "0");
  EXPECT_TRUE(adjust.ReadBack());
  EXPECT_EQ(0.0f, g_cutterDevice.m_bladeOffset);
  // A refused value keeps the output command from cutting.
  SetDlgItemTextA(page, IDC_CUT_RATIO_X, "0");
  EXPECT_FALSE(m_cut->GetDeviceBar().Output());
  g_cutterDevice.m_bladeOffset = offset;

  // A head that offsets the blade itself and has no plot command cannot plot.
  g_cutterDevice.m_hardOffset = 1;
  CString problem;
  g_cutterDevice.m_plotCmd.SetRaw("", &problem);
  adjust.FillControls();
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_CUT_PLOT_MODE)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_CUT_BLADE_OFFSET)));
  g_cutterDevice.LoadProfile();
}

// Changing the model shows the new model's adjustments at once: the exit saves them into its own
// section, unchanged, and a job cuts with them exactly as a window opened on that model does.
TEST_F(CutWindowTest, ChangingTheModelShowsItsAdjustmentsAndCutsWithThem) {
  WritePrivateProfileStringA("HPGLSOFT", "Offset", "0.4500", m_ini.c_str());
  WritePrivateProfileStringA("HPGLSOFT", "RatioX", "1.0500", m_ini.c_str());
  OpenCutWindow();
  EXPECT_EQ("0.45", Text(AdjustPage(), IDC_CUT_BLADE_OFFSET));
  EXPECT_EQ("8", Text(AdjustPage(), IDC_CUT_OVERCUT));
  ChooseModel(DeviceBar(), "HP-GL 刻字机");
  EXPECT_EQ("0.30", Text(AdjustPage(), IDC_CUT_BLADE_OFFSET));
  EXPECT_EQ("0", Text(AdjustPage(), IDC_CUT_OVERCUT));
  EXPECT_EQ("1.0000", Text(AdjustPage(), IDC_CUT_RATIO_X));
  std::string changed = m_folder.File("changed.plt");
  SetDlgItemTextA(DeviceBar(), IDC_CUT_PORT, changed.c_str());
  ASSERT_TRUE(m_cut->GetDeviceBar().Output());
  Click(DeviceBar(), IDC_CUT_EXIT);
  PumpMessages();
  m_cut = nullptr;
  auto key = [this](const char* section, const char* name) {
    char value[32] = {};
    GetPrivateProfileStringA(section, name, "", value, sizeof value, m_ini.c_str());
    return std::string(value);
  };
  EXPECT_EQ("0.3000", key("HPGL40", "Offset"));
  EXPECT_EQ("0", key("HPGL40", "OverCut"));
  EXPECT_EQ("1.0000", key("HPGL40", "RatioX"));
  EXPECT_EQ("0.4500", key("HPGLSOFT", "Offset"));

  OpenCutWindow();
  std::string fresh = m_folder.File("fresh.plt");
  SetDlgItemTextA(DeviceBar(), IDC_CUT_PORT, fresh.c_str());
  ASSERT_TRUE(m_cut->GetDeviceBar().Output());
  EXPECT_GT(FileBytes(fresh).size(), 100u);
  EXPECT_EQ(FileBytes(fresh), FileBytes(changed));
}

// "Hand over to the job manager" follows the port as soon as it is typed or chosen: only a device
// port may hand over, and a file port clears the choice.
TEST_F(CutWindowTest, TheJobManagerChoiceFollowsThePortAtOnce) {
  OpenCutWindow();
  HWND remote = GetDlgItem(OptionsPage(), IDC_CUT_REMOTE);
  EXPECT_FALSE(IsWindowEnabled(remote));
  TypePort(DeviceBar(), "COM1");
  EXPECT_TRUE(IsWindowEnabled(remote));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(DeviceBar(), IDC_CUT_TEST)));
  CheckDlgButton(OptionsPage(), IDC_CUT_REMOTE, BST_CHECKED);
  Click(OptionsPage(), IDC_CUT_REMOTE);
  EXPECT_EQ(1, g_cutSettings.m_remoteCut);

  HWND ports = GetDlgItem(DeviceBar(), IDC_CUT_PORT);
  LRESULT file = SendMessageA(ports, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>("FILE:"));
  ASSERT_NE(CB_ERR, file);
  SendMessageA(ports, CB_SETCURSEL, file, 0);
  SendMessageA(DeviceBar(), WM_COMMAND, MAKEWPARAM(IDC_CUT_PORT, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(ports));
  EXPECT_FALSE(IsWindowEnabled(remote));
  EXPECT_FALSE(IsDlgButtonChecked(OptionsPage(), IDC_CUT_REMOTE));
  EXPECT_EQ(0, g_cutSettings.m_remoteCut);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(DeviceBar(), IDC_CUT_TEST)));
}

// A port typed with more after its colon than the port takes (the bar would send to COM1, the
// port would open a file) is refused by its name before anything is written; a port that does
// not open is named in the failure, not the temporary file that holds the job.
TEST_F(CutWindowTest, APortNameThatIsNoPortIsRefusedAndAPortThatDoesNotOpenIsNamed) {
  OpenCutWindow();
  const std::string typo = "COM1:" + m_folder.File("job.plt");
  TypePort(DeviceBar(), typo.c_str());
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(DeviceBar(), IDC_CUT_TEST)));
  Click(DeviceBar(), IDC_CUT_OUTPUT);
  PumpMessages();
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("\"" + typo + "\"")) << m_boxes.Last().text;
  EXPECT_FALSE(m_boxes.Last().caption.empty());

  // No COM8 on the test machine.
  TypePort(DeviceBar(), "COM8");
  Click(DeviceBar(), IDC_CUT_OUTPUT);
  PumpMessages();
  ASSERT_EQ(2u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("\"COM8\"")) << m_boxes.Last().text;
  EXPECT_EQ(std::string::npos, m_boxes.Last().text.find("OSD")) << m_boxes.Last().text;
  EXPECT_FALSE(m_boxes.Last().caption.empty());
}

// What the plotting progress window (the window of that caption) showed while it was open: whether
// it was visible, its progress bar's range and last position. Asked to, it presses the window's
// stop button as soon as the first piece is shown.
class PlottingWindowWatch {
public:
  PlottingWindowWatch(std::string caption, bool pressStop)
      : m_caption(std::move(caption)), m_pressStop(pressStop) {
    s_watch = this;
    m_hook = SetWindowsHookExA(WH_CALLWNDPROC, Record, nullptr, GetCurrentThreadId());
  }
  ~PlottingWindowWatch() {
    UnhookWindowsHookEx(m_hook);
    s_watch = nullptr;
  }
  bool visible = false;
  long total = -1, position = -1;

private:
  static LRESULT CALLBACK Record(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && s_watch) s_watch->Saw(*message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  void Saw(const CWPSTRUCT& message) {
    char kind[32] = {};
    if ((message.message != PBM_SETPOS && message.message != PBM_SETRANGE32) ||
        !GetClassNameA(message.hwnd, kind, sizeof kind) || lstrcmpiA(kind, PROGRESS_CLASSA) != 0)
      return;
    HWND window = GetAncestor(message.hwnd, GA_ROOT);
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    if (m_caption != text) return;  // the cutting progress while the job is written, say
    visible = visible || IsWindowVisible(window);
    if (message.message == PBM_SETRANGE32) {
      total = static_cast<long>(message.lParam);
      return;
    }
    position = static_cast<long>(message.wParam);
    if (!m_pressStop) return;
    m_pressStop = false;
    // As a click arrives: through the queue, which the window pumps between pieces.
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(CPortingDlg::kStopButtonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, CPortingDlg::kStopButtonId)));
  }
  static PlottingWindowWatch* s_watch;
  std::string m_caption;
  bool m_pressStop;
  HHOOK m_hook;
};
PlottingWindowWatch* PlottingWindowWatch::s_watch = nullptr;

// The job sent to COM1 (the test terminal) from the output button: the plotting window shows how
// far it has come, and the end says how many bytes went to the port, all of which arrived; sent
// again and stopped from the window's button at its first piece, the end says how far it came.
TEST_F(CutWindowTest, OutputToASerialPortShowsItsProgressAndSaysWhatWasSent) {
  if (!Com1IsMapped()) GTEST_SKIP() << "COM1 is not mapped to the test terminal";
  OpenCutWindow();
  TypePort(DeviceBar(), "COM1");
  // The caption of the interface language the program started in (none in this test program).
  const char* caption = theApp.GetLanguage() == 2052 ? "输出绘制中...." : "Plotting...";
  for (bool stop : {false, true}) {
    SCOPED_TRACE(stop ? "stopped" : "whole");
    const size_t before = Recorded().size();
    PlottingWindowWatch watch(caption, stop);
    Click(DeviceBar(), IDC_CUT_OUTPUT);
    PumpMessages();
    EXPECT_TRUE(watch.visible);
    EXPECT_GT(watch.total, 100);
    char expected[160];
    if (stop) {
      EXPECT_EQ(static_cast<long>(CPortingDlg::kPieceBytes), watch.position);
      snprintf(expected, sizeof expected,
               "输出已终止: 输出端口 \"COM1\" 收到 %ld 字节, 共 %ld 字节。", watch.position,
               watch.total);
    } else {
      EXPECT_EQ(watch.total, watch.position);
      snprintf(expected, sizeof expected, "切割数据已发送到输出端口 \"COM1\": %ld 字节。",
               watch.total);
      const size_t arrived = before + static_cast<size_t>(watch.total);
      for (int i = 0; i < 500 && Recorded().size() < arrived; ++i) Sleep(10);
      EXPECT_EQ(arrived, Recorded().size());
    }
    ASSERT_EQ(stop ? 2u : 1u, m_boxes.Count());
    EXPECT_EQ(expected, m_boxes.Last().text);
  }
}

// A USB cutter the settings remember: under its name in the interface language when its plug-in
// lists it (this test program's interface is English: the test plug-in's Chinese name was saved
// under the other language), and shown as remembered when its cutter is not attached, in which
// case the output says so, naming the plug-in, and nothing goes to any other port.
TEST_F(CutWindowTest, ARememberedUsbCutterIsShownInTheInterfaceLanguageOrAsNotAttached) {
  SetEnvironmentVariableA("TALVEX_USB_TEST_DEVICES", "");
  ASSERT_NE(2052, theApp.GetLanguage());
  const struct {
    const char* remembered;
    const char* shown;
  } cases[] = {{"测试刻字机[TestPlotter.upl:03]", "TestCutter[TestPlotter.upl:03]"},
               {"沐石丰泽 刻字机 USB驱动[UsbTestPlotter2.upl:02]",
                "沐石丰泽 刻字机 USB驱动[UsbTestPlotter2.upl:02]"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.remembered);
    WritePrivateProfileStringA("CutInfo", "PortName", c.remembered, m_ini.c_str());
    OpenCutWindow();
    EXPECT_EQ(CGbkText::ToWide(c.shown), AfxGetControlText(GetDlgItem(DeviceBar(), IDC_CUT_PORT)));
    EXPECT_STREQ(c.shown, g_cutSettings.m_portName);
    m_cut->DestroyWindow();
    PumpMessages();
    m_cut = nullptr;
  }
  const size_t sentToCom1 = Com1IsMapped() ? Recorded().size() : 0;
  OpenCutWindow();
  Click(DeviceBar(), IDC_CUT_OUTPUT);
  PumpMessages();
  ASSERT_EQ(1u, m_boxes.Count());
  const std::string& text = m_boxes.Last().text;
  EXPECT_NE(std::string::npos, text.find(std::string("\"") + cases[1].remembered + "\"")) << text;
  EXPECT_NE(std::string::npos, text.find("UsbTestPlotter2.upl")) << text;
  EXPECT_TRUE(m_boxes.Last().type & MB_ICONERROR);
  if (Com1IsMapped()) EXPECT_EQ(sentToCom1, Recorded().size()) << "sent to COM1 instead";
}

// The test build's cutter 2 plugged in while in scope. Held here, the plug-in keeps its cutter in
// memory after the output lets the plug-in go.
class PluggedInCutter {
public:
  PluggedInCutter() {
    SetEnvironmentVariableA("TALVEX_USB_TEST_DEVICES", "2");
    char folder[MAX_PATH] = {};
    GetProgramDir(folder, sizeof folder);
    m_plugIn = LoadLibraryA((std::string(folder) + "UsbTestPlotter2.upl").c_str());
  }
  ~PluggedInCutter() {
    if (m_plugIn) FreeLibrary(m_plugIn);
    SetEnvironmentVariableA("TALVEX_USB_TEST_DEVICES", "");
  }
  // How many plotting records the cutter received; -1 without the plug-in.
  int Received() const {
    auto count = reinterpret_cast<int(__cdecl*)(int)>(reinterpret_cast<void*>(
        m_plugIn ? GetProcAddress(m_plugIn, "UsbTest_ReceivedCount") : nullptr));
    return count ? count(2) : -1;
  }

private:
  HMODULE m_plugIn;
};

// Test on a USB cutter goes through its plug-in as a job does: the cutter in memory receives the
// test square.
TEST_F(CutWindowTest, TestOnAUsbCutterReachesTheCutter) {
  PluggedInCutter cutter;
  OpenCutWindow();
  TypePort(DeviceBar(), "BrisvanderwolLetteringMachine USBDrv[UsbTestPlotter2.upl:02]");
  ASSERT_TRUE(IsWindowEnabled(GetDlgItem(DeviceBar(), IDC_CUT_TEST)));
  Click(DeviceBar(), IDC_CUT_TEST);
  PumpMessages();
  // A move and the square's four sides at least.
  EXPECT_GE(cutter.Received(), 5);
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_FALSE(m_boxes.Last().type & MB_ICONERROR) << m_boxes.Last().text;
}

// The cutter's queue of the print tests (print_queue.sh), named as the Chinese driver installer
// names a cutter, on an English system (printed_pages.sh runs this under en_US): the cut window
// lists it whole, and a job output to it arrives through the queue as the same bytes the job
// written to a file holds. The system's 8-bit names would read "???HP-GL???(???)" here, a name
// no printer has.
class EnglishSystemCutterQueue : public CutWindowTest {
protected:
  static std::wstring QueueName() {
    return L"\x6C90\x77F3HP-GL\x523B\x5B57\x673A(\x901A\x7528\x578B)";
  }
  // The jobs the queue's backend has written (print_queue.sh: FOLDER/cutter/job-<id>.ps).
  static std::vector<std::string> QueueJobs() {
    std::vector<std::string> jobs;
    const std::string folder = std::string(getenv("TALVEX_PRINT_QUEUE")) + "/cutter/";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "job-*.ps").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return jobs;
    do jobs.push_back(folder + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return jobs;
  }
};

TEST_F(EnglishSystemCutterQueue, ListsTheQueueWholeAndAJobReachesIt) {
  if (!getenv("TALVEX_PRINT_QUEUE")) GTEST_SKIP() << "needs the print queue (program_print)";
  OpenCutWindow();
  const std::string file = m_folder.File("job.plt");
  TypePort(DeviceBar(), file.c_str());
  Click(DeviceBar(), IDC_CUT_OUTPUT);
  PumpMessages();
  ASSERT_EQ(1u, m_boxes.Count());
  const std::vector<char> written = FileBytes(file);
  ASSERT_GT(written.size(), 100u);

  HWND ports = GetDlgItem(DeviceBar(), IDC_CUT_PORT);
  const int entry = AfxFindComboEntry(ports, -1, QueueName() + L" @ ");
  ASSERT_NE(CB_ERR, entry) << "the cutter's queue is not listed";
  SendMessageW(ports, CB_SETCURSEL, entry, 0);
  SendMessageA(DeviceBar(), WM_COMMAND, MAKEWPARAM(IDC_CUT_PORT, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(ports));
  const CString port = g_cutSettings.m_portName;
  EXPECT_EQ(CGbkText::Lossy(AfxGetComboEntry(ports, entry).c_str()), port);
  const size_t before = QueueJobs().size();
  Click(DeviceBar(), IDC_CUT_OUTPUT);
  PumpMessages();
  ASSERT_EQ(2u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find(port.GetString())) << m_boxes.Last().text;
  EXPECT_FALSE(m_boxes.Last().type & MB_ICONERROR) << m_boxes.Last().text;
  std::vector<std::string> jobs;
  for (int i = 0; i < 300 && (jobs = QueueJobs()).size() <= before; ++i) Sleep(100);
  ASSERT_EQ(before + 1, jobs.size()) << "the queue received no job";
  EXPECT_TRUE(std::any_of(jobs.begin(), jobs.end(), [&](const std::string& job) {
    return FileBytes(job) == written;
  })) << "no job of the queue holds the job's bytes";
}

// The job's blocks are selected by click and rubber band and moved by dragging, in the job only:
// the document stays as it was, and nothing is recorded for undo.
TEST_F(CutWindowTest, JobBlocksAreSelectedAndMovedWithTheMouse) {
  OpenCutWindow();
  CCUTView* view = m_cut->GetCutView();
  CSelectTracker& selection = view->GetSelection();
  CSegArray& job = view->GetPreview()->GetBlocks();
  ASSERT_EQ(5, job.GetSize());
  const CFRect rule = job.GetBlock(3)->m_box;  // the upper rule, 210..350 at 110

  // A press inside a block's box picks it: the band and the empty click start left of the frame.
  Drag(view, 10, 95, 365, 170);  // a band around both rules
  EXPECT_EQ(2, selection.GetCount());
  EXPECT_EQ(1, job.GetBlock(3)->m_selected);
  EXPECT_EQ(1, job.GetBlock(4)->m_selected);
  Drag(view, 10, 240, 10, 240);  // a click on nothing
  EXPECT_EQ(0, selection.GetCount());

  const float scale = static_cast<float>(view->GetScale());
  Drag(view, 280, 110, 300, 135);
  EXPECT_EQ(1, selection.GetCount());
  EXPECT_EQ(job.GetBlock(3), selection.GetCurrentBlock());
  EXPECT_NEAR(rule.left + 20, job.GetBlock(3)->m_box.left, 2 * scale);
  EXPECT_NEAR(rule.top + 25, job.GetBlock(3)->m_box.top, 2 * scale);
  EXPECT_EQ(CFRect(210, 150, 350, 150).top, job.GetBlock(4)->m_box.top);
  // Editing stays off: a second click on the selection shows no rotate handles.
  Drag(view, 300, 135, 300, 135);
  EXPECT_NE(CSelectTracker::kRotateMode, selection.GetMode() & 0x7f);

  EXPECT_FALSE(m_document->IsModified());
  EXPECT_EQ(110.0f, m_document->GetBlockList().GetBlock(3)->m_box.top);
  EXPECT_EQ(0, view->GetUndoManager()->GetStepCount());
  // A rebuild lets go of the selection before it replaces the blocks.
  m_cut->SendMessage(WM_COMMAND, CCutFrame::kRebuildCommand);
  EXPECT_EQ(0, selection.GetCount());
  EXPECT_EQ(0u, m_boxes.Count());
}

// A repaint of a part of the preview draws it as the full repaint did: the ring's curve crossing
// the part's edges comes out at the same pixels, and a block just outside the part is drawn too.
TEST_F(CutWindowTest, APartialRepaintOfThePreviewDrawsItsAreaAsTheFullRepaintDid) {
  OpenCutWindow();
  CCUTView* view = m_cut->GetCutView();
  view->UpdateWindow();
  // Across the ring's upper left (60..180 x 70..190), on its lowest point, and on a rule's end.
  POINT ring = PixelOf(view, 77.6f, 87.6f), low = PixelOf(view, 120, 190),
        rule = PixelOf(view, 350, 110);
  const RECT areas[] = {{ring.x - 7, ring.y - 3, ring.x + 5, ring.y + 9},
                        {low.x - 4, low.y - 1, low.x + 6, low.y + 2},
                        {rule.x + 1, rule.y - 2, rule.x + 4, rule.y + 2}};
  for (const RECT& area : areas) {
    std::vector<DWORD> full = ClientPixels(view->m_hWnd, area);
    view->InvalidateRect(&area, FALSE);
    view->UpdateWindow();
    EXPECT_EQ(full, ClientPixels(view->m_hWnd, area))
        << "area at " << area.left << ", " << area.top;
  }
}

// The device bar shows every text whole, in Chinese and in English (the test and reset buttons
// disabled too), and its model list drops down as wide as the longest model name.
TEST_F(CutWindowTest, TheDeviceBarFitsItsTextsInBothLanguages) {
  OpenCutWindow();
  ExpectBarFitsItsTexts(DeviceBar());
  m_cut->DestroyWindow();
  PumpMessages();
  m_cut = nullptr;

  HINSTANCE english = LoadLibraryA((m_program + "RCT42Eng.DLL").c_str());
  ASSERT_NE(nullptr, english);
  HINSTANCE saved = AfxGetResourceHandle();
  AfxSetResourceHandle(english);
  OpenCutWindow();
  EXPECT_EQ("Output", Text(DeviceBar(), IDC_CUT_OUTPUT));
  ExpectBarFitsItsTexts(DeviceBar());
  // Disabled, the test and reset buttons show the same text, in grey, as they do enabled.
  for (UINT id : {IDC_CUT_TEST, IDC_CUT_RESET}) {
    HWND button = GetDlgItem(DeviceBar(), static_cast<int>(id));
    TypePort(DeviceBar(), "COM1");
    ASSERT_TRUE(IsWindowEnabled(button));
    std::vector<bool> enabled = TextColumns(button);
    TypePort(DeviceBar(), "FILE:");
    ASSERT_FALSE(IsWindowEnabled(button));
    EXPECT_NE(std::count(enabled.begin(), enabled.end(), true), 0) << id;
    EXPECT_EQ(enabled, TextColumns(button)) << id;
  }
  m_cut->DestroyWindow();
  PumpMessages();
  m_cut = nullptr;
  AfxSetResourceHandle(saved);
  FreeLibrary(english);
}

// Cancel sets the profile's stop flag and leaves the dialog open; the profile's port, which
// watches that flag, takes nothing more.
TEST(CutProgressDialog, CancelStaysOpenAndReachesThePort) {
  TempFolder folder;
  CCutterDevice device;
  device.m_stop = 1;
  CCutProgressDlg dialog(device);
  EXPECT_EQ(0, device.m_stop);
  ASSERT_TRUE(dialog.Open("Test", nullptr));
  EXPECT_TRUE(GetWindowLongA(dialog.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  device.m_port.SetPortName(folder.File("job.plt").c_str());
  ASSERT_TRUE(device.m_port.Open(dialog.m_hWnd));
  EXPECT_TRUE(device.m_port.WriteString("IN;"));
  SendMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog.m_hWnd, IDCANCEL)));
  EXPECT_EQ(1, device.m_stop);
  EXPECT_TRUE(dialog.IsStopped());
  EXPECT_TRUE(IsWindow(dialog.m_hWnd));
  EXPECT_FALSE(device.m_port.WriteString("PU0,0;"));
  device.m_port.Close();
}

}  // namespace
