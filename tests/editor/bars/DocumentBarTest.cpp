// The document tab bar under Xvfb, fed by its own documents through the document source: keeping
// its tab records in step with the documents, hit testing, scrolling, what a press, a double
// click and a tool tip do, and a bar squeezed to no width. The bar is a child of a plain window;
// no application or main frame is involved.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "editor/bars/DocumentSource.h"
#include "editor/bars/xDocumentBar.h"
#include "framework/Document.h"
#include "support/MessagePump.h"

namespace {

const int kBarWidth = 300;
const int kBarHeight = 26;

class FakeDocuments : public CDocumentSource {
public:
  std::vector<CDocument*> open;
  CDocument* active = nullptr;
  std::vector<CDocument*> activated;
  int closes = 0;

  int GetCount() const override { return static_cast<int>(open.size()); }
  CDocument* GetAt(int index) const override {
    return index >= 0 && index < GetCount() ? open[static_cast<size_t>(index)] : nullptr;
  }
  CDocument* GetActive() const override { return active; }
  void Activate(CDocument* document) override { activated.push_back(document); }
  void CloseActive() override { ++closes; }
};

class DocumentBar : public ::testing::Test {
protected:
  void SetUp() override {
    auto source = std::make_unique<FakeDocuments>();
    m_documents = source.get();
    m_bar = std::make_unique<xCDocumentBar>(std::move(source));
    m_parent.CreateEx(0, AfxRegisterWndClass(0), "tabs", WS_POPUP | WS_VISIBLE, 900, 40, 400, 60,
                      nullptr, nullptr);
    ASSERT_TRUE(m_bar->Create(&m_parent, TBSTYLE_FLAT,
                              WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_SIZE_FIXED,
                              CRect(0, 0, 0, 0), xCDocumentBar::kControlId));
    Resize(kBarWidth);
  }
  void TearDown() override {
    m_bar.reset();
    m_parent.DestroyWindow();
    for (CDocument* document : m_owned) delete document;
  }

  void Resize(int width) { m_bar->MoveWindow(0, 0, width, kBarHeight); }
  CDocument* Open(const char* title, const char* path = "") {
    auto* document = new CDocument;
    document->SetTitle(title);
    if (*path) document->SetPathName(path, FALSE);
    m_owned.push_back(document);
    m_documents->open.push_back(document);
    m_documents->active = document;
    return document;
  }
  // The client point in the middle of tab i, as laid out now.
  CPoint TabCentre(int i) {
    CRect rect = m_bar->GetTab(i).rect;
    rect.OffsetRect(m_bar->GetTabArea().left - m_bar->GetScrollOffset(), 0);
    return rect.CenterPoint();
  }
  void Press(CPoint point, UINT message = WM_LBUTTONDOWN) {
    m_bar->SendMessage(message, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    m_bar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  }

  CWnd m_parent;
  std::unique_ptr<xCDocumentBar> m_bar;
  FakeDocuments* m_documents = nullptr;
  std::vector<CDocument*> m_owned;
};

}  // namespace

TEST_F(DocumentBar, FollowsTheDocumentsAndNamesEachKindOfDifference) {
  CDocument* first = Open("One", "C:\\one.T42");
  CDocument* second = Open("Two");
  EXPECT_EQ(256, m_bar->Compare());
  EXPECT_EQ(2, m_bar->LayoutTabs());
  EXPECT_EQ(0, m_bar->Compare());

  second->SetModifiedFlag(TRUE);
  EXPECT_EQ(1, m_bar->Compare());
  m_bar->LayoutTabs();
  second->SetTitle("Renamed");
  EXPECT_EQ(4, m_bar->Compare());
  m_bar->LayoutTabs();
  first->SetPathName("C:\\moved.T42", FALSE);
  EXPECT_EQ(3, m_bar->Compare());
  m_bar->LayoutTabs();
  std::swap(m_documents->open[0], m_documents->open[1]);
  EXPECT_EQ(2, m_bar->Compare());
  m_bar->LayoutTabs();

  // The active document is recorded by a repaint; a change of it alone makes the bar stale.
  m_bar->UpdateWindow();
  m_bar->Invalidate(FALSE);
  m_bar->UpdateWindow();
  EXPECT_EQ(0, m_bar->IsStale());
  m_documents->active = first;
  EXPECT_EQ(1, m_bar->IsStale());
}

TEST_F(DocumentBar, AModifiedDocumentShowsAStarWithoutChangingItsTabsWidth) {
  CDocument* document = Open("Drawing");
  m_bar->LayoutTabs();
  const int width = m_bar->GetTab(0).rect.Width();
  EXPECT_EQ("Drawing", std::string(xCDocumentBar::TabLabel(m_bar->GetTab(0))));
  document->SetModifiedFlag(TRUE);
  m_bar->LayoutTabs();
  EXPECT_EQ("*Drawing", std::string(xCDocumentBar::TabLabel(m_bar->GetTab(0))));
  EXPECT_EQ(width, m_bar->GetTab(0).rect.Width());
}

TEST_F(DocumentBar, HitTestsTabsButtonsAndStripInTheirBands) {
  CDocument* first = Open("First");
  Open("Second");  // active
  m_bar->LayoutTabs();
  const int top = m_bar->GetTabArea().top;  // 3
  const CRect firstTab = m_bar->GetTab(0).rect;
  const CRect secondTab = m_bar->GetTab(1).rect;
  const int left = m_bar->GetTabArea().left;
  CRect client;
  m_bar->GetClientRect(client);
  const int h = client.bottom;
  ASSERT_LE(h - 6, top + 17);
  struct Case {
    CPoint point;
    int code;
  };
  // clang-format off
  const Case cases[] = {
      {TabCentre(0), 0},
      {TabCentre(1), 1},
      {CPoint(left + firstTab.left + 2, top), -1},       // an inactive tab's top rows
      {CPoint(left + firstTab.left + 2, top + 2), 0},
      {CPoint(left + secondTab.left + 2, top), 1},       // the active tab's do count
      {CPoint(kBarWidth - 12, top + 2), -2},             // close
      {CPoint(kBarWidth - 40, top + 10), -3},            // scroll left
      {CPoint(kBarWidth - 26, top + 17), -1},            // below the band
      {CPoint(kBarWidth - 26, top + 16), -4},            // scroll right
      {CPoint(kBarWidth - 50, top + 5), -1},             // in the band, on no button
      {CPoint(kBarWidth - 50, h - 6), -1},      // ... even in the strip's rows
      {CPoint(20, h - 6), -5},                  // the strip
      {CPoint(20, h), -5},
      {CPoint(20, 1), -1},
  };
  // clang-format on
  for (const Case& c : cases) {
    UINT flags = 0;
    EXPECT_EQ(c.code, m_bar->HitTest(c.point, &flags)) << c.point.x << "," << c.point.y;
    EXPECT_EQ(c.code >= 0 ? xCDocumentBar::kTabHitFlags : xCDocumentBar::kHitFlags, flags);
  }
  // Between a change of the documents and the next repaint nothing is hit.
  m_documents->open.push_back(first);
  EXPECT_EQ(-1, m_bar->HitTest(TabCentre(0), nullptr));
  m_documents->open.clear();
  EXPECT_EQ(-1, m_bar->HitTest(CPoint(kBarWidth - 12, top + 2), nullptr));
}

TEST_F(DocumentBar, ScrollsByThreeQuartersOfTheAreaAndStopsAtTheEnds) {
  for (int i = 0; i < 12; ++i) Open("A rather long document title");
  m_bar->LayoutTabs();
  const int area = m_bar->GetTabArea().Width();
  const int end = m_bar->GetTab(11).rect.right;
  ASSERT_GT(end, 3 * area);

  m_bar->ScrollLeft();
  EXPECT_EQ(0, m_bar->GetScrollOffset());
  m_bar->ScrollRight();
  EXPECT_EQ(area * 3 / 4, m_bar->GetScrollOffset());
  m_bar->ScrollLeft();
  EXPECT_EQ(0, m_bar->GetScrollOffset());
  // Close to the end a step goes exactly to the end.
  while (end >= m_bar->GetScrollOffset() + 1.75 * area) m_bar->ScrollRight();
  m_bar->ScrollRight();
  EXPECT_EQ(end - area, m_bar->GetScrollOffset());

  m_bar->ScrollToRatio(0.0);
  EXPECT_EQ(0, m_bar->GetScrollOffset());
  m_bar->ScrollToRatio(1.0);
  EXPECT_EQ(m_bar->GetTotalWidth() - area, m_bar->GetScrollOffset());
  m_bar->ScrollToRatio(0.5);
  EXPECT_EQ(static_cast<int>(m_bar->GetTotalWidth() * 0.5 - area / 2), m_bar->GetScrollOffset());

  m_bar->EnsureVisible(0);
  EXPECT_EQ(0, m_bar->GetScrollOffset());
  m_bar->EnsureVisible(11);
  EXPECT_EQ(end - area, m_bar->GetScrollOffset());
}

TEST_F(DocumentBar, TabsThatFitDoNotScroll) {
  Open("Short");
  m_bar->LayoutTabs();
  m_bar->ScrollLeft();
  EXPECT_EQ(0, m_bar->GetScrollOffset());
  m_bar->ScrollRight();
  EXPECT_EQ(0, m_bar->GetScrollOffset());
}

TEST_F(DocumentBar, APressActivatesTheTabsDocumentOnlyWhileItIsStillOpenThere) {
  CDocument* first = Open("First");
  Open("Second");
  m_bar->LayoutTabs();
  Press(TabCentre(0));
  ASSERT_EQ(1u, m_documents->activated.size());
  EXPECT_EQ(first, m_documents->activated[0]);

  // Another document took the first one's place since the last repaint: its record is stale.
  m_documents->open[0] = Open("Third");
  m_documents->open.pop_back();
  Press(TabCentre(0));
  EXPECT_EQ(1u, m_documents->activated.size());
  EXPECT_EQ(0, m_documents->closes);
}

TEST_F(DocumentBar, TheCloseButtonAndADoubleClickOnATabCloseTheActiveDocument) {
  Open("First");
  Open("Second");
  m_bar->LayoutTabs();
  Press(CPoint(kBarWidth - 12, m_bar->GetTabArea().top + 5));
  EXPECT_EQ(1, m_documents->closes);
  Press(TabCentre(1), WM_LBUTTONDBLCLK);
  EXPECT_EQ(2, m_documents->closes);
  // With nothing open the close button is not there to press.
  m_documents->open.clear();
  Press(CPoint(kBarWidth - 12, m_bar->GetTabArea().top + 5));
  EXPECT_EQ(2, m_documents->closes);
}

TEST_F(DocumentBar, ToolTipsNameTheWholePathAndTheButtons) {
  std::string path = "C:\\" + std::string(120, 'd') + "\\drawing.T42";
  Open("drawing.T42", path.c_str());
  Open("Untitled");
  m_bar->LayoutTabs();
  BOOL handled = FALSE;
  EXPECT_EQ(path, std::string(m_bar->ToolTipText(0, &handled)));
  EXPECT_TRUE(handled);
  EXPECT_EQ("", std::string(m_bar->ToolTipText(1, &handled)));
  EXPECT_EQ("关闭", std::string(m_bar->ToolTipText(-2, &handled)));
  EXPECT_FALSE(handled);
  EXPECT_EQ("向左滚动", std::string(m_bar->ToolTipText(-3, &handled)));
  EXPECT_EQ("向右滚动", std::string(m_bar->ToolTipText(-4, &handled)));
  EXPECT_EQ("滚动条", std::string(m_bar->ToolTipText(-5, &handled)));
  EXPECT_EQ("", std::string(m_bar->ToolTipText(-1, &handled)));

  // The request gets the bar's own text, not a copy cut to its 80 bytes.
  CPoint centre = TabCentre(0);
  m_bar->ClientToScreen(&centre);
  // The pointer goes back where it was: other tests read its position.
  POINT saved = {};
  GetCursorPos(&saved);
  SetCursorPos(centre.x, centre.y);
  NMTTDISPINFOA request = {};
  request.hdr.code = TTN_NEEDTEXTA;
  request.hdr.hwndFrom = m_bar->GetToolTipWindow();
  m_bar->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
  SetCursorPos(saved.x, saved.y);
  ASSERT_NE(nullptr, request.lpszText);
  EXPECT_EQ(path, std::string(request.lpszText));
}

TEST_F(DocumentBar, ABarWithoutWidthPaintsAndTakesPressesInItsStrip) {
  for (int i = 0; i < 5; ++i) Open("Document");
  Resize(0);
  m_bar->Invalidate(FALSE);
  m_bar->UpdateWindow();
  Press(CPoint(0, kBarHeight - 2));
  m_bar->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, kBarHeight - 2));
  EXPECT_EQ(0, m_bar->GetScrollOffset());
  PumpMessages();
}

TEST_F(DocumentBar, RepaintingAfterADocumentOpensScrollsTheActiveTabIntoView) {
  for (int i = 0; i < 10; ++i) Open("Another long document title");
  m_bar->Invalidate(FALSE);
  m_bar->UpdateWindow();
  const int area = m_bar->GetTabArea().Width();
  EXPECT_EQ(m_bar->GetTab(9).rect.right - area, m_bar->GetScrollOffset());
  EXPECT_EQ(0, m_bar->IsStale());
}
