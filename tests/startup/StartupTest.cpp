// The editor started for real, from a copy of its program folder: the language it chooses, its
// main window with title and bars, the language menu, and the command line. (Another process's
// menu cannot be read under Wine: the menus are checked inside tests/program and on the pictures
// that tests/startup/pictures.sh takes, whose caption buttons need Wine's Marlett font.)
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <string>

#include "EditorProcess.h"

namespace {

const DWORD kStartTimeoutMs = 60000;
const DWORD kExitTimeoutMs = 20000;

const UINT kLanguageEnglish = 32879;
const UINT kLanguageDefault = 32904;
const UINT kLanguageGb = 32863;
const int kMainToolBarId = 132;
const int kWindowToolBarId = 136;
const int kStatusBarId = 0xE801;

const char kChineseTitle[] = "镌图匠V6.27.7";
const char kEnglishTitle[] = "TALVEX V6.27.7";

bool StartsWith(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

HWND ChildWithId(HWND parent, const char* className, int id) {
  for (HWND child : ChildWindows(parent, className)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

// Lets the window settle (bars laid out, first paint done) before it is looked at.
void Settle(HWND window) {
  for (int i = 0; i < 20; ++i) {
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, nullptr);
    Sleep(50);
  }
}

// Chooses a language from the menu: the editor says that it closes to start in the new language,
// and once that is answered stores the language and ends.
void ChooseLanguage(EditorProcess& editor, HWND mainWindow, UINT command) {
  PostMessageA(mainWindow, WM_COMMAND, command, 0);
  HWND box = editor.WaitForMessageBox(kExitTimeoutMs);
  ASSERT_NE(nullptr, box) << "no word that the editor closes";
  EXPECT_FALSE(MessageBoxText(box).empty());
  PressButton(box, IDOK);
  DWORD exitCode = 1;
  ASSERT_TRUE(editor.WaitForExit(kExitTimeoutMs, &exitCode)) << "the editor did not end";
  EXPECT_EQ(0u, exitCode);
}

void ExpectMainWindowParts(HWND mainWindow) {
  EXPECT_TRUE(IsZoomed(mainWindow)) << "the main window is not maximised";
  HWND mainToolBar = ChildWithId(mainWindow, TOOLBARCLASSNAMEA, kMainToolBarId);
  HWND windowToolBar = ChildWithId(mainWindow, TOOLBARCLASSNAMEA, kWindowToolBarId);
  HWND statusBar = ChildWithId(mainWindow, STATUSCLASSNAMEA, kStatusBarId);
  ASSERT_NE(nullptr, mainToolBar);
  ASSERT_NE(nullptr, windowToolBar);
  ASSERT_NE(nullptr, statusBar);
  EXPECT_TRUE(IsWindowVisible(mainToolBar));
  EXPECT_TRUE(IsWindowVisible(windowToolBar));
  EXPECT_TRUE(IsWindowVisible(statusBar));
  EXPECT_EQ(18, SendMessageA(mainToolBar, TB_BUTTONCOUNT, 0, 0));
  EXPECT_EQ(10, SendMessageA(windowToolBar, TB_BUTTONCOUNT, 0, 0));
  EXPECT_EQ(5, SendMessageA(statusBar, SB_GETPARTS, 0, 0));
}

}  // namespace

TEST(Startup, TheCaptionButtonSymbolsHaveTheirFont) {
  // Wine draws minimise, maximise and close as characters of Marlett; any other font shows them
  // as the letters "0 1 2 r".
  LOGFONTA symbols = {};
  symbols.lfHeight = -13;
  symbols.lfCharSet = SYMBOL_CHARSET;
  strcpy(symbols.lfFaceName, "Marlett");
  HFONT font = CreateFontIndirectA(&symbols);
  ASSERT_NE(nullptr, font);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  char face[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof face, face);
  SelectObject(dc, previous);
  DeleteDC(dc);
  DeleteObject(font);
  EXPECT_STREQ("Marlett", face);
}

TEST(Startup, FirstStartStoresTheSystemLanguageAndShowsTheChineseMainWindow) {
  EditorProcess editor;
  // The build's program folder may have been started before (tools/run).
  editor.WriteSetting("SystemParam", "Language", nullptr);
  ASSERT_TRUE(editor.Start());
  HWND mainWindow = editor.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(nullptr, mainWindow);
  Settle(mainWindow);

  // The tests run with the Chinese (PRC) system language.
  EXPECT_EQ(std::to_string(GetSystemDefaultLangID()),
            editor.ReadSetting("SystemParam", "Language"));
  EXPECT_TRUE(StartsWith(WindowText(mainWindow), kChineseTitle)) << WindowText(mainWindow);
  ExpectMainWindowParts(mainWindow);
  EXPECT_TRUE(editor.WaitForMessageBox(0) == nullptr);
}

TEST(Startup, EnglishShowsTheEnglishResources) {
  EditorProcess editor;
  editor.WriteSetting("SystemParam", "Language", "1033");
  ASSERT_TRUE(editor.Start());
  HWND mainWindow = editor.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(nullptr, mainWindow);
  Settle(mainWindow);

  EXPECT_TRUE(StartsWith(WindowText(mainWindow), kEnglishTitle)) << WindowText(mainWindow);
  ExpectMainWindowParts(mainWindow);
}

TEST(Startup, EnglishWithoutTheResourceLibraryKeepsChineseWithoutComplaint) {
  EditorProcess::Options options;
  options.englishLibrary = false;
  EditorProcess editor(options);
  editor.WriteSetting("SystemParam", "Language", "1033");
  ASSERT_TRUE(editor.Start());
  HWND mainWindow = editor.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(nullptr, mainWindow);
  EXPECT_TRUE(StartsWith(WindowText(mainWindow), kChineseTitle)) << WindowText(mainWindow);
  EXPECT_TRUE(editor.WaitForMessageBox(1000) == nullptr);
  EXPECT_EQ("1033", editor.ReadSetting("SystemParam", "Language"));
}

TEST(Startup, TheLanguageMenuStoresTheChoiceAndTheNextStartUsesIt) {
  EditorProcess editor;
  ASSERT_TRUE(editor.Start());
  HWND mainWindow = editor.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(nullptr, mainWindow);
  ChooseLanguage(editor, mainWindow, kLanguageEnglish);
  EXPECT_EQ("1033", editor.ReadSetting("SystemParam", "Language"));

  ASSERT_TRUE(editor.Start());
  mainWindow = editor.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(nullptr, mainWindow);
  EXPECT_TRUE(StartsWith(WindowText(mainWindow), kEnglishTitle)) << WindowText(mainWindow);
  ChooseLanguage(editor, mainWindow, kLanguageGb);
  EXPECT_EQ("2052", editor.ReadSetting("SystemParam", "Language"));
}

TEST(Startup, TheDefaultLanguageIsStoredAsZeroAndReplacedAtTheNextStart) {
  EditorProcess editor;
  editor.WriteSetting("SystemParam", "Language", "1033");
  ASSERT_TRUE(editor.Start());
  HWND mainWindow = editor.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(nullptr, mainWindow);
  ChooseLanguage(editor, mainWindow, kLanguageDefault);
  EXPECT_EQ("0", editor.ReadSetting("SystemParam", "Language"));

  ASSERT_TRUE(editor.Start());
  mainWindow = editor.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(nullptr, mainWindow);
  EXPECT_EQ(std::to_string(GetSystemDefaultLangID()),
            editor.ReadSetting("SystemParam", "Language"));
  EXPECT_TRUE(StartsWith(WindowText(mainWindow), kChineseTitle)) << WindowText(mainWindow);
}

// A Chinese name, as a double-click in the shell hands it over: the GBK bytes right after the
// program name must reach the open.
TEST(Startup, TheDocumentOnTheCommandLineOpensMaximised) {
  EditorProcess editor;
  const std::string name = "印章测试.t42";
  ASSERT_TRUE(
      CopyFileA((editor.Folder() + "SAMPLE.T42").c_str(), (editor.Folder() + name).c_str(), FALSE));
  ASSERT_TRUE(editor.Start(name));
  HWND mainWindow = editor.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(nullptr, mainWindow);
  Settle(mainWindow);
  EXPECT_NE(std::string::npos, WindowText(mainWindow).find("印章测试")) << WindowText(mainWindow);
  HWND client = FindWindowExA(mainWindow, nullptr, "MDIClient", nullptr);
  ASSERT_NE(nullptr, client);
  BOOL maximised = FALSE;
  HWND child = reinterpret_cast<HWND>(
      SendMessageA(client, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximised)));
  ASSERT_NE(nullptr, child);
  EXPECT_TRUE(IsZoomed(child));
  EXPECT_EQ(name, WindowText(child));
  EXPECT_TRUE(editor.WaitForMessageBox(0) == nullptr);
}

TEST(Startup, AFileThatCannotBeOpenedIsReportedAndTheEditorStays) {
  EditorProcess editor;
  // A start under another locale (tools/run with TALVEX_LOCALE) may have stored its language.
  editor.WriteSetting("SystemParam", "Language", nullptr);
  ASSERT_TRUE(editor.Start("\"" + editor.Folder() + "missing.t42\""));
  HWND box = editor.WaitForMessageBox(kStartTimeoutMs);
  ASSERT_NE(nullptr, box) << "no message box about the file";
  std::string text = MessageBoxText(box);
  PressButton(box, IDOK);
  // The document's own report may be followed by nothing else; the editor stays open.
  HWND mainWindow = editor.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(nullptr, mainWindow) << text;
  EXPECT_TRUE(editor.IsRunning());
  EXPECT_TRUE(StartsWith(WindowText(mainWindow), kChineseTitle)) << WindowText(mainWindow);

  // Without a document the drawing bars were put away; the next start's document brings them back.
  editor.Close();
  ASSERT_TRUE(editor.Start());
  mainWindow = editor.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(nullptr, mainWindow);
  Settle(mainWindow);
  ExpectMainWindowParts(mainWindow);
}

// Whether the box is painted on the X server is checked on the pictures (pictures.sh): Wine gives
// back its own copy of the screen here.
TEST(Startup, AMissingTransformLibraryIsReportedAndTheEditorGoesOnWithoutIt) {
  EditorProcess::Options options;
  options.transformLibrary = false;
  EditorProcess editor(options);
  ASSERT_TRUE(editor.Start());
  HWND box = editor.WaitForMessageBox(kStartTimeoutMs);
  ASSERT_NE(nullptr, box);
  EXPECT_NE(std::string::npos, MessageBoxText(box).find("TalvexTransform.dll"))
      << MessageBoxText(box);
  PressButton(box, IDOK);
  HWND mainWindow = editor.WaitForMainWindow(kStartTimeoutMs);
  ASSERT_NE(nullptr, mainWindow);
  EXPECT_TRUE(editor.WaitForMessageBox(0) == nullptr);
}
