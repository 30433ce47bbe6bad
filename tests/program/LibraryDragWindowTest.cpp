// Dragging a graphic out of the library browser onto the drawing, in the editor's main frame under
// Xvfb, with real mouse messages to the browser: the press in a cell, moves across the screen and
// the release over the drawing view behind. The view takes the graphic with its box's top left at
// the drop point, at 100 pixels of its zoom (a library without stored sizes) or at its own size,
// selected, in one undo step; the browser stays open. A release without a drag, over the browser,
// after Escape or a lost capture, or over a view editing a block adds nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "EditorWindowTest.h"
#include "editor/dialogs/LibInfoDlg.h"
#include "media/library/LibraryFile.h"
#include "media/library/PicLibrary.h"
#include "model/blocks/LibBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/geometry/Contour.h"
#include "model/settings/ProgramPaths.h"
#include "support/ClientPicture.h"
#include "support/ModalDialogDriver.h"
#include "support/TempFolder.h"

namespace {

const UINT kUndoCommand = 57643;
const int kSignsKind = 2;
// Version 6.0: a 40 x 20 and a 10 x 30 rectangle in kind 0.
const int kTallGraphic = 1;

void WriteOldLibrary(const std::string& path) {
  ASSERT_TRUE(CreateLibraryFile(path.c_str(), library::MakeLibraryHeader(6.0f, "Old")));
  CPicLibrary library;
  ASSERT_TRUE(library.OpenFile(path.c_str()));
  library::KindRecord kind;
  library::SetFixedText(kind.chineseName, sizeof kind.chineseName, "Boxes", true);
  library::SetFixedText(kind.englishName, sizeof kind.englishName, "Boxes", true);
  ASSERT_TRUE(library.AddKind(kind));
  const float sizes[2][2] = {{40.0f, 20.0f}, {10.0f, 30.0f}};
  for (const auto& size : sizes) {
    CContour box;
    box.AppendPoint(MakePointRecord(0, 0, 0x11));
    box.AppendPoint(MakePointRecord(size[0], 0, 0x01));
    box.AppendPoint(MakePointRecord(size[0], size[1], 0x01));
    box.AppendPoint(MakePointRecord(0, size[1], 0x01));
    box.AppendPoint(MakePointRecord(0, 0, 0x41));
    box.AppendEndMark();
    ASSERT_TRUE(library.PutGraphic(0, &box, nullptr));
  }
}

// Lets every window paint, for a picture of the screen. The real pointer's messages are left
// alone: the pointer has no button held, and a move of it would end the drag.
void PaintWithoutMouse() {
  DWORD start = GetTickCount();
  MSG msg;
  while (GetTickCount() - start < 300) {
    while (PeekMessageA(&msg, nullptr, 0, WM_MOUSEFIRST - 1, PM_REMOVE) ||
           PeekMessageA(&msg, nullptr, WM_MOUSELAST + 1, 0xFFFFFFFF, PM_REMOVE))
      DispatchMessageA(&msg);
    Sleep(10);
  }
}

LPARAM ClientParam(HWND window, POINT screen) {
  ScreenToClient(window, &screen);
  return MAKELPARAM(static_cast<short>(screen.x), static_cast<short>(screen.y));
}

POINT CellCentre(HWND dialog, int cell) {
  RECT rect;
  GetWindowRect(GetDlgItem(dialog, IDC_LIB_CELL_FIRST + cell), &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The mouse as the browser sees it while it holds the capture: every message comes to it, in
// its client coordinates.
struct BrowserMouse {
  HWND dialog;
  POINT at = {0, 0};

  void Press(int cell) {
    at = CellCentre(dialog, cell);
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, ClientParam(dialog, at));
  }
  // Moves there in steps along a straight line.
  void MoveTo(POINT to, int steps) {
    POINT from = at;
    for (int i = 1; i <= steps; ++i) {
      at = {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
      SendMessageA(dialog, WM_MOUSEMOVE, MK_LBUTTON, ClientParam(dialog, at));
    }
  }
  void Release() { SendMessageA(dialog, WM_LBUTTONUP, 0, ClientParam(dialog, at)); }
};

class LibraryDragWindowTest : public EditorWindowTest {
protected:
  void SetUp() override {
    char folder[MAX_PATH];
    ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
    std::string symbols = std::string(folder) + "program\\MOUNTLIB\\SYMBOLS.LIB";
    ASSERT_TRUE(CopyFileA(symbols.c_str(), m_libraries.File("SYMBOLS.LIB").c_str(), FALSE));
    ASSERT_NO_FATAL_FAILURE(WriteOldLibrary(m_libraries.File("OLD60.LIB")));
    m_keptFolder = g_settings.GetString("PATH", "MOUNTLIB", "");
    g_settings.WriteString("PATH", "MOUNTLIB", m_libraries.Path().c_str());
    ASSERT_EQ(2, g_mountLibList.Scan());
    for (int n = 0; n < 2; ++n) {
      CString name;
      g_mountLibList.GetFileName(n, name);
      (name == CString("SYMBOLS.LIB") ? m_symbolsType : m_oldType) = n + 2;
    }
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow());
    // A zoom far from 1, so that a missing scale shows.
    m_view->ZoomToRect(CFRect(0, 0, 200, 150));
    m_scale = static_cast<float>(m_view->GetScale());
    ASSERT_GT(std::abs(m_scale - 1.0f), 0.2f);
    m_main->SendMessage(WM_COMMAND, ID_TOOL_LIBRARY);
    PumpMessages();
  }
  void TearDown() override {
    CloseEditorWindow();
    g_settings.WriteString("PATH", "MOUNTLIB", m_keptFolder.IsEmpty() ? nullptr : m_keptFolder);
    g_mountLibList.Scan();
  }
  // The screen point of a page point of the view.
  POINT ScreenOf(float x, float y) {
    FPOINT page = {x, y};
    POINT point;
    m_view->GetDisplayMatrix()->TransformPointToInt(&page, &point);
    ClientToScreen(m_view->m_hWnd, &point);
    return point;
  }
  // The library tool's click on the drawing brings up the browser, which gets the action.
  void RunBrowser(ModalDialogDriver::Action action) {
    ModalDialogDriver driver;
    driver.Then(std::move(action));
    POINT click = {300, 300};
    LPARAM where = MAKELPARAM(click.x, click.y);
    m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, where);
    m_view->SendMessage(WM_LBUTTONUP, 0, where);
    PumpMessages();
    EXPECT_EQ(1, driver.Shown());
    EXPECT_EQ(0, driver.Stuck());
  }
  INT_PTR BlockCount() { return m_document->GetBlockList().GetSize(); }
  CLibBlock* LastLibBlock() {
    INT_PTR count = BlockCount();
    return count ? dynamic_cast<CLibBlock*>(m_document->GetBlockList().GetBlock(count - 1))
                 : nullptr;
  }

  TempFolder m_libraries{"MOUNTLIB"};
  CString m_keptFolder;
  int m_symbolsType = 0, m_oldType = 0;
  float m_scale = 1.0f;
};

TEST_F(LibraryDragWindowTest, AGraphicDroppedOnTheViewLandsAtTheDropPointInOneUndoStep) {
  const float dropX = 23.5f, dropY = 41.0f;
  RunBrowser([&](CDialog* dialog) {
    auto* browser = dynamic_cast<CLibInfoDlg*>(dialog);
    ASSERT_NE(nullptr, browser);
    HWND window = dialog->m_hWnd;
    SendDlgItemMessageA(window, IDC_LIB_TYPE, CB_SETCURSEL, m_oldType, 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_LIB_TYPE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_LIB_TYPE)));
    POINT drop = ScreenOf(dropX, dropY);
    RECT over;
    GetWindowRect(window, &over);
    ASSERT_FALSE(PtInRect(&over, drop)) << "the drop point lies under the browser";
    BrowserMouse mouse{window};

    // Three moves with the button held are still a click; the fourth starts the drag, and the
    // picture follows the pointer. Over the browser itself the drop is refused.
    mouse.Press(kTallGraphic);
    EXPECT_EQ(kTallGraphic, browser->GetChosenNumber());
    POINT inside = CellCentre(window, 6);
    mouse.MoveTo(inside, 3);
    EXPECT_FALSE(browser->IsDragging());
    EXPECT_EQ(window, GetCapture());
    mouse.MoveTo({inside.x + 1, inside.y + 2}, 1);
    ASSERT_TRUE(browser->IsDragging());
    EXPECT_TRUE(g_dragTracker.IsActive());
    EXPECT_FALSE(g_dragTracker.IsAccepted());
    mouse.MoveTo(drop, 5);
    EXPECT_TRUE(g_dragTracker.IsAccepted());
    ASSERT_TRUE(browser->GetDragImage().IsShown());
    RECT picture;
    GetWindowRect(browser->GetDragImage().m_hWnd, &picture);
    EXPECT_LT(picture.left, drop.x);
    EXPECT_GE(picture.left, drop.x - 4);
    EXPECT_LT(picture.top, drop.y);
    EXPECT_GE(picture.top, drop.y - 4);
    // 100 pixels high, a third of that wide.
    EXPECT_NEAR(100 + 6, picture.bottom - picture.top, 1);
    EXPECT_NEAR(33 + 6, picture.right - picture.left, 1);
    PaintWithoutMouse();
    CreateDirectoryA("screenshots", nullptr);
    SaveClientPicture(GetDesktopWindow(), "screenshots\\library_drag.bmp");
    mouse.Release();

    EXPECT_FALSE(browser->IsDragging());
    EXPECT_FALSE(browser->GetDragImage().IsShown());
    EXPECT_FALSE(g_dragTracker.IsActive());
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(IsWindowVisible(window));
    ASSERT_EQ(1, BlockCount());
    CLibBlock* block = LastLibBlock();
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(m_oldType, block->m_source);
    EXPECT_EQ(0, block->m_group);
    EXPECT_EQ(kTallGraphic, block->m_item);
    EXPECT_EQ(1, block->m_selected);
    EXPECT_NEAR(dropX, block->m_box.left, m_scale);
    EXPECT_NEAR(dropY, block->m_box.top, m_scale);
    EXPECT_NEAR(100.0f * m_scale, block->m_box.Height(), 0.01f * m_scale);
    EXPECT_NEAR(100.0f * m_scale / 3.0f, block->m_box.Width(), 0.01f * m_scale);
    EXPECT_TRUE(m_document->IsModified());
    m_view->SendMessage(WM_COMMAND, kUndoCommand);
    EXPECT_EQ(0, BlockCount());

    // A second drag of the other graphic, dropped on the same spot: the choice moves with it.
    mouse.Press(0);
    mouse.MoveTo(drop, 6);
    mouse.Release();
    ASSERT_EQ(1, BlockCount());
    EXPECT_EQ(0, LastLibBlock()->m_item);
    EXPECT_NEAR(100.0f * m_scale, LastLibBlock()->m_box.Width(), 0.01f * m_scale);
    EXPECT_NEAR(50.0f * m_scale, LastLibBlock()->m_box.Height(), 0.01f * m_scale);
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  EXPECT_EQ(1, BlockCount());
}

TEST_F(LibraryDragWindowTest, NoDragNoDropOverTheBrowserEscapeOrAnEditedBlockAddsNothing) {
  RunBrowser([&](CDialog* dialog) {
    auto* browser = dynamic_cast<CLibInfoDlg*>(dialog);
    ASSERT_NE(nullptr, browser);
    HWND window = dialog->m_hWnd;
    SendDlgItemMessageA(window, IDC_LIB_TYPE, CB_SETCURSEL, m_oldType, 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_LIB_TYPE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_LIB_TYPE)));
    POINT drop = ScreenOf(31.0f, 17.5f);
    BrowserMouse mouse{window};

    // Three moves are no drag, even when they end over the view.
    mouse.Press(1);
    mouse.MoveTo(drop, 3);
    mouse.Release();
    // A drag released over the browser.
    mouse.Press(1);
    mouse.MoveTo(drop, 5);
    mouse.MoveTo(CellCentre(window, 4), 2);
    EXPECT_FALSE(g_dragTracker.IsAccepted());
    mouse.Release();
    // Escape (the browser's cancel) and a lost capture end the drag, not the browser.
    mouse.Press(1);
    mouse.MoveTo(drop, 5);
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(browser->IsDragging());
    EXPECT_EQ(nullptr, GetCapture());
    mouse.Release();
    mouse.Press(1);
    mouse.MoveTo(drop, 5);
    SetCapture(m_view->m_hWnd);
    EXPECT_FALSE(browser->IsDragging());
    EXPECT_FALSE(browser->GetDragImage().IsShown());
    ReleaseCapture();
    mouse.Release();
    // A view with a block under edit refuses.
    CRectBlock edited;
    m_view->SetEditBlock(&edited);
    mouse.Press(1);
    mouse.MoveTo(drop, 5);
    EXPECT_FALSE(g_dragTracker.IsAccepted());
    mouse.Release();
    m_view->SetEditBlock(nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(0, BlockCount());
    EXPECT_FALSE(m_document->IsModified());
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  EXPECT_EQ(0, BlockCount());
}

TEST_F(LibraryDragWindowTest, AGraphicWithItsStoredSizeKeepsItWhereItIsDropped) {
  const float dropX = 57.25f, dropY = 12.5f;
  RunBrowser([&](CDialog* dialog) {
    HWND window = dialog->m_hWnd;
    SendDlgItemMessageA(window, IDC_LIB_TYPE, CB_SETCURSEL, m_symbolsType, 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_LIB_TYPE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_LIB_TYPE)));
    SendDlgItemMessageA(window, IDC_LIB_KIND, CB_SETCURSEL, kSignsKind, 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_LIB_KIND, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_LIB_KIND)));
    BrowserMouse mouse{window};
    mouse.Press(0);
    mouse.MoveTo(ScreenOf(dropX, dropY), 6);
    mouse.Release();
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  ASSERT_EQ(1, BlockCount());
  CLibBlock* star = LastLibBlock();
  ASSERT_NE(nullptr, star);
  EXPECT_EQ(m_symbolsType, star->m_source);
  EXPECT_EQ(kSignsKind, star->m_group);
  EXPECT_EQ(0, star->m_item);
  // The shipped star keeps its 57 x 54 mm.
  EXPECT_NEAR(dropX, star->m_box.left, m_scale);
  EXPECT_NEAR(dropY, star->m_box.top, m_scale);
  EXPECT_NEAR(57.0f, star->m_box.Width(), 0.05f);
  EXPECT_NEAR(54.0f, star->m_box.Height(), 0.05f);
}

}  // namespace
