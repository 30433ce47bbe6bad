// The graphics libraries in the editor's main frame under Xvfb, with the program's objects and
// resources and a library folder of the test's own holding the shipped library (SYMBOLS.LIB) and
// a version 6.0 library: a symbol picked on the property bar's library page lands on the page,
// is undone, saves, opens again and reaches the cutter; the library tool's browser places a
// graphic into the dragged rectangle or at its stored size; the drawing is added to a library
// kind; the conversion dialog copies a library, tells of new numbers and writes no file it
// cannot open; the manager, the building tools, the catalogue page and the library print
// dialog, each reached through its menu command. Message boxes are captured. With the private print
// queue (program_print, TALVEX_PRINT_QUEUE) the print dialog prints a kind; printed_pages.sh draws
// the sheets and PrintedLibraryPage measures them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "EditorWindowTest.h"
#include "TestLibraryFolder.h"
#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/cut/CUTView.h"
#include "editor/cut/CutFrame.h"
#include "editor/dialogs/LibBookDlg.h"
#include "editor/dialogs/LibBuildDlg.h"
#include "editor/dialogs/LibConvertDlg.h"
#include "editor/dialogs/LibCreaterDlg.h"
#include "editor/dialogs/LibInfoDlg.h"
#include "editor/dialogs/LibManageDlg.h"
#include "editor/dialogs/LibSelectDlg.h"
#include "editor/dialogs/MergeFilePrompt.h"
#include "framework/GbkText.h"
#include "media/library/LibraryBytes.h"
#include "media/library/LibraryFile.h"
#include "media/library/PicLibrary.h"
#include "model/blocks/LibBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/Contour.h"
#include "model/settings/ProgramPaths.h"
#include "output/PrinterChoice.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/FileDialogAnswer.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"
#include "support/PgmPicture.h"
#include "support/TempFolder.h"
#include "text/TextBlock.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"

namespace {

const UINT kUndoCommand = 57643;
const int kSignsKind = 2;

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// Chooses an entry of a combo box as a user would, with the notification the dialog listens to.
void Choose(HWND dialog, int id, int entry, WORD notification = CBN_SELCHANGE) {
  HWND combo = GetDlgItem(dialog, id);
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, notification), reinterpret_cast<LPARAM>(combo));
}

// Clicks a dialog's button as the user would.
void Click(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Clicks a cell of the library browser with the mouse, as the user chooses a graphic.
void ClickCell(CDialog* browser, int cell) {
  RECT r;
  GetWindowRect(GetDlgItem(browser->m_hWnd, IDC_LIB_CELL_FIRST + cell), &r);
  MapWindowPoints(nullptr, browser->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  browser->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
  browser->SendMessage(WM_LBUTTONUP, 0, at);
}

// The number of the mounted library in the folder's order; -1 when it is not mounted.
int MountedNumber(const char* fileName) {
  CString name;
  for (int n = 0; n < g_mountLibList.GetCount(); ++n)
    if (g_mountLibList.GetFileName(n, name) && name == CString(fileName)) return n;
  return -1;
}

// The bytes of SPARSE5.LIB, a version 5 library of kinds "Sparse" (defined below, with the
// conversion tests).
std::vector<BYTE> SparseLibraryV5(int kinds = 1);

// A message of the string resources as the program shows it, its %s filled with the argument.
std::string Message(UINT id, const char* argument = nullptr) {
  CString format, text;
  format.LoadString(id);
  if (argument)
    text.Format(format, argument);
  else
    text = format;
  return std::string(text);
}

// The message that ends a conversion: what it wrote, then (when there are any) how many graphics
// it could not store and which took new numbers.
std::string ConversionMessage(const std::string& path, int kinds, int graphics,
                              const char* lost = nullptr, const char* renumbered = nullptr) {
  CString format, text;
  format.LoadString(IDS_LIBRARY_CONVERT_DONE);
  text.Format(format, path.c_str(), kinds, graphics);
  std::string message(text);
  if (lost) message += "\r\n\r\n" + Message(IDS_LIBRARY_CONVERT_LOST, lost);
  if (renumbered) message += "\r\n\r\n" + Message(IDS_LIBRARY_CONVERT_RENUMBERED, renumbered);
  return message;
}

// Double-clicks an entry of the manager's graphics list, as the user copies a graphic.
void DoubleClickGraphic(HWND manager, int entry) {
  SendDlgItemMessageA(manager, IDC_MANAGE_GRAPHICS, LB_SETCURSEL, entry, 0);
  SendMessageA(manager, WM_COMMAND, MAKEWPARAM(IDC_MANAGE_GRAPHICS, LBN_DBLCLK),
               reinterpret_cast<LPARAM>(GetDlgItem(manager, IDC_MANAGE_GRAPHICS)));
}

class LibraryWindowTest : public EditorWindowTest {
protected:
  void SetUp() override {
    char folder[MAX_PATH];
    ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
    m_program = std::string(folder) + "program\\";
    ASSERT_NO_FATAL_FAILURE(m_libraries.Mount("OLD60.LIB"));
    m_symbolsType = m_libraries.SymbolsType();
    m_oldType = m_libraries.BoxesType();
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow(1000, 700));
  }
  void TearDown() override { CloseEditorWindow(); }
  // The library tool from the tool box, which brings up the property bar's library page.
  CLibSelectDlg* OpenLibraryPage() {
    m_main->SendMessage(WM_COMMAND, ID_TOOL_LIBRARY);
    PumpMessages();
    EXPECT_EQ(ID_TOOL_LIBRARY, m_view->GetCurrentTool());
    EXPECT_EQ(CPropertyBar::kLibraryPage, m_main->GetPropertyBar().GetCurrentPage());
    return m_main->GetPropertyBar().GetLibraryPage();
  }
  LPARAM PixelOf(float x, float y) {
    FPOINT page = {x, y};
    POINT pixel;
    m_view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
    return MAKELPARAM(static_cast<short>(pixel.x), static_cast<short>(pixel.y));
  }
  void Drag(float x0, float y0, float x1, float y1) {
    m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PixelOf(x0, y0));
    m_view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, PixelOf(x1, y1));
    m_view->SendMessage(WM_LBUTTONUP, 0, PixelOf(x1, y1));
  }
  // The helpers with fatal assertions of their own are called through ASSERT_NO_FATAL_FAILURE.
  // A new version 6.1 library in the library folder with one empty kind, mounted with the others.
  void MountNewLibrary(const char* file, const char* kindName) {
    ASSERT_NO_FATAL_FAILURE(
        TestLibraryFolder::WriteLibrary(m_libraries.File(file), 6.1f, "New", kindName));
    ASSERT_EQ(3, g_mountLibList.Scan());
  }
  // SparseLibraryV5 as SPARSE5.LIB, mounted with the others.
  void MountSparseLibrary(int kinds = 1) {
    library_test::WriteFileBytes(m_libraries.File("SPARSE5.LIB"), SparseLibraryV5(kinds));
    ASSERT_EQ(3, g_mountLibList.Scan());
    ASSERT_LE(0, MountedNumber("SPARSE5.LIB"));
  }
  // The old library opened and its kind filled to 255 graphics with copies of its second box.
  void FillOldKind(CPicLibrary& old) {
    ASSERT_TRUE(old.OpenFile(m_libraries.File("OLD60.LIB").c_str()));
    while (old.GetGraphicCount(0) < 255) {
      std::unique_ptr<CContour> box(old.ReadGraphic(0, 1, nullptr));
      ASSERT_TRUE(old.PutGraphic(0, box.get(), nullptr));
    }
  }
  // The dialog of the menu command, driven by the action: shown once, and ended by it.
  void RunDialog(UINT command, ModalDialogDriver::Action action) {
    ModalDialogDriver driver;
    driver.Then(std::move(action));
    Menu(command);
    EXPECT_EQ(1, driver.Shown());
    EXPECT_EQ(0, driver.Stuck());
  }
  // The library tool's browser over the drag from (x0, y0) to (x1, y1), a click where they are one
  // point: the type's graphic chosen by a click in its cell, "keep proportions" clicked when
  // asked, and placed by OK.
  void PlaceFromBrowser(int type, int number, float x0, float y0, float x1, float y1,
                        bool keepProportions = false) {
    ModalDialogDriver driver;
    driver.Then([&](CDialog* dialog) {
      Choose(dialog->m_hWnd, IDC_LIB_TYPE, type);
      auto* browser = dynamic_cast<CLibInfoDlg*>(dialog);
      ASSERT_NE(nullptr, browser);
      EXPECT_EQ(0, browser->GetFirstNumber());
      ClickCell(dialog, number);
      EXPECT_EQ(number, browser->GetChosenNumber());
      // A click leaves no rectangle to fill: the proportions are kept.
      EXPECT_EQ(x0 == x1, IsDlgButtonChecked(dialog->m_hWnd, IDC_LIB_KEEP_RATIO) == BST_CHECKED);
      if (keepProportions) SendDlgItemMessageA(dialog->m_hWnd, IDC_LIB_KEEP_RATIO, BM_CLICK, 0, 0);
      dialog->PostMessage(WM_COMMAND, IDOK);
    });
    Drag(x0, y0, x1, y1);
    PumpMessages();
    EXPECT_EQ(1, driver.Shown());
    EXPECT_EQ(0, driver.Stuck());
  }
  // One run of the conversion dialog through its command: the library chosen, the fields typed
  // (the Chinese title "新"), OK, then Cancel.
  void Convert(int library, const std::string& folder, const char* mark, const char* version,
               const char* ratio) {
    RunDialog(ID_LIBRARY_CONVERT, [&](CDialog* dialog) {
      HWND h = dialog->m_hWnd;
      Choose(h, IDC_CONVERT_LIBRARY, library);
      SetDlgItemTextA(h, IDC_CONVERT_PATH, folder.c_str());
      SetDlgItemTextA(h, IDC_CONVERT_MARK, mark);
      SetDlgItemTextA(h, IDC_CONVERT_VERSION, version);
      SetDlgItemTextA(h, IDC_CONVERT_RATIO, ratio);
      SetDlgItemTextA(h, IDC_CONVERT_CHINESE_NAME, "新");
      dialog->SendMessage(WM_COMMAND, IDOK);
      dialog->PostMessage(WM_COMMAND, IDCANCEL);
    });
  }
  // The catalogue page of the library's kind from number 0, laid out through its menu command.
  void LayOutCatalogue(int library, int kind) {
    g_settings.WriteString(CLibBookDlg::kSection, nullptr, nullptr);
    g_settings.WriteInt(CLibBookDlg::kSection, "StartNo", 0);
    RunDialog(ID_LIBRARY_BOOK, [&](CDialog* dialog) {
      HWND h = dialog->m_hWnd;
      // The page limits start from the page.
      EXPECT_NE(0, GetDlgItemInt(h, IDC_BOOK_END_X, nullptr, FALSE));
      Choose(h, IDC_BOOK_LIBRARY, library);
      Choose(h, IDC_BOOK_KIND, kind);
      dialog->PostMessage(WM_COMMAND, IDOK);
    });
  }
  CLibBlock* OnlyLibBlock(CTALVEX42Doc* document) {
    if (document->GetBlockList().GetSize() != 1) return nullptr;
    return dynamic_cast<CLibBlock*>(document->GetBlockList().GetBlock(0));
  }

  TestLibraryFolder m_libraries;
  TempFolder m_files;
  std::string m_program;
  int m_symbolsType = 0, m_oldType = 0;
  MessageBoxCapture m_boxes;
};

TEST_F(LibraryWindowTest, APickedSymbolLandsSavesOpensAgainAndReachesTheCutter) {
  CLibSelectDlg* page = OpenLibraryPage();
  ASSERT_NE(nullptr, page);
  EXPECT_TRUE(page->IsWindowVisible());
  HWND types = GetDlgItem(page->m_hWnd, IDC_LIB_TYPE);
  // The two font types, then the mounted libraries.
  EXPECT_EQ(4, SendMessageA(types, CB_GETCOUNT, 0, 0));
  Choose(page->m_hWnd, IDC_LIB_TYPE, m_symbolsType);
  EXPECT_EQ(4, SendDlgItemMessageA(page->m_hWnd, IDC_LIB_KIND, CB_GETCOUNT, 0, 0));
  Choose(page->m_hWnd, IDC_LIB_KIND, kSignsKind);
  EXPECT_EQ(6, SendDlgItemMessageA(page->m_hWnd, IDC_LIB_GRAPHIC, CB_GETCOUNT, 0, 0));
  m_main->UpdateWindow();
  CreateDirectoryA("screenshots", nullptr);
  SaveClientPicture(m_main->m_hWnd, "screenshots\\library_page.bmp");
  // The dropped list draws each graphic with its name.
  HWND graphics = GetDlgItem(page->m_hWnd, IDC_LIB_GRAPHIC);
  SendMessageA(graphics, CB_SHOWDROPDOWN, TRUE, 0);
  PumpMessages();
  COMBOBOXINFO combo = {};
  combo.cbSize = sizeof combo;
  ASSERT_TRUE(GetComboBoxInfo(graphics, &combo));
  UpdateWindow(combo.hwndList);
  SaveClientPicture(combo.hwndList, "screenshots\\library_list.bmp");
  SendMessageA(graphics, CB_SHOWDROPDOWN, FALSE, 0);
  PumpMessages();

  // The star, chosen from the drop-down list.
  Choose(page->m_hWnd, IDC_LIB_GRAPHIC, 0, CBN_SELENDOK);
  CLibBlock* star = OnlyLibBlock(m_document);
  ASSERT_NE(nullptr, star);
  EXPECT_EQ(1, star->m_selected);
  EXPECT_EQ(m_symbolsType, star->m_source);
  EXPECT_EQ(kSignsKind, star->m_group);
  EXPECT_EQ(0, star->m_item);
  // The shipped symbols keep their own size and place: a star of radius 30 mm with its top point
  // at (50, 20), stretched to whole millimetres.
  EXPECT_NEAR(20.0f, star->m_box.top, 0.05f);
  EXPECT_NEAR(57.0f, star->m_box.Width(), 0.05f);
  EXPECT_NEAR(54.0f, star->m_box.Height(), 0.05f);
  EXPECT_TRUE(m_document->IsModified());
  // One undo step takes it away again.
  m_view->SendMessage(WM_COMMAND, kUndoCommand);
  EXPECT_EQ(0, m_document->GetBlockList().GetSize());
  Choose(page->m_hWnd, IDC_LIB_GRAPHIC, 0, CBN_SELENDOK);
  star = OnlyLibBlock(m_document);
  ASSERT_NE(nullptr, star);
  std::unique_ptr<CContour> drawn(star->GetContour(nullptr, 0));
  ASSERT_NE(nullptr, drawn);

  std::string saved = m_files.File("star.t42");
  ASSERT_TRUE(m_document->OnSaveDocument(saved.c_str()));
  theApp.CloseAllDocuments(FALSE);
  PumpMessages();
  ASSERT_NO_FATAL_FAILURE(OpenView(theApp.OpenDocumentFile(saved.c_str())));
  CLibBlock* reopened = OnlyLibBlock(m_document);
  ASSERT_NE(nullptr, reopened);
  EXPECT_EQ(kSignsKind, reopened->m_group);
  std::unique_ptr<CContour> again(reopened->GetContour(nullptr, 0));
  ASSERT_NE(nullptr, again);
  EXPECT_EQ(drawn->GetPoints().size(), again->GetPoints().size());
  // Selecting it brings the page to its graphic.
  m_view->GetSelectTracker().AddToSelection(reopened);
  m_main->GetPropertyBar().ShowPageForBlockType(kLibBlock);
  EXPECT_EQ(m_symbolsType, SendMessageA(types, CB_GETCURSEL, 0, 0));
  EXPECT_EQ(kSignsKind, SendDlgItemMessageA(page->m_hWnd, IDC_LIB_KIND, CB_GETCURSEL, 0, 0));

  // Cut to a plot file through the cut-output window: the star's ten edges are cut. The window
  // binds the transform library beside the program, as the editor does.
  std::string cutters = m_files.File("Cutters.INI");
  ASSERT_TRUE(CopyFileA((m_program + "Cutters.INI").c_str(), cutters.c_str(), FALSE));
  std::string transform = m_program.substr(0, m_program.size() - 8) + "TalvexTransform.dll";
  ASSERT_TRUE(CopyFileA((m_program + "TalvexTransform.dll").c_str(), transform.c_str(), FALSE));
  CString keptProfile = g_cutterDevice.ProfileFile().GetPath();
  CString keptPorts = g_cutterDevice.m_port.GetSettingsFile().GetPath();
  g_cutterDevice.ProfileFile().SetPath(cutters.c_str());
  g_cutterDevice.m_port.GetSettingsFile().SetPath(m_files.File("UPort.Ini").c_str());
  WritePrivateProfileStringA("CutInfo", "Device", "hp-gl cutter, blade offset by", cutters.c_str());
  WritePrivateProfileStringA("CutInfo", "PortName", "FILE:", cutters.c_str());
  WritePrivateProfileStringA("CutInfo", "SavePaper", "0", cutters.c_str());
  m_view->SendMessage(WM_COMMAND, ID_FILE_CUT_OUTPUT, 0);
  PumpMessages();
  HWND window = FindWindowA(nullptr, "刻绘输出");
  auto* cut = dynamic_cast<CCutFrame*>(CWnd::FromHandle(window));
  ASSERT_NE(nullptr, cut);
  EXPECT_EQ(1, cut->GetCutView()->GetPreview()->GetBlocks().GetSize());
  std::string plot = m_files.File("star.plt");
  SetDlgItemTextA(cut->GetDeviceBar().m_hWnd, IDC_CUT_PORT, plot.c_str());
  EXPECT_TRUE(cut->GetDeviceBar().Output());
  cut->DestroyWindow();
  PumpMessages();
  g_cutterDevice.ProfileFile().SetPath(keptProfile);
  g_cutterDevice.m_port.GetSettingsFile().SetPath(keptPorts);
  DeleteFileA(transform.c_str());
  std::string commands = FileText(plot);
  EXPECT_GE(Count(commands, "PD"), 1u);
  EXPECT_GE(Count(commands, ","), 20u);
  // The only box is the one saying where the cut went.
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("star.plt"));
}

// A document names a library by its number in the mounted list. A library the manager adds whose
// name sorts before the others (the folder search returns it first) takes the next number, and
// one taken away leaves its number unused: the saved star opens again as the same star, after
// the next start's scan too, and the library page still names the star's library by its number.
TEST_F(LibraryWindowTest, ASymbolStaysTheSameWhenLibrariesAreAddedOrTakenAway) {
  CLibSelectDlg* page = OpenLibraryPage();
  ASSERT_NE(nullptr, page);
  Choose(page->m_hWnd, IDC_LIB_TYPE, m_symbolsType);
  Choose(page->m_hWnd, IDC_LIB_KIND, kSignsKind);
  Choose(page->m_hWnd, IDC_LIB_GRAPHIC, 0, CBN_SELENDOK);
  CLibBlock* star = OnlyLibBlock(m_document);
  ASSERT_NE(nullptr, star);
  std::unique_ptr<CContour> placed(star->GetContour(nullptr, 0));
  ASSERT_NE(nullptr, placed);
  const std::string saved = m_files.File("star.t42");
  {
    FileDialogAnswer answer(saved);
    Menu(ID_FILE_SAVE_AS);
  }
  const std::function<void()> changes[] = {
      [&] {
        RunDialog(ID_LIBRARY_MANAGE, [&](CDialog* dialog) {
          SetDlgItemTextA(dialog->m_hWnd, IDC_MANAGE_FILE, "AAA");
          Click(dialog->m_hWnd, IDC_MANAGE_NEW);
          dialog->PostMessage(WM_COMMAND, IDCANCEL);
        });
        EXPECT_LT(m_symbolsType - 2, MountedNumber("AAA.LIB"));
      },
      [&] { ASSERT_TRUE(DeleteFileA(m_libraries.File("OLD60.LIB").c_str())); },
  };
  for (const auto& change : changes) {
    ASSERT_NO_FATAL_FAILURE(change());
    theApp.CloseAllDocuments(FALSE);
    PumpMessages();
    g_mountLibList.Scan();
    {
      FileDialogAnswer answer(saved);
      Menu(ID_FILE_OPEN);
    }
    ASSERT_NO_FATAL_FAILURE(OpenView(m_main->GetActiveFrame()->GetActiveDocument()));
    CLibBlock* reopened = OnlyLibBlock(m_document);
    ASSERT_NE(nullptr, reopened);
    std::unique_ptr<CContour> again(reopened->GetContour(nullptr, 0));
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(placed->GetPoints().size(), again->GetPoints().size());
    EXPECT_FLOAT_EQ(placed->GetBox().left, again->GetBox().left);
    EXPECT_FLOAT_EQ(placed->GetBox().bottom, again->GetBox().bottom);
  }
  // The page, filled as the next start fills it, lists the libraries there are; the shipped one's
  // entry is still its number.
  page = OpenLibraryPage();
  ASSERT_NE(nullptr, page);
  page->RefreshLibraries();
  CString title;
  ASSERT_TRUE(g_mountLibList.GetTitle(m_symbolsType - 2, title));
  const std::vector<std::string> types = GbkItems(GetDlgItem(page->m_hWnd, IDC_LIB_TYPE));
  ASSERT_EQ(4u, types.size());
  const auto entry = std::find(types.begin(), types.end(), std::string(title));
  ASSERT_NE(types.end(), entry);
  theApp.CloseAllDocuments(FALSE);
  ASSERT_NO_FATAL_FAILURE(OpenView(m_template->OpenDocumentFile(nullptr)));
  page = OpenLibraryPage();
  Choose(page->m_hWnd, IDC_LIB_TYPE, static_cast<int>(entry - types.begin()));
  Choose(page->m_hWnd, IDC_LIB_KIND, kSignsKind);
  Choose(page->m_hWnd, IDC_LIB_GRAPHIC, 0, CBN_SELENDOK);
  CLibBlock* placedAgain = OnlyLibBlock(m_document);
  ASSERT_NE(nullptr, placedAgain);
  EXPECT_EQ(m_symbolsType, placedAgain->m_source);
  EXPECT_EQ(0u, m_boxes.Count());
}

// The shipped symbols carry their names in both languages: the English interface shows the
// English words, the Chinese one the name as stored.
TEST_F(LibraryWindowTest, TheLibraryPageNamesAGraphicInTheInterfacesLanguage) {
  CLibrarySource source;
  ASSERT_TRUE(source.SetType(m_symbolsType, nullptr));
  EXPECT_EQ(CString("五角星 Star"), source.LabelOf(kSignsKind, 0, 2052));
  EXPECT_EQ(CString("Star"), source.LabelOf(kSignsKind, 0, 1033));
  ASSERT_TRUE(source.SetType(m_oldType, nullptr));
  EXPECT_EQ(CString("1"), source.LabelOf(0, 1, 1033)) << "no names: the number";
}

// Whether the browser's cell shows a number label (red) where the dialog draws it.
bool CellShowsNumber(HWND browser, int cell) {
  RECT rect;
  GetWindowRect(GetDlgItem(browser, IDC_LIB_CELL_FIRST + cell), &rect);
  MapWindowPoints(nullptr, browser, reinterpret_cast<POINT*>(&rect), 2);
  HDC dc = GetDC(browser);
  bool red = false;
  for (int x = rect.left; x < rect.right && !red; ++x)
    for (int y = rect.top; y < rect.bottom && !red; ++y) red = GetPixel(dc, x, y) == RGB(255, 0, 0);
  ReleaseDC(browser, dc);
  return red;
}

// A kind of two graphics: the cells after the second stay blank, without numbers, and neither a
// click nor the scroll bar reaches past the kind's last graphic.
TEST_F(LibraryWindowTest, TheBrowserShowsAKindUpToItsLastGraphic) {
  m_main->SendMessage(WM_COMMAND, ID_TOOL_LIBRARY);
  PumpMessages();
  ModalDialogDriver driver;
  driver.Then([&](CDialog* dialog) {
    Choose(dialog->m_hWnd, IDC_LIB_TYPE, m_oldType);
    auto* browser = dynamic_cast<CLibInfoDlg*>(dialog);
    ASSERT_NE(nullptr, browser);
    dialog->UpdateWindow();
    EXPECT_TRUE(CellShowsNumber(dialog->m_hWnd, 1));
    for (int cell = 2; cell < CLibInfoDlg::kCellCount; ++cell)
      EXPECT_FALSE(CellShowsNumber(dialog->m_hWnd, cell)) << cell;
    ClickCell(dialog, 2);
    EXPECT_EQ(0, browser->GetChosenNumber());
    dialog->SendMessage(WM_HSCROLL, SB_PAGERIGHT,
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog->m_hWnd, IDC_LIB_SCROLL)));
    EXPECT_LE(browser->GetFirstNumber(), 1);
    EXPECT_LE(browser->GetChosenNumber(), 1);
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PixelOf(50, 50));
  m_view->SendMessage(WM_LBUTTONUP, 0, PixelOf(50, 50));
  PumpMessages();
  EXPECT_EQ(1, driver.Shown());
}

// The second graphic chosen by a click in its cell, with "keep proportions" clicked on or off,
// and placed by OK: into the dragged rectangle, or, from a click or with its proportions kept,
// at its stored size (the shipped library), else 100 pixels of the zoom along its larger side.
TEST_F(LibraryWindowTest, TheBrowserPlacesAGraphicIntoTheRectangleOrAtItsStoredSize) {
  m_main->SendMessage(WM_COMMAND, ID_TOOL_LIBRARY);
  PumpMessages();
  const float pixel = static_cast<float>(m_view->GetScale());
  CPicLibrary symbols;
  ASSERT_TRUE(symbols.OpenFile(m_libraries.File("SYMBOLS.LIB").c_str()));
  std::unique_ptr<CContour> stored(symbols.ReadGraphic(0, 1, nullptr));
  ASSERT_NE(nullptr, stored);
  const CFRect own = stored->GetBox();
  ASSERT_GT(std::abs(own.Height() - 100 * pixel), 1.0f);
  const struct {
    const char* what;
    int type;
    bool keepProportions;
    float left, top, right, bottom;
    float width, height;
  } placements[] = {
      {"shipped, dragged", m_symbolsType, false, 40, 60, 100, 90, 60, 30},
      {"without sizes, dragged", m_oldType, false, 100, 100, 160, 130, 60, 30},
      {"shipped, dragged, proportions kept", m_symbolsType, true, 40, 60, 100, 90, own.Width(),
       own.Height()},
      {"shipped, clicked", m_symbolsType, false, 200, 50, 200, 50, own.Width(), own.Height()},
      {"without sizes, clicked", m_oldType, false, 200, 50, 200, 50, 100 * pixel / 3, 100 * pixel},
      {"without sizes, proportions kept", m_oldType, true, 30, 40, 130, 90, 100 * pixel / 3,
       100 * pixel},
  };
  for (const auto& placement : placements) {
    SCOPED_TRACE(placement.what);
    PlaceFromBrowser(placement.type, 1, placement.left, placement.top, placement.right,
                     placement.bottom, placement.keepProportions);
    CLibBlock* placed = OnlyLibBlock(m_document);
    ASSERT_NE(nullptr, placed);
    EXPECT_EQ(1, placed->m_item);
    EXPECT_NEAR(placement.left, placed->m_box.left, pixel);
    EXPECT_NEAR(placement.top, placed->m_box.top, pixel);
    EXPECT_NEAR(placement.width, placed->m_box.Width(), 2 * pixel);
    EXPECT_NEAR(placement.height, placed->m_box.Height(), 2 * pixel);
    m_view->SendMessage(WM_COMMAND, kUndoCommand);
    EXPECT_EQ(0, m_document->GetBlockList().GetSize());
  }
}

// A drawing of 37 x 21 at (15, 25), added through the command and placed back by a click in the
// browser: a library with stored sizes gives it back at its size on the page (and holds its
// place), one without holds it at its graphic size from the origin and the browser places it in
// its proportions. A font takes no drawing.
TEST_F(LibraryWindowTest, TheDrawingIsAddedAtItsSizeOrTheGraphicSizeButNeverToAFont) {
  ASSERT_NO_FATAL_FAILURE(MountNewLibrary("NEW61.LIB", "Drawings"));
  auto* rect = new CRectBlock;
  rect->m_rect = rect->m_box = CFRect(15, 25, 52, 46);
  m_document->AddBlock(rect);
  const float pixel = static_cast<float>(m_view->GetScale());
  const struct {
    const char* file;
    int number;
    float left, top, width, height;  // as the library holds it
    float placedWidth, placedHeight, slack;
  } libraries[] = {
      {"NEW61.LIB", 0, 15, 25, 37, 21, 37, 21, 0.05f},
      {"OLD60.LIB", 2, 0, 0, 1024, 1024 * 21 / 37.0f, 100 * pixel, 100 * pixel * 21 / 37,
       2 * pixel},
  };
  CSegArray& blocks = m_document->GetBlockList();
  for (const auto& entry : libraries) {
    SCOPED_TRACE(entry.file);
    const int type = MountedNumber(entry.file) + 2;
    CLibSelectDlg* page = OpenLibraryPage();
    ASSERT_NE(nullptr, page);
    Choose(page->m_hWnd, IDC_LIB_TYPE, type);
    m_view->SendMessage(WM_COMMAND, ID_LIBRARY_ADD_ARTWORK);
    EXPECT_EQ(0u, m_boxes.Count());
    EXPECT_EQ(entry.number + 1,
              SendDlgItemMessageA(page->m_hWnd, IDC_LIB_GRAPHIC, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(ID_TOOL_SELECT, m_view->GetCurrentTool());
    CPicLibrary library;
    ASSERT_TRUE(library.OpenFile(m_libraries.File(entry.file).c_str()));
    std::unique_ptr<CContour> added(library.ReadGraphic(0, entry.number, nullptr));
    ASSERT_NE(nullptr, added);
    EXPECT_NEAR(entry.left, added->GetBox().left, 0.05f);
    EXPECT_NEAR(entry.top, added->GetBox().top, 0.05f);
    EXPECT_NEAR(entry.width, added->GetBox().Width(), 1.0f);
    EXPECT_NEAR(entry.height, added->GetBox().Height(), 1.0f);

    Menu(ID_TOOL_LIBRARY);
    PlaceFromBrowser(type, entry.number, 200, 50, 200, 50);
    ASSERT_EQ(2, blocks.GetSize());
    auto* placed = dynamic_cast<CLibBlock*>(blocks.GetBlock(1));
    ASSERT_NE(nullptr, placed);
    EXPECT_EQ(entry.number, placed->m_item);
    EXPECT_NEAR(200.0f, placed->m_box.left, pixel);
    EXPECT_NEAR(entry.placedWidth, placed->m_box.Width(), entry.slack);
    EXPECT_NEAR(entry.placedHeight, placed->m_box.Height(), entry.slack);
    // The next library takes the rectangle alone.
    m_view->SendMessage(WM_COMMAND, kUndoCommand);
    ASSERT_EQ(1, blocks.GetSize());
  }

  CLibSelectDlg* page = OpenLibraryPage();
  ASSERT_NE(nullptr, page);
  Choose(page->m_hWnd, IDC_LIB_TYPE, 1);
  m_view->SendMessage(WM_COMMAND, ID_LIBRARY_ADD_ARTWORK);
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_EQ("不能将图形加入Window字库中!", m_boxes.Last().text);
  EXPECT_EQ(ID_TOOL_SELECT, m_view->GetCurrentTool());
}

// The old library's kind filled to 255 graphics, then its first deleted: 254 remain, and its last
// slot still names the last graphic, which the copy must not take twice. Into the library's own
// folder, as a version or ID no library opens, or with a ratio above 16 bits, nothing is written.
TEST_F(LibraryWindowTest, TheConversionCopiesALibraryAndWritesNoFileItCannotOpen) {
  {
    CPicLibrary old;
    ASSERT_NO_FATAL_FAILURE(FillOldKind(old));
    ASSERT_TRUE(old.DeleteGraphic(0, 0));
    ASSERT_EQ(254, old.GetGraphicCount(0));
  }
  TempFolder output, refused;
  int oldEntry = m_oldType - 2;
  const struct {
    std::string folder;
    const char* mark;
    const char* version;
    const char* ratio;
  } runs[] = {
      {m_libraries.Path(), "VLIB", "6.1", "1024"}, {refused.Path(), "VLIB", "6.2", "1024"},
      {refused.Path(), "VLIB", "6.11", "1024"},    {refused.Path(), "VLIX", "6.0", "1024"},
      {refused.Path(), "VLIB", "6.1", "65536"},    {output.Path(), "VLIB", "6.1", "65535"},
  };
  std::string before = FileText(m_libraries.File("OLD60.LIB"));
  for (const auto& run : runs) Convert(oldEntry, run.folder, run.mark, run.version, run.ratio);
  const UINT messages[] = {IDS_LIBRARY_CONVERT_SAME, IDS_LIBRARY_CONVERT_FORMAT,
                           IDS_LIBRARY_CONVERT_FORMAT, IDS_LIBRARY_CONVERT_FORMAT,
                           IDS_LIBRARY_CONVERT_RATIO};
  // The one conversion that wrote a file says so when it has finished.
  ASSERT_EQ(6u, m_boxes.Count());
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(Message(messages[i]), m_boxes.Boxes()[i].text) << i;
  EXPECT_EQ(ConversionMessage(output.File("OLD60.LIB"), 1, 254), m_boxes.Last().text);
  EXPECT_EQ(before, FileText(m_libraries.File("OLD60.LIB")));
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(refused.File("OLD60.LIB").c_str()));

  CPicLibrary copy;
  ASSERT_TRUE(copy.OpenFile(output.File("OLD60.LIB").c_str()));
  EXPECT_FLOAT_EQ(6.1f, copy.GetVersion());
  EXPECT_STREQ("新", copy.GetHeader().titles[0]);
  EXPECT_EQ(65535, copy.GetHeader().graphicSize);
  ASSERT_EQ(1, copy.GetKindCount());
  EXPECT_EQ(254, copy.GetGraphicCount(0));
  std::unique_ptr<CContour> last(copy.ReadGraphic(0, 253, nullptr));
  ASSERT_NE(nullptr, last);
  EXPECT_NEAR(30.0f, last->GetBox().Height(), 0.05f);
  EXPECT_EQ("6.1000", std::string(g_settings.GetString(CLibConvertDlg::kSection, "VER", "")));
  g_settings.WriteString(CLibConvertDlg::kSection, nullptr, nullptr);
}

// A version 5 library of kinds "Sparse" (a second and later ones "Sparse02", ...) whose graphics
// sit in slots 0, 1, 5 and 254 of one table they share: 10 x 10 squares in encoding A, the one of
// slot s moved to (k, 2k) with k its place 1 to 4 (the first point by byte deltas, the others as in
// the plain square). Slot 7 holds a square of no extent (five points that never move), which no
// version 6 record can store.
std::vector<BYTE> SparseLibraryV5(int kinds) {
  using namespace library_test;
  const DWORD kTable = 80 + 32 * static_cast<DWORD>(kinds), kRecords = kTable + 1020;
  const int kSlots[] = {0, 1, 5, 254};
  Bytes file;
  PutText(file, "TalvexLib V5.x", 16);
  PutText(file, "稀疏", 48);
  Put16(file, 1024);
  Put16(file, 0);
  Put16(file, 0);
  Put16(file, static_cast<WORD>(kinds));  // the only link, at 70: its entries at 80, no next
  Put32(file, 80);
  Put32(file, 0);
  for (int kind = 0; kind < kinds; ++kind) {
    char name[16];
    snprintf(name, sizeof name, kind == 0 ? "Sparse" : "Sparse%02d", kind + 1);
    PutText(file, name, 28);
    Put32(file, kTable);
  }
  Bytes records;
  std::vector<DWORD> table(255, 0);
  for (int k = 1; k <= 4; ++k) {
    table[kSlots[k - 1]] = kRecords + static_cast<DWORD>(records.size());
    Bytes body(8, 0);
    Put16(body, 1);
    Put16(body, 5);
    PutAll(body, {0x07, 0x23, 0x15, 0x33, 0x35, BYTE(k), BYTE(2 * k), 10, 10, 10, 10});
    Put32(records, static_cast<DWORD>(body.size() + 4));
    PutAll(records, body);
  }
  table[7] = kRecords + static_cast<DWORD>(records.size());
  Bytes still(8, 0);
  PutAll(still, {0x01, 0x00, 0x05, 0x00, 0x31, 0x31, 0x31, 0x31, 0x31});
  Put32(records, static_cast<DWORD>(still.size() + 4));
  PutAll(records, still);
  for (DWORD slot : table) Put32(file, slot);
  PutAll(file, records);
  return file;
}

// The graphics close up into consecutive numbers, and the user hears which ones took new numbers.
TEST_F(LibraryWindowTest, TheConversionCopiesEveryGraphicOfASparseVersionFiveKindInOrder) {
  ASSERT_NO_FATAL_FAILURE(MountSparseLibrary());
  TempFolder output;
  // Stored sizes (6.1) keep each square's place, by which the order is seen.
  Convert(MountedNumber("SPARSE5.LIB"), output.Path(), "VLIB", "6.1", "1024");
  // The graphic that cannot be stored is told, not dropped silently; so are the new numbers.
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_EQ(ConversionMessage(output.File("SPARSE5.LIB"), 1, 4, "1", "Sparse: 5->2, 254->3"),
            m_boxes.Last().text);
  g_settings.WriteString(CLibConvertDlg::kSection, nullptr, nullptr);

  CPicLibrary copy;
  ASSERT_TRUE(copy.OpenFile(output.File("SPARSE5.LIB").c_str()));
  ASSERT_EQ(1, copy.GetKindCount());
  library::KindRecord kind;
  ASSERT_TRUE(copy.ReadKindRecord(0, kind));
  EXPECT_STREQ("Sparse", kind.chineseName);
  EXPECT_STREQ("New Kind 1", kind.englishName);
  ASSERT_EQ(4, copy.GetGraphicCount(0));
  for (int i = 0; i < 4; ++i) {
    std::unique_ptr<CContour> square(copy.ReadGraphic(0, i, nullptr));
    ASSERT_NE(nullptr, square) << i;
    // Within a hundredth of its size: its place is apart from the next one's by ten of them.
    EXPECT_NEAR(i + 1.0f, square->GetBox().left, 0.1f) << i;
    EXPECT_NEAR(2 * (i + 1.0f), square->GetBox().top, 0.1f) << i;
    EXPECT_NEAR(10.0f, square->GetBox().Width(), 0.1f) << i;
  }
}

// Thirteen kinds whose graphics took new numbers, or fourteen: the message lists the first twelve,
// then says with one "..." line that there are more.
TEST_F(LibraryWindowTest, TheConversionListsTheNewNumbersOfTwelveKindsAndThenItsEllipsis) {
  std::string listed = "Sparse: 5->2, 254->3";
  for (int kind = 2; kind <= 12; ++kind)
    listed += "\r\nSparse" + std::string(kind < 10 ? "0" : "") + std::to_string(kind) +
              ": 5->2, 254->3";
  listed += "\r\n...";
  for (int kinds : {13, 14}) {
    SCOPED_TRACE(kinds);
    ASSERT_NO_FATAL_FAILURE(MountSparseLibrary(kinds));
    TempFolder output;
    const size_t before = m_boxes.Count();
    Convert(MountedNumber("SPARSE5.LIB"), output.Path(), "VLIB", "6.1", "1024");
    ASSERT_EQ(before + 1, m_boxes.Count());
    const std::string lost = std::to_string(kinds);
    EXPECT_EQ(ConversionMessage(output.File("SPARSE5.LIB"), kinds, kinds * 4, lost.c_str(),
                                listed.c_str()),
              m_boxes.Last().text);
  }
  g_settings.WriteString(CLibConvertDlg::kSection, nullptr, nullptr);
}

}  // namespace

namespace {

TEST_F(LibraryWindowTest, ADamagedLibrarySaysSoAndLeavesThePageEmpty) {
  std::string loop = m_libraries.File("LOOP.LIB");
  ASSERT_TRUE(CopyFileA(m_libraries.File("OLD60.LIB").c_str(), loop.c_str(), FALSE));
  // The only kind's record names itself as the next one.
  HANDLE file = CreateFileA(loop.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  const BYTE self[4] = {218, 0, 0, 0};
  DWORD written = 0;
  SetFilePointer(file, 218 + 4, nullptr, FILE_BEGIN);
  WriteFile(file, self, sizeof self, &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(3, g_mountLibList.Scan());
  int loopType = -1;
  for (int n = 0; n < 3; ++n) {
    CString name;
    g_mountLibList.GetFileName(n, name);
    if (name == CString("LOOP.LIB")) loopType = n + 2;
  }
  CLibSelectDlg* page = OpenLibraryPage();
  ASSERT_NE(nullptr, page);
  // The page opens on the kind chosen last, which an earlier test may have left on this library.
  const size_t before = m_boxes.Count();
  Choose(page->m_hWnd, IDC_LIB_TYPE, loopType);
  ASSERT_EQ(before + 1, m_boxes.Count());
  CString expected;
  expected.LoadString(IDS_LIBRARY_CHAIN_LOOPS);
  EXPECT_EQ(std::string(expected), m_boxes.Last().text);
  EXPECT_EQ(0, SendDlgItemMessageA(page->m_hWnd, IDC_LIB_KIND, CB_GETCOUNT, 0, 0));
  EXPECT_EQ(0, SendDlgItemMessageA(page->m_hWnd, IDC_LIB_GRAPHIC, CB_GETCOUNT, 0, 0));
  Choose(page->m_hWnd, IDC_LIB_GRAPHIC, 0, CBN_SELENDOK);
  EXPECT_EQ(0, m_document->GetBlockList().GetSize());
}

// Ends a tree label edit with the text (null: cancelled); what the dialog answered.
LRESULT EndLabelEdit(HWND dialog, HTREEITEM item, const char* text) {
  NMTVDISPINFOA info = {};
  info.hdr.hwndFrom = GetDlgItem(dialog, IDC_MANAGE_TREE);
  info.hdr.idFrom = IDC_MANAGE_TREE;
  info.hdr.code = TVN_ENDLABELEDITA;
  info.item.hItem = item;
  info.item.pszText = const_cast<char*>(text);
  return SendMessageA(dialog, WM_NOTIFY, IDC_MANAGE_TREE, reinterpret_cast<LPARAM>(&info));
}

// A tree item's label as the user reads it, in GBK.
std::string TreeLabel(HWND dialog, HTREEITEM item) {
  wchar_t text[128] = {};
  TVITEMW data = {};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = 128;
  SendDlgItemMessageW(dialog, IDC_MANAGE_TREE, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  return std::string(CGbkText::Lossy(text));
}

void SelectTreeItem(HWND dialog, HTREEITEM item) {
  SendDlgItemMessageA(dialog, IDC_MANAGE_TREE, TVM_SELECTITEM, TVGN_CARET,
                      reinterpret_cast<LPARAM>(item));
}

TEST_F(LibraryWindowTest, TheManagerMakesLibrariesAndKindsAddsRenamesAndDeletesGraphics) {
  std::string keep = m_libraries.File("KEEP.LIB");
  {
    std::ofstream out(keep, std::ios::binary);
    out << "not a library";
  }
  // A mounted library whose file goes away while the manager shows it.
  ASSERT_TRUE(CopyFileA(m_libraries.File("OLD60.LIB").c_str(), m_libraries.File("GONE.LIB").c_str(),
                        FALSE));
  ASSERT_EQ(3, g_mountLibList.Scan());
  m_libraries.UseLanguage("2052");
  LRESULT refused = -1, accepted = -1;
  RunDialog(ID_LIBRARY_MANAGE, [&](CDialog* dialog) {
    auto* manager = static_cast<CLibManageDlg*>(dialog);
    HWND h = dialog->m_hWnd;
    // An existing file, not a library and so not mounted, is reported and kept.
    SetDlgItemTextA(h, IDC_MANAGE_FILE, "KEEP");
    Click(h, IDC_MANAGE_NEW);
    SetDlgItemTextA(h, IDC_MANAGE_FILE, "FRESH");
    Click(h, IDC_MANAGE_NEW);
    // The libraries were counted again: their numbers follow the folder's order.
    int fresh = MountedNumber("FRESH.LIB");
    int old = MountedNumber("OLD60.LIB");
    ASSERT_LE(0, fresh);
    ASSERT_LE(0, old);
    SelectTreeItem(h, manager->FindTreeItem(fresh, -1));
    Click(h, IDC_MANAGE_NEW_KIND);
    // The new kind is chosen in the tree: a double-click copies the old library's second box.
    ASSERT_NE(nullptr, manager->FindTreeItem(fresh, 0));
    Choose(h, IDC_MANAGE_TYPE, old + 2);
    EXPECT_EQ(2, SendDlgItemMessageA(h, IDC_MANAGE_GRAPHICS, LB_GETCOUNT, 0, 0));
    DoubleClickGraphic(h, 1);
    dialog->UpdateWindow();
    CreateDirectoryA("screenshots", nullptr);
    SaveClientPicture(h, "screenshots\\library_manager.bmp");
    // Renaming: an empty kind name is stored as "?"; a write that fails is refused.
    EXPECT_EQ(TRUE, EndLabelEdit(h, manager->FindTreeItem(fresh, 0), ""));
    EXPECT_EQ(TRUE, EndLabelEdit(h, manager->FindTreeItem(fresh, -1), "Fresh title"));
    HTREEITEM gone = manager->FindTreeItem(MountedNumber("GONE.LIB"), 0);
    ASSERT_NE(nullptr, gone);
    DeleteFileA(m_libraries.File("GONE.LIB").c_str());
    refused = EndLabelEdit(h, gone, "Crates");
    accepted = EndLabelEdit(h, manager->FindTreeItem(old, 0), nullptr);
    // Deleting the old library's first box; a font's characters are never deleted.
    SendDlgItemMessageA(h, IDC_MANAGE_GRAPHICS, LB_SETCURSEL, 0, 0);
    Click(h, IDC_MANAGE_DELETE);
    EXPECT_EQ(1, SendDlgItemMessageA(h, IDC_MANAGE_GRAPHICS, LB_GETCOUNT, 0, 0));
    Choose(h, IDC_MANAGE_TYPE, 1);
    Click(h, IDC_MANAGE_DELETE);
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  EXPECT_EQ("not a library", FileText(keep));
  EXPECT_EQ(FALSE, refused);
  EXPECT_EQ(FALSE, accepted);
  // The existing file's message, then the font's.
  ASSERT_EQ(2u, m_boxes.Count());
  CString expected;
  expected.LoadString(IDS_MANAGE_NO_DELETE_FONT);
  EXPECT_EQ(std::string(expected), m_boxes.Last().text);

  CPicLibrary fresh;
  ASSERT_TRUE(fresh.OpenFile(m_libraries.File("FRESH.LIB").c_str()));
  EXPECT_STREQ("Fresh title", fresh.GetHeader().titles[0]);
  EXPECT_STREQ("新图库", fresh.GetHeader().titles[1]);
  EXPECT_EQ(1024, fresh.GetHeader().graphicSize);
  // The manager opened again lists the library by its new title.
  RunDialog(ID_LIBRARY_MANAGE, [&](CDialog* dialog) {
    auto* manager = static_cast<CLibManageDlg*>(dialog);
    EXPECT_EQ("Fresh title",
              TreeLabel(dialog->m_hWnd, manager->FindTreeItem(MountedNumber("FRESH.LIB"), -1)));
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  library::KindRecord kind;
  ASSERT_TRUE(fresh.ReadKindRecord(0, kind));
  EXPECT_STREQ("?", kind.chineseName);
  EXPECT_STREQ("New Kind 0", kind.englishName);
  ASSERT_EQ(1, kind.count);
  // Scaled to the library's graphic size along its larger side, from the origin.
  std::unique_ptr<CContour> copied(fresh.ReadGraphic(0, 0, nullptr));
  ASSERT_NE(nullptr, copied);
  EXPECT_NEAR(0.0f, copied->GetBox().top, 0.05f);
  EXPECT_NEAR(1024.0f, copied->GetBox().Height(), 0.05f);
  EXPECT_NEAR(1024.0f / 3, copied->GetBox().Width(), 1.0f);
  CPicLibrary old;
  ASSERT_TRUE(old.OpenFile(m_libraries.File("OLD60.LIB").c_str()));
  EXPECT_EQ(CString("Boxes"), old.GetKindName(0));
  ASSERT_EQ(1, old.GetGraphicCount(0));
  std::unique_ptr<CContour> left(old.ReadGraphic(0, 0, nullptr));
  ASSERT_NE(nullptr, left);
  EXPECT_NEAR(10.0f, left->GetBox().Width(), 0.05f);
}

// A library made on a Chinese system has its Chinese title in both languages. In the English
// interface of an English system the manager, the browser and the print dialog list it as the
// Chinese characters it is; a rename there writes the English title, which every list shows from
// then on, and leaves the Chinese one.
class EnglishSystemLibraryTitles : public LibraryWindowTest {};

TEST_F(EnglishSystemLibraryTitles, ListsShowChineseTitlesAndARenameTakesTheInterfacesTitle) {
  const std::string china = m_libraries.File("CHINA.LIB");
  ASSERT_NO_FATAL_FAILURE(TestLibraryFolder::WriteLibrary(china, 6.0f, "新图库", "箭头"));
  m_libraries.UseLanguage("1033");
  const int number = MountedNumber("CHINA.LIB");
  ASSERT_LE(0, number);
  // The entry of the text in a combo box as the user reads it; -1 when it lists none.
  auto entry = [](HWND combo, const std::string& text) {
    const std::vector<std::string> items = GbkItems(combo);
    auto at = std::find(items.begin(), items.end(), text);
    return at == items.end() ? -1 : static_cast<int>(at - items.begin());
  };
  const struct {
    const char* what;
    std::string title;
    bool rename;
  } rounds[] = {{"made on a Chinese system", "新图库", true}, {"renamed", "Signs", false}};
  for (const auto& round : rounds) {
    SCOPED_TRACE(round.what);
    RunDialog(ID_LIBRARY_PRINT, [&](CDialog* dialog) {
      HWND h = dialog->m_hWnd;
      const int library = entry(GetDlgItem(h, IDC_PRINT_LIBRARY), round.title);
      EXPECT_LE(0, library);
      Choose(h, IDC_PRINT_LIBRARY, library);
      EXPECT_EQ(std::vector<std::string>{"箭头"}, GbkItems(GetDlgItem(h, IDC_PRINT_KIND)));
      dialog->PostMessage(WM_COMMAND, IDCANCEL);
    });
    Menu(ID_TOOL_LIBRARY);
    ModalDialogDriver driver;
    driver.Then([&](CDialog* dialog) {
      EXPECT_LE(0, entry(GetDlgItem(dialog->m_hWnd, IDC_LIB_TYPE), round.title));
      dialog->PostMessage(WM_COMMAND, IDCANCEL);
    });
    m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PixelOf(50, 50));
    m_view->SendMessage(WM_LBUTTONUP, 0, PixelOf(50, 50));
    PumpMessages();
    EXPECT_EQ(1, driver.Shown());
    RunDialog(ID_LIBRARY_MANAGE, [&](CDialog* dialog) {
      auto* manager = static_cast<CLibManageDlg*>(dialog);
      HWND h = dialog->m_hWnd;
      HTREEITEM root = manager->FindTreeItem(number, -1);
      EXPECT_EQ(round.title, TreeLabel(h, root));
      EXPECT_EQ("箭头", TreeLabel(h, manager->FindTreeItem(number, 0)));
      EXPECT_LE(0, entry(GetDlgItem(h, IDC_MANAGE_TYPE), round.title));
      if (round.rename) {
        // The user types the new title into the tree's label: it comes as wide text.
        NMTVDISPINFOW info = {};
        info.hdr.hwndFrom = GetDlgItem(h, IDC_MANAGE_TREE);
        info.hdr.idFrom = IDC_MANAGE_TREE;
        info.hdr.code = TVN_ENDLABELEDITW;
        info.item.hItem = root;
        info.item.pszText = const_cast<wchar_t*>(L"Signs");
        EXPECT_EQ(TRUE,
                  SendMessageW(h, WM_NOTIFY, IDC_MANAGE_TREE, reinterpret_cast<LPARAM>(&info)));
      }
      dialog->PostMessage(WM_COMMAND, IDCANCEL);
    });
  }
  CPicLibrary renamed;
  ASSERT_TRUE(renamed.OpenFile(china.c_str()));
  EXPECT_STREQ("新图库", renamed.GetHeader().titles[0]);
  EXPECT_STREQ("Signs", renamed.GetHeader().titles[1]);
  EXPECT_EQ(0u, m_boxes.Count());
}

// The shipped symbols come back in millimetres. Copied with the manager into a version 6.1 library
// of graphic size 1024 they come back at their own size and place, every point within a
// hundredth of the symbol's size: no point is cut to a whole millimetre, no round corner faceted.
TEST_F(LibraryWindowTest, TheManagerCopiesShippedSymbolsAtTheirSizeAndShape) {
  ASSERT_NO_FATAL_FAILURE(MountNewLibrary("NEW61.LIB", "Copies"));
  CPicLibrary symbols;
  ASSERT_TRUE(symbols.OpenFile(m_libraries.File("SYMBOLS.LIB").c_str()));
  RunDialog(ID_LIBRARY_MANAGE, [&](CDialog* dialog) {
    auto* manager = static_cast<CLibManageDlg*>(dialog);
    HWND h = dialog->m_hWnd;
    SelectTreeItem(h, manager->FindTreeItem(MountedNumber("NEW61.LIB"), 0));
    Choose(h, IDC_MANAGE_TYPE, MountedNumber("SYMBOLS.LIB") + 2);
    for (int kind = 0; kind < symbols.GetKindCount(); ++kind) {
      Choose(h, IDC_MANAGE_KIND, kind);
      for (int entry = 0; entry < symbols.GetGraphicCount(kind); ++entry)
        DoubleClickGraphic(h, entry);
    }
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  EXPECT_EQ(0u, m_boxes.Count());
  CPicLibrary copies;
  ASSERT_TRUE(copies.OpenFile(m_libraries.File("NEW61.LIB").c_str()));
  int copy = 0;
  for (int kind = 0; kind < symbols.GetKindCount(); ++kind) {
    for (int i = 0; i < symbols.GetGraphicCount(kind); ++i, ++copy) {
      SCOPED_TRACE(std::to_string(kind) + " " + std::to_string(i));
      std::unique_ptr<CContour> shipped(symbols.ReadGraphic(kind, i, nullptr));
      std::unique_ptr<CContour> copied(copies.ReadGraphic(0, copy, nullptr));
      ASSERT_NE(nullptr, shipped);
      ASSERT_NE(nullptr, copied);
      const CFRect& box = shipped->GetBox();
      const float hundredth = std::max(box.Width(), box.Height()) / 100;
      std::vector<POINTREC> want = shipped->GetPoints(), got = copied->GetPoints();
      ASSERT_EQ(want.size(), got.size());
      for (size_t p = 0; p < want.size(); ++p) {
        EXPECT_NEAR(want[p].x, got[p].x, hundredth) << p;
        EXPECT_NEAR(want[p].y, got[p].y, hundredth) << p;
      }
    }
  }
  EXPECT_EQ(copy, copies.GetGraphicCount(0));
}

TEST_F(LibraryWindowTest, TheManagerStopsAddingAtTwoHundredFiftyFiveGraphicsAKind) {
  CPicLibrary old;
  ASSERT_NO_FATAL_FAILURE(FillOldKind(old));
  RunDialog(ID_LIBRARY_MANAGE, [&](CDialog* dialog) {
    auto* manager = static_cast<CLibManageDlg*>(dialog);
    HWND h = dialog->m_hWnd;
    SelectTreeItem(h, manager->FindTreeItem(m_oldType - 2, 0));
    Choose(h, IDC_MANAGE_TYPE, m_symbolsType);
    SendMessageA(h, WM_COMMAND, MAKEWPARAM(IDC_MANAGE_GRAPHICS, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(GetDlgItem(h, IDC_MANAGE_GRAPHICS)));
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_EQ(Message(IDS_MANAGE_KIND_FULL), m_boxes.Last().text);
  EXPECT_EQ(255, old.GetGraphicCount(0));
}

// An EPS of a 100 x 50 point rectangle and a plot file of a 10 x 20 mm one.
void WriteDrawings(const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  std::ofstream eps(folder + "\\wide.eps", std::ios::binary);
  eps << "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 100 50\n"
         "newpath 0 0 moveto 100 0 lineto 100 50 lineto 0 50 lineto closepath fill\n%%EOF\n";
  std::ofstream plt(folder + "\\tall.plt", std::ios::binary);
  plt << "IN;PU0,0;PD400,0,400,800,0,800,0,0;PU;\n";
}

// An upright letter F of 40 x 50 points as PostScript draws it (y up): the stem on the left, the
// long bar at the top, the short bar in the middle.
void WriteLetterF(const std::string& path) {
  std::ofstream eps(path, std::ios::binary);
  eps << "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 40 50\n"
         "newpath 0 0 moveto 10 0 lineto 10 20 lineto 30 20 lineto 30 30 lineto 10 30 lineto\n"
         "10 40 lineto 40 40 lineto 40 50 lineto 0 50 lineto closepath fill\n%%EOF\n";
}

TEST_F(LibraryWindowTest, TheFolderToolBuildsOneKindPerSubfolderThroughTheImportFilter) {
  TempFolder source;
  WriteDrawings(source.File("Shapes"));
  WriteLetterF(source.File("Shapes\\zf.eps"));
  CreateDirectoryA(source.File("Empty").c_str(), nullptr);
  CreateDirectoryA(source.File(".hidden").c_str(), nullptr);
  {
    std::ofstream broken(source.File("Shapes\\broken.eps"), std::ios::binary);
    broken << "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 10 10\n";
  }
  SetImportFilterPath((m_program + "TalvexFilter.dll").c_str());
  ModalDialogDriver driver;
  driver.Then([&](CDialog* dialog) {
    SetDlgItemTextA(dialog->m_hWnd, IDC_CREATER_SOURCE, source.Path().c_str());
    SetDlgItemTextA(dialog->m_hWnd, IDC_CREATER_TARGET, "FOLDERS");
    dialog->SendMessage(WM_COMMAND, IDOK);
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  m_main->SendMessage(WM_COMMAND, ID_LIBRARY_FROM_FOLDER);
  PumpMessages();
  SetImportFilterPath(nullptr);
  EXPECT_EQ(0, driver.Stuck());
  ASSERT_EQ(1u, m_boxes.Count());
  CString format, expected;
  format.LoadString(IDS_CREATER_DONE);
  expected.Format(format, 2, 3, 1);
  EXPECT_EQ(std::string(expected), m_boxes.Last().text);

  CPicLibrary built;
  ASSERT_TRUE(built.OpenFile(m_libraries.File("FOLDERS.LIB").c_str()));
  EXPECT_EQ(30000, built.GetHeader().graphicSize);
  ASSERT_EQ(2, built.GetKindCount());
  library::KindRecord kind;
  ASSERT_TRUE(built.ReadKindRecord(0, kind));
  EXPECT_STREQ("Empty", kind.chineseName);
  EXPECT_STREQ("Kind1", kind.englishName);
  EXPECT_EQ(0, kind.count);
  ASSERT_TRUE(built.ReadKindRecord(1, kind));
  EXPECT_STREQ("Shapes", kind.chineseName);
  ASSERT_EQ(3, kind.count);
  // In name order: the plot file's 10 x 20 rectangle stands, the EPS's lies.
  std::unique_ptr<CContour> tall(built.ReadGraphic(1, 0, nullptr));
  std::unique_ptr<CContour> wide(built.ReadGraphic(1, 1, nullptr));
  ASSERT_NE(nullptr, tall);
  ASSERT_NE(nullptr, wide);
  EXPECT_NEAR(15000.0f, tall->GetBox().Width(), 30.0f);
  EXPECT_NEAR(30000.0f, tall->GetBox().Height(), 30.0f);
  EXPECT_NEAR(2.0f, tall->GetBox().left, 1.0f);
  EXPECT_NEAR(2.0f, tall->GetBox().top, 1.0f);
  EXPECT_NEAR(30000.0f, wide->GetBox().Width(), 30.0f);
  EXPECT_NEAR(15000.0f, wide->GetBox().Height(), 30.0f);
  // The F stands in library units (y down) as it was drawn: the long bar's right end at the
  // top, the stem's foot at the bottom left, nothing at the bottom right.
  std::unique_ptr<CContour> letter(built.ReadGraphic(1, 2, nullptr));
  ASSERT_NE(nullptr, letter);
  CFRect box = letter->GetBox();
  EXPECT_NEAR(24000.0f, box.Width(), 30.0f);
  EXPECT_NEAR(30000.0f, box.Height(), 30.0f);
  bool topRight = false, bottomLeft = false, bottomRight = false;
  for (const POINTREC& point : letter->GetPoints()) {
    if (point.flags == kPointEnd) continue;
    bool right = point.x > box.left + 0.9f * box.Width();
    bool low = point.y > box.top + 0.9f * box.Height(),
         high = point.y < box.top + 0.1f * box.Height();
    topRight = topRight || (right && high);
    bottomLeft = bottomLeft || (point.x < box.left + 0.1f * box.Width() && low);
    bottomRight = bottomRight || (right && low);
  }
  EXPECT_TRUE(topRight);
  EXPECT_TRUE(bottomLeft);
  EXPECT_FALSE(bottomRight);
}

TEST_F(LibraryWindowTest, TheCollectionToolBuildsALibraryFromItsIndexAndKeepsAnExistingOne) {
  TempFolder art;
  // One collection file of two graphics: a 1000 x 500 box and a 300 x 600 one.
  std::string bytes(44, '\0');
  auto put16 = [&](WORD value) {
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>(value >> 8);
  };
  auto put32 = [&](std::string& out, size_t at, DWORD value) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>(value >> (8 * i));
  };
  std::vector<size_t> offsets, sizes;
  for (WORD size : std::vector<WORD>{1000, 300}) {
    offsets.push_back(bytes.size());
    WORD h = static_cast<WORD>(size == 1000 ? 500 : 600);
    put16(1);
    const WORD line = 0x55AB;
    for (WORD w :
         std::vector<WORD>{line, 0, 0, size, 0, line, size, 0, size, h, line, size, h, 0, 0})
      put16(w);
    put16(0);
    sizes.push_back(bytes.size() - offsets.back());
  }
  put32(bytes, 36, 2);
  put32(bytes, 40, static_cast<DWORD>(bytes.size()));
  for (size_t i = 0; i < 2; ++i) {
    std::string entry(58, '\0');
    put32(entry, 38, static_cast<DWORD>(offsets[i]));
    put32(entry, 42, static_cast<DWORD>(sizes[i]));
    bytes += entry;
  }
  std::ofstream(art.File("PART1.CLP"), std::ios::binary) << bytes;
  std::ofstream(art.File("newtuku.idx"), std::ios::binary) << "Boxes\r\nPART1.CLP\r\n";
  auto build = [&](CDialog* dialog) {
    SetDlgItemTextA(dialog->m_hWnd, IDC_BUILD_COLLECTION, art.Path().c_str());
    SetDlgItemTextA(dialog->m_hWnd, IDC_BUILD_INDEX, art.Path().c_str());
    Click(dialog->m_hWnd, IDC_BUILD_TEST);
    EXPECT_EQ(2, SendDlgItemMessageA(dialog->m_hWnd, IDC_BUILD_LIST, LB_GETCOUNT, 0, 0));
    dialog->SendMessage(WM_COMMAND, IDOK);
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  };
  ModalDialogDriver driver;
  driver.Then(build);
  driver.Then(build);
  m_main->SendMessage(WM_COMMAND, ID_LIBRARY_BUILD);
  PumpMessages();
  std::string first = FileText(art.File("CLIPART.LIB"));
  m_main->SendMessage(WM_COMMAND, ID_LIBRARY_BUILD);
  PumpMessages();
  EXPECT_EQ(0, driver.Stuck());
  // Built, then refused: the library is as the first build left it.
  ASSERT_EQ(2u, m_boxes.Count());
  EXPECT_EQ(first, FileText(art.File("CLIPART.LIB")));
  EXPECT_EQ(art.Path(), std::string(g_settings.GetString(CLibBuildDlg::kSection, "IndexPath", "")));
  g_settings.WriteString(CLibBuildDlg::kSection, nullptr, nullptr);
  CPicLibrary built;
  ASSERT_TRUE(built.OpenFile(art.File("CLIPART.LIB").c_str()));
  ASSERT_EQ(1, built.GetKindCount());
  EXPECT_EQ(2, built.GetGraphicCount(0));
  std::unique_ptr<CContour> tall(built.ReadGraphic(0, 1, nullptr));
  ASSERT_NE(nullptr, tall);
  EXPECT_NEAR(2048.0f, tall->GetBox().Width(), 2.0f);
  EXPECT_NEAR(4096.0f, tall->GetBox().Height(), 2.0f);
}

TEST(LibraryCatalogueTest, CellsFillThePageAndGraphicsKeepTheirProportions) {
  CIniFile empty;
  TempFolder folder;
  empty.SetPath(folder.File("T.INI").c_str());
  CLibBookDlg::Settings s = CLibBookDlg::Load(empty, 210, 297);
  EXPECT_FLOAT_EQ(200.0f, s.endX);
  EXPECT_FLOAT_EQ(287.0f, s.endY);
  s.startX = 12;
  s.sizeX = 40;
  s.sizeY = 30;
  // Columns at 12, 62, 112 (162 + 40 reaches 200); rows of 30 + 2 + 10 every 40 from 10 up to
  // 210 (250 + 42 passes 287): six.
  std::vector<FPOINT> cells = CLibBookDlg::Cells(s);
  ASSERT_EQ(18u, cells.size());
  EXPECT_FLOAT_EQ(112.0f, cells[2].x);
  EXPECT_FLOAT_EQ(10.0f, cells[2].y);
  EXPECT_FLOAT_EQ(12.0f, cells[3].x);
  EXPECT_FLOAT_EQ(50.0f, cells[3].y);
  EXPECT_FLOAT_EQ(210.0f, cells.back().y);
  CFRect placed;
  // Wide: the width limits (40 / 100); centred in height.
  ASSERT_TRUE(CLibBookDlg::FitIntoCell(CFRect(5, 7, 105, 27), 12, 50, s, placed));
  EXPECT_FLOAT_EQ(12.0f, placed.left);
  EXPECT_FLOAT_EQ(52.0f, placed.right);
  EXPECT_FLOAT_EQ(50.0f + 11.0f, placed.top);
  EXPECT_FLOAT_EQ(69.0f, placed.bottom);
  // Tall: the height limits (30 / 60), not the width; centred in width.
  ASSERT_TRUE(CLibBookDlg::FitIntoCell(CFRect(0, 0, 20, 60), 12, 50, s, placed));
  EXPECT_FLOAT_EQ(10.0f, placed.Width());
  EXPECT_FLOAT_EQ(30.0f, placed.Height());
  EXPECT_FLOAT_EQ(27.0f, placed.left);
  // A square fills a square cell from its corner; a flat outline is skipped.
  s.sizeY = 40;
  ASSERT_TRUE(CLibBookDlg::FitIntoCell(CFRect(3, 3, 13, 13), 12, 50, s, placed));
  EXPECT_FLOAT_EQ(12.0f, placed.left);
  EXPECT_FLOAT_EQ(50.0f, placed.top);
  EXPECT_FLOAT_EQ(40.0f, placed.Width());
  EXPECT_FALSE(CLibBookDlg::FitIntoCell(CFRect(0, 5, 30, 5), 12, 50, s, placed));
  // Limits at the cell size or cells that do not advance lay out nothing.
  s.endX = s.startX + s.sizeX;
  EXPECT_TRUE(CLibBookDlg::Cells(s).empty());
  s.endX = 200;
  s.sizeX = 0;
  EXPECT_TRUE(CLibBookDlg::Cells(s).empty());
}

TEST_F(LibraryWindowTest, TheCataloguePageLaysOutAKindNumberedInOneUndoStep) {
  // The signs kind of the shipped library.
  LayOutCatalogue(m_symbolsType - 2, kSignsKind);
  EXPECT_EQ(0u, m_boxes.Count());
  CSegArray& blocks = m_document->GetBlockList();
  ASSERT_EQ(12, blocks.GetSize());
  int graphics = 0;
  for (INT_PTR i = 0; i < blocks.GetSize(); i += 2) {
    auto* graphic = dynamic_cast<CLibBlock*>(blocks.GetBlock(i));
    ASSERT_NE(nullptr, graphic);
    EXPECT_EQ(i / 2, graphic->m_item);
    EXPECT_NE(nullptr, dynamic_cast<CTextBlock*>(blocks.GetBlock(i + 1)));
    // Inside its 40 mm cell, one scale for both sides.
    EXPECT_LE(graphic->m_box.Width(), 40.01f);
    EXPECT_LE(graphic->m_box.Height(), 40.01f);
    EXPECT_TRUE(std::abs(graphic->m_box.Width() - 40) < 0.01f ||
                std::abs(graphic->m_box.Height() - 40) < 0.01f);
    ++graphics;
  }
  EXPECT_EQ(6, graphics);
  EXPECT_EQ(6, g_settings.GetInt(CLibBookDlg::kSection, "StartNo", 0));
  m_main->UpdateWindow();
  CreateDirectoryA("screenshots", nullptr);
  SaveClientPicture(m_main->m_hWnd, "screenshots\\library_catalogue.bmp");
  m_view->SendMessage(WM_COMMAND, kUndoCommand);
  EXPECT_EQ(0, m_document->GetBlockList().GetSize());
  g_settings.WriteString(CLibBookDlg::kSection, nullptr, nullptr);
}

// The digits of a catalogue number.
std::string TextOf(CBlock* block) {
  std::string text;
  auto* number = dynamic_cast<CTextBlock*>(block);
  for (INT_PTR i = 0; number && i < number->GetBoxArray()->GetSize(); ++i)
    if (const CCharBox* box = number->GetBoxArray()->GetCharBox(i))
      text += static_cast<char>(box->m_code);
  return text;
}

// A version 5 kind leaves slots empty between its graphics: each graphic takes the next cell
// with the number the library gives it, the square of no extent none, up to the kind's last slot.
TEST_F(LibraryWindowTest, TheCataloguePageShowsEveryGraphicOfASparseKindByItsNumber) {
  ASSERT_NO_FATAL_FAILURE(MountSparseLibrary());
  LayOutCatalogue(MountedNumber("SPARSE5.LIB"), 0);
  CSegArray& blocks = m_document->GetBlockList();
  const int numbers[] = {0, 1, 5, 254};
  ASSERT_EQ(8, blocks.GetSize());
  for (int i = 0; i < 4; ++i) {
    auto* graphic = dynamic_cast<CLibBlock*>(blocks.GetBlock(2 * i));
    ASSERT_NE(nullptr, graphic) << i;
    EXPECT_EQ(numbers[i], graphic->m_item);
    EXPECT_EQ(std::to_string(numbers[i]), TextOf(blocks.GetBlock(2 * i + 1)));
  }
  EXPECT_EQ(255, g_settings.GetInt(CLibBookDlg::kSection, "StartNo", 0));
  g_settings.WriteString(CLibBookDlg::kSection, nullptr, nullptr);
}

// ---- The library print dialog ----

std::string ItemText(HWND dialog, int id) {
  char text[256] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

TEST_F(LibraryWindowTest, WithoutAPrinterTheLibraryPrintDialogOffersNoPrinting) {
  if (CPrinterChoice().IsAvailable()) GTEST_SKIP() << "this system has a printer";
  ModalDialogDriver driver;
  driver.Then([&](CDialog* dialog) {
    HWND h = dialog->m_hWnd;
    EXPECT_EQ("没有打印机", ItemText(h, IDC_PRINT_DEVICE));
    EXPECT_EQ("", ItemText(h, IDC_PRINT_WIDTH));
    EXPECT_LT(0, SendDlgItemMessageA(h, IDC_PRINT_KIND, CB_GETCOUNT, 0, 0));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(h, IDOK)));
    dialog->SendMessage(WM_COMMAND, IDOK);  // as the Enter key would: nothing happens
    EXPECT_TRUE(IsWindow(h));
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  m_main->SendMessage(WM_COMMAND, ID_LIBRARY_PRINT);
  PumpMessages();
  EXPECT_EQ(1, driver.Shown());
  EXPECT_EQ(0, driver.Stuck());
  EXPECT_EQ(0u, m_boxes.Count());
}

// The catalogue cells the printed pages are measured against (PrintedLibraryPage): two across
// (x 12 and 60) and two down (y 15 and 59) of 40 x 30, numbers 6 high 2 below.
const char* const kPrintedCatalogue[][2] = {
    {"StartX", "12"}, {"StartY", "15"},  {"EndX", "110"},  {"EndY", "120"},
    {"SizeX", "40"},  {"SizeY", "30"},   {"SpaceX", "8"},  {"SpaceY", "14"},
    {"EngSize", "6"}, {"EngSpace", "2"}, {"StartNo", "3"},
};
const float kCellX[] = {12, 60}, kCellY[] = {15, 59};
const float kCellWidth = 40, kCellHeight = 30, kNumberTop = 32, kNumberBottom = 38;
const float kNumberIndent = 16;

TEST_F(LibraryWindowTest, OnThePrintQueueAKindPrintsAsNumberedPagesAndRefusalsKeepTheDialog) {
  if (!getenv("TALVEX_PRINT_QUEUE")) GTEST_SKIP() << "needs the print queue (program_print)";
  // The numbers are set in the first installed Latin font, as the program lists them at
  // start-up.
  {
    TempFolder languages;
    const std::string ini = languages.File("TALVEX42.INI");
    WritePrivateProfileStringA("LANGUAGE0", "ID", "0", ini.c_str());
    WritePrivateProfileStringA("LANGUAGE0", "NAME", "Latin", ini.c_str());
    CString saved = g_settings.GetPath();
    g_settings.SetPath(ini.c_str());
    theApp.InitializeApplicationData(CTALVEX42App::kLoadFonts);
    g_settings.SetPath(saved);
    ASSERT_GT(g_winFontTable.GetEntryCount(0, 0), 0);
  }
  {
    // A kind without graphics in the old library.
    CPicLibrary library;
    ASSERT_TRUE(library.OpenFile(m_libraries.File("OLD60.LIB").c_str()));
    library::KindRecord kind;
    library::SetFixedText(kind.chineseName, sizeof kind.chineseName, "Empty", true);
    library::SetFixedText(kind.englishName, sizeof kind.englishName, "Empty", true);
    ASSERT_TRUE(library.AddKind(kind));
  }
  g_settings.WriteString(CLibBookDlg::kSection, nullptr, nullptr);
  for (const auto& setting : kPrintedCatalogue)
    g_settings.WriteString(CLibBookDlg::kSection, setting[0], setting[1]);
  // A cell wider than any paper.
  g_settings.WriteString(CLibBookDlg::kSection, "SizeX", "400");
  ModalDialogDriver driver;
  driver.Then([&](CDialog* dialog) {
    HWND h = dialog->m_hWnd;
    EXPECT_EQ("TalvexPrintTest", ItemText(h, IDC_PRINT_DEVICE));
    EXPECT_LT(190, atoi(ItemText(h, IDC_PRINT_WIDTH).c_str()));
    EXPECT_LT(280, atoi(ItemText(h, IDC_PRINT_HEIGHT).c_str()));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(h, IDOK)));
    Choose(h, IDC_PRINT_LIBRARY, -1);
    EXPECT_EQ(0, SendDlgItemMessageA(h, IDC_PRINT_KIND, CB_GETCOUNT, 0, 0));
    dialog->SendMessage(WM_COMMAND, IDOK);
    Choose(h, IDC_PRINT_LIBRARY, m_oldType - 2);
    Choose(h, IDC_PRINT_KIND, 1);
    dialog->SendMessage(WM_COMMAND, IDOK);
    g_settings.WriteString(CLibBookDlg::kSection, "SizeX", "40");
    dialog->SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(IsWindow(h));
    SaveClientPicture(h, "screenshots\\library_print.bmp");
    Choose(h, IDC_PRINT_LIBRARY, m_symbolsType - 2);
    Choose(h, IDC_PRINT_KIND, kSignsKind);
    dialog->PostMessage(WM_COMMAND, IDOK);
  });
  CreateDirectoryA("screenshots", nullptr);
  m_main->SendMessage(WM_COMMAND, ID_LIBRARY_PRINT);
  PumpMessages();
  EXPECT_EQ(1, driver.Shown());
  EXPECT_EQ(0, driver.Stuck());
  ASSERT_EQ(3u, m_boxes.Count());
  const UINT refusals[] = {IDS_LIBPRINT_NO_LIBRARY, IDS_LIBPRINT_NO_ROOM, IDS_LIBPRINT_EMPTY_KIND};
  for (size_t i = 0; i < 3; ++i) {
    CString expected;
    expected.LoadString(refusals[i]);
    EXPECT_EQ(std::string(expected), m_boxes.Boxes()[i].text) << i;
    EXPECT_EQ(std::string(AfxGetAppName()), m_boxes.Boxes()[i].caption) << i;
  }
  // Printing changed nothing: no blocks, no undo step, no modified mark, no setting.
  EXPECT_EQ(0, m_document->GetBlockList().GetSize());
  EXPECT_EQ(0, m_view->GetUndoManager()->GetStepCount());
  EXPECT_FALSE(m_document->IsModified());
  EXPECT_EQ(3, g_settings.GetInt(CLibBookDlg::kSection, "StartNo", 0));
  g_settings.WriteString(CLibBookDlg::kSection, nullptr, nullptr);
}

}  // namespace

// The sheets of the job above, drawn by Ghostscript at 10 pixels per millimetre
// (printed_pages.sh): the six graphics of the kind on two sheets, four and two, each inside
// its cell and filling it one way, a number under each, and nothing anywhere else. The
// printable area's corner, where the page starts, is the printer's.
TEST(PrintedLibraryPage, TheKindFillsTheCellsOfTwoSheetsWithNumberedGraphics) {
  const char* folder = getenv("TALVEX_PRINTED_PAGES");
  if (!folder) GTEST_SKIP() << "needs the printed pages (printed_pages.sh)";
  CPrinterChoice printer;
  ASSERT_TRUE(printer.IsAvailable());
  const PrinterMetrics metrics = printer.Metrics();
  const float pixelsPerMm = 10, slack = 0.6f;
  auto area = [&](float left, float top, float right, float bottom) {
    return RECT{static_cast<LONG>((metrics.borders[0] + left - slack) * pixelsPerMm),
                static_cast<LONG>((metrics.borders[1] + top - slack) * pixelsPerMm),
                static_cast<LONG>((metrics.borders[0] + right + slack) * pixelsPerMm),
                static_cast<LONG>((metrics.borders[1] + bottom + slack) * pixelsPerMm)};
  };
  const size_t graphicsOnPage[] = {4, 2};
  for (int page = 0; page < 3; ++page) {
    PgmPicture picture;
    bool read = picture.Read(std::string(folder) + "/job1-page" + std::to_string(page + 1) +
                             ".pgm");
    if (page == 2) {
      EXPECT_FALSE(read) << "a third sheet";
      break;
    }
    ASSERT_TRUE(read) << page;
    RECT all, inside;
    ASSERT_TRUE(picture.Ink(&all));
    for (size_t cell = 0; cell < 4; ++cell) {
      const float x = kCellX[cell % 2], y = kCellY[cell / 2];
      const RECT graphic = area(x, y, x + kCellWidth, y + kCellHeight);
      const RECT number = area(x + kNumberIndent, y + kNumberTop, x + kCellWidth,
                               y + kNumberBottom);
      if (cell >= graphicsOnPage[page]) continue;
      ASSERT_TRUE(picture.Ink(&inside, graphic)) << "page " << page << " cell " << cell;
      const float wide = (inside.right - inside.left) / pixelsPerMm;
      const float tall = (inside.bottom - inside.top) / pixelsPerMm;
      EXPECT_TRUE(wide > kCellWidth - 1 || tall > kCellHeight - 1)
          << "page " << page << " cell " << cell << ": " << wide << " x " << tall;
      EXPECT_TRUE(picture.Ink(&inside, number)) << "page " << page << " cell " << cell;
    }
    // Nothing outside the cells in use (the second sheet's second row is empty).
    const float lastY = kCellY[(graphicsOnPage[page] - 1) / 2];
    const RECT used = area(kCellX[0], kCellY[0], kCellX[1] + kCellWidth, lastY + kNumberBottom);
    EXPECT_GE(all.left, used.left) << page;
    EXPECT_GE(all.top, used.top) << page;
    EXPECT_LE(all.right, used.right) << page;
    EXPECT_LE(all.bottom, used.bottom) << page;
  }
}
