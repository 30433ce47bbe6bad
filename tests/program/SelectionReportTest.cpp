// What the selection tool tells the rest of the program when the mouse button comes up, in the
// program's main frame under Xvfb: the selected block's panel in the property window, its size in
// the status bar and the property bar's page for it (a block with the empty panel shows none of
// them), and the kind of the selection in the status bar's type pane.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorWindowTest.h"
#include "editor/MDIMainFrame.h"
#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/bars/PropertyWnd.h"
#include "model/CurveTestSupport.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/records/BlockRecord.h"
#include "resources/Resource.h"
#include "support/ClientPicture.h"
#include "support/MessagePump.h"
#include "text/TextBlock.h"
#include "text/layout/CharBox.h"
#include "text/layout/TextDefaults.h"

namespace {

const UINT kOwnPanel = 4242;

// A main frame that keeps the sizes and type names it is sent.
class ReportRecordingFrame : public CMDIMainFrame {
public:
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == ID_STATUS_SIZE && lParam) {
      const float* size = reinterpret_cast<const float*>(lParam);
      sizes.push_back({size[0], size[1]});
    }
    if (LOWORD(wParam) == ID_STATUS_TYPE && lParam)
      typeNames.push_back(reinterpret_cast<const char*>(lParam));
    return CMDIMainFrame::OnCommand(wParam, lParam);
  }
  std::vector<FPOINT> sizes;
  std::vector<std::string> typeNames;
};

// A library-type rectangle with a panel of its own: a plain child window marked with its id.
class PanelledBlock : public CRectBlock {
public:
  PanelledBlock() { m_type = kLibBlock; }
  UINT GetPanelId() override { return kOwnPanel; }
  HWND CreatePanel(HWND parent) override {
    HWND panel = ::CreateWindowExA(0, "STATIC", "own", WS_CHILD | WS_VISIBLE, 0, 0, 120, 20, parent,
                                   nullptr, nullptr, nullptr);
    ::SetWindowLongPtrA(panel, GWLP_USERDATA, kOwnPanel);
    return panel;
  }
};

class SelectionReport : public EditorWindowTest {
protected:
  void SetUp() override {
    ASSERT_NO_FATAL_FAILURE(OpenMainFrame(m_frame = new ReportRecordingFrame, 900, 640));
    m_frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
    PumpMessages();
    OpenView(m_frame->GetActiveDocument());
  }
  void TearDown() override {
    if (g_propertyWnd) g_propertyWnd->DestroyWindow();
    CloseEditorWindow();
  }

  LPARAM PixelAt(float x, float y) {
    FPOINT page = {x, y};
    POINT pixel;
    m_view->GetDisplayMatrix()->TransformPointToInt(&page, &pixel);
    return MAKELPARAM(pixel.x, pixel.y);
  }
  void ClickAt(float x, float y) {
    const LPARAM at = PixelAt(x, y);
    m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    m_view->SendMessage(WM_LBUTTONUP, 0, at);
    PumpMessages();
  }

  // The main frame as its own kind.
  ReportRecordingFrame* m_frame = nullptr;
};

}  // namespace

TEST_F(SelectionReport, AClickShowsTheBlocksPanelSizeAndPageUnlessItsPanelIsTheEmptyOne) {
  m_frame->SendMessage(WM_COMMAND, ID_VIEW_PROPERTY_WINDOW);
  ASSERT_NE(nullptr, g_propertyWnd);
  PumpMessages();
  auto* library = new PanelledBlock;
  library->m_rect = library->m_box = CFRect(20, 20, 60, 40);
  m_document->AddBlock(library);
  auto* plain = new CRectBlock;
  plain->m_rect = plain->m_box = CFRect(100, 20, 140, 40);
  m_document->AddBlock(plain);
  CPropertyBar& bar = m_frame->GetPropertyBar();
  ASSERT_EQ(static_cast<UINT>(CPropertyBar::kTextPage), bar.GetCurrentPage());

  ClickAt(20, 30);
  ASSERT_EQ(1, library->m_selected);
  EXPECT_EQ(static_cast<UINT>(CPropertyBar::kLibraryPage), bar.GetCurrentPage());
  HWND panel = ::GetWindow(g_propertyWnd->m_hWnd, GW_CHILD);
  ASSERT_NE(nullptr, panel);
  EXPECT_EQ(static_cast<LONG_PTR>(kOwnPanel), ::GetWindowLongPtrA(panel, GWLP_USERDATA));
  ASSERT_FALSE(m_frame->sizes.empty());
  EXPECT_FLOAT_EQ(40.0f, m_frame->sizes.back().x);
  EXPECT_FLOAT_EQ(20.0f, m_frame->sizes.back().y);
  EXPECT_FALSE(m_frame->typeNames.empty());

  bar.SwitchPage(CPropertyBar::kTextPage);
  ClickAt(100, 30);
  ASSERT_EQ(1, plain->m_selected);
  EXPECT_EQ(0, library->m_selected);
  EXPECT_EQ(static_cast<UINT>(CPropertyBar::kTextPage), bar.GetCurrentPage());
  EXPECT_EQ(panel, ::GetWindow(g_propertyWnd->m_hWnd, GW_CHILD)) << "the panel stays as it was";
}

TEST_F(SelectionReport, TheTypePaneNamesTheSelectedKindSaysSeveralAndEmptiesWithTheSelection) {
  CTextBlock* text = CTextBlock::CreateAt(0, 20, 20, 80, 40);
  CCharBox* box = new CCharBox;
  box->Init(0, 'A', CTextDefaults::Global());
  text->InsertChar(box);
  text->Relayout(m_view, -1);
  m_document->AddBlock(text);
  m_document->AddBlock(MakeSquareCurve(150, 20, 30));
  auto pane = [&] { return std::string(m_frame->GetStatusBar().GetPaneText(4)); };

  CFRect textBox = text->m_box;
  ClickAt((textBox.left + textBox.right) / 2, (textBox.top + textBox.bottom) / 2);
  ASSERT_EQ(1, text->m_selected);
  EXPECT_EQ("文字块", pane());
  ClickAt(150, 35);
  EXPECT_EQ("曲线块", pane());
  // A band around both, from an empty corner of the page.
  const LPARAM from = PixelAt(5, 5), to = PixelAt(200, 120);
  m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, from);
  m_view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, to);
  m_view->SendMessage(WM_LBUTTONUP, 0, to);
  PumpMessages();
  EXPECT_EQ(1, text->m_selected);
  EXPECT_EQ("多个块", pane());
  ClickAt(300, 300);
  EXPECT_EQ(0, text->m_selected);
  EXPECT_EQ("", pane());
}

// The size and type panes speak of the active drawing's selection: they keep it while another
// drawing closes, and give their names back, as at start-up, when the last one closes.
TEST_F(SelectionReport, ClosingTheLastDrawingGivesTheSizeAndTypePanesTheirNamesBack) {
  auto* rect = new CRectBlock;
  rect->m_rect = rect->m_box = CFRect(100, 20, 140, 45);
  m_document->AddBlock(rect);
  CStatusBar& status = m_frame->GetStatusBar();
  auto panes = [&] {
    return std::vector<std::string>{std::string(status.GetPaneText(2)),
                                    std::string(status.GetPaneText(3)),
                                    std::string(status.GetPaneText(4))};
  };
  ClickAt(100, 30);
  ASSERT_EQ(1, rect->m_selected);
  const std::vector<std::string> selected = panes();
  EXPECT_EQ("宽:40.0", selected[0]);
  EXPECT_EQ("高:25.0", selected[1]);
  EXPECT_NE("物件类型", selected[2]);

  m_frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  PumpMessages();
  ASSERT_NE(m_document, m_frame->GetActiveDocument());
  m_frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  PumpMessages();
  ASSERT_EQ(m_document, m_frame->GetActiveDocument());
  EXPECT_EQ(selected, panes());

  m_document->SetModifiedFlag(FALSE);
  m_frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  PumpMessages();
  ASSERT_EQ(nullptr, m_frame->GetActiveDocument());
  EXPECT_EQ((std::vector<std::string>{"物件宽度", "物件高度", "物件类型"}), panes());
}

// Drawing a new shape lets the selection go, its handles with it, and the type pane names what is
// being drawn, never the block selected before nor one of another drawing.
TEST_F(SelectionReport, DrawingAShapeNamesItAndTheOldSelectionLetsGo) {
  m_document->AddBlock(MakeSquareCurve(100, 20, 30));
  CStatusBar& status = m_frame->GetStatusBar();
  auto pane = [&] { return std::string(status.GetPaneText(4)); };
  ClickAt(100, 35);
  ASSERT_EQ("曲线块", pane());
  // The top-left handle of the selection: a black square 8 pixels off the box's corner.
  const LPARAM corner = PixelAt(100, 20);
  const int x = LOWORD(corner), y = HIWORD(corner);
  const RECT handle = {x - 10, y - 10, x - 6, y - 6};
  auto handleShown = [&] {
    for (DWORD pixel : ClientPixels(m_view->m_hWnd, handle))
      if ((pixel & 0xFFFFFF) != 0) return false;
    return true;
  };
  ASSERT_TRUE(handleShown());

  // Another drawing with nothing selected: the pane follows it.
  m_frame->SendMessage(WM_COMMAND, ID_FILE_NEW);
  PumpMessages();
  EXPECT_EQ("", pane());
  m_frame->SendMessage(WM_COMMAND, ID_FILE_CLOSE);
  PumpMessages();
  ASSERT_EQ(m_document, m_frame->GetActiveDocument());
  EXPECT_EQ("曲线块", pane());

  m_view->SendMessage(WM_COMMAND, ID_TOOL_RECT);
  PumpMessages();
  const LPARAM from = PixelAt(20, 60), to = PixelAt(60, 90);
  m_view->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, from);
  m_view->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, to);
  PumpMessages();
  CString rectangle;
  GetBlockTypeName(kRectBlock, rectangle);
  EXPECT_EQ(std::string(rectangle), pane());
  m_view->SendMessage(WM_LBUTTONUP, 0, to);
  PumpMessages();
  ASSERT_EQ(2, m_document->GetBlockList().GetSize());
  EXPECT_EQ(0, m_document->GetBlockList().GetBlock(0)->m_selected);
  EXPECT_FALSE(handleShown());
}
