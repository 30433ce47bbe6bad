// The graphics libraries in the editor's main frame under Xvfb, with the program's objects and
// resources and a library folder of the test's own holding the shipped library (SYMBOLS.LIB) and
// a version 6.0 library: a symbol picked on the property bar's library page lands on the page,
// is undone, saves, opens again and reaches the cutter; the library tool's browser places a
// graphic into the dragged rectangle; the drawing is added to a library kind; the conversion
// dialog copies a library and refuses to write over it. Message boxes are captured.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42Frame.h"
#include "editor/TALVEX42View.h"
#include "editor/cut/CUTView.h"
#include "editor/cut/CutFrame.h"
#include "editor/dialogs/LibConvertDlg.h"
#include "editor/dialogs/LibInfoDlg.h"
#include "editor/dialogs/LibSelectDlg.h"
#include "framework/MultiDocTemplate.h"
#include "media/library/LibraryFile.h"
#include "media/library/PicLibrary.h"
#include "model/blocks/LibBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/Contour.h"
#include "model/settings/ProgramPaths.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"
#include "support/TempFolder.h"

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

// A version 6.0 library of one kind with a 40 x 20 and a 10 x 30 rectangle.
void WriteOldLibrary(const std::string& path) {
  ASSERT_TRUE(CreateLibraryFile(path.c_str(), library::MakeLibraryHeader(6.0f, "Old")));
  CPicLibrary library;
  ASSERT_TRUE(library.OpenFile(path.c_str()));
  library::KindRecord kind;
  library::SetFixedText(kind.chineseName, sizeof kind.chineseName, "Boxes", true);
  library::SetFixedText(kind.englishName, sizeof kind.englishName, "Boxes", true);
  ASSERT_TRUE(library.AddKind(kind));
  for (float size : {20.0f, 30.0f}) {
    CContour box;
    float width = size == 20.0f ? 40.0f : 10.0f;
    box.AppendPoint(MakePointRecord(0, 0, 0x11));
    box.AppendPoint(MakePointRecord(width, 0, 0x01));
    box.AppendPoint(MakePointRecord(width, size, 0x01));
    box.AppendPoint(MakePointRecord(0, size, 0x01));
    box.AppendPoint(MakePointRecord(0, 0, 0x41));
    box.AppendEndMark();
    ASSERT_TRUE(library.PutGraphic(0, &box, nullptr));
  }
}

class LibraryWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    char folder[MAX_PATH];
    ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
    m_program = std::string(folder) + "program\\";
    ASSERT_TRUE(CopyFileA((m_program + "MOUNTLIB\\SYMBOLS.LIB").c_str(),
                          m_libraries.File("SYMBOLS.LIB").c_str(), FALSE));
    WriteOldLibrary(m_libraries.File("OLD60.LIB"));
    m_keptFolder = g_settings.GetString("PATH", "MOUNTLIB", "");
    g_settings.WriteString("PATH", "MOUNTLIB", m_libraries.Path().c_str());
    ASSERT_EQ(2, g_mountLibList.Scan());
    for (int n = 0; n < 2; ++n) {
      CString name;
      g_mountLibList.GetFileName(n, name);
      (name == CString("SYMBOLS.LIB") ? m_symbolsType : m_oldType) = n + 2;
    }
    if (!theApp.GetDocTemplate())
      theApp.AddDocTemplate(new CMultiDocTemplate(IDR_TALVEXTYPE, RUNTIME_CLASS(CTALVEX42Doc),
                                                  RUNTIME_CLASS(CTALVEX42Frame),
                                                  RUNTIME_CLASS(CTALVEX42View)));
    m_main = new CMDIMainFrame;
    ASSERT_TRUE(m_main->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    theApp.m_pMainWnd = m_main;
    m_main->MoveWindow(0, 0, 1000, 700);
    m_main->ShowWindow(SW_SHOW);
    POSITION position = theApp.GetFirstDocTemplatePosition();
    m_template = static_cast<CMultiDocTemplate*>(theApp.GetNextDocTemplate(position));
    ASSERT_NE(nullptr, m_template);
    m_untitledCount = m_template->m_nUntitledCount;
    m_main->SendMessage(WM_COMMAND, ID_FILE_NEW);
    PumpMessages();
    FindDocument();
  }
  void TearDown() override {
    PumpMessages();
    theApp.CloseAllDocuments(FALSE);
    if (theApp.m_pMainWnd) theApp.m_pMainWnd->DestroyWindow();
    theApp.m_pMainWnd = nullptr;
    PumpMessages();
    if (m_template) m_template->m_nUntitledCount = m_untitledCount;
    g_settings.WriteString("PATH", "MOUNTLIB", m_keptFolder.IsEmpty() ? nullptr : m_keptFolder);
    g_mountLibList.Scan();
  }
  void FindDocument() {
    m_document = static_cast<CTALVEX42Doc*>(m_main->GetActiveDocument());
    ASSERT_NE(nullptr, m_document);
    m_view = static_cast<CTALVEX42View*>(m_main->GetActiveFrame()->GetActiveView());
    ASSERT_NE(nullptr, m_view);
  }
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
  CLibBlock* OnlyLibBlock(CTALVEX42Doc* document) {
    if (document->GetBlockList().GetSize() != 1) return nullptr;
    return dynamic_cast<CLibBlock*>(document->GetBlockList().GetBlock(0));
  }

  TempFolder m_libraries{"MOUNTLIB"};
  TempFolder m_files;
  std::string m_program;
  CString m_keptFolder;
  int m_symbolsType = 0, m_oldType = 0;
  MessageBoxCapture m_boxes;
  CMultiDocTemplate* m_template = nullptr;
  int m_untitledCount = 0;
  CMDIMainFrame* m_main = nullptr;
  CTALVEX42Doc* m_document = nullptr;
  CTALVEX42View* m_view = nullptr;
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
  ASSERT_NE(nullptr, theApp.OpenDocumentFile(saved.c_str()));
  PumpMessages();
  FindDocument();
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

TEST_F(LibraryWindowTest, TheBrowserPlacesAGraphicIntoTheDraggedRectangleOrAtAHundredPixels) {
  m_main->SendMessage(WM_COMMAND, ID_TOOL_LIBRARY);
  PumpMessages();
  int oldType = m_oldType;
  ModalDialogDriver driver;
  auto chooseSecond = [oldType](CDialog* dialog) {
    Choose(dialog->m_hWnd, IDC_LIB_TYPE, oldType);
    auto* browser = dynamic_cast<CLibInfoDlg*>(dialog);
    ASSERT_NE(nullptr, browser);
    EXPECT_EQ(0, browser->GetFirstNumber());
    browser->ChooseCell(1);
    EXPECT_EQ(1, browser->GetChosenNumber());
    dialog->PostMessage(WM_COMMAND, IDOK);
  };
  driver.Then(chooseSecond);
  Drag(100, 100, 160, 130);
  PumpMessages();
  EXPECT_EQ(1, driver.Shown());
  CLibBlock* fitted = OnlyLibBlock(m_document);
  ASSERT_NE(nullptr, fitted);
  EXPECT_EQ(1, fitted->m_item);
  // A 10 x 30 rectangle stretched into the 60 x 30 that was dragged (to a pixel).
  float pixel = static_cast<float>(m_view->GetScale());
  EXPECT_NEAR(100.0f, fitted->m_box.left, pixel);
  EXPECT_NEAR(60.0f, fitted->m_box.Width(), 2 * pixel);
  EXPECT_NEAR(30.0f, fitted->m_box.Height(), 2 * pixel);

  // A click has no rectangle: 100 pixels along the larger side, in the graphic's proportions.
  driver.Then(chooseSecond);
  m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PixelOf(200, 50));
  m_view->SendMessage(WM_LBUTTONUP, 0, PixelOf(200, 50));
  PumpMessages();
  ASSERT_EQ(2, m_document->GetBlockList().GetSize());
  CBlock* placed = m_document->GetBlockList().GetBlock(1);
  EXPECT_NEAR(100.0f * pixel, placed->m_box.Height(), 0.01f * pixel);
  EXPECT_NEAR(100.0f * pixel / 3.0f, placed->m_box.Width(), 0.01f * pixel);
  EXPECT_EQ(0, driver.Stuck());
}

TEST_F(LibraryWindowTest, TheDrawingIsAddedToTheChosenKindButNeverToAFont) {
  auto* rect = new CRectBlock;
  rect->m_rect = rect->m_box = CFRect(10, 20, 110, 70);
  m_document->AddBlock(rect);
  CLibSelectDlg* page = OpenLibraryPage();
  ASSERT_NE(nullptr, page);
  Choose(page->m_hWnd, IDC_LIB_TYPE, m_oldType);
  m_view->SendMessage(WM_COMMAND, ID_LIBRARY_ADD_ARTWORK);
  EXPECT_EQ(0u, m_boxes.Count());
  EXPECT_EQ(3, SendDlgItemMessageA(page->m_hWnd, IDC_LIB_GRAPHIC, CB_GETCOUNT, 0, 0));
  EXPECT_EQ(ID_TOOL_SELECT, m_view->GetCurrentTool());
  CPicLibrary library;
  ASSERT_TRUE(library.OpenFile(m_libraries.File("OLD60.LIB").c_str()));
  std::unique_ptr<CContour> added(library.ReadGraphic(0, 2, nullptr));
  ASSERT_NE(nullptr, added);
  // Scaled to 2047 along its larger side.
  EXPECT_NEAR(2047.0f, added->GetBox().Width(), 1.0f);
  EXPECT_NEAR(1023.0f, added->GetBox().Height(), 1.5f);

  Choose(page->m_hWnd, IDC_LIB_TYPE, 1);
  m_view->SendMessage(WM_COMMAND, ID_LIBRARY_ADD_ARTWORK);
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_EQ("不能将图形加入Window字库中!", m_boxes.Last().text);
  EXPECT_EQ(ID_TOOL_SELECT, m_view->GetCurrentTool());
}

TEST_F(LibraryWindowTest, TheConversionCopiesALibraryAndNeverWritesOverIt) {
  TempFolder output;
  int oldEntry = m_oldType - 2;
  auto convertInto = [oldEntry](const std::string& folder) {
    return [oldEntry, folder](CDialog* dialog) {
      Choose(dialog->m_hWnd, IDC_CONVERT_LIBRARY, oldEntry);
      SetDlgItemTextA(dialog->m_hWnd, IDC_CONVERT_PATH, folder.c_str());
      SetDlgItemTextA(dialog->m_hWnd, IDC_CONVERT_VERSION, "6.1");
      SetDlgItemTextA(dialog->m_hWnd, IDC_CONVERT_CHINESE_NAME, "新");
      dialog->SendMessage(WM_COMMAND, IDOK);
      dialog->PostMessage(WM_COMMAND, IDCANCEL);
    };
  };
  std::string before = FileText(m_libraries.File("OLD60.LIB"));
  ModalDialogDriver driver;
  driver.Then(convertInto(output.Path()));
  driver.Then(convertInto(m_libraries.Path()));
  m_view->SendMessage(WM_COMMAND, ID_LIBRARY_CONVERT);
  PumpMessages();
  m_view->SendMessage(WM_COMMAND, ID_LIBRARY_CONVERT);
  PumpMessages();
  EXPECT_EQ(2, driver.Shown());
  EXPECT_EQ(0, driver.Stuck());

  CPicLibrary copy;
  ASSERT_TRUE(copy.OpenFile(output.File("OLD60.LIB").c_str()));
  EXPECT_FLOAT_EQ(6.1f, copy.GetVersion());
  EXPECT_STREQ("新", copy.GetHeader().titles[0]);
  ASSERT_EQ(1, copy.GetKindCount());
  EXPECT_EQ(2, copy.GetGraphicCount(0));
  std::unique_ptr<CContour> second(copy.ReadGraphic(0, 1, nullptr));
  ASSERT_NE(nullptr, second);
  EXPECT_NEAR(30.0f, second->GetBox().Height(), 0.05f);
  // Into its own folder: refused, and the library is as it was.
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_EQ(before, FileText(m_libraries.File("OLD60.LIB")));
  EXPECT_EQ("6.1000", std::string(g_settings.GetString(CLibConvertDlg::kSection, "VER", "")));
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

}  // namespace
