// The 2-D fill output and the origin dialog through the editor's menu command 32888 on a drawing
// view, with the program's resources and objects under Xvfb and the shipped Carves.INI beside the
// test program (its program folder): letters of an installed font converted to curves are
// engraved into a plot file ("File"), which the user is told of, and read back row by row; the
// same job handed to the real job manager ORV.EXE reaches its USB plotter byte for byte; a
// stopped job is handed nowhere; options that cannot be used are refused and the ones kept are
// the ones read; the origin dialog moves the device, refuses values outside the working area and
// saves what was set; in English a settings file with only the plain model list still offers its
// models. The plot file and pictures of both dialogs are kept in screenshots\.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "StartupResources.h"
#include "editor/dialogs/2DCarveDlg.h"
#include "framework/FileDialog.h"
#include "jobmanager/JobFiles.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/geometry/Contour.h"
#include "model/geometry/ShapeCurves.h"
#include "model/settings/ProgramPaths.h"
#include "output/CarveOriginDlg.h"
#include "output/PortSetupDlg.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/ComboEntries.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"
#include "support/TempFolder.h"
#include "text/Language.h"
#include "text/WinFontTable.h"

namespace {

const DWORD kManagerWaitMs = 60000;

std::string ProgramFolder() {
  char folder[MAX_PATH];
  GetProgramDir(folder, sizeof folder);
  return folder;
}

const char kWrittenTo[] = "雕刻数据已写入文件:\n";

std::string Key(const std::string& file, const char* section, const char* key) {
  char text[256] = {};
  GetPrivateProfileStringA(section, key, "<none>", text, sizeof text, file.c_str());
  return text;
}

std::string Text(HWND dialog, UINT id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, static_cast<int>(id), text, sizeof text);
  return text;
}

void Click(HWND dialog, UINT id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, static_cast<int>(id))));
}

// Selects the entry of a combo that contains part.
bool SelectContaining(HWND dialog, UINT id, const std::string& part) {
  HWND combo = GetDlgItem(dialog, static_cast<int>(id));
  LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[256] = {};
    SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    if (std::string(text).find(part) != std::string::npos) {
      SendMessageA(combo, CB_SETCURSEL, i, 0);
      return true;
    }
  }
  return false;
}

// The files of the temporary folder whose names start with prefix.
std::set<std::string> TempFiles(const char* prefix) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  std::set<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((std::string(folder) + prefix + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.insert(std::string(folder) + entry.cFileName);
  while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

std::set<std::string> NewSince(const std::set<std::string>& before, const char* prefix) {
  std::set<std::string> added;
  for (const std::string& name : TempFiles(prefix))
    if (!before.count(name)) added.insert(name);
  return added;
}

// Answers the save dialog of "File" with the path.
class SaveDialogAnswer {
public:
  explicit SaveDialogAnswer(std::string path) {
    m_previous = AfxSetCommonDialogHandler([this, path](CCommonDialog* dialog) -> INT_PTR {
      auto* files = DYNAMIC_DOWNCAST(CFileDialog, dialog);
      if (!files) return IDCANCEL;
      ++shown;
      const char* folder = files->m_ofn.lpstrInitialDir;
      initialFolders.push_back(folder ? folder : "");
      files->SetFileName(path.c_str());
      return IDOK;
    });
  }
  ~SaveDialogAnswer() { AfxSetCommonDialogHandler(std::move(m_previous)); }
  int shown = 0;
  std::vector<std::string> initialFolders;

private:
  AfxCommonDialogHandler m_previous;
};

HWND ManagerWindow() { return FindWindowW(nullptr, CJobFile::ManagerTitle().c_str()); }

// Closes a running job manager and waits for its process to end.
void CloseManager() {
  HWND window = ManagerWindow();
  if (!window) return;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (process && WaitForSingleObject(process, 20000) != WAIT_OBJECT_0) TerminateProcess(process, 1);
  if (process) CloseHandle(process);
}

// A parsed run of the HP-GL engraver's fill: pixel row and columns.
struct PixelRun {
  int row, first, last;
};

class CarveFillWindow : public EditorWindowTest {
protected:
  void SetUp() override {
    m_profile = ProgramFolder() + "Carves.INI";
    m_hadPortSettings = FileExists(ProgramFolder() + "UPort.Ini");
    CreateDirectoryA("screenshots", nullptr);
    ASSERT_TRUE(CopyFileA(ProgramFile("Carves.INI").c_str(), m_profile.c_str(), FALSE));
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow(900, 640));
    m_document->GetPageSettings().m_width = 60;
    m_document->GetPageSettings().m_height = 30;
  }
  void TearDown() override {
    CloseEditorWindow();
    DeleteFileA(m_profile.c_str());
    if (!m_hadPortSettings) DeleteFileA((ProgramFolder() + "UPort.Ini").c_str());
  }

  // "H" at (5, 5) and "O" at (30, 5), 20 mm to the em, from DejaVu Sans as curves.
  void AddLetters() {
    CIniFile settings;
    settings.SetPath(m_folder.File("TALVEX42.INI").c_str());
    settings.WriteString("LANGUAGE0", "ID", "0");
    settings.WriteString("LANGUAGE0", "NAME", "Latin");
    CLanguage language;
    language.Load(settings);
    CWinFontTable fonts;
    fonts.EnumFonts(language);
    int sans = fonts.FindEntry(0, 0, "DejaVu Sans");
    ASSERT_GE(sans, 0);
    const std::pair<WORD, float> letters[] = {{'H', 5.0f}, {'O', 30.0f}};
    for (const auto& letter : letters) {
      std::unique_ptr<CContour> glyph(fonts.GetCharOutline(0, sans, letter.first, nullptr));
      ASSERT_TRUE(glyph);
      CMatrix2D place;
      place.m[0] = place.m[4] = 20.0f / 1024.0f;
      place.m[6] = letter.second;
      place.m[7] = 5.0f;
      glyph->Transform(&place);
      glyph->ApplyMatrix();
      CCurveBlock* curve = MakeCurveFromContour(*glyph, 0);
      ASSERT_NE(nullptr, curve);
      m_boxes[letter.first] = curve->m_box;
      m_document->AddBlock(curve);
    }
  }

  // The rectangle (10, 5)-(30, 20), alone on the page the output area.
  void AddRectangle() {
    auto* rect = new CRectBlock;
    rect->m_rect = rect->m_box = CFRect(10, 5, 30, 20);
    m_document->AddBlock(rect);
  }

  // Runs the fill dialog from the menu command with the actions given.
  void RunFillCommand(std::vector<ModalDialogDriver::Action> actions) {
    ModalDialogDriver driver;
    for (auto& action : actions) driver.Then(std::move(action));
    m_main->SendMessage(WM_COMMAND, ID_FILE_FILL_OUTPUT);
    PumpMessages();
    EXPECT_EQ(0, driver.Stuck());
  }

  // The fill options of these tests, on the HP-GL engraver and the port given.
  static ModalDialogDriver::Action Output(const std::string& port) {
    return [port](CDialog* dialog) {
      HWND d = dialog->m_hWnd;
      SelectContaining(d, IDC_CARVE_DEVICE, "HP-GL");
      if (!SelectContaining(d, IDC_CARVE_PORT, port))
        SetDlgItemTextA(d, IDC_CARVE_PORT, port.c_str());
      SetDlgItemTextA(d, IDC_CARVE_FILL_STEP, "0.25");
      CheckDlgButton(d, IDC_CARVE_INVERSE, BST_CHECKED);
      CheckDlgButton(d, IDC_CARVE_MIRROR, BST_UNCHECKED);
      CheckDlgButton(d, IDC_CARVE_ROTATE, BST_UNCHECKED);
      CheckDlgButton(d, IDC_CARVE_DOUBLE_WAY, BST_CHECKED);
      CheckDlgButton(d, IDC_CARVE_DRAW_CONTOUR, BST_UNCHECKED);
      dialog->PostMessage(WM_COMMAND, IDOK);
    };
  }

  // The HP-GL engraver's runs read back as raster pixels: "PUy,x;PDy,x" (SWAPXY), ten units a
  // pixel of 0.25 mm, centred: x = 10 * column - 1200, y = 10 * row - 600 on a 240 x 120 raster.
  static std::vector<PixelRun> ReadRuns(const std::string& stream) {
    std::vector<PixelRun> runs;
    for (size_t at = stream.find("PU"); at != std::string::npos; at = stream.find("PU", at + 2)) {
      int y0, x0, y1, x1;
      if (sscanf(stream.c_str() + at, "PU%d,%d;PD%d,%d", &y0, &x0, &y1, &x1) != 4) continue;
      EXPECT_EQ(y0, y1);
      runs.push_back(
          {(y0 + 600) / 10, (std::min(x0, x1) + 1200) / 10, (std::max(x0, x1) + 1200) / 10});
    }
    return runs;
  }

  TempFolder m_folder;
  std::string m_profile;
  bool m_hadPortSettings = false;
  std::map<WORD, CFRect> m_boxes;
  MessageBoxCapture m_messages;
};

// The letters, engraved inverse into a plot file: "H" has rows of its two stems and rows of its
// bar, "O" one run at its top and bottom and two through its middle; no ink lies outside the
// letters; the user is told where the file went. The same job, stopped at once, is handed nowhere,
// and the user is told so; handed to the running job manager, it reaches the manager's USB plotter
// as it was written, with no word of a file.
TEST_F(CarveFillWindow, LettersGoIntoAPlotFileRowByRowAndTheSameJobToTheJobManager) {
  AddLetters();
  const std::string plot = m_folder.File("letters.plt");
  SaveDialogAnswer answer(plot);
  RunFillCommand({Output("File")});
  EXPECT_EQ(1, answer.shown);
  ASSERT_EQ(1u, m_messages.Count());
  EXPECT_EQ(kWrittenTo + plot, m_messages.Last().text);
  EXPECT_EQ("二维填充输出", m_messages.Last().caption);
  std::vector<BYTE> bytes = ReadFileBytes(plot);
  std::string stream(bytes.begin(), bytes.end());
  CopyFileA(plot.c_str(), "screenshots\\fill_letters.plt", FALSE);  // for a look with hp2xx
  ASSERT_EQ(0u, stream.find("IN;PA;PU;SP1;VS20;"));
  ASSERT_EQ(stream.size() - 13, stream.rfind("PU;PA0,0;SP0;"));

  std::vector<PixelRun> runs = ReadRuns(stream);
  ASSERT_GT(runs.size(), 100u);
  std::map<int, int> hRuns, oRuns;
  for (const PixelRun& run : runs) {
    const bool inH = run.last < 120;
    const CFRect& box = m_boxes[inH ? 'H' : 'O'];
    EXPECT_GE(run.first, static_cast<int>(box.left * 4) - 1) << run.row;
    EXPECT_LE(run.last, static_cast<int>(box.right * 4) + 1) << run.row;
    EXPECT_GE(run.row, static_cast<int>(box.top * 4) - 1);
    EXPECT_LE(run.row, static_cast<int>(box.bottom * 4) + 1);
    ++(inH ? hRuns : oRuns)[run.row];
  }
  std::set<int> hCounts, oCounts;
  for (const auto& row : hRuns) hCounts.insert(row.second);
  EXPECT_EQ((std::set<int>{1, 2}), hCounts) << "stems and bar";
  ASSERT_FALSE(oRuns.empty());
  EXPECT_EQ(1, oRuns.begin()->second);
  EXPECT_EQ(1, oRuns.rbegin()->second);
  const int middle = (oRuns.begin()->first + oRuns.rbegin()->first) / 2;
  EXPECT_EQ(2, oRuns[middle]);
  for (const auto& row : oRuns) EXPECT_LE(row.second, 2);

  CloseManager();
  TempFolder managerFolder("orv");
  for (const char* name : {"ORV.EXE", "orvResEng.DLL"})
    ASSERT_TRUE(CopyFileA(ProgramFile(name).c_str(), managerFolder.File(name).c_str(), FALSE));
  ASSERT_TRUE(CopyFileA((ProgramFolder() + "TestPlotter.upl").c_str(),
                        managerFolder.File("TestPlotter.upl").c_str(), FALSE));
  WritePrivateProfileStringA("SystemParam", "Language", "2052",
                             managerFolder.File("Cutters.INI").c_str());
  const std::set<std::string> dataBefore = TempFiles("OSD");
  const std::set<std::string> jobsBefore = TempFiles("OSI");

  // A job stopped at its first row: no manager is asked (none runs: it would be started), and
  // the user is told that nothing went to the port.
  std::string plotter;
  RunFillCommand({[&](CDialog* dialog) {
    Output("[TestPlotter.upl:03]")(dialog);
    plotter = Text(dialog->m_hWnd, IDC_CARVE_PORT);
    dialog->PostMessage(WM_COMMAND, IDOK);  // "终止" while the job runs
  }});
  ASSERT_EQ(2u, m_messages.Count());
  EXPECT_EQ("雕刻已终止, 没有数据交给输出端口 \"" + plotter + "\"。", m_messages.Last().text);
  EXPECT_EQ(nullptr, ManagerWindow());
  EXPECT_TRUE(NewSince(dataBefore, "OSD").empty()) << "the stopped job's file is gone";

  ASSERT_GT(WinExec(managerFolder.File("ORV.EXE").c_str(), SW_SHOWNORMAL), 31u);
  for (DWORD waited = 0; !ManagerWindow() && waited < kManagerWaitMs; waited += 100) Sleep(100);
  ASSERT_NE(nullptr, ManagerWindow());
  RunFillCommand({Output("[TestPlotter.upl:03]")});
  EXPECT_EQ(2u, m_messages.Count()) << m_messages.Last().text;
  EXPECT_EQ(
      "[TestPlotter.upl:03]",
      Key(m_profile, "CarveInfo", "PORT").substr(Key(m_profile, "CarveInfo", "PORT").find('[')));

  std::string sent;
  for (DWORD waited = 0; waited < 30000 && sent.empty(); waited += 100) {
    for (const std::string& name : NewSince(dataBefore, "OSD"))
      if (name.size() > 5 && name.compare(name.size() - 5, 5, ".sent") == 0) sent = name;
    if (sent.empty()) Sleep(100);
  }
  ASSERT_FALSE(sent.empty()) << "the plotter got nothing";
  Sleep(200);
  EXPECT_EQ(bytes, ReadFileBytes(sent)) << "the manager's plotter got the job as written";
  CloseManager();
  for (const std::string& name : NewSince(dataBefore, "OSD")) DeleteFileA(name.c_str());
  for (const std::string& name : NewSince(jobsBefore, "OSI")) DeleteFileA(name.c_str());
}

// A plug-in file with a long name beside the program while in scope: its plotter's port name is
// longer than the port lists are wide, as a printer's often is.
class LongNamedPlotter {
public:
  LongNamedPlotter() : m_path(ProgramFolder() + "TestPlotter of a cutter with a long name.upl") {
    m_copied = CopyFileA((ProgramFolder() + "TestPlotter.upl").c_str(), m_path.c_str(), FALSE);
  }
  // A plug-in still mapped for a moment cannot be deleted: the other tests must not list it.
  ~LongNamedPlotter() {
    for (int i = 0; i < 100 && !DeleteFileA(m_path.c_str()) && FileExists(m_path); ++i) Sleep(10);
  }
  bool Copied() const { return m_copied != FALSE; }

private:
  std::string m_path;
  BOOL m_copied;
};

// The port list offers one entry that asks for a file ("File", not the system's "FILE:" too) and
// drops down as wide as its longest entry; "FILE:", as the cut output keeps it, asks for the plot
// file as "File" does, names the chosen file and remembers its folder, where the next run starts.
TEST_F(CarveFillWindow, FileColonAsksForThePlotFileAndThePortListShowsOneFileEntryWhole) {
  LongNamedPlotter plotter;
  ASSERT_TRUE(plotter.Copied());
  AddRectangle();
  const std::string portSettings = ProgramFolder() + "UPort.Ini";
  WritePrivateProfileStringA("PortInfo", "FilePath", nullptr, portSettings.c_str());
  const std::string plot = m_folder.File("colon.plt");
  SaveDialogAnswer answer(plot);
  std::vector<std::string> entries;
  int dropped = 0, widest = 0, comboWidth = 0;
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    RunFillCommand({[&](CDialog* dialog) {
      HWND combo = GetDlgItem(dialog->m_hWnd, IDC_CARVE_PORT);
      entries = ComboEntries(combo);
      widest = WidestEntry(combo);
      RECT rect;
      GetWindowRect(combo, &rect);
      comboWidth = rect.right - rect.left;
      dropped = static_cast<int>(SendMessageA(combo, CB_GETDROPPEDWIDTH, 0, 0));
      Output("FILE:")(dialog);
    }});
    EXPECT_EQ(1, std::count(entries.begin(), entries.end(), "File"));
    EXPECT_EQ(0, std::count(entries.begin(), entries.end(), "FILE:"));
    ASSERT_GT(widest, comboWidth) << "the long-named plotter is listed";
    EXPECT_GT(dropped, widest);
    EXPECT_EQ(run, answer.shown);
    ASSERT_EQ(static_cast<size_t>(run), m_messages.Count());
    EXPECT_EQ(kWrittenTo + plot, m_messages.Last().text);
    EXPECT_GT(ReadFileBytes(plot).size(), 100u);
    EXPECT_EQ(m_folder.Path(), Key(portSettings, "PortInfo", "FilePath"));
  }
  EXPECT_EQ("FILE:", Key(m_profile, "CarveInfo", "PORT"));
  EXPECT_EQ(m_folder.Path(), answer.initialFolders[1])
      << "the second run starts where the first ended";
}

// Outlines asked for: after the fill, the rectangle (10, 5)-(30, 20) is engraved as a curve
// through the same placement. Alone on the page it is the output area, so the raster is its box:
// 40 units a millimetre, centred on the box (40 x - 800, 40 y - 500), its lines y first on this
// SWAPXY model, a blank after them, then the finish.
TEST_F(CarveFillWindow, TheDrawingsOutlinesFollowTheFillWhenAskedFor) {
  AddRectangle();
  const std::string plot = m_folder.File("outlined.plt");
  RunFillCommand({[&](CDialog* dialog) {
    Output(plot)(dialog);
    CheckDlgButton(dialog->m_hWnd, IDC_CARVE_DRAW_CONTOUR, BST_CHECKED);
  }});
  ASSERT_EQ(1u, m_messages.Count());
  EXPECT_EQ(kWrittenTo + plot, m_messages.Last().text) << "a path as port is a file too";
  std::vector<BYTE> bytes = ReadFileBytes(plot);
  const std::string stream(bytes.begin(), bytes.end());
  const std::string outline = "PU-300,-400;PD-300,400,300,400,300,-400,-300,-400 PU;PA0,0;SP0;";
  ASSERT_GT(stream.size(), outline.size());
  EXPECT_EQ(outline, stream.substr(stream.size() - outline.size()));
  EXPECT_EQ("1", Key(m_profile, "CarveInfo", "DrawContour"));
}

// Values that cannot be used: refused with the message and the dialog stays; what is saved on
// exit is what the output reads, a curve accuracy of 9 included.
TEST_F(CarveFillWindow, OptionsThatCannotBeUsedAreRefusedAndTheKeptOnesAreTheReadOnes) {
  auto set = [](const char* step, const char* accuracy, const char* expand) {
    return [=](CDialog* dialog) {
      SetDlgItemTextA(dialog->m_hWnd, IDC_CARVE_FILL_STEP, step);
      SetDlgItemTextA(dialog->m_hWnd, IDC_CARVE_CURVE_ACCURACY, accuracy);
      SetDlgItemTextA(dialog->m_hWnd, IDC_CARVE_AREA_EXPAND, expand);
      dialog->SendMessage(WM_COMMAND, IDOK);
    };
  };
  std::string expandShown;
  RunFillCommand({[&](CDialog* dialog) {
    set("11", "9", "2.5")(dialog);    // the step is too large
    set("0.5", "10", "2.5")(dialog);  // the accuracy is too large
    set("0.5", "9", "-1")(dialog);    // a negative expansion is reset to 0
    expandShown = Text(dialog->m_hWnd, IDC_CARVE_AREA_EXPAND);
    SetDlgItemTextA(dialog->m_hWnd, IDC_CARVE_FILL_STEP, "0");
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  }});
  ASSERT_EQ(3u, m_messages.Count());
  for (const CapturedMessageBox& box : m_messages.Boxes()) {
    EXPECT_EQ("非法的输出参数", box.text);
    EXPECT_EQ("错误", box.caption);
  }
  EXPECT_EQ("0", expandShown);
  EXPECT_EQ("0.10", Key(m_profile, "CarveInfo", "FillStep")) << "an invalid step saves 0.10";
  EXPECT_EQ("9", Key(m_profile, "CarveInfo", "CurveAccurate"));
  EXPECT_EQ("0", Key(m_profile, "CarveInfo", "AreaExpand")) << "as the box shows it";
}

TEST_F(CarveFillWindow, OneBlockOnThePageIsTheOutputAreaAndItsStampShapeNamesIt) {
  CCurveBlock* diamond = new CCurveBlock;
  diamond->AddRectangle(10, 5, 20, 15);
  diamond->EndCurve();
  diamond->m_type = 146;
  m_document->AddBlock(diamond);
  CCurveBlock* off = new CCurveBlock;
  off->AddRectangle(100, 100, 110, 110);  // off the 60 x 30 page
  off->EndCurve();
  m_document->AddBlock(off);
  std::string kind, width, height;
  bool portSetupShown = false;
  RunFillCommand({[&](CDialog* dialog) {
                    kind = Text(dialog->m_hWnd, IDC_CARVE_AREA_KIND);
                    width = Text(dialog->m_hWnd, IDC_CARVE_PAGE_WIDTH);
                    height = Text(dialog->m_hWnd, IDC_CARVE_PAGE_HEIGHT);
                    dialog->UpdateWindow();
                    SaveClientPicture(dialog->m_hWnd, "screenshots\\fill_dialog.bmp");
                    Click(dialog->m_hWnd, IDC_CARVE_PORT_SETUP);
                    dialog->PostMessage(WM_COMMAND, IDCANCEL);
                  },
                  [&](CDialog* portSetup) {
                    portSetupShown = dynamic_cast<CPortSetupDlg*>(portSetup) != nullptr;
                    portSetup->PostMessage(WM_COMMAND, IDCANCEL);
                  }});
  EXPECT_TRUE(portSetupShown) << "the port settings from their button";
  EXPECT_EQ("菱       形", kind);
  EXPECT_EQ("60", width);
  EXPECT_EQ("30", height);
  diamond->m_type = kCurveBlock;
  CFRect box;
  EXPECT_EQ(1,
            C2DCarveDlg::DetectOutputArea(m_document->GetBlockList(), CFRect(0, 0, 60, 30), &box));
  EXPECT_FLOAT_EQ(20, box.right);
  off->Offset(-95, -95);  // now on the page too: two blocks are the page
  EXPECT_EQ(0,
            C2DCarveDlg::DetectOutputArea(m_document->GetBlockList(), CFRect(0, 0, 60, 30), &box));
  EXPECT_FLOAT_EQ(60, box.right);
}

// The origin dialog from the fill dialog's button, connected to a plot file: each accepted value
// moves the device at once with the model's move command (y first on this SWAPXY model), the
// first move to (0, 0) too; values outside the 600 x 400 mm working area are refused, a click
// into the preview's corner sets (0, 0), a lowered pen goes down again after a move, and save
// keeps the origin with two decimals.
TEST_F(CarveFillWindow, TheOriginDialogMovesTheDeviceRefusesValuesOutsideAndSaves) {
  const std::string plot = m_folder.File("origin.plt");
  WritePrivateProfileStringA("CarveInfo", "FillStep", "0.5", m_profile.c_str());
  std::string shownX, shownY, afterRefusal;
  RunFillCommand({[&](CDialog* dialog) {
                    SelectContaining(dialog->m_hWnd, IDC_CARVE_DEVICE, "HP-GL");
                    SetDlgItemTextA(dialog->m_hWnd, IDC_CARVE_PORT, plot.c_str());
                    Click(dialog->m_hWnd, IDC_CARVE_ORIGIN);
                    dialog->PostMessage(WM_COMMAND, IDCANCEL);
                  },
                  [&](CDialog* origin) {
                    HWND d = origin->m_hWnd;
                    shownX = Text(d, IDC_ORIGIN_X);
                    shownY = Text(d, IDC_ORIGIN_Y);
                    CheckDlgButton(d, IDC_ORIGIN_MOVE_ONLINE, BST_CHECKED);
                    SetDlgItemTextA(d, IDC_ORIGIN_X, "0");
                    SetDlgItemTextA(d, IDC_ORIGIN_X, "10");
                    SetDlgItemTextA(d, IDC_ORIGIN_Y, "300");
                    SetDlgItemTextA(d, IDC_ORIGIN_Y, "450");  // above the height: refused
                    SetDlgItemTextA(d, IDC_ORIGIN_X, "700");  // beyond the width: refused
                    afterRefusal = std::to_string(
                        GetScrollPos(GetDlgItem(d, IDC_ORIGIN_X_SCROLL), SB_CTL));
                    RECT preview;
                    GetWindowRect(GetDlgItem(d, IDC_ORIGIN_PREVIEW), &preview);
                    MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&preview), 2);
                    SendMessageA(d, WM_LBUTTONUP, 0, MAKELPARAM(preview.left + 1, preview.top + 1));
                    CheckDlgButton(d, IDC_ORIGIN_PEN_DOWN, BST_CHECKED);
                    Click(d, IDC_ORIGIN_PEN_DOWN);
                    SetDlgItemTextA(d, IDC_ORIGIN_X, "12.34");
                    CheckDlgButton(d, IDC_ORIGIN_PEN_DOWN, BST_UNCHECKED);
                    Click(d, IDC_ORIGIN_PEN_DOWN);
                    SetDlgItemTextA(d, IDC_ORIGIN_Y, "7.5");
                    origin->UpdateWindow();
                    SaveClientPicture(d, "screenshots\\origin_dialog.bmp");
                    origin->PostMessage(WM_COMMAND, IDOK);
                  }});
  EXPECT_EQ(0u, m_messages.Count()) << (m_messages.Count() ? m_messages.Last().text : "");
  EXPECT_EQ("0.00", shownX);
  EXPECT_EQ("0.00", shownY);
  EXPECT_EQ("10", afterRefusal);
  std::vector<BYTE> bytes = ReadFileBytes(plot);
  EXPECT_EQ(std::string("IN;PA;PU;SP1;VS20;"
                        "PU0,0;"                // X 0
                        "PU0,400;PU12000,400;"  // X 10, then Y 300 (units of 0.025 mm, y first)
                        "PU12000,0;PU0,0;"      // the click at the corner: X 0, then Y 0
                        "PD;PU0,493;PD;"        // the pen lowered, X 12.34
                        "PU;PU300,493;"         // the pen raised, Y 7.5
                        "PU;PU;PA0,0;SP0;"),
            std::string(bytes.begin(), bytes.end()));
  EXPECT_EQ("12.34", Key(m_profile, "HPGLCARVE", "OriginX"));
  EXPECT_EQ("7.50", Key(m_profile, "HPGLCARVE", "OriginY"));

  // The cross stands in proportion, or at the edge of an empty working area.
  const RECT inner = {10, 20, 110, 70};
  POINT cross = CCarveOriginDlg::CrossPosition(inner, 300, 100, 600, 400);
  EXPECT_EQ(60, cross.x);
  EXPECT_EQ(32, cross.y);
  cross = CCarveOriginDlg::CrossPosition(inner, 0, 0, 0, 0);
  EXPECT_EQ(10, cross.x);
  EXPECT_EQ(20, cross.y);
}

// In English, with a Carves.INI that lists its models only under "CarveDevices": the models are
// offered, one whose settings cannot be used is explained in English, and a usable one is
// engraved and said to be written.
TEST_F(CarveFillWindow, EnglishUsersGetThePlainModelListAndEnglishMessages) {
  WritePrivateProfileStringA("CarveDevicesEng", nullptr, nullptr, m_profile.c_str());
  WritePrivateProfileStringA("MDCARVE", "InitCmd", nullptr, m_profile.c_str());
  AddRectangle();
  const std::string plot = m_folder.File("english.plt");
  LRESULT models = 0;
  {
    StartupResources english("1033");
    ASSERT_TRUE(english.English());
    RunFillCommand({[&](CDialog* dialog) {
      HWND d = dialog->m_hWnd;
      models = SendDlgItemMessageA(d, IDC_CARVE_DEVICE, CB_GETCOUNT, 0, 0);
      Output(plot)(dialog);
      SelectContaining(d, IDC_CARVE_DEVICE, "M/D");
      dialog->SendMessage(WM_COMMAND, IDOK);  // refused: the dialog stays
      SelectContaining(d, IDC_CARVE_DEVICE, "HP-GL");
    }});
  }
  EXPECT_EQ(3, models);
  ASSERT_EQ(2u, m_messages.Count());
  EXPECT_EQ(
      "The settings of the engraver \"M/D 指令雕刻机\" cannot be used (Carves.INI):\n\n"
      "InitCmd: this command is missing.\n",
      m_messages.Boxes()[0].text);
  EXPECT_EQ("The engraving job was written to the file:\n" + plot, m_messages.Boxes()[1].text);
  EXPECT_EQ("2-D Fill Output", m_messages.Boxes()[1].caption);
  EXPECT_GT(ReadFileBytes(plot).size(), 100u);
}

}  // namespace
