#include "editor/bars/xDocumentBar.h"

#include "editor/bars/AppDocumentSource.h"
#include "framework/Bitmap.h"
#include "framework/ClientDC.h"
#include "framework/DC.h"
#include "framework/Document.h"
#include "framework/PaintDC.h"
#include "model/editing/DrawUtils.h"

IMPLEMENT_DYNAMIC(xCDocumentBar, CControlBar)

// clang-format off
BEGIN_MESSAGE_MAP(xCDocumentBar, CControlBar)
  ON_WM_PAINT()
  ON_WM_SIZE()
  ON_WM_DRAWITEM()
  ON_NOTIFY(TTN_NEEDTEXTA, 0, OnNeedText)
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_MOUSEMOVE()
  ON_WM_LBUTTONUP()
  ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeaveMessage)
END_MESSAGE_MAP()
// clang-format on

namespace {

// Compare's codes.
const int kSame = 0;
const int kOtherModified = 1;
const int kOtherDocument = 2;
const int kOtherPath = 3;
const int kOtherTitle = 4;
const int kOtherCount = 256;

// Owner-draw states of the tabs.
const UINT kActiveTabState = ODS_SELECTED | ODS_CHECKED;
const UINT kOtherTabState = ODS_DEFAULT;
const UINT kActiveTabBits = 1 | 8;

// The buttons' band: from T + 2 to T + 17 (T the tab area's top), 14 pixels wide each.
const int kBandTop = 2;
const int kBandBottom = 17;
const int kButtonsWidth = 47;
const int kInactiveTabDrop = 2;
const double kScrollStep = 0.75;
const double kScrollRightReach = 1.75;

const UINT kStoredStyleMask = 0x0040FFFF;
const UINT kWindowStyleMask = 0xFFBF004E;
const UINT kControlStyles = 0x4E;  // CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE

class PenScope {
public:
  PenScope(CDC* dc, HGDIOBJ pen) : m_dc(dc), m_old(dc->SelectObject(pen)) {}
  ~PenScope() { m_dc->SelectObject(m_old); }
  void Select(HGDIOBJ pen) { m_dc->SelectObject(pen); }

private:
  CDC* m_dc;
  HGDIOBJ m_old;
};

void Line(CDC* dc, int x0, int y0, int x1, int y1) {
  dc->MoveTo(x0, y0);
  dc->LineTo(x1, y1);
}

}  // namespace

xCDocumentBar::xCDocumentBar() : xCDocumentBar(std::make_unique<CAppDocumentSource>()) {}

xCDocumentBar::xCDocumentBar(std::unique_ptr<CDocumentSource> source)
    : m_source(std::move(source)) {}

xCDocumentBar::~xCDocumentBar() {
  // The window goes first: its last messages still use the pens.
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
  m_tabs.clear();
  for (HPEN pen : {m_darkPen, m_lightPen, m_shadowPen})
    if (pen) ::DeleteObject(pen);
}

BOOL xCDocumentBar::Create(CWnd* parent, DWORD ctrlStyle, DWORD barStyle, const RECT& borders,
                           UINT id) {
  SetBorders(&borders);
  // The bar draws its own edges: a frame border would take the rows the labels need.
  m_dwStyle = barStyle & kStoredStyleMask & ~CBRS_BORDER_ANY;
  if (id == AFX_IDW_TOOLBAR) m_dwStyle |= CBRS_HIDE_INPLACE;
  const DWORD windowStyle = (barStyle & kWindowStyleMask) | ctrlStyle | kControlStyles;
  if (!CreateEx(0, ControlBarClassName(), nullptr, windowStyle, CRect(0, 0, 25, 100), parent, id))
    return FALSE;
  if (m_dwStyle & CBRS_TOOLTIPS) EnableToolTips(TRUE);
  m_darkPen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DDKSHADOW));
  m_lightPen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNHIGHLIGHT));
  m_shadowPen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
  m_font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  return TRUE;
}

CSize xCDocumentBar::CalcFixedLayout(BOOL, BOOL horz) {
  return horz ? CSize(32767, m_barHeight) : CSize(m_barHeight, 32767);
}

void xCDocumentBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {
  if (IsStale()) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

// ---- Documents and tab records ----

int xCDocumentBar::Compare() const {
  const int count = m_source->GetCount();
  if (count != GetTabCount()) return kOtherCount;
  for (int i = 0; i < count; ++i) {
    CDocument* document = m_source->GetAt(i);
    const DocTab& tab = m_tabs[static_cast<size_t>(i)];
    if (tab.document != document) return kOtherDocument;
    if (tab.path != document->GetPathName()) return kOtherPath;
    if (tab.title != document->GetTitle()) return kOtherTitle;
    if ((tab.modified != FALSE) != (document->IsModified() != FALSE)) return kOtherModified;
  }
  return kSame;
}

int xCDocumentBar::IsStale() const {
  if (m_source->GetActive() != m_activeDocument) return 1;
  return Compare();
}

int xCDocumentBar::Synchronise() {
  const int count = m_source->GetCount();
  m_tabs.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    CDocument* document = m_source->GetAt(i);
    DocTab& tab = m_tabs[static_cast<size_t>(i)];
    tab.document = document;
    tab.path = document->GetPathName();
    tab.title = document->GetTitle();
    tab.modified = document->IsModified();
  }
  return count;
}

int xCDocumentBar::LayoutTabs() {
  Synchronise();
  std::unique_ptr<CClientDC> dc;
  HGDIOBJ oldFont = nullptr;
  if (m_fixedTabWidth == 0 && m_hWnd) {
    dc = std::make_unique<CClientDC>(this);
    oldFont = dc->SelectObject(m_font ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
  }
  int x = 0;
  m_totalWidth = 0;
  for (DocTab& tab : m_tabs) {
    int width = m_fixedTabWidth;
    if (width == 0) {
      // The "*" is always measured: a tab keeps its width when its document becomes modified.
      CString measured = tab.title + "*";
      width = m_spaceBefore + m_spaceAfter + (dc ? dc->GetTextExtent(measured).cx : 0);
    }
    tab.rect.SetRect(x, m_tabArea.top, x + width, m_tabArea.bottom);
    m_totalWidth += width + m_gap;
    x = m_totalWidth;
  }
  if (dc) dc->SelectObject(oldFont);
  return GetTabCount();
}

CString xCDocumentBar::TabLabel(const DocTab& tab) {
  return tab.modified ? "*" + tab.title : tab.title;
}

// ---- Geometry and hit testing ----

int xCDocumentBar::ClientWidth() const {
  CRect client;
  if (m_hWnd) GetClientRect(client);
  return client.Width();
}

void xCDocumentBar::RecalcButtonRects() {
  CRect client;
  GetClientRect(client);
  const int w = client.right;
  const int m = client.bottom / 2;
  m_closeRect.SetRect(w - 19, m - 7, w - 5, m + 7);
  m_scrollLeftRect.SetRect(w - 47, m - 7, w - 33, m + 7);
  m_scrollRightRect.SetRect(w - 33, m - 7, w - 19, m + 7);
  m_stripRect.SetRect(0, m_tabArea.bottom, w, client.bottom);
}

bool xCDocumentBar::VisibleTabRect(int index, CRect* rect, bool* past) const {
  const DocTab& tab = m_tabs[static_cast<size_t>(index)];
  *past = tab.rect.left >= m_scrollOffset + TabAreaWidth();
  if (*past || tab.rect.right <= m_scrollOffset) return false;
  *rect = tab.rect;
  rect->OffsetRect(m_tabArea.left - m_scrollOffset, 0);
  return true;
}

int xCDocumentBar::HitTest(CPoint point, UINT* flags) const {
  const int count = m_source->GetCount();
  if (count != GetTabCount() || count == 0) return kNothing;
  if (flags) *flags = kHitFlags;
  if (m_tabArea.PtInRect(point)) {
    CDocument* active = m_source->GetActive();
    for (int i = 0; i < GetTabCount(); ++i) {
      CRect rect;
      bool past = false;
      if (!VisibleTabRect(i, &rect, &past)) {
        if (past) return kNothing;
        continue;
      }
      if (m_tabs[static_cast<size_t>(i)].document != active) rect.top += kInactiveTabDrop;
      if (rect.PtInRect(point)) {
        if (flags) *flags = kTabHitFlags;
        return i;
      }
    }
    return kNothing;
  }
  CRect client;
  GetClientRect(client);
  const int w = client.right;
  const int t = m_tabArea.top;
  if (point.y >= t + kBandTop && point.y <= t + kBandBottom && point.x >= m_tabArea.right) {
    const CRect close(w - 19, t + kBandTop, w - 5, t + kBandBottom);
    const CRect right(w - 33, t + kBandTop, w - 19, t + kBandBottom);
    const CRect left(w - 47, t + kBandTop, w - 33, t + kBandBottom);
    if (close.PtInRect(point)) return kCloseButton;
    if (right.PtInRect(point)) return kScrollRightButton;
    if (left.PtInRect(point)) return kScrollLeftButton;
    return kNothing;
  }
  if (point.y >= m_tabArea.bottom && point.y <= client.bottom) return kScrollStrip;
  return kNothing;
}

CDocument* xCDocumentBar::GetItemRect(int code, CRect* rect) const {
  if (code >= 0) {
    const DocTab& tab = m_tabs.at(static_cast<size_t>(code));
    *rect = tab.rect;
    return tab.document;
  }
  switch (code) {
    case kNothing:
      rect->SetRectEmpty();
      break;
    case kCloseButton:
      *rect = m_closeRect;
      break;
    case kScrollLeftButton:
      *rect = m_scrollLeftRect;
      break;
    case kScrollRightButton:
      *rect = m_scrollRightRect;
      break;
    case kScrollStrip:
      *rect = m_stripRect;
      break;
    default:
      break;
  }
  return nullptr;
}

INT_PTR xCDocumentBar::OnToolHitTest(CPoint point, TOOLINFOA* info) const {
  int code = HitTest(point, nullptr);
  if (info) {
    info->hwnd = m_hWnd;
    info->uId = static_cast<UINT_PTR>(static_cast<INT_PTR>(code));
    info->lpszText = LPSTR_TEXTCALLBACKA;
    info->uFlags = TTF_NOTBUTTON;
    CRect rect;
    GetItemRect(code, &rect);
    info->rect = rect;
  }
  return code;
}

// ---- Scrolling ----

void xCDocumentBar::ClampOffset() {
  if (m_scrollOffset + TabAreaWidth() > m_totalWidth)
    m_scrollOffset = m_totalWidth - TabAreaWidth();
  if (m_scrollOffset < 0) m_scrollOffset = 0;
}

void xCDocumentBar::ScrollToRatio(double ratio) {
  m_scrollOffset = static_cast<int>(m_totalWidth * ratio - TabAreaWidth() / 2);
  if (m_scrollOffset < 0) m_scrollOffset = 0;
  ClampOffset();
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void xCDocumentBar::ScrollLeft() {
  if (m_scrollOffset == 0) return;
  m_scrollOffset -= static_cast<int>(TabAreaWidth() * kScrollStep);
  if (m_scrollOffset < 0) m_scrollOffset = 0;
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void xCDocumentBar::ScrollRight() {
  const int lastRight = m_tabs.empty() ? 0 : m_tabs.back().rect.right;
  const int area = TabAreaWidth();
  if (lastRight >= m_scrollOffset + kScrollRightReach * area)
    m_scrollOffset += static_cast<int>(area * kScrollStep);
  else
    m_scrollOffset = lastRight - area;
  if (m_scrollOffset < 0) m_scrollOffset = 0;
  if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void xCDocumentBar::EnsureVisible(int index) {
  if (index < 0 || index >= GetTabCount()) return;
  const CRect& rect = m_tabs[static_cast<size_t>(index)].rect;
  if (rect.left >= m_scrollOffset && rect.right <= m_scrollOffset + TabAreaWidth()) return;
  m_scrollOffset = rect.right < m_scrollOffset ? rect.left : rect.right - TabAreaWidth();
}

// ---- Painting ----

void xCDocumentBar::OnSize(UINT, int cx, int cy) {
  m_tabArea.SetRect(m_leftMargin, m_topMargin, cx - m_rightMargin, cy - m_bottomMargin);
  RecalcButtonRects();
  Default();
}

void xCDocumentBar::OnPaint() {
  CPaintDC paint(this);
  m_activeDocument = m_source->GetActive();
  const int difference = IsStale();
  LayoutTabs();
  if (difference == kOtherCount) EnsureVisible(m_source->IndexOf(m_activeDocument));

  CRect client;
  GetClientRect(client);
  CDC memory;
  CBitmap picture;
  if (!memory.CreateCompatibleDC(&paint) ||
      !picture.CreateCompatibleBitmap(&paint, client.Width(), client.Height()))
    return;
  CBitmap* oldBitmap = memory.SelectObject(&picture);
  HGDIOBJ oldFont = memory.SelectObject(m_font ? m_font : ::GetStockObject(DEFAULT_GUI_FONT));
  DrawBackground(&memory);
  for (int i = 0; i < GetTabCount(); ++i) {
    CRect rect;
    bool past = false;
    if (!VisibleTabRect(i, &rect, &past)) {
      if (past) break;
      continue;
    }
    CRect visible;
    if (!visible.IntersectRect(rect, m_tabArea)) continue;
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = kControlId;
    item.itemID = static_cast<UINT>(i);
    item.itemState = m_tabs[static_cast<size_t>(i)].document == m_activeDocument ? kActiveTabState
                                                                                 : kOtherTabState;
    item.hwndItem = m_hWnd;
    item.hDC = memory.m_hDC;
    item.rcItem = rect;
    if (item.rcItem.left < m_tabArea.left) item.rcItem.left = m_tabArea.left;
    if (item.rcItem.right > m_tabArea.right) item.rcItem.right = m_tabArea.right;
    item.itemData = reinterpret_cast<ULONG_PTR>(m_tabs[static_cast<size_t>(i)].document);
    DrawTab(&memory, &item);
  }
  paint.BitBlt(0, 0, client.Width() - 2, client.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(oldFont);
  memory.SelectObject(oldBitmap);
}

void xCDocumentBar::DrawBackground(CDC* dc) {
  CRect client;
  GetClientRect(client);
  const int w = client.right;
  const int h = client.bottom;
  dc->FillSolidRect(client, m_background);
  {
    PenScope pen(dc, ::GetStockObject(WHITE_PEN));
    Line(dc, 0, 1, w, 1);
    Line(dc, 0, h - 6, w, h - 6);
    pen.Select(m_shadowPen);
    Line(dc, 0, 0, w, 0);
  }
  dc->FillSolidRect(CRect(0, h - 6 + 1, w, h), ::GetSysColor(COLOR_BTNFACE));
  dc->FillSolidRect(CRect(0, 3, m_leftMargin, h), ::GetSysColor(COLOR_BTNFACE));
  {
    PenScope pen(dc, m_shadowPen);
    Line(dc, m_leftMargin, 3, m_leftMargin, h - 6 + 1);
    Line(dc, m_leftMargin / 2, 3, m_leftMargin / 2, h - 6 + 1);
  }
  ClampOffset();
  const int area = TabAreaWidth();
  if (m_totalWidth > 0 && static_cast<double>(area) / m_totalWidth < 1.0) {
    dc->FillSolidRect(CRect(0, m_tabArea.bottom + 1, w, h - 1), ::GetSysColor(COLOR_3DDKSHADOW));
    const int left = static_cast<int>(static_cast<double>(w) * m_scrollOffset / m_totalWidth);
    const int right = static_cast<int>(static_cast<double>(w) * (area + m_scrollOffset) /
                                       m_totalWidth);
    dc->FillSolidRect(CRect(left, m_tabArea.bottom + 2, right, h - 2), m_thumbColour);
  }
  DrawButtons(dc);
}

void xCDocumentBar::DrawButtons(CDC* dc) {
  HGDIOBJ black = ::GetStockObject(BLACK_PEN);
  const bool anyTab = !m_tabs.empty();
  PenScope pen(dc, anyTab ? black : m_darkPen);
  const int cl = m_closeRect.left, ct = m_closeRect.top;
  Line(dc, cl + 4, ct + 4, cl + 11, ct + 11);
  Line(dc, cl + 5, ct + 4, cl + 12, ct + 11);
  Line(dc, cl + 10, ct + 4, cl + 3, ct + 11);
  Line(dc, cl + 11, ct + 4, cl + 4, ct + 11);

  const int lastRight = anyTab ? m_tabs.back().rect.right : 0;
  const int rl = m_scrollRightRect.left, rt = m_scrollRightRect.top;
  if (lastRight > m_scrollOffset + TabAreaWidth()) {
    pen.Select(black);
    for (int i = 0; i <= 3; ++i) Line(dc, rl + 5 + i, rt + 3 + i, rl + 5 + i, rt + 11 - i);
  } else {
    pen.Select(m_darkPen);
    POINT outline[] = {{rl + 5, rt + 3}, {rl + 9, rt + 7}, {rl + 5, rt + 11}, {rl + 5, rt + 3}};
    dc->Polyline(outline, 4);
  }
  const int ll = m_scrollLeftRect.left, lt = m_scrollLeftRect.top;
  if (m_scrollOffset != 0) {
    pen.Select(black);
    for (int i = 0; i <= 3; ++i) Line(dc, ll + 9 - i, lt + 3 + i, ll + 9 - i, lt + 11 - i);
  } else {
    pen.Select(m_darkPen);
    POINT outline[] = {{ll + 9, lt + 3}, {ll + 5, lt + 7}, {ll + 9, lt + 11}, {ll + 9, lt + 3}};
    dc->Polyline(outline, 4);
  }
  if (m_hotItem <= kCloseButton) {
    CRect hot;
    GetItemRect(m_hotItem, &hot);
    DrawRaisedFrame(dc, hot);
  }
}

void xCDocumentBar::DrawRaisedFrame(CDC* dc, const CRect& rect) {
  PenScope pen(dc, ::GetStockObject(WHITE_PEN));
  dc->MoveTo(rect.left + 1, rect.bottom - 1);
  dc->LineTo(rect.left + 1, rect.top + 1);
  dc->LineTo(rect.right - 1, rect.top + 1);
  pen.Select(::GetStockObject(BLACK_PEN));
  dc->LineTo(rect.right - 1, rect.bottom - 1);
  dc->LineTo(rect.left + 1, rect.bottom - 1);
}

void xCDocumentBar::DrawTab(CDC* dc, DRAWITEMSTRUCT* item) {
  DrawTabFrame(dc, item);
  const RECT saved = item->rcItem;
  item->rcItem.left += 5;
  item->rcItem.top += 3;
  item->rcItem.right -= 5;
  item->rcItem.bottom -= 2;
  const int state = dc->SaveDC();
  dc->IntersectClipRect(&item->rcItem);
  DrawLabel(dc, item);
  dc->RestoreDC(state);
  item->rcItem = saved;
}

void xCDocumentBar::DrawTabFrame(CDC* dc, const DRAWITEMSTRUCT* item) {
  const RECT& r = item->rcItem;
  if (r.left < 0) return;
  PenScope pen(dc, m_lightPen);
  if (item->itemState & kActiveTabBits) {
    const int bottom = r.bottom + 1;
    if (m_skin.GetSafeHandle()) {
      m_skin.DrawThreePart(dc, CRect(r.left, r.top, r.right, bottom));
    } else {
      dc->FillSolidRect(CRect(r.left, r.top, r.right, bottom), ::GetSysColor(COLOR_BTNFACE));
      dc->MoveTo(r.left, bottom);
      dc->LineTo(r.left, r.top);
      dc->LineTo(r.right, r.top);
      pen.Select(::GetStockObject(BLACK_PEN));
      dc->LineTo(r.right, bottom);
    }
  } else {
    pen.Select(m_darkPen);
    Line(dc, r.right, r.top + 5, r.right, r.bottom);
  }
}

void xCDocumentBar::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (static_cast<UINT>(id) == kControlId) DrawLabel(CDC::FromHandle(item->hDC), item);
}

void xCDocumentBar::DrawLabel(CDC* dc, const DRAWITEMSTRUCT* item) {
  if (item->rcItem.left < 0 || item->itemID >= m_tabs.size()) return;
  const COLORREF colour = (item->itemState & kActiveTabBits) ? RGB(0, 0, 0) : RGB(128, 128, 128);
  const COLORREF oldColour = dc->SetTextColor(colour);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  CString label = TabLabel(m_tabs[item->itemID]);
  if (m_fixedTabWidth) label = FitTextToWidth(dc, label, item->rcItem.right - item->rcItem.left, 0);
  RECT rect = item->rcItem;
  dc->DrawText(label, &rect, 0);
  dc->SetBkMode(oldMode);
  dc->SetTextColor(oldColour);
}

// ---- Tool tips ----

CString xCDocumentBar::ToolTipText(int code, BOOL* handled) const {
  *handled = FALSE;
  if (code >= 0 && code < GetTabCount()) {
    *handled = TRUE;
    return m_tabs[static_cast<size_t>(code)].path;
  }
  switch (code) {
    case kCloseButton:
      return "关闭";
    case kScrollLeftButton:
      return "向左滚动";
    case kScrollRightButton:
      return "向右滚动";
    case kScrollStrip:
      return "滚动条";
    default:
      return CString();
  }
}

void xCDocumentBar::OnNeedText(NMHDR* header, LRESULT* result) {
  auto* request = reinterpret_cast<NMTTDISPINFOA*>(header);
  CPoint point;
  ::GetCursorPos(&point);
  ScreenToClient(&point);
  BOOL handled = FALSE;
  m_tipText = ToolTipText(HitTest(point, nullptr), &handled);
  // The bar's own string, not the request's 80 bytes: a path may be longer.
  request->lpszText = const_cast<LPSTR>(m_tipText.GetString());
  if (result) *result = handled;
}

// ---- Mouse ----

void xCDocumentBar::ScrollToPoint(CPoint point) {
  const int width = ClientWidth();
  // A bar squeezed to nothing has no fraction to scroll to.
  if (width <= 0) return;
  ScrollToRatio(static_cast<double>(point.x) / width);
}

void xCDocumentBar::OnLButtonDown(UINT flags, CPoint point) {
  m_pressState = 0;
  const int code = HitTest(point, nullptr);
  if (code >= 0) {
    CDocument* document = m_tabs[static_cast<size_t>(code)].document;
    // The record may be older than the documents: act only on a document still open there.
    if (m_source->IndexOf(document) == code) m_source->Activate(document);
    return;
  }
  switch (code) {
    case kScrollStrip:
      SetCapture();
      ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
      m_pressState = kScrollStrip;
      ScrollToPoint(point);
      break;
    case kScrollRightButton:
      ScrollRight();
      break;
    case kScrollLeftButton:
      ScrollLeft();
      break;
    case kCloseButton:
      m_source->CloseActive();
      if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
      break;
    default:
      break;
  }
  if (m_hWnd) CControlBar::OnLButtonDown(flags, point);
}

void xCDocumentBar::OnLButtonDblClk(UINT flags, CPoint point) {
  if (HitTest(point, nullptr) >= 0) {
    m_source->CloseActive();
    if (m_hWnd) ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return;
  }
  CControlBar::OnLButtonDblClk(flags, point);
}

void xCDocumentBar::OnMouseMove(UINT flags, CPoint point) {
  if ((flags & MK_LBUTTON) && m_pressState == kScrollStrip) ScrollToPoint(point);
  TrackHotItem(point);
  CControlBar::OnMouseMove(flags, point);
}

void xCDocumentBar::OnLButtonUp(UINT flags, CPoint point) {
  ::ReleaseCapture();
  CControlBar::OnLButtonUp(flags, point);
}

void xCDocumentBar::InvalidateItem(int code) {
  CRect rect;
  GetItemRect(code, &rect);
  if (m_hWnd) ::InvalidateRect(m_hWnd, rect, FALSE);
}

void xCDocumentBar::TrackHotItem(CPoint point) {
  if (!m_hoverTracking || !m_hWnd) return;
  if (!m_leaveArmed) {
    TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, 0};
    m_leaveArmed = ::TrackMouseEvent(&track);
  }
  const int code = HitTest(point, nullptr);
  if (code == m_hotItem) return;
  if (m_hotItem < GetTabCount()) InvalidateItem(m_hotItem);
  if (code != kNothing) InvalidateItem(code);
  m_hotItem = code;
}

LRESULT xCDocumentBar::OnMouseLeaveMessage(WPARAM, LPARAM) {
  m_leaveArmed = FALSE;
  if (m_hotItem != kNothing) {
    if (m_hotItem < GetTabCount()) InvalidateItem(m_hotItem);
    m_hotItem = kNothing;
    UpdateWindow();
  }
  // The base's fly-by text goes back to idle too.
  CControlBar::OnMouseLeave();
  return 0;
}
