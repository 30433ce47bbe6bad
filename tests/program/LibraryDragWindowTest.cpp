// Dragging a graphic out of the library browser onto the drawing view behind it, in the editor's
// main frame under Xvfb, with mouse messages to the browser (press in a cell, moves across the
// screen, release): the graphic lands with its top left at the drop point, at 100 pixels of the
// zoom or at its stored size, in one undo step, and the browser stays open. A click, a release
// over the browser, Escape, a lost capture or a view editing a block add nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <utility>

#include "EditorWindowTest.h"
#include "TestLibraryFolder.h"
#include "editor/dialogs/LibInfoDlg.h"
#include "model/blocks/LibBlock.h"
#include "model/blocks/RectBlock.h"
#include "support/ModalDialogDriver.h"

namespace {

const UINT kUndoCommand = 57643;

// The mouse as the browser sees it while it holds the capture, in its client coordinates.
struct BrowserMouse {
  HWND dialog;
  POINT at = {0, 0};

  void Send(UINT message, WPARAM keys) {
    POINT client = at;
    ScreenToClient(dialog, &client);
    SendMessageA(dialog, message, keys, MAKELPARAM(client.x, client.y));
  }
  POINT CellCentre(int cell) {
    RECT rect;
    GetWindowRect(GetDlgItem(dialog, IDC_LIB_CELL_FIRST + cell), &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  void Press(int cell) {
    at = CellCentre(cell);
    Send(WM_LBUTTONDOWN, MK_LBUTTON);
  }
  // In steps along a straight line.
  void MoveTo(POINT to, int steps) {
    POINT from = at;
    for (int i = 1; i <= steps; ++i) {
      at = {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
      Send(WM_MOUSEMOVE, MK_LBUTTON);
    }
  }
  void Release() { Send(WM_LBUTTONUP, 0); }
};

class LibraryDragWindowTest : public EditorWindowTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(m_libraries.Mount("BOXES.LIB"));
    m_boxesType = m_libraries.BoxesType();
    m_symbolsType = m_libraries.SymbolsType();
    ASSERT_NO_FATAL_FAILURE(OpenEditorWindow());
    m_view->ZoomToRect(CFRect(0, 0, 200, 150));
    m_scale = static_cast<float>(m_view->GetScale());
    ASSERT_GT(std::fabs(m_scale - 1.0f), 0.2f);
    m_main->SendMessage(WM_COMMAND, ID_TOOL_LIBRARY);
    PumpMessages();
  }
  void TearDown() override { CloseEditorWindow(); }
  POINT ScreenOf(float x, float y) {
    FPOINT page = {x, y};
    POINT point;
    m_view->GetDisplayMatrix()->TransformPointToInt(&page, &point);
    ClientToScreen(m_view->m_hWnd, &point);
    return point;
  }
  // The library tool's click on the drawing opens the browser on a source type and kind.
  void RunBrowser(int type, int kind, std::function<void(CLibInfoDlg*, BrowserMouse&)> action) {
    ModalDialogDriver driver;
    driver.Then([&](CDialog* dialog) {
      for (int id : {IDC_LIB_TYPE, IDC_LIB_KIND}) {
        SendDlgItemMessageA(dialog->m_hWnd, id, CB_SETCURSEL, id == IDC_LIB_TYPE ? type : kind, 0);
        dialog->SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(GetDlgItem(dialog->m_hWnd, id)));
      }
      BrowserMouse mouse{dialog->m_hWnd};
      action(dynamic_cast<CLibInfoDlg*>(dialog), mouse);
      EXPECT_TRUE(dialog->IsWindowVisible());
      dialog->PostMessage(WM_COMMAND, IDCANCEL);
    });
    m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 300));
    m_view->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    PumpMessages();
    EXPECT_EQ(1, driver.Shown());
  }
  INT_PTR BlockCount() { return m_document->GetBlockList().GetSize(); }
  CLibBlock* LastBlock() {
    return dynamic_cast<CLibBlock*>(m_document->GetBlockList().GetBlock(BlockCount() - 1));
  }

  TestLibraryFolder m_libraries;
  int m_boxesType = 0, m_symbolsType = 0;
  float m_scale = 1.0f;
};

TEST_F(LibraryDragWindowTest, ADroppedGraphicLandsAtTheDropPointInOneUndoStep) {
  POINT drop = ScreenOf(23.5f, 41.0f);
  RunBrowser(m_boxesType, 0, [&](CLibInfoDlg* browser, BrowserMouse& mouse) {
    RECT over;
    GetWindowRect(browser->m_hWnd, &over);
    ASSERT_FALSE(PtInRect(&over, drop)) << "the drop point lies under the browser";
    // The fourth move with the button held starts the drag; over the browser it is refused.
    mouse.Press(1);
    EXPECT_EQ(1, browser->GetChosenNumber());
    mouse.MoveTo({mouse.at.x + 30, mouse.at.y + 20}, 3);
    EXPECT_FALSE(browser->IsDragging());
    mouse.MoveTo({mouse.at.x + 1, mouse.at.y + 2}, 1);
    EXPECT_TRUE(browser->IsDragging());
    EXPECT_FALSE(g_dragTracker.IsAccepted());
    mouse.MoveTo(drop, 5);
    EXPECT_TRUE(g_dragTracker.IsAccepted());
    RECT picture;
    GetWindowRect(browser->GetDragImage().m_hWnd, &picture);
    EXPECT_EQ(drop.x - 3, picture.left);
    EXPECT_EQ(drop.y - 3, picture.top);
    EXPECT_EQ(100 + 6, picture.bottom - picture.top);
    mouse.Release();
    EXPECT_FALSE(browser->GetDragImage().IsShown());
    EXPECT_EQ(nullptr, GetCapture());
    ASSERT_EQ(1, BlockCount());
    CLibBlock* box = LastBlock();
    EXPECT_EQ(m_boxesType, box->m_source);
    EXPECT_EQ(0, box->m_group);
    EXPECT_EQ(1, box->m_item);
    EXPECT_EQ(1, box->m_selected);
    EXPECT_NEAR(23.5f, box->m_box.left, m_scale);
    EXPECT_NEAR(41.0f, box->m_box.top, m_scale);
    EXPECT_NEAR(100.0f * m_scale / 3.0f, box->m_box.Width(), 0.01f * m_scale);
    EXPECT_NEAR(100.0f * m_scale, box->m_box.Height(), 0.01f * m_scale);
    EXPECT_TRUE(m_document->IsModified());
    m_view->SendMessage(WM_COMMAND, kUndoCommand);
    EXPECT_EQ(0, BlockCount());
  });
  // The shipped star (stored size 57 x 54 mm) keeps its size where it is dropped.
  RunBrowser(m_symbolsType, 2, [&](CLibInfoDlg*, BrowserMouse& mouse) {
    mouse.Press(0);
    mouse.MoveTo(ScreenOf(57.25f, 12.5f), 6);
    mouse.Release();
  });
  ASSERT_EQ(1, BlockCount());
  EXPECT_EQ(m_symbolsType, LastBlock()->m_source);
  EXPECT_NEAR(57.25f, LastBlock()->m_box.left, m_scale);
  EXPECT_NEAR(12.5f, LastBlock()->m_box.top, m_scale);
  EXPECT_NEAR(57.0f, LastBlock()->m_box.Width(), 0.05f);
}

TEST_F(LibraryDragWindowTest, AClickOrADragThatEndsAnywhereButOverAFreeViewAddsNothing) {
  POINT drop = ScreenOf(31.0f, 17.5f);
  CRectBlock edited;
  RunBrowser(m_boxesType, 0, [&](CLibInfoDlg* browser, BrowserMouse& mouse) {
    mouse.Press(1);  // three moves are a click
    mouse.MoveTo(drop, 3);
    mouse.Release();
    mouse.Press(1);  // released over the browser
    mouse.MoveTo(drop, 5);
    mouse.MoveTo(mouse.CellCentre(4), 2);
    EXPECT_FALSE(g_dragTracker.IsAccepted());
    mouse.Release();
    mouse.Press(1);  // Escape
    mouse.MoveTo(drop, 5);
    browser->SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_FALSE(browser->IsDragging());
    mouse.Release();
    mouse.Press(1);  // the capture taken away
    mouse.MoveTo(drop, 5);
    SetCapture(m_view->m_hWnd);
    EXPECT_FALSE(browser->GetDragImage().IsShown());
    ReleaseCapture();
    mouse.Release();
    m_view->SetEditBlock(&edited);  // a block under edit refuses
    mouse.Press(1);
    mouse.MoveTo(drop, 5);
    EXPECT_FALSE(g_dragTracker.IsAccepted());
    mouse.Release();
    m_view->SetEditBlock(nullptr);
  });
  EXPECT_EQ(0, BlockCount());
  EXPECT_FALSE(m_document->IsModified());
}

}  // namespace
