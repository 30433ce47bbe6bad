// The application's start-up pieces that can be run inside a test: the language read at start-up,
// the maintenance switch, the private clipboard formats, the loading steps behind the logo window
// the language menu (with the end of the program replaced) and a main frame that cannot be made.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DeleteWatch.h"
#include "EditorWindowTest.h"
#include "editor/LogoDlg.h"
#include "editor/ProgramObjects.h"
#include "framework/ResourceModule.h"
#include "framework/ToolBar.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/ProgramPaths.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/RasterFixtures.h"
#include "support/TempFolder.h"

namespace {

std::string ReadLanguage(const std::string& ini) {
  char value[32] = {};
  GetPrivateProfileStringA("SystemParam", "Language", "", value, sizeof value, ini.c_str());
  return value;
}

class SettingsFile {
public:
  SettingsFile() : m_ini(m_folder.File("TALVEX42.INI")) { m_settings.SetPath(m_ini.c_str()); }
  void Write(const char* value) {
    WritePrivateProfileStringA("SystemParam", "Language", value, m_ini.c_str());
  }
  std::string Language() const { return ReadLanguage(m_ini); }
  const CIniFile& Settings() const { return m_settings; }
  const std::string& Path() const { return m_ini; }

private:
  TempFolder m_folder;
  std::string m_ini;
  CIniFile m_settings;
};

UINT g_endedWith = 12345;
void RecordEnd(UINT code) { g_endedWith = code; }

// Points the program's settings at a test file and catches the end of the program while it lives.
class SettingsAndEndRedirect {
public:
  explicit SettingsAndEndRedirect(const SettingsFile& file) {
    m_savedSettings = g_settings.GetPath();
    g_settings.SetPath(file.Path().c_str());
    m_savedEnd = CTALVEX42App::SetEndProcessFunction(RecordEnd);
    g_endedWith = 12345;
  }
  ~SettingsAndEndRedirect() {
    CTALVEX42App::SetEndProcessFunction(m_savedEnd);
    g_settings.SetPath(m_savedSettings.c_str());
  }
  SettingsAndEndRedirect(const SettingsAndEndRedirect&) = delete;
  SettingsAndEndRedirect& operator=(const SettingsAndEndRedirect&) = delete;

private:
  std::string m_savedSettings;
  CTALVEX42App::EndProcessFunction m_savedEnd;
};

class LanguageMenuTest : public ::testing::Test {
protected:
  SettingsFile m_file;
  SettingsAndEndRedirect m_redirect{m_file};
};

// A copy of the English resource library whose main tool bar is cut down to two bytes, too short
// to read, in use as the program's resources while it lives.
class ResourcesWithBrokenMainToolBar {
public:
  ResourcesWithBrokenMainToolBar() : m_copy(m_folder.File("BrokenToolBar.DLL")) {
    char path[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string source(path);
    source = source.substr(0, source.rfind('\\') + 1) + "program\\RCT42Eng.DLL";
    if (!CopyFileA(source.c_str(), m_copy.c_str(), FALSE)) return;
    std::vector<WORD> languages;
    if (HMODULE original = LoadLibraryExA(source.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
      EnumResourceLanguagesA(original, RT_TOOLBAR, MAKEINTRESOURCEA(IDR_MAINTOOLBAR),
                             CollectLanguage, reinterpret_cast<LONG_PTR>(&languages));
      FreeLibrary(original);
    }
    HANDLE update = BeginUpdateResourceA(m_copy.c_str(), FALSE);
    if (!update) return;
    char broken[kBrokenSize] = {1, 0};
    for (WORD language : languages)
      UpdateResourceA(update, RT_TOOLBAR, MAKEINTRESOURCEA(IDR_MAINTOOLBAR), language, broken,
                      sizeof broken);
    if (!EndUpdateResourceA(update, FALSE)) return;
    m_library = LoadLibraryA(m_copy.c_str());
    if (!m_library) return;
    m_saved = AfxGetResourceHandle();
    AfxSetResourceHandle(m_library);
  }
  ~ResourcesWithBrokenMainToolBar() {
    if (!m_library) return;
    AfxSetResourceHandle(m_saved);
    FreeLibrary(m_library);
  }
  bool InUse() const {
    if (!m_library) return false;
    HRSRC toolBar = FindResourceA(m_library, MAKEINTRESOURCEA(IDR_MAINTOOLBAR), RT_TOOLBAR);
    return toolBar && SizeofResource(m_library, toolBar) == kBrokenSize &&
           FindResourceA(m_library, MAKEINTRESOURCEA(IDR_MAINFRAME), MAKEINTRESOURCEA(4));
  }

private:
  static BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR list) {
    reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
    return TRUE;
  }

  static const DWORD kBrokenSize = 2;
  TempFolder m_folder;
  std::string m_copy;
  HMODULE m_library = nullptr;
  HINSTANCE m_saved = nullptr;
};

}  // namespace

TEST(StartupLanguage, AMissingValueBecomesTheSystemLanguageAndIsStored) {
  SettingsFile file;
  EXPECT_EQ(GetSystemDefaultLangID(), CTALVEX42App::ReadStartupLanguage(file.Settings()));
  EXPECT_EQ(std::to_string(GetSystemDefaultLangID()), file.Language());
}

TEST(StartupLanguage, ValuesBelowSixteenMeanNoChoice) {
  SettingsFile file;
  for (const char* none : {"0", "15"}) {
    file.Write(none);
    EXPECT_EQ(GetSystemDefaultLangID(), CTALVEX42App::ReadStartupLanguage(file.Settings())) << none;
  }
  file.Write("16");
  EXPECT_EQ(16, CTALVEX42App::ReadStartupLanguage(file.Settings()));
}

TEST(StartupLanguage, AChosenLanguageIsKeptAndTruncatedToSixteenBits) {
  SettingsFile file;
  file.Write("1033");
  EXPECT_EQ(1033, CTALVEX42App::ReadStartupLanguage(file.Settings()));
  EXPECT_EQ("1033", file.Language());
  file.Write("67588");  // 0x10804
  EXPECT_EQ(2052, CTALVEX42App::ReadStartupLanguage(file.Settings()));
}

TEST(MaintenanceSwitch, IsFoundAnywhereInTheCommandLine) {
  EXPECT_TRUE(CTALVEX42App::HasTalvexSwitch("/Talvex"));
  EXPECT_TRUE(CTALVEX42App::HasTalvexSwitch("a.t42 /Talvex"));
  EXPECT_TRUE(CTALVEX42App::HasTalvexSwitch("C:\\signs/Talvex\\a.t42"));
  EXPECT_FALSE(CTALVEX42App::HasTalvexSwitch("/talvex"));
  EXPECT_FALSE(CTALVEX42App::HasTalvexSwitch(""));
  EXPECT_FALSE(CTALVEX42App::HasTalvexSwitch(nullptr));
}

TEST(ClipboardFormats, SevenFormatsAreRegisteredUnderTheProgramsNames) {
  // clang-format off
  const char* const names[] = {
      "Ravenquillor V60 - [TextBoxes]", "Ravenquillor V60 - [TextSeg]", "Ravenquillor V60 - [Graph]",
      "Ravenquillor V60 - [Glyph]",     "Ravenquillor V60 - [Group]",   "Ravenquillor V60 - [SEGMULTI]",
      "Ravenquillor V60 - [OBJMULTI]"};
  // clang-format on
  theApp.InitializeApplicationData(CTALVEX42App::kRegisterClipboard);
  for (int i = 0; i < CTALVEX42App::kClipboardFormatCount; ++i) {
    EXPECT_STREQ(names[i], CTALVEX42App::ClipboardFormatName(i));
    EXPECT_EQ(RegisterClipboardFormatA(names[i]), theApp.GetClipboardFormat(i));
    EXPECT_NE(0u, theApp.GetClipboardFormat(i));
  }
  EXPECT_EQ(0u, theApp.GetClipboardFormat(7));
}

TEST(LoadingSteps, EachStepShowsItsTextInTheLogoWindow) {
  CLogoDlg logo;
  ASSERT_TRUE(logo.CreateAndShow());
  auto progress = [&] {
    char text[128] = {};
    GetDlgItemTextA(logo.m_hWnd, IDC_LOGO_PROGRESS, text, sizeof text);
    return std::string(text);
  };
  theApp.InitializeApplicationData(CTALVEX42App::kRegisterClipboard, &logo);
  EXPECT_EQ("初始化...  裁剪板!", progress());
  theApp.InitializeApplicationData(CTALVEX42App::kLoadTextDefaults, &logo);
  EXPECT_EQ("初始化...  版面!", progress());
  theApp.InitializeApplicationData(CTALVEX42App::kLoadSettings, &logo);
  EXPECT_EQ("Initalize...  Palette", progress());
  theApp.InitializeApplicationData(CTALVEX42App::kLoadFonts, &logo);
  EXPECT_EQ("Initalize...  Mount FH", progress());
  theApp.InitializeApplicationData(CTALVEX42App::kScanLibraries, &logo);
  EXPECT_EQ("Initalize...  Mount Graph Libary", progress());
  // All steps run in the order of their bits' table: the library scan is last.
  theApp.InitializeApplicationData(CTALVEX42App::kLoadAll, &logo);
  EXPECT_EQ("Initalize...  Mount Graph Libary", progress());
}

namespace {

// A 2 x 2 picture as a 24-bit BMP file: red and green on top, blue and yellow below.
std::vector<BYTE> QuarterPicture() {
  raster::BmpSpec spec;
  spec.width = 2;
  spec.height = 2;
  spec.bits = 24;
  spec.picture = [](int x, int y) {
    const DWORD colours[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFF00}};
    return colours[y][x];
  };
  return raster::MakeBmp(spec);
}

// The logo window's colours at the middle of its four quarters (top left, top right, bottom
// left, bottom right), as 0x00RRGGBB.
std::vector<DWORD> LogoQuarters(MessageBoxCapture& boxes, size_t* boxesShown) {
  const size_t before = boxes.Count();
  CLogoDlg logo;
  EXPECT_TRUE(logo.CreateAndShow());
  *boxesShown = boxes.Count() - before;
  RECT client;
  GetClientRect(logo.m_hWnd, &client);
  std::vector<DWORD> pixels = ClientPixels(logo.m_hWnd, client);
  std::vector<DWORD> quarters;
  for (int y : {client.bottom / 4, client.bottom * 3 / 4})
    for (int x : {client.right / 4, client.right * 3 / 4})
      quarters.push_back(pixels[static_cast<size_t>(y) * client.right + x] & 0xFFFFFF);
  return quarters;
}

}  // namespace

// The logo window shows logo.bmp of the program folder over its client area, the built-in
// picture without the file, and the built-in one too, after the BMP reader's message, for a file
// that is no picture.
TEST(LogoWindow, ShowsTheProgramFoldersPictureElseTheBuiltInOne) {
  char folder[MAX_PATH] = {};
  ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
  const std::string logoFile = std::string(folder) + "logo.bmp";
  MessageBoxCapture boxes;
  size_t shown = 0;
  DeleteFileA(logoFile.c_str());
  const std::vector<DWORD> builtIn = LogoQuarters(boxes, &shown);
  EXPECT_EQ(0u, shown);
  const std::string notAPicture = "BM no picture";
  const struct {
    std::vector<BYTE> bytes;
    std::vector<DWORD> expected;
    size_t boxes;
  } cases[] = {
      {QuarterPicture(), {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00}, 0},
      {std::vector<BYTE>(notAPicture.begin(), notAPicture.end()), builtIn, 1},
  };
  for (const auto& c : cases) {
    raster::WriteFile(logoFile, c.bytes);
    EXPECT_EQ(c.expected, LogoQuarters(boxes, &shown));
    EXPECT_EQ(c.boxes, shown);
  }
  DeleteFileA(logoFile.c_str());
  EXPECT_NE(builtIn, cases[0].expected);
}

TEST_F(LanguageMenuTest, ChoosingALanguageStoresItAndEndsTheProgramSayingSo) {
  MessageBoxCapture boxes;
  theApp.OnCmdMsg(ID_LANGUAGE_ENGLISH, CN_COMMAND, nullptr, nullptr);
  EXPECT_EQ("1033", m_file.Language());
  EXPECT_EQ(0u, g_endedWith);
  EXPECT_EQ(1033, theApp.GetLanguage());
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find("新的语言")) << boxes.Last().text;
  EXPECT_EQ(static_cast<UINT>(MB_ICONINFORMATION), boxes.Last().type & MB_ICONMASK);
  EXPECT_TRUE(theApp.SetLanguageAndExit(0));
  EXPECT_EQ("0", m_file.Language());
  EXPECT_EQ(2u, boxes.Count());
}

// A modified drawing is offered for saving before the program ends for a new language; cancelling
// keeps the program and the old language.
class LanguageWithDocumentTest : public EditorWindowTest {
protected:
  void SetUp() override {
    // Three quarters of the test screen: the size a frame gets when none is asked for.
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow(960, 768));
    m_document->SetModifiedFlag();
    m_file.Write("2052");
  }
  void TearDown() override { CloseEditorWindow(); }

  SettingsFile m_file;
  SettingsAndEndRedirect m_redirect{m_file};
};

TEST_F(LanguageWithDocumentTest, CancellingTheSaveQuestionKeepsEverything) {
  MessageBoxCapture boxes(IDCANCEL);
  EXPECT_FALSE(theApp.SetLanguageAndExit(1033));
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find("TALVEX1")) << boxes.Last().text;
  EXPECT_EQ("2052", m_file.Language());
  EXPECT_EQ(12345u, g_endedWith);
  EXPECT_TRUE(m_document->IsModified());
}

TEST_F(LanguageWithDocumentTest, NotSavingStoresTheLanguageAndEnds) {
  MessageBoxCapture boxes(IDNO);
  EXPECT_TRUE(theApp.SetLanguageAndExit(1033));
  // The save question, then the word that the program ends for the new language.
  EXPECT_EQ(2u, boxes.Count());
  EXPECT_EQ("1033", m_file.Language());
  EXPECT_EQ(0u, g_endedWith);
}

TEST(MainFrameFailure, AFrameThatCannotBeMadeIsDeletedOnceAndReported) {
  ResourcesWithBrokenMainToolBar resources;
  ASSERT_TRUE(resources.InUse());
  MessageBoxCapture boxes;
  {
    DeleteWatch deletes;
    EXPECT_FALSE(theApp.CreateMainFrame());
    EXPECT_EQ(0, deletes.RepeatedDeletes());
  }
  EXPECT_EQ(nullptr, theApp.m_pMainWnd);
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_FALSE(boxes.Last().text.empty());
  EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), boxes.Last().type & MB_ICONMASK);
  PumpMessages();
}

// The font step reads the languages through the built-in resources' section suffix (a blank,
// which the settings functions trim from the section name), then lists the installed fonts.
TEST(LoadingSteps, TheFontStepLoadsTheLanguagesAndListsTheInstalledFonts) {
  TempFolder folder;
  std::string ini = folder.File("TALVEX42.INI");
  WritePrivateProfileStringA("LANGUAGE0", "ID", "134", ini.c_str());
  WritePrivateProfileStringA("LANGUAGE0", "NAME", "GB", ini.c_str());
  CString saved = g_settings.GetPath();
  g_settings.SetPath(ini.c_str());
  theApp.InitializeApplicationData(CTALVEX42App::kLoadFonts);
  g_settings.SetPath(saved);
  EXPECT_EQ(1, g_language.GetCount());
  EXPECT_GT(g_winFontTable.GetEntryCount(0, 0), 0);
}
