// The text editor window, the zone-code table and the font dialogs in the program's main frame
// under Xvfb, through the user's paths: the menu commands make and toggle the tool windows; a
// document's text goes through the text editor window when it is saved and opened; a
// Ctrl+double-click pastes the editor's selection; the zone table types its chosen character; an
// opened document whose fonts are not all mounted offers the replacement dialog and takes the
// user's choice (and one whose fonts are all there opens without it); the font paths dialog stores
// an edited path and mounts the fonts again; fonts are built from curves on the page and from a
// TrueType font the test installs, and read back glyph by glyph; "ReSample" traces the font's
// glyphs into a file from its first empty entry on and refuses a file of another header.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "StartupResources.h"
#include "editor/dialogs/FontCreateDlg.h"
#include "editor/dialogs/FontLibraryList.h"
#include "editor/dialogs/FontReplaceDlg.h"
#include "editor/dialogs/GlyphRetracer.h"
#include "editor/dialogs/ZoneCodeDlg.h"
#include "framework/WideText.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/DocFileReader.h"
#include "model/document/FontRebinding.h"
#include "model/settings/IniFile.h"
#include "model/settings/ProgramPaths.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/DialogTextFit.h"
#include "support/FileDialogAnswer.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"
#include "support/TempFolder.h"
#include "support/TrueTypeFont.h"
#include "text/CftFile.h"
#include "text/CftFileWriter.h"
#include "text/CftFontTable.h"
#include "text/GlyphCodec.h"
#include "text/GlyphTestSupport.h"
#include "text/Language.h"
#include "text/TextBlock.h"
#include "text/TtfFontTable.h"
#include "text/WinFontTable.h"
#include "text/layout/CharBox.h"

namespace {

const int kTextTool = 40071;
const WORD kOwnFonts = 0x0286;  // GB2312 characters of mount 0

std::string Text(HWND window) {
  char text[1024] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

// Chooses a row of a list or combo of a dialog as a click would, telling the dialog.
void Choose(HWND dialog, int id, int row, bool listBox) {
  HWND control = ::GetDlgItem(dialog, id);
  ::SendMessageA(control, listBox ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(row), 0);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, listBox ? LBN_SELCHANGE : CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control));
}

int RowContaining(HWND control, const std::string& part, bool listBox) {
  std::vector<std::string> items = Items(control, listBox);
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].find(part) != std::string::npos) return static_cast<int>(i);
  return -1;
}

// Saves what a window shows for people looking at the test's run (build/<arch>/screenshots).
void Picture(HWND window, const char* name) {
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  ::CreateDirectoryA("screenshots", nullptr);
  SaveClientPicture(window, (std::string("screenshots\\") + name).c_str());
}

// What a font builder says when it has written a file: the resource's text for the file and
// its count of characters.
std::string Notice(UINT id, const std::string& file, int count) {
  CString format, text;
  format.LoadString(id);
  text.Format(format, file.c_str(), count);
  return std::string(text);
}

// Own font files of a mount folder, each with the mixed glyph at B0A1 and B0A2.
void WriteOwnFont(const std::string& path, const char* name) {
  CftHeader header;
  lstrcpynA(header.magic, "TCFT", sizeof header.magic);
  header.version = 6.0f;
  header.names[0] = header.names[1] = header.names[2] = name;
  header.sqh = header.eqh = 0xB0;
  header.swh = 0xA1;
  header.ewh = 0xA2;
  CGlyphCodec codec;
  ASSERT_TRUE(CCftFileWriter::Write(path.c_str(), header, GlyphForCode, codec));
}

class FontWindows : public EditorWindowTest {
protected:
  void SetUp() override {
    // One language with one mount folder, the program's settings for the test's life.
    m_savedSettings = g_settings.GetPath();
    m_ini = m_folder.File("TALVEX42.INI");
    ::CreateDirectoryA(m_folder.File("mount").c_str(), nullptr);
    WritePrivateProfileStringA("LANGUAGE0", "ID", "134", m_ini.c_str());
    WritePrivateProfileStringA("LANGUAGE0", "NAME", "GB", m_ini.c_str());
    WritePrivateProfileStringA("Language0", "Mounts", "1", m_ini.c_str());
    WritePrivateProfileStringA("Language0", "MountName0", "Own", m_ini.c_str());
    WritePrivateProfileStringA("Language0", "MountPath0", m_folder.File("mount").c_str(),
                               m_ini.c_str());
    g_settings.SetPath(m_ini.c_str());
    MountFonts();
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow(900, 640));
  }
  void TearDown() override {
    CloseEditorWindow();
    g_settings.SetPath(m_savedSettings);
    g_cftFontTable.FreeRows();
  }

  void MountFonts() { theApp.InitializeApplicationData(CTALVEX42App::kLoadFonts); }
  void Command(UINT id) {
    m_main->SendMessage(WM_COMMAND, id);
    PumpMessages();
  }
  HWND EditorEdit() { return ::GetDlgItem(m_main->GetTextEditor().m_hWnd, IDC_TEXT_EDITOR_EDIT); }
  // A text under edit with the text tool, its double-byte characters in the given font key and
  // numbers.
  CTextBlock* EditedText(std::vector<std::pair<WORD, WORD>> characters, WORD key = kOwnFonts) {
    CTextBlock* text = CTextBlock::CreateAt(0, 50, 50, 350, 50);
    m_document->AddBlock(text);
    CTextDefaults defaults = CTextDefaults::Global();
    for (const auto& [code, number] : characters) {
      auto* box = new CCharBox;
      box->Init(code > 0xFF ? 134 : 0, code, defaults);
      if (code > 0xFF) {
        box->m_kind = static_cast<WORD>((box->m_kind & 0xF000) | key);
        box->m_fontNumber = number;
      }
      text->InsertChar(box);
    }
    text->Relayout(m_view, -1);
    text->UpdateBox();
    return text;
  }
  std::vector<WORD> Codes(CTextBlock* text) {
    std::vector<WORD> codes;
    for (INT_PTR i = 0; i < text->GetBoxArray()->GetSize(); ++i)
      if (const CCharBox* box = text->GetBoxArray()->GetCharBox(i)) codes.push_back(box->m_code);
    return codes;
  }
  std::vector<int> FontNumbers(CTextBlock* text) {
    std::vector<int> numbers;
    for (INT_PTR i = 0; i < text->GetBoxArray()->GetSize(); ++i)
      if (const CCharBox* box = text->GetBoxArray()->GetCharBox(i))
        numbers.push_back(box->m_fontNumber);
    return numbers;
  }
  std::vector<WORD> FontKeys(CTextBlock* text) {
    std::vector<WORD> keys;
    for (INT_PTR i = 0; i < text->GetBoxArray()->GetSize(); ++i)
      if (const CCharBox* box = text->GetBoxArray()->GetCharBox(i)) keys.push_back(box->FontKey());
    return keys;
  }
  // Saves the document through Save As, then closes it.
  void SaveThroughMenu(const std::string& path) {
    FileDialogAnswer answer(path);
    Menu(ID_FILE_SAVE_AS);
    theApp.CloseAllDocuments(FALSE);
    PumpMessages();
  }
  // Opens a document through Open (a replacement dialog is the caller's to answer); it and its
  // view become the current ones.
  void OpenThroughMenu(const std::string& path) {
    FileDialogAnswer answer(path);
    Menu(ID_FILE_OPEN);
    POSITION at = m_template->GetFirstDocPosition();
    ASSERT_NE(nullptr, at);
    OpenView(m_template->GetNextDoc(at));
  }
  POINT PixelOf(float x, float y) {
    FPOINT page = {x, y};
    POINT pixel;
    m_view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
    return pixel;
  }

  TempFolder m_folder;
  std::string m_ini;
  CString m_savedSettings;
};

TEST_F(FontWindows, TheTextEditorIsMadeOnceToggledAndRolledUpByItsCaption) {
  EXPECT_EQ(nullptr, m_main->GetTextEditor().GetSafeHwnd());
  Command(ID_VIEW_TEXT_EDITOR);
  HWND editor = m_main->GetTextEditor().GetSafeHwnd();
  ASSERT_NE(nullptr, editor);
  EXPECT_TRUE(::IsWindowVisible(editor));
  RECT frame, placed, client;
  ::GetWindowRect(m_main->m_hWnd, &frame);
  ::GetWindowRect(editor, &placed);
  ::GetClientRect(editor, &client);
  EXPECT_EQ(frame.left + 20, placed.left);
  EXPECT_EQ(frame.right - frame.left - 50, placed.right - placed.left);
  // The edit field fills the window.
  RECT edit;
  ::GetWindowRect(EditorEdit(), &edit);
  EXPECT_EQ(client.right, edit.right - edit.left);
  EXPECT_EQ(client.bottom, edit.bottom - edit.top);
  Command(ID_VIEW_TEXT_EDITOR);
  EXPECT_FALSE(::IsWindowVisible(editor));
  Command(ID_VIEW_TEXT_EDITOR);
  EXPECT_TRUE(::IsWindowVisible(editor));
  EXPECT_EQ(editor, m_main->GetTextEditor().GetSafeHwnd());

  // A double-click on the caption rolls it up at its corner; the next one puts it back exactly.
  RECT before, rolled, after;
  ::GetWindowRect(editor, &before);
  ::SendMessageA(editor, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  ::GetWindowRect(editor, &rolled);
  EXPECT_EQ(before.left, rolled.left);
  EXPECT_EQ(before.top, rolled.top);
  EXPECT_EQ(45, rolled.right - rolled.left);
  EXPECT_EQ(25, rolled.bottom - rolled.top);
  ::SendMessageA(editor, WM_NCLBUTTONDBLCLK, HTCAPTION, 0);
  ::GetWindowRect(editor, &after);
  EXPECT_TRUE(::EqualRect(&before, &after));
}

TEST_F(FontWindows, SavedDocumentsCarryTheEditorsTextAndOpenedOnesAddTheirs) {
  Command(ID_VIEW_TEXT_EDITOR);
  ::SetWindowTextA(EditorEdit(), "招牌 Shop\r\nline 2");
  std::string path = m_folder.File("text.T42");
  ASSERT_TRUE(m_document->OnSaveDocument(path.c_str()));
  CDocFileReader reader;
  ASSERT_EQ(CDocFileReader::kNoError, reader.Read(path.c_str()));
  EXPECT_STREQ("招牌 Shop\r\nline 2", reader.GetText());

  // Opened into an empty editor the text stands alone; opened again it follows two CRs.
  ::SetWindowTextA(EditorEdit(), "");
  ASSERT_NE(nullptr, theApp.OpenDocumentFile(path.c_str()));
  PumpMessages();
  EXPECT_EQ("招牌 Shop\r\nline 2", Text(EditorEdit()));
  Picture(m_main->GetTextEditor().m_hWnd, "text_editor.bmp");
  theApp.CloseAllDocuments(FALSE);
  ASSERT_NE(nullptr, theApp.OpenDocumentFile(path.c_str()));
  PumpMessages();
  EXPECT_EQ("招牌 Shop\r\nline 2\r\r招牌 Shop\r\nline 2", Text(EditorEdit()));
  // The editor window opens for a document's text when it is not there yet.
  theApp.CloseAllDocuments(FALSE);
  m_main->GetTextEditor().DestroyWindow();
  CDocument* opened = theApp.OpenDocumentFile(path.c_str());
  ASSERT_NE(nullptr, opened);
  PumpMessages();
  ASSERT_NE(nullptr, m_main->GetTextEditor().GetSafeHwnd());
  EXPECT_EQ("招牌 Shop\r\nline 2", Text(EditorEdit()));
  // A document without text leaves it unmade.
  std::string plain = m_folder.File("plain.T42");
  ::SetWindowTextA(EditorEdit(), "");
  ASSERT_TRUE(opened->OnSaveDocument(plain.c_str()));
  theApp.CloseAllDocuments(FALSE);
  m_main->GetTextEditor().DestroyWindow();
  ASSERT_NE(nullptr, theApp.OpenDocumentFile(plain.c_str()));
  PumpMessages();
  EXPECT_EQ(nullptr, m_main->GetTextEditor().GetSafeHwnd());
}

TEST_F(FontWindows, ACtrlDoubleClickPastesOnlyTheEditorsSelection) {
  Command(ID_VIEW_TEXT_EDITOR);
  ::SetWindowTextA(EditorEdit(), "ABCDE");
  CTextBlock* text = EditedText({{'x', 0}});
  Command(ID_TOOL_TEXT);
  text->BeginEdit(kTextTool, m_view);
  m_view->SetEditBlock(text);
  text->SetCaret(m_view, 0, 0);
  POINT at = PixelOf(60, 50);
  // Nothing selected: nothing is pasted.
  m_view->SendMessage(WM_LBUTTONDBLCLK, MK_CONTROL, MAKELPARAM(at.x, at.y));
  EXPECT_EQ((std::vector<WORD>{'x'}), Codes(text));
  ::SendMessageA(EditorEdit(), EM_SETSEL, 1, 3);
  m_view->SendMessage(WM_LBUTTONDBLCLK, MK_CONTROL, MAKELPARAM(at.x, at.y));
  PumpMessages();
  EXPECT_EQ((std::vector<WORD>{'x', 'B', 'C'}), Codes(text));
}

TEST_F(FontWindows, TheZoneTableStepsThroughZonesAndTypesTheChosenCharacter) {
  struct Step {
    int zone, delta, next;
  };
  for (const Step& s : {Step{161, 1, 162}, Step{250, 1, 251}, Step{251, 1, 251}, Step{251, -1, 250},
                        Step{162, 0, 161}, Step{161, -1, 161}})
    EXPECT_EQ(s.next, CZoneCodeDlg::StepZone(s.zone, s.delta)) << s.zone << " " << s.delta;
  EXPECT_EQ(8, CZoneCodeDlg::StepPage(0, 8, -1));
  EXPECT_EQ(88, CZoneCodeDlg::StepPage(80, 8, -1));
  EXPECT_EQ(86, CZoneCodeDlg::StepPage(90, 8, -1));  // held at 94 - page
  EXPECT_EQ(0, CZoneCodeDlg::StepPage(5, 8, 1));
  EXPECT_STREQ("1601", CZoneCodeDlg::CodeText(176, 161));
  EXPECT_STREQ("8794", CZoneCodeDlg::CodeText(247, 254));

  Command(ID_VIEW_ZONE_TABLE);
  CZoneCodeDlg& table = m_main->GetZoneTable();
  ASSERT_NE(nullptr, table.GetSafeHwnd());
  EXPECT_TRUE(table.IsWindowVisible());
  HWND list = ::GetDlgItem(table.m_hWnd, IDC_ZONE_LIST);
  EXPECT_EQ(94, ::SendMessageA(list, LB_GETCOUNT, 0, 0));
  // Fifteen steps up reach zone 16 (B0); its first character is 啊, code B0A1.
  for (int i = 0; i < 15; ++i) {
    NMUPDOWN step = {};
    step.hdr.hwndFrom = ::GetDlgItem(table.m_hWnd, IDC_ZONE_SPIN);
    step.hdr.idFrom = IDC_ZONE_SPIN;
    step.hdr.code = UDN_DELTAPOS;
    step.iDelta = 1;
    ::SendMessageA(table.m_hWnd, WM_NOTIFY, IDC_ZONE_SPIN, reinterpret_cast<LPARAM>(&step));
  }
  EXPECT_EQ(176, table.GetZone());
  EXPECT_EQ("1601", Text(::GetDlgItem(table.m_hWnd, IDC_ZONE_CODE_TEXT)));
  EXPECT_EQ(std::string("\xB0\xA2"), Items(list, true)[1]);

  CTextBlock* text = EditedText({{'x', 0}});
  text->BeginEdit(kTextTool, m_view);
  m_view->SetEditBlock(text);
  text->SetCaret(m_view, 0, 0);
  RECT item;
  ::SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
  LPARAM at = MAKELPARAM(item.left + 3, item.top + 3);
  ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(list, WM_LBUTTONUP, 0, at);
  EXPECT_EQ(162, table.GetPosition());
  EXPECT_EQ("1602", Text(::GetDlgItem(table.m_hWnd, IDC_ZONE_CODE_TEXT)));
  ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::SendMessageA(list, WM_LBUTTONUP, 0, at);
  PumpMessages();
  EXPECT_EQ((std::vector<WORD>{'x', 0xB0A2}), Codes(text));
  Picture(table.m_hWnd, "zone_table.bmp");

  Command(ID_VIEW_ZONE_TABLE);
  EXPECT_FALSE(table.IsWindowVisible());
}

TEST_F(FontWindows, AnOpenedDocumentWhoseFontIsGoneOffersItsReplacementAndSavesTheNewNames) {
  WriteOwnFont(m_folder.File("mount\\A.CFT"), "Alpha");
  WriteOwnFont(m_folder.File("mount\\B.CFT"), "Beta");
  WriteOwnFont(m_folder.File("mount\\C.CFT"), "Gamma");
  MountFonts();
  int alpha = g_language.FindFont(0, 2, "Alpha"), beta = g_language.FindFont(0, 2, "Beta");
  ASSERT_TRUE(alpha >= 0 && beta >= 0);
  CTextBlock* text = EditedText({{0xB0A1, static_cast<WORD>(alpha)},
                                 {0xB0A2, static_cast<WORD>(beta)},
                                 {0xB0A1, static_cast<WORD>(alpha)}});
  text->UpdateBox();
  std::string path = m_folder.File("fonts.T42");
  ASSERT_TRUE(m_document->OnSaveDocument(path.c_str()));
  theApp.CloseAllDocuments(FALSE);

  // With all fonts there the document opens without a question.
  {
    ModalDialogDriver dialogs;
    ASSERT_NE(nullptr, theApp.OpenDocumentFile(path.c_str()));
    PumpMessages();
    EXPECT_EQ(0, dialogs.Shown());
    theApp.CloseAllDocuments(FALSE);
  }

  // Alpha is gone; Beta and Gamma are mounted in another order.
  ::DeleteFileA(m_folder.File("mount\\A.CFT").c_str());
  MountFonts();
  beta = g_language.FindFont(0, 2, "Beta");
  int gamma = g_language.FindFont(0, 2, "Gamma");
  std::vector<std::string> lines;
  ModalDialogDriver dialogs;
  dialogs.Then([&](CDialog* dialog) {
    HWND window = dialog->m_hWnd;
    lines = Items(::GetDlgItem(window, IDC_MISSING_FONTS), true);
    int library = RowContaining(::GetDlgItem(window, IDC_FONT_LIBRARY), "-[134,2]", false);
    ASSERT_GE(library, 0);
    Choose(window, IDC_FONT_LIBRARY, library, false);
    EXPECT_EQ(2u, Items(::GetDlgItem(window, IDC_REPLACE_FONTS), true).size());
    Choose(window, IDC_REPLACE_FONTS,
           RowContaining(::GetDlgItem(window, IDC_REPLACE_FONTS), "Gamma", true), true);
    dialog->PostMessage(WM_COMMAND, IDOK);
  });
  CDocument* reopened = theApp.OpenDocumentFile(path.c_str());
  ASSERT_NE(nullptr, reopened);
  PumpMessages();
  EXPECT_EQ(1, dialogs.Shown());
  ASSERT_EQ(1u, lines.size());
  char expected[96];
  snprintf(expected, sizeof expected, "%-40s  -[134,2,%d] -{0,0}", "Alpha", alpha);
  EXPECT_EQ(expected, lines[0]);
  ASSERT_NO_FATAL_FAILURE(OpenView(reopened));
  EXPECT_TRUE(m_document->IsModified());
  auto* opened = dynamic_cast<CTextBlock*>(m_document->GetBlockAt(0));
  ASSERT_NE(nullptr, opened);
  EXPECT_EQ((std::vector<int>{gamma, beta, gamma}), FontNumbers(opened));

  // The save names this machine's fonts: a reader finds Gamma and Beta by those names.
  std::string saved = m_folder.File("saved.T42");
  ASSERT_TRUE(m_document->OnSaveDocument(saved.c_str()));
  CDocFileReader reader;
  ASSERT_EQ(CDocFileReader::kNoError, reader.Read(saved.c_str()));
  CString name;
  ASSERT_TRUE(reader.GetFontMount().FindName(134, 2, gamma, name));
  EXPECT_STREQ("Gamma", name);
  ASSERT_TRUE(reader.GetFontMount().FindName(134, 2, beta, name));
  EXPECT_STREQ("Beta", name);
}

TEST_F(FontWindows, EachMissingFontTakesItsReplacementFromItsOwnLanguage) {
  // GB with an installed font and two mounts; Big5 with one mount.
  CIniFile settings;
  settings.SetPath(m_folder.File("REPLACE.INI").c_str());
  settings.WriteString("LANGUAGE0", "ID", "134");
  settings.WriteString("LANGUAGE0", "NAME", "GB");
  settings.WriteString("LANGUAGE1", "ID", "136");
  settings.WriteString("LANGUAGE1", "NAME", "Big5");
  settings.WriteString("Language0", "Mounts", "2");
  settings.WriteString("Language1", "Mounts", "1");
  CLanguage language;
  language.Load(settings);
  CWinFontTable windows;
  CTtfFontTable trueType;
  CCftFontTable own;
  language.AttachTables(&windows, &trueType, &own);
  windows.AddEntry(0, 0, {"", "SimSun"});
  own.EnsureColumns(0, 2);
  own.AddEntry(0, 1, {"C:\\FONTS\\KAI.CFT", "Kai"});
  own.AddEntry(0, 1, {"C:\\FONTS\\HEI.CFT", "Hei"});
  own.EnsureColumns(1, 1);
  own.AddEntry(1, 0, {"C:\\FONTS\\MING.CFT", "Ming"});
  CFontMountSection section;
  CFontRebinding fonts(section);
  CString song("Song"), li("Li");
  fonts.Declare(CLanguage::MakeKey(134, 2), 3, &song, -1);
  fonts.Declare(CLanguage::MakeKey(136, 2), 5, &li, -1);

  ModalDialogDriver dialogs;
  dialogs.Then([&](CDialog* dialog) {
    HWND window = dialog->m_hWnd, combo = ::GetDlgItem(window, IDC_FONT_LIBRARY);
    HWND missing = ::GetDlgItem(window, IDC_MISSING_FONTS);
    EXPECT_EQ(0, ::SendMessageA(missing, LB_GETCURSEL, 0, 0));
    EXPECT_EQ(3u, Items(combo, false).size());
    // GB's second mount, its second font; the choice moves on to the Big5 line.
    Choose(window, IDC_FONT_LIBRARY, RowContaining(combo, "-[134,3]", false), false);
    EXPECT_EQ((std::vector<std::string>{"Kai", "Hei"}),
              Items(::GetDlgItem(window, IDC_REPLACE_FONTS), true));
    Choose(window, IDC_REPLACE_FONTS, 1, true);
    EXPECT_NE(std::string::npos, Items(missing, true)[0].find("-[134,2,3] -{2,1}"));
    EXPECT_EQ(1, ::SendMessageA(missing, LB_GETCURSEL, 0, 0));
    EXPECT_EQ((std::vector<std::string>{"Ming"}),
              Items(::GetDlgItem(window, IDC_REPLACE_FONTS), true));
    ASSERT_EQ(1u, Items(combo, false).size());
    EXPECT_NE(std::string::npos, Items(combo, false)[0].find("-[136,2]"));
    Picture(window, "font_replace.bmp");
    dialog->PostMessage(WM_COMMAND, IDOK);
  });
  CFontReplaceDlg dialog(fonts, language, m_main);
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_EQ(1, dialogs.Shown());
  // Each line's library is found among its own language's libraries, whatever line is shown.
  ASSERT_TRUE(fonts.GetFont(0).replaced && fonts.GetFont(1).replaced);
  EXPECT_EQ(CLanguage::MakeKey(134, 3), fonts.GetFont(0).newKey);
  EXPECT_EQ(1, fonts.GetFont(0).newNumber);
  EXPECT_EQ(CLanguage::MakeKey(136, 2), fonts.GetFont(1).newKey);
  EXPECT_EQ(0, fonts.GetFont(1).newNumber);
}

// The lines of a list box as it shows them.
std::vector<std::wstring> ShownLines(HWND list) {
  std::vector<std::wstring> lines;
  for (LRESULT i = 0; i < ::SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
    std::wstring line(static_cast<size_t>(::SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    line.resize(static_cast<size_t>(
        ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&line[0]))));
    lines.push_back(line);
  }
  return lines;
}

// Whether a control's own font has a glyph for every character of the text.
bool HasGlyphsFor(HWND control, const std::wstring& text) {
  HDC dc = ::GetDC(control);
  HGDIOBJ previous =
      ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
  std::vector<WORD> glyphs(text.size());
  DWORD found = ::GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(),
                                   GGI_MARK_NONEXISTING_GLYPHS);
  ::SelectObject(dc, previous);
  ::ReleaseDC(control, dc);
  return found == text.size() &&
         std::find(glyphs.begin(), glyphs.end(), static_cast<WORD>(0xFFFF)) == glyphs.end();
}

// Its cases run on a system of either code page.
class EnglishSystemFontNames : public FontWindows {};

// A document names its installed fonts as the system that saved it lists them: a Chinese system
// lists WenQuanYi Micro Hei under its Chinese family name (GBK in the file), an English one under
// its English name. Opened on either system, either name finds the font; a font installed on
// neither is offered for replacement under its own name, readable whatever the code page.
TEST_F(EnglishSystemFontNames, InstalledFontsAreFoundByEitherNameAndMissingOnesReadAsSaved) {
  const char* const names[] = {"文泉驿微米黑", "WenQuanYi Micro Hei", "方正姚体"};
  g_winFontTable.FreeRows();
  for (const char* name : names) g_winFontTable.AddEntry(0, 0, {"", name});
  EditedText({{0xB0A1, 0}, {0xB0A2, 1}, {0xB0A3, 2}}, CLanguage::MakeKey(134, 0));
  const std::string path = m_folder.File("names.T42");
  SaveThroughMenu(path);
  MountFonts();
  int installed = -1;
  for (int i = 0; i < 2 && installed < 0; ++i) installed = g_winFontTable.FindEntry(0, 0, names[i]);
  ASSERT_GE(installed, 0) << "WenQuanYi Micro Hei is listed under GB2312";

  std::vector<std::wstring> missing;
  bool readable = false;
  ModalDialogDriver dialogs;
  dialogs.Then([&](CDialog* dialog) {
    HWND list = ::GetDlgItem(dialog->m_hWnd, IDC_MISSING_FONTS);
    missing = ShownLines(list);
    readable = HasGlyphsFor(list, L"方正姚体");
    Picture(dialog->m_hWnd, "font_replace_missing.bmp");
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  ASSERT_NO_FATAL_FAILURE(OpenThroughMenu(path));
  EXPECT_EQ(1, dialogs.Shown());
  ASSERT_EQ(1u, missing.size());
  EXPECT_EQ(0u, missing[0].find(L"方正姚体  ")) << dialogfit::Utf8(missing[0]);
  EXPECT_TRUE(readable) << "the list's font shows the name's characters";
  auto* opened = dynamic_cast<CTextBlock*>(m_document->GetBlockAt(0));
  ASSERT_NE(nullptr, opened);
  // The characters saved in either name of the font are in it.
  std::vector<WORD> codes = Codes(opened);
  std::vector<int> numbers = FontNumbers(opened);
  ASSERT_EQ(3u, numbers.size());
  for (size_t i = 0; i < codes.size(); ++i)
    if (codes[i] != 0xB0A3) EXPECT_EQ(installed, numbers[i]) << std::hex << codes[i];
}

// An own font with a Chinese name reads as itself wherever fonts are chosen (the property bar, the
// change-font dialog, the font builder), and a font built from it keeps that name in its header.
TEST_F(EnglishSystemFontNames, AChineseFontNameReadsInEveryFontListAndTheBuiltFontKeepsIt) {
  const char name[] = "方正姚体";
  const std::wstring shown = L"方正姚体";
  WriteOwnFont(m_folder.File("mount\\YAO.CFT"), name);
  MountFonts();
  const WORD own = CLanguage::MakeKey(134, CLanguage::kFirstMount);
  auto firstLine = [](HWND control, bool listBox) {
    std::vector<std::wstring> lines = listBox
                                          ? ShownLines(control)
                                          : std::vector<std::wstring>{AfxGetComboEntry(control, 0)};
    return lines.empty() ? std::wstring() : lines[0];
  };
  auto chooseOwn = [own](HWND window, bool listBox) {
    Choose(window, IDC_FONT_LIBRARY,
           CFontLibraryList::FindCode(::GetDlgItem(window, IDC_FONT_CODES), own), listBox);
  };

  HWND page = ::GetParent(Descendant(m_main->GetPropertyBar().m_hWnd, IDC_FONT_LIBRARY));
  ASSERT_NE(nullptr, page);
  chooseOwn(page, false);
  EXPECT_EQ(shown, firstLine(::GetDlgItem(page, IDC_FONT_NAMES), false)) << "the property bar";

  std::wstring listed, builderName;
  const std::string output = m_folder.File("built\\YAO2.CFT");
  ::CreateDirectoryA(m_folder.File("built").c_str(), nullptr);
  MessageBoxCapture boxes;
  ModalDialogDriver dialogs;
  dialogs.Then([&](CDialog* dialog) {
    chooseOwn(dialog->m_hWnd, true);
    listed = firstLine(::GetDlgItem(dialog->m_hWnd, IDC_FONT_LIST), true);
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  dialogs.Then([&](CDialog* dialog) {
    HWND window = dialog->m_hWnd;
    chooseOwn(window, false);
    Choose(window, IDC_BUILD_FONTS, 0, true);
    builderName = AfxGetControlText(::GetDlgItem(window, IDC_BUILD_CHINESE_NAME));
    ::SetDlgItemTextA(window, IDC_BUILD_PATH, m_folder.File("built").c_str());
    ::SetDlgItemTextA(window, IDC_BUILD_FILE_NAME, "YAO2.CFT");
    ::SetDlgItemInt(window, IDC_BUILD_EQH, 0xB0, FALSE);
    ::SetDlgItemInt(window, IDC_BUILD_EWH, 0xA2, FALSE);
    ::SendMessageA(window, WM_COMMAND, IDOK, 0);
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  Command(ID_TEXT_FONT_SIZE);
  Command(ID_FONT_BUILD_WIN);
  EXPECT_EQ(2, dialogs.Shown());
  EXPECT_EQ(shown, listed) << "the change-font dialog";
  EXPECT_EQ(shown, builderName) << "the font builder";
  CCftFile built;
  ASSERT_TRUE(built.Open(output.c_str())) << boxes.Count();
  EXPECT_STREQ(name, built.GetHeader().names[0]);
  EXPECT_STREQ(name, built.GetHeader().names[2]);
}

// The shipped settings give every language a font mount beside the program: a Latin font built
// with the builder's defaults goes there, is listed once the builder ends, and is the font typed
// text takes when chosen on the property bar; the document keeps it through a save and an open.
TEST_F(FontWindows, ALatinFontBuiltWithTheDefaultsIsTypedInSavedAndOpenedAgain) {
  const CTextDefaults keptDefaults = CTextDefaults::Global();
  // The editor started on the program folder's settings, and the font folders they name, made
  // in the test's folder.
  CloseEditorWindow();
  ::CreateDirectoryA(m_folder.File("program").c_str(), nullptr);
  ::CreateDirectoryA(m_folder.File("program\\MOUNT").c_str(), nullptr);
  const std::string ini = m_folder.File("program\\TALVEX42.INI");
  ASSERT_TRUE(::CopyFileA(ProgramFile("TALVEX42.INI").c_str(), ini.c_str(), FALSE));
  g_settings.SetPath(ini.c_str());
  MountFonts();
  const int latin = g_language.FindIndex(0);
  ASSERT_GE(latin, 0);
  for (int row = 0; row < g_language.GetCount(); ++row) {
    ASSERT_GE(g_language.GetMountCount(row), 1) << row;
    CString shipped;
    g_language.GetMountPath(row, 0, shipped);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(ProgramFile(shipped).c_str()))
        << shipped;
    ::CreateDirectoryA(g_language.GetMountFolder(row, 0), nullptr);
  }
  ASSERT_NO_FATAL_FAILURE(OpenEditorWindow(900, 640));
  const std::string folder(g_language.GetMountFolder(latin, 0));
  const int face = g_winFontTable.FindEntry(latin, 0, "DejaVu Sans");
  ASSERT_GE(face, 0);

  std::string shownFolder;
  MessageBoxCapture boxes;
  {
    ModalDialogDriver dialogs;
    dialogs.Then([&](CDialog* dialog) {
      HWND window = dialog->m_hWnd;
      Choose(window, IDC_FONT_LIBRARY,
             CFontLibraryList::FindCode(::GetDlgItem(window, IDC_FONT_CODES),
                                        CLanguage::MakeKey(0, CLanguage::kWindowsFonts)),
             false);
      Choose(window, IDC_BUILD_FONTS, face, true);
      shownFolder = Text(::GetDlgItem(window, IDC_BUILD_PATH));
      ::SetDlgItemTextA(window, IDC_BUILD_FILE_NAME, "LATIN.CFT");
      ::SendMessageA(window, WM_COMMAND, IDOK, 0);
      dialog->PostMessage(WM_COMMAND, IDCANCEL);
    });
    Command(ID_FONT_BUILD_WIN);
    EXPECT_EQ(1, dialogs.Shown());
  }
  EXPECT_EQ(folder, shownFolder);
  ASSERT_EQ(1u, boxes.Count());
  EXPECT_NE(std::string::npos, boxes.Last().text.find(folder + "LATIN.CFT")) << boxes.Last().text;
  const WORD ownLatin = CLanguage::MakeKey(0, CLanguage::kFirstMount);
  const int own = g_language.FindFont(latin, CLanguage::kFirstMount, "DejaVu Sans");
  ASSERT_GE(own, 0) << "the new font is mounted";

  // Chosen on the property bar with nothing selected, it is the font of the text typed next.
  Command(ID_TOOL_TEXT);
  HWND page = ::GetParent(Descendant(m_main->GetPropertyBar().m_hWnd, IDC_FONT_LIBRARY));
  ASSERT_NE(nullptr, page);
  Choose(page, IDC_FONT_LIBRARY,
         CFontLibraryList::FindCode(::GetDlgItem(page, IDC_FONT_CODES), ownLatin), false);
  Choose(page, IDC_FONT_NAMES, own, false);
  POINT at = PixelOf(60, 60);
  m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
  m_view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  for (char c : {'S', 'i', 'g', 'n'}) m_view->SendMessage(WM_CHAR, static_cast<WPARAM>(c), 0);
  Command(ID_TOOL_SELECT);
  CTextDefaults::Global() = keptDefaults;

  const std::string path = m_folder.File("sign.T42");
  SaveThroughMenu(path);
  ModalDialogDriver dialogs;
  ASSERT_NO_FATAL_FAILURE(OpenThroughMenu(path));
  EXPECT_EQ(0, dialogs.Shown()) << "no font is missing";
  auto* text = dynamic_cast<CTextBlock*>(m_document->GetBlockAt(0));
  ASSERT_NE(nullptr, text);
  EXPECT_EQ((std::vector<WORD>{'S', 'i', 'g', 'n'}), Codes(text));
  EXPECT_EQ(std::vector<WORD>(4, ownLatin), FontKeys(text));
  EXPECT_EQ(std::vector<int>(4, own), FontNumbers(text));
  std::unique_ptr<CContour> glyph(g_language.GetGlyph(ownLatin, own, 'S'));
  EXPECT_TRUE(glyph) << "the character is drawn from the built font";
}

TEST_F(FontWindows, AnEditedFontPathIsStoredWithItsBackslashAndTheFontsAreMountedFromIt) {
  std::string other = m_folder.File("other");
  ::CreateDirectoryA(other.c_str(), nullptr);
  WriteOwnFont(other + "\\K.CFT", "Kai");
  EXPECT_EQ(0, g_cftFontTable.GetEntryCount(0, 0));
  std::vector<std::string> paths;
  ModalDialogDriver dialogs;
  dialogs.Then([&](CDialog* dialog) {
    HWND list = ::GetDlgItem(dialog->m_hWnd, IDC_FONT_PATH_LIST);
    int rows = static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < rows; ++i) {
      char text[MAX_PATH] = {};
      LVITEMA item = {};
      item.pszText = text;
      item.cchTextMax = sizeof text;
      ::SendMessageA(list, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
      paths.push_back(text);
    }
    // The mount's path, edited in place without its trailing backslash.
    ::SetFocus(list);
    HWND edit = reinterpret_cast<HWND>(::SendMessageA(list, LVM_EDITLABELA, 2, 0));
    ASSERT_NE(nullptr, edit);
    ::SetWindowTextA(edit, other.c_str());
    ::SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    Picture(dialog->m_hWnd, "font_paths.bmp");
    dialog->PostMessage(WM_COMMAND, IDOK);
  });
  m_view->SendMessage(WM_COMMAND, ID_FONT_PATHS);
  PumpMessages();
  EXPECT_EQ(1, dialogs.Shown());
  ASSERT_EQ(3u, paths.size());
  EXPECT_EQ(m_folder.File("mount"), paths[2]);
  char stored[MAX_PATH] = {};
  GetPrivateProfileStringA("Language0", "MountPath0", "", stored, sizeof stored, m_ini.c_str());
  EXPECT_EQ(other + "\\", stored);
  EXPECT_EQ(0, g_language.FindFont(0, 2, "Kai"));
}

TEST_F(FontWindows, FontsAreBuiltFromTheCurvesInTheCellsOfThePage) {
  auto addSquare = [&](float left, float top, float right, float bottom) {
    CCurveBlock* curve = new CCurveBlock;
    curve->AddRectangle(left, top, right, bottom);
    curve->EndCurve();
    m_document->AddBlock(curve);
  };
  addSquare(0.25f, -0.5f, 0.75f, 0.5f);  // '!' in the cell 0..1, and in the Chinese cell A1A1
  addSquare(80, 20, 100, 40);            // the Chinese cell A1A2 of side 60, from x 60
  std::string latin = m_folder.File("LATIN.CFT"), chinese = m_folder.File("NEW.CFT");
  auto run = [&](bool latinBuild, const std::string& path, const char* size, int glyphs) {
    ModalDialogDriver dialogs;
    MessageBoxCapture boxes;
    dialogs.Then([&](CDialog* dialog) {
      HWND window = dialog->m_hWnd;
      ::CheckRadioButton(window, IDC_SCREEN_CHINESE, IDC_SCREEN_LATIN,
                         latinBuild ? IDC_SCREEN_LATIN : IDC_SCREEN_CHINESE);
      ::SetDlgItemTextA(window, IDC_SCREEN_FILE_NAME, path.c_str());
      ::SetDlgItemTextA(window, IDC_SCREEN_SIZE, size);
      ::SetDlgItemInt(window, IDC_SCREEN_END_QH, 161, FALSE);
      Picture(window, "font_from_screen.bmp");
      dialog->PostMessage(WM_COMMAND, IDOK);
    });
    m_view->SendMessage(WM_COMMAND, ID_FONT_FROM_SCREEN);
    PumpMessages();
    EXPECT_EQ(1, dialogs.Shown());
    EXPECT_EQ(0, dialogs.Stuck()) << "a finished build closes the dialog";
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(Notice(IDS_FONT_FILE_BUILT, path, glyphs), boxes.Last().text);
  };
  run(true, latin, "1", 1);
  std::ifstream in(latin, std::ios::binary);
  std::vector<BYTE> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 188u);
  EXPECT_EQ(188, bytes[0] | bytes[1] << 8);  // '!' right after the table
  EXPECT_EQ(0, bytes[2] | bytes[3] << 8);    // '"' has none
  CGlyphCodec codec;
  std::unique_ptr<CContour> bang(
      codec.Decode(bytes.data() + 192, bytes.size() - 192, nullptr, 6.0f));
  ASSERT_TRUE(bang);
  CFRect box = bang->GetBox();
  box.Normalize();
  EXPECT_EQ(256, box.left);
  EXPECT_EQ(768, box.right);
  EXPECT_EQ(-512, box.top);
  EXPECT_EQ(512, box.bottom);

  run(false, chinese, "60", 2);
  CCftFile file;
  ASSERT_TRUE(file.Open(chinese.c_str()));
  std::unique_ptr<CContour> glyph(file.ReadGlyph(0xA1A2, nullptr));
  ASSERT_TRUE(glyph);
  box = glyph->GetBox();
  box.Normalize();
  const float scale = 1024.0f / 60;
  EXPECT_NEAR(20 * scale, box.left, 1);
  EXPECT_NEAR(40 * scale, box.right, 1);
  EXPECT_NEAR(20 * scale, box.top, 1);
  EXPECT_NE(0u, file.FindGlyphOffset(0xA1A1));
  EXPECT_EQ(0u, file.FindGlyphOffset(0xA1A3));
}

TEST_F(FontWindows, AFontFileIsBuiltFromAnInstalledTrueTypeFontGlyphByGlyph) {
  truetype::FontSpec spec;
  spec.forGdi = true;
  spec.family = "TalvexBuildTest";
  spec.codePages = 1u << 18;                                   // GB2312
  spec.segments = {{0x554A, 0x554A, 1}, {0x963F, 0x963F, 2}};  // 啊 B0A1, 阿 B0A2
  std::string fontPath = m_folder.File("build.ttf");
  truetype::Bytes font = truetype::BuildFont(spec);
  std::ofstream(fontPath, std::ios::binary)
      .write(reinterpret_cast<const char*>(font.data()), static_cast<std::streamsize>(font.size()));
  ASSERT_GT(::AddFontResourceExA(fontPath.c_str(), FR_PRIVATE, nullptr), 0);
  MountFonts();
  int face = g_winFontTable.FindEntry(0, 0, "TalvexBuildTest");
  ASSERT_GE(face, 0) << "the font is listed under GB2312";

  std::string output = m_folder.File("built\\TTF.CFT");
  ::CreateDirectoryA(m_folder.File("built").c_str(), nullptr);
  auto build = [&](int lastLead) {
    ModalDialogDriver dialogs;
    MessageBoxCapture boxes;
    dialogs.Then([&](CDialog* dialog) {
      HWND window = dialog->m_hWnd;
      int library = RowContaining(::GetDlgItem(window, IDC_FONT_LIBRARY), "Win", false);
      Choose(window, IDC_FONT_LIBRARY, library, false);
      EXPECT_EQ("176", Text(::GetDlgItem(window, IDC_BUILD_SQH)));  // the GB2312 range
      Choose(window, IDC_BUILD_FONTS, face, true);
      EXPECT_EQ("TalvexBuildTest", Text(::GetDlgItem(window, IDC_BUILD_CHINESE_NAME)));
      ::SetDlgItemTextA(window, IDC_BUILD_PATH, (" " + m_folder.File("built") + " ").c_str());
      ::SetDlgItemTextA(window, IDC_BUILD_FILE_NAME, "TTF.CFT");
      ::SetDlgItemInt(window, IDC_BUILD_EQH, lastLead, FALSE);
      ::SetDlgItemInt(window, IDC_BUILD_EWH, 0xA4, FALSE);
      ::SetDlgItemInt(window, IDC_BUILD_INC_X, 7, TRUE);
      ::SendMessageA(window, WM_COMMAND, IDOK, 0);
      EXPECT_EQ("Quit", Text(::GetDlgItem(window, IDCANCEL)));
      Picture(window, "font_create.bmp");
      dialog->PostMessage(WM_COMMAND, IDCANCEL);
    });
    Command(ID_FONT_BUILD_WIN);
    EXPECT_EQ(1, dialogs.Shown());
    return boxes.Boxes();
  };
  // The build says what it wrote.
  std::vector<CapturedMessageBox> told = build(0xB0);
  ASSERT_EQ(1u, told.size());
  EXPECT_EQ(Notice(IDS_FONT_FILE_BUILT, output, 2), told[0].text);
  // The reader keeps the file open: it goes before the file is deleted below.
  auto file = std::make_unique<CCftFile>();
  ASSERT_TRUE(file->Open(output.c_str()));
  EXPECT_STREQ("TalvexBuildTest", file->GetHeader().names[2]);
  EXPECT_EQ(0xB0, file->GetHeader().eqh);
  // Each stored glyph is the font's own, moved 7 units right; the codes it lacks have none.
  for (WORD code : {0xB0A1, 0xB0A2}) {
    std::unique_ptr<CContour> source(g_winFontTable.GetCharOutline(134, face, code, nullptr));
    std::unique_ptr<CContour> stored(file->ReadGlyph(code, nullptr));
    ASSERT_TRUE(source && stored) << std::hex << code;
    std::vector<POINTREC> expected = PointsOf(source.get()), read = PointsOf(stored.get());
    ASSERT_EQ(expected.size(), read.size()) << std::hex << code;
    for (size_t i = 0; i + 1 < expected.size(); ++i) {
      EXPECT_EQ(static_cast<int>(expected[i].x) + 7, read[i].x) << std::hex << code << " " << i;
      EXPECT_EQ(static_cast<int>(expected[i].y), read[i].y) << std::hex << code << " " << i;
    }
  }
  std::unique_ptr<CContour> first(file->ReadGlyph(0xB0A1, nullptr));
  EXPECT_NEAR(102 + 7, PointsOf(first.get())[0].x, 2);  // (100, 0) of 1000 units, 1024 per em
  EXPECT_NEAR(860, PointsOf(first.get())[0].y, 2);      // on the double-byte base line
  EXPECT_EQ(0u, file->FindGlyphOffset(0xB0A3));
  EXPECT_EQ(0u, file->FindGlyphOffset(0xB0A4));
  file.reset();

  // A build the dialog refuses with one message and no file: edit sets its fields.
  auto refused = [&](const std::function<void(HWND)>& edit) {
    ModalDialogDriver dialogs;
    MessageBoxCapture boxes;
    dialogs.Then([&](CDialog* dialog) {
      HWND window = dialog->m_hWnd;
      Choose(window, IDC_FONT_LIBRARY,
             RowContaining(::GetDlgItem(window, IDC_FONT_LIBRARY), "Win", false), false);
      Choose(window, IDC_BUILD_FONTS, face, true);
      ::SetDlgItemTextA(window, IDC_BUILD_PATH, m_folder.File("built").c_str());
      ::SetDlgItemTextA(window, IDC_BUILD_FILE_NAME, "TTF.CFT");
      edit(window);
      ::SendMessageA(window, WM_COMMAND, IDOK, 0);
      ::SetDlgItemTextA(window, IDC_BUILD_VERSION, "6.0");  // the setting "Quit" stores
      dialog->PostMessage(WM_COMMAND, IDCANCEL);
    });
    Command(ID_FONT_BUILD_WIN);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(output.c_str()));
    EXPECT_EQ(1u, boxes.Count());
    return boxes.Count() ? std::string(boxes.Last().text) : std::string();
  };
  // A range the font has no character of writes nothing and says so.
  ASSERT_TRUE(::DeleteFileA(output.c_str()));
  refused([](HWND window) {
    ::SetDlgItemInt(window, IDC_BUILD_SQH, 0xB1, FALSE);
    ::SetDlgItemInt(window, IDC_BUILD_EQH, 0xB1, FALSE);
  });
  // A version whose records no encoder writes is refused before anything is built.
  const std::string message = refused([](HWND window) {
    ::SetDlgItemInt(window, IDC_BUILD_EQH, 0xB0, FALSE);
    ::SetDlgItemTextA(window, IDC_BUILD_VERSION, "6.11");
  });
  CString format, expected;
  format.LoadString(IDS_FONT_VERSION_UNWRITABLE);
  expected.Format(format, "6.11");
  EXPECT_NE(std::string::npos, message.find(std::string(expected)));
  ::RemoveFontResourceExA(fontPath.c_str(), FR_PRIVATE, nullptr);
}

std::vector<char> FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The stored index entries of a file of one lead byte, from offset 144.
std::vector<DWORD> IndexEntries(const std::string& path, int count) {
  std::vector<char> bytes = FileBytes(path);
  std::vector<DWORD> entries;
  for (int e = 0; e < count && 144u + 4u * (e + 1) <= bytes.size(); ++e) {
    DWORD entry = 0;
    std::memcpy(&entry, bytes.data() + 144 + 4 * e, 4);
    entries.push_back(entry);
  }
  return entries;
}

CFRect BoxOf(const CContour* glyph) {
  CFRect box(1e9f, 1e9f, -1e9f, -1e9f);
  for (const POINTREC& point : PointsOf(glyph)) {
    if (!IsOnCurvePoint(point.flags)) continue;
    box.left = std::min(box.left, static_cast<float>(point.x));
    box.right = std::max(box.right, static_cast<float>(point.x));
    box.top = std::min(box.top, static_cast<float>(point.y));
    box.bottom = std::max(box.bottom, static_cast<float>(point.y));
  }
  return box;
}

TEST_F(FontWindows, ReSampleTracesTheFontsGlyphsIntoTheFileFromItsFirstEmptyEntryOn) {
  char program[MAX_PATH];
  ASSERT_EQ(1, GetProgramDir(program, sizeof program));
  // The tracing libraries beside the program, where the dialog loads them from.
  for (const char* name : {"TalvexTrace.dll", "TalvexVector.dll"})
    ASSERT_TRUE(::CopyFileA((std::string(program) + "program\\" + name).c_str(),
                            (std::string(program) + name).c_str(), FALSE));
  truetype::FontSpec spec;
  spec.forGdi = true;
  spec.family = "TalvexResampleTest";
  spec.codePages = 1u << 18;                                   // GB2312
  spec.segments = {{0x554A, 0x554A, 1}, {0x963F, 0x963F, 2}};  // B0A1, B0A2
  std::string fontPath = m_folder.File("resample.ttf");
  truetype::Bytes font = truetype::BuildFont(spec);
  std::ofstream(fontPath, std::ios::binary)
      .write(reinterpret_cast<const char*>(font.data()), static_cast<std::streamsize>(font.size()));
  ASSERT_GT(::AddFontResourceExA(fontPath.c_str(), FR_PRIVATE, nullptr), 0);
  MountFonts();
  int face = g_winFontTable.FindEntry(0, 0, "TalvexResampleTest");
  ASSERT_GE(face, 0);

  ::CreateDirectoryA(m_folder.File("resample").c_str(), nullptr);
  std::string output = m_folder.File("resample\\RS.CFT");
  // Resamples B0A1-B0A4 moved 150 units left (out of the bitmap: it is moved in and back) after
  // edit changed the fields; the message boxes shown.
  auto resample = [&](int answer, const std::function<void(HWND)>& edit) {
    ModalDialogDriver dialogs;
    MessageBoxCapture boxes(answer);
    dialogs.Then([&](CDialog* dialog) {
      HWND window = dialog->m_hWnd;
      Choose(window, IDC_FONT_LIBRARY,
             RowContaining(::GetDlgItem(window, IDC_FONT_LIBRARY), "Win", false), false);
      Choose(window, IDC_BUILD_FONTS, face, true);
      ::SetDlgItemTextA(window, IDC_BUILD_PATH, m_folder.File("resample").c_str());
      ::SetDlgItemTextA(window, IDC_BUILD_FILE_NAME, "RS.CFT");
      ::SetDlgItemTextA(window, IDC_BUILD_MARK, "TCFT");
      ::SetDlgItemTextA(window, IDC_BUILD_VERSION, "6.0");
      ::SetDlgItemInt(window, IDC_BUILD_EQH, 0xB0, FALSE);
      ::SetDlgItemInt(window, IDC_BUILD_EWH, 0xA4, FALSE);
      ::SetDlgItemInt(window, IDC_BUILD_INC_X, static_cast<UINT>(-150), TRUE);
      if (edit) edit(window);
      HWND button = ::GetDlgItem(window, IDC_BUILD_RESAMPLE);
      EXPECT_TRUE(::IsWindowEnabled(button));
      ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_BUILD_RESAMPLE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
      EXPECT_EQ("Quit", Text(::GetDlgItem(window, IDCANCEL)));
      Picture(window, "font_resample.bmp");
      dialog->PostMessage(WM_COMMAND, IDCANCEL);
    });
    Command(ID_FONT_BUILD_WIN);
    EXPECT_EQ(1, dialogs.Shown());
    return boxes.Boxes();
  };
  const DWORD kNone = 0xFFFFFFFF;

  // "No" leaves everything as it was.
  std::vector<CapturedMessageBox> boxes = resample(IDNO, nullptr);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("Are You Sure Resample?", boxes[0].text);
  EXPECT_EQ("Resample", boxes[0].caption);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(output.c_str()));

  // A missing file is made; the codes the font lacks are marked empty. A finished run says how
  // many characters it wrote.
  boxes = resample(IDYES, nullptr);
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ(Notice(IDS_FONT_RESAMPLED, output, 2), boxes[1].text);
  std::vector<DWORD> entries = IndexEntries(output, 4);
  ASSERT_EQ(4u, entries.size());
  EXPECT_NE(0u, entries[0]);
  EXPECT_NE(kNone, entries[0]);
  EXPECT_NE(0u, entries[1]);
  EXPECT_NE(kNone, entries[1]);
  EXPECT_EQ(kNone, entries[2]);
  EXPECT_EQ(kNone, entries[3]);
  {
    CCftFile file;
    ASSERT_TRUE(file.Open(output.c_str()));
    EXPECT_EQ("TCFT", std::string(file.GetHeader().magic));
    EXPECT_STREQ("TalvexResampleTest", file.GetHeader().names[2]);
    // The traced glyph covers the source's, moved left; the x and y extents differ.
    for (WORD code : {0xB0A1, 0xB0A2}) {
      std::unique_ptr<CContour> source(g_winFontTable.GetCharOutline(134, face, code, nullptr));
      std::unique_ptr<CContour> traced(file.ReadGlyph(code, nullptr));
      ASSERT_TRUE(source && traced) << std::hex << code;
      CFRect want = BoxOf(source.get()), got = BoxOf(traced.get());
      ASSERT_LT(want.left - 150, 0) << "the glyph passes the bitmap's left edge";
      EXPECT_NEAR(want.left - 150, got.left, 4) << std::hex << code;
      EXPECT_NEAR(want.right - 150, got.right, 4) << std::hex << code;
      EXPECT_NEAR(want.top, got.top, 4) << std::hex << code;
      EXPECT_NEAR(want.bottom, got.bottom, 4) << std::hex << code;
    }
  }

  // A new file of version 6.1 gets records of its own version, which read back as traced; a
  // version no encoder writes is refused before any file is made.
  auto named = [](const char* file, const char* version) {
    return [file, version](HWND window) {
      ::SetDlgItemTextA(window, IDC_BUILD_FILE_NAME, file);
      ::SetDlgItemTextA(window, IDC_BUILD_VERSION, version);
    };
  };
  EXPECT_EQ(2u, resample(IDYES, named("RS61.CFT", "6.1")).size());
  {
    CCftFile file;
    ASSERT_TRUE(file.Open(m_folder.File("resample\\RS61.CFT").c_str()));
    EXPECT_FLOAT_EQ(6.1f, file.GetHeader().version);
    std::unique_ptr<CContour> source(g_winFontTable.GetCharOutline(134, face, 0xB0A1, nullptr));
    std::unique_ptr<CContour> traced(file.ReadGlyph(0xB0A1, nullptr));
    ASSERT_TRUE(source && traced);
    CFRect want = BoxOf(source.get()), got = BoxOf(traced.get());
    EXPECT_NEAR(want.left - 150, got.left, 4);
    EXPECT_NEAR(want.bottom, got.bottom, 4);
  }
  boxes = resample(IDYES, named("RS62.CFT", "6.2"));
  ASSERT_EQ(2u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[1].text.find("6.2"));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
            ::GetFileAttributesA(m_folder.File("resample\\RS62.CFT").c_str()));

  // A file emptied from B0A2 on goes on from there: B0A1 keeps its record, B0A2 gets a new one
  // at the end.
  std::vector<char> before = FileBytes(output);
  {
    std::vector<char> partial = before;
    std::memset(partial.data() + 144 + 4, 0, 12);
    std::ofstream(output, std::ios::binary).write(partial.data(), partial.size());
  }
  boxes = resample(IDYES, nullptr);
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ(Notice(IDS_FONT_RESAMPLED, output, 1), boxes[1].text);
  std::vector<DWORD> resumed = IndexEntries(output, 4);
  ASSERT_EQ(4u, resumed.size());
  EXPECT_EQ(entries[0], resumed[0]);
  EXPECT_GE(resumed[1] ^ (CftHeader::kIndexKey / 4), before.size());
  EXPECT_EQ(kNone, resumed[2]);
  EXPECT_EQ(kNone, resumed[3]);
  // A complete file is left alone.
  before = FileBytes(output);
  boxes = resample(IDYES, nullptr);
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ(Notice(IDS_FONT_RESAMPLED, output, 0), boxes[1].text);
  EXPECT_EQ(before, FileBytes(output));

  // Another header: every difference in one box, the file unchanged.
  boxes = resample(IDYES, [](HWND window) {
    ::SetDlgItemTextA(window, IDC_BUILD_MARK, "XCFT");
    ::SetDlgItemInt(window, IDC_BUILD_EWH, 0xA5, FALSE);
  });
  ASSERT_EQ(2u, boxes.size());
  EXPECT_EQ(output +
                "\r\n\r\nErr Magic TCFT \r\nErr in SQH=[176],EQH=[176],SWH=[161],EWH=[164] \r\n",
            boxes[1].text);
  EXPECT_EQ(before, FileBytes(output));

  // A file cut inside its index table is refused and kept.
  std::vector<char> cut(before.begin(), before.begin() + 144 + 6);
  std::ofstream(output, std::ios::binary).write(cut.data(), cut.size());
  boxes = resample(IDYES, nullptr);
  ASSERT_EQ(2u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[1].text.find(output));
  EXPECT_EQ(cut, FileBytes(output));
  ::RemoveFontResourceExA(fontPath.c_str(), FR_PRIVATE, nullptr);
}

TEST(FontCreateDlg, EachHeaderFieldThatDiffersGivesItsLineWithTheFilesValue) {
  CftHeader wanted;
  lstrcpynA(wanted.magic, "TCFT", sizeof wanted.magic);
  wanted.languageId = 0x804;
  wanted.version = 6.0f;
  wanted.sqh = wanted.eqh = 0xB0;
  wanted.swh = 0xA1;
  wanted.ewh = 0xFE;
  struct Case {
    std::function<void(CftHeader&)> change;
    const char* lines;
  };
  const Case cases[] = {
      {[](CftHeader& h) { h.names[0] = "other"; }, ""},  // names are not compared
      {[](CftHeader& h) { lstrcpynA(h.magic, "VLIB", sizeof h.magic); }, "Err Magic VLIB \r\n"},
      {[](CftHeader& h) { h.version = 5.5f; }, "Err FontVersion [5.50]\r\n"},
      {[](CftHeader& h) { h.ewh = 0xFF; }, "Err in SQH=[176],EQH=[176],SWH=[161],EWH=[255] \r\n"},
      {[](CftHeader& h) { h.resolution = 512; }, "Err in Reslution [512]\r\n"},
      {[](CftHeader& h) { h.languageId = 0x409; }, "Err in Language ID [409]\r\n"},
      {[](CftHeader& h) { h.headerSize = 58; }, "Err in HeadSize [3a]\r\n"},
      {[](CftHeader& h) { h.indexOffset = 80; }, "Err in IndexOffset [50]\r\n"},
      {[](CftHeader& h) {
         h.version = 6.5f;
         h.sqh = 0xA1;
         h.indexOffset = 0x100;
       },
       "Err FontVersion [6.50]\r\nErr in SQH=[161],EQH=[176],SWH=[161],EWH=[254] \r\n"
       "Err in IndexOffset [100]\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(&c - cases);
    CftHeader file = wanted;
    c.change(file);
    EXPECT_EQ(std::string(c.lines), std::string(CFontCreateDlg::HeaderDifferences(file, wanted)));
  }
}

TEST(GlyphRetracer, AGlyphPastAnEdgeIsMovedInToTwoUnitsFromIt) {
  EXPECT_EQ(0.0f, CGlyphRetracer::FitShift(0, 1024));
  EXPECT_EQ(52.0f, CGlyphRetracer::FitShift(-50, 700));
  EXPECT_EQ(-8.0f, CGlyphRetracer::FitShift(300, 1030));
  EXPECT_EQ(3.0f, CGlyphRetracer::FitShift(-1, 1100));  // the low edge wins
}

}  // namespace
