// Each interface language in the program's main frame under Xvfb, with the resources start-up
// chooses for it: the shipped data the windows show (the page setup's palette type, a new seal's
// text, the cut window's cutter models) is named in that language, and what the English
// interface says comes from the English resources, a file name the system's code page cannot
// represent included. The file name is made of characters the current code page lacks: Chinese
// ones under en_US (program_english_dialogs runs the EnglishInterface tests there too), Hangul
// under zh_CN, whose code page has none.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "StartupResources.h"
#include "editor/ProgramObjects.h"
#include "editor/bars/ColorPalette.h"
#include "editor/cut/CutFrame.h"
#include "editor/dialogs/PageSetupDlg.h"
#include "output/SquareSealDlg.h"
#include "output/StampAreaDlg.h"
#include "support/ClientPicture.h"
#include "support/ComboEntries.h"
#include "support/DialogTextFit.h"
#include "support/FileDialogAnswer.h"
#include "support/MessageBoxCapture.h"
#include "support/ModalDialogDriver.h"
#include "support/TempFolder.h"

namespace {

bool IsAscii(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

// A wide name the system's code page cannot represent, with what the 8-bit file functions (the
// open and save dialogs among them) give for it.
struct ForeignName {
  std::wstring wide;
  std::string narrow;
};

ForeignName NameOutsideTheCodePage(const std::string& folder) {
  for (const wchar_t* name : {L"\x738B\x5C0F\x660E.t42", L"\xD55C\xAE00.t42"}) {
    std::wstring wide(folder.begin(), folder.end());
    wide += name;
    char narrow[MAX_PATH * 2] = {};
    BOOL lost = FALSE;
    ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, narrow, sizeof narrow, nullptr, &lost);
    if (lost) return {wide, narrow};
  }
  return {};
}

class InterfaceLanguage : public EditorWindowTest {
protected:
  void SetUp() override {
    m_keptProfile = g_cutterDevice.ProfileFile().GetPath();
    m_keptPorts = g_cutterDevice.m_port.GetSettingsFile().GetPath();
    m_ini = m_folder.File("Cutters.INI");
    ASSERT_TRUE(CopyFileA(ProgramFile("Cutters.INI").c_str(), m_ini.c_str(), FALSE));
    g_cutterDevice.ProfileFile().SetPath(m_ini.c_str());
    g_cutterDevice.m_port.GetSettingsFile().SetPath(m_folder.File("UPort.Ini").c_str());
    // The cut window binds the transform library beside the program, as the editor does.
    char folder[MAX_PATH] = {};
    ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
    m_library = std::string(folder) + "TalvexTransform.dll";
    ASSERT_TRUE(CopyFileA(ProgramFile("TalvexTransform.dll").c_str(), m_library.c_str(), FALSE));
    g_palette.LoadFile(ProgramFile("PALETTE\\PALETTE.INI").c_str());
  }
  void TearDown() override {
    g_palette.Load(g_settings, CColorPalette::kFileName);
    g_cutterDevice.ProfileFile().SetPath(m_keptProfile);
    g_cutterDevice.m_port.GetSettingsFile().SetPath(m_keptPorts);
    DeleteFileA(m_library.c_str());
  }
  // The palette types the page setup dialog (F10) offers.
  std::vector<std::string> PaletteTypes() {
    std::vector<std::string> names;
    ModalDialogDriver dialogs;
    dialogs.Then([&](CDialog* page) {
      names = Items(::GetDlgItem(page->m_hWnd, CPageSetupDlg::kPaletteType));
      page->PostMessage(WM_COMMAND, IDCANCEL);
    });
    ViewCommand(ID_PAGE_SETUP);
    EXPECT_EQ(1, dialogs.Shown());
    return names;
  }
  // The text a new seal's dialog starts with.
  std::string NewSealText() {
    std::string text;
    ModalDialogDriver dialogs;
    // The two-column template: the empty one shows no text.
    dialogs.Then([](CDialog* area) {
      ModalDialogDriver::Choose(area->m_hWnd, CStampAreaDlg::kTemplateCombo, CB_SETCURSEL,
                                CBN_SELCHANGE, 1);
      area->PostMessage(WM_COMMAND, IDOK);
    });
    dialogs.Then([&](CDialog* seal) {
      text = DialogText(seal, CSquareSealDlg::kText);
      seal->PostMessage(WM_COMMAND, IDCANCEL);
    });
    ViewCommand(ID_STAMP_NEW);
    EXPECT_EQ(2, dialogs.Shown());
    return text;
  }
  // The cutter models the cut window (32789) offers.
  std::vector<std::string> CutterModels() {
    ViewCommand(ID_FILE_CUT_OUTPUT);
    CString title;
    EXPECT_TRUE(title.LoadString(IDS_CUT_OUTPUT));
    auto* cut = dynamic_cast<CCutFrame*>(CWnd::FromHandle(FindWindowA(nullptr, title)));
    if (!cut) return {};
    const std::vector<std::string> names = Items(
        ::GetDlgItem(cut->GetDeviceBar().m_hWnd, IDC_CUT_MODEL));
    cut->DestroyWindow();
    PumpMessages();
    return names;
  }

  TempFolder m_folder;
  std::string m_ini, m_library;
  CString m_keptProfile, m_keptPorts;
  MessageBoxCapture m_boxes;
};

// Its tests run on systems of both code pages.
class EnglishInterface : public InterfaceLanguage {};

}  // namespace

TEST_F(InterfaceLanguage, EachInterfaceNamesTheShippedDataInItsOwnLanguage) {
  const struct {
    const char* language;
    std::vector<std::string> palettes;
    std::string sealText;
    std::vector<std::string> cutters;
  } cases[] = {
      {"2052",
       {"标准调色板"},
       "标准方章",
       {"HP-GL 刻字机", "HP-GL 刻字机, 刀头补偿", "HP-GL 刻字机, 软件补偿", "DM/PL 刻字机"}},
      {"1033",
       {"Standard palette"},
       "SEAL",
       {"HP-GL cutter", "HP-GL cutter, blade offset in the head",
        "HP-GL cutter, blade offset by software", "DM/PL cutter"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    StartupResources resources(c.language);
    ASSERT_NO_FATAL_FAILURE(OpenMainFrame(new CMDIMainFrame, 960, 768));
    ASSERT_NO_FATAL_FAILURE(OpenView(theApp.OpenDocumentFile(ProgramFile("SAMPLE.T42").c_str())));
    EXPECT_EQ(c.palettes, PaletteTypes());
    EXPECT_EQ(c.sealText, NewSealText());
    EXPECT_EQ(c.cutters, CutterModels());
    CloseEditorWindow();
  }
  EXPECT_EQ(0u, m_boxes.Count());
}

// The open and save dialogs give such a name with a '?' for each character the code page lacks;
// the document is refused saying why, in English.
TEST_F(EnglishInterface, AFileNameTheCodePageCannotRepresentIsRefusedInEnglishSayingWhy) {
  StartupResources resources("1033");
  ASSERT_TRUE(resources.English());
  ASSERT_NO_FATAL_FAILURE(OpenEditorWindow());
  // A good document under a name of such characters.
  const std::string folder = m_folder.File("");
  const ForeignName name = NameOutsideTheCodePage(folder);
  ASSERT_FALSE(name.wide.empty());
  const std::string plain = m_folder.File("plain.t42");
  ASSERT_TRUE(m_document->OnSaveDocument(plain.c_str()));
  std::wstring plainWide(plain.begin(), plain.end());
  ASSERT_TRUE(MoveFileW(plainWide.c_str(), name.wide.c_str()));

  const struct {
    UINT command;
    const char* refusal;
  } cases[] = {{ID_FILE_OPEN, "The document could not be opened."},
               {ID_FILE_SAVE_AS, "The file could not be created."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    FileDialogAnswer answer(name.narrow);
    const size_t before = m_boxes.Count();
    Menu(c.command);
    ASSERT_EQ(before + 1, m_boxes.Count());
    const std::string text = m_boxes.Last().text;
    EXPECT_TRUE(IsAscii(text)) << text;
    EXPECT_TRUE(IsAscii(m_boxes.Last().caption)) << m_boxes.Last().caption;
    EXPECT_EQ(0u, text.find(c.refusal)) << text;
    EXPECT_NE(std::string::npos, text.find("code page cannot represent")) << text;
  }
  // The document stays the only one, unchanged.
  EXPECT_EQ(1, theApp.GetOpenDocumentCount());
  EXPECT_FALSE(m_document->IsModified());
  CloseEditorWindow();
}

// The English interface names the font builder and the font libraries in English words that stand
// apart ("EnglishWin Font" ran together), each whole in the box that shows it: the builder's
// library list and the property bar's text page.
TEST_F(EnglishInterface, TheFontBuilderAndTheFontLibrariesReadInEnglishAndFitTheirBoxes) {
  const CString keptSettings = g_settings.GetPath();
  const std::string ini = m_folder.File("TALVEX42.INI");
  ASSERT_TRUE(CopyFileA(ProgramFile("TALVEX42.INI").c_str(), ini.c_str(), FALSE));
  {
    StartupResources resources("1033");
    ASSERT_TRUE(resources.English());
    g_settings.SetPath(ini.c_str());
    theApp.InitializeApplicationData(CTALVEX42App::kLoadFonts);
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow());
    // Whole in the closed box beside its arrow, and in the opened list.
    auto fitting = [](HWND combo) {
      COMBOBOXINFO box = {};
      box.cbSize = sizeof box;
      EXPECT_TRUE(GetComboBoxInfo(combo, &box));
      for (const std::string& row : ComboEntries(combo))
        EXPECT_LE(TextExtent(combo, row), box.rcItem.right - box.rcItem.left) << row;
      EXPECT_LT(WidestEntry(combo), SendMessageA(combo, CB_GETDROPPEDWIDTH, 0, 0));
    };
    std::wstring caption;
    std::vector<std::string> libraries;
    ModalDialogDriver dialogs;
    dialogs.Then([&](CDialog* builder) {
      caption = dialogfit::TextOf(builder->m_hWnd);
      HWND combo = GetDlgItem(builder->m_hWnd, IDC_FONT_LIBRARY);
      libraries = ComboEntries(combo);
      fitting(combo);
      ::CreateDirectoryA("screenshots", nullptr);
      SaveClientPicture(builder->m_hWnd, "screenshots\\font_create_english.bmp");
      builder->PostMessage(WM_COMMAND, IDCANCEL);
    });
    Menu(ID_FONT_BUILD_WIN);
    EXPECT_EQ(1, dialogs.Shown());
    EXPECT_EQ(L"Build Font From WinTrueType", caption) << dialogfit::Utf8(caption);
    for (const char* library : {"Chinese GB Win Font", "Chinese GB User Font", "English Win Font",
                                "English User Font", "Chinese Big5 User Font"})
      EXPECT_NE(libraries.end(), std::find(libraries.begin(), libraries.end(), library)) << library;
    ViewCommand(ID_TOOL_TEXT);
    HWND bar = Descendant(m_main->GetPropertyBar().m_hWnd, IDC_FONT_LIBRARY);
    ASSERT_NE(nullptr, bar);
    EXPECT_EQ(libraries, ComboEntries(bar));
    fitting(bar);
    CloseEditorWindow();
  }
  g_settings.SetPath(keptSettings);
  theApp.InitializeApplicationData(CTALVEX42App::kLoadFonts);
}
