#include "editor/MDIMainFrame.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/bars/PropertyWnd.h"
#include "editor/dialogs/FontCreateDlg.h"
#include "editor/dialogs/FontPathDlg.h"
#include "editor/views/TALVEXView.h"
#include "framework/ResourceModule.h"
#include "framework/View.h"
#include "resources/Resource.h"

IMPLEMENT_DYNCREATE(CMDIMainFrame, CMDIFrameWnd)

BEGIN_MESSAGE_MAP(CMDIMainFrame, CMDIFrameWnd)
  ON_WM_CREATE()
  ON_WM_CLOSE()
  ON_WM_INITMENU()
  ON_COMMAND(ID_VIEW_ACTIVATED, OnViewActivated)
  ON_COMMAND(ID_PALETTE_COLOUR, OnPaletteColour)
  ON_COMMAND(ID_VIEW_PROPERTY_WINDOW, OnTogglePropertyWindow)
  ON_COMMAND(ID_VIEW_ZONE_TABLE, OnToggleZoneTable)
  ON_COMMAND(ID_VIEW_TEXT_EDITOR, OnToggleTextEditor)
  ON_COMMAND(ID_FONT_BUILD_WIN, OnBuildFont)
END_MESSAGE_MAP()

const char CMDIMainFrame::kBarStateName[] = "BarStates627CH";

namespace {

// clang-format off
const UINT kCursorIds[CMDIMainFrame::kCursorCount] = {
    146, 158, 153, 156, 154, 163, 162, 184, 129, 148, 202, 149, 187, 189, 188,
    198, 199, 195, 196, 272, 197, 262, 164, 217, 1178, 1179, 1146, 263, 266};
// clang-format on

const UINT kIndicators[] = {ID_SEPARATOR, IDS_PANE_POINTER, IDS_PANE_WIDTH, IDS_PANE_HEIGHT,
                            IDS_PANE_TYPE};

// Pane widths in pixels of the pointer and type panes.
const int kPointerPaneWidth = 90;
const int kTypePaneWidth = 80;
// The widest value a size or position pane shows in practice, and the room around a pane's text.
const double kWidestValue = -888.8;
const int kPaneTextMargin = 8;

// The main frame's window position before it is maximised.
const int kInitialWidth = 640;
const int kInitialHeight = 475;
// The tool windows keep this far from the frame's edges; the text editor is this much narrower.
const int kToolWindowGap = 20;
const int kTextEditorMargin = 50;

// Effect n of the transform library has the command ID_ART_TRANSFORM + n; more effects than
// fit below the next command are not listed.
const int kMaxArtTransforms = ID_ART_TRANSFORM_LAST - ID_ART_TRANSFORM;

CString LoadFormat(UINT id, LPCSTR fallback) {
  CString format;
  if (!format.LoadString(id)) format = fallback;
  return format;
}

}  // namespace

CMDIMainFrame::CMDIMainFrame()
    : m_paletteBar(g_palette), m_barsToShow(kAllBars), m_deleted(nullptr), m_cursors() {
  LoadCursors();
  m_pens[kGreyPen].CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
  m_pens[kRedPen].CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  m_pens[kBluePen].CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
  m_pens[kBlueDotPen].CreatePen(PS_DOT, 1, RGB(0, 0, 255));
  m_pens[kGreenPen].CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
  m_redBrush.CreateSolidBrush(RGB(255, 0, 0));
}

CMDIMainFrame::~CMDIMainFrame() {
  if (m_deleted) *m_deleted = true;
  for (HCURSOR& cursor : m_cursors) {
    if (cursor) ::DestroyCursor(cursor);
    cursor = nullptr;
  }
}

void CMDIMainFrame::LoadCursors() {
  // Own copies (not shared ones), so that the frame may destroy them.
  for (int i = 0; i < kCursorCount; ++i) {
    m_cursors[i] = static_cast<HCURSOR>(::LoadImageA(AfxGetResourceHandle(),
                                                     MAKEINTRESOURCEA(kCursorIds[i]), IMAGE_CURSOR,
                                                     0, 0, LR_DEFAULTSIZE));
  }
}

HCURSOR CMDIMainFrame::GetToolCursor(UINT id) const {
  for (int i = 0; i < kCursorCount; ++i) {
    if (kCursorIds[i] == id) return m_cursors[i];
  }
  return nullptr;
}

int CMDIMainFrame::OnCreate(LPCREATESTRUCTA cs) {
  cs->x = 0;
  cs->y = 0;
  cs->cx = kInitialWidth;
  cs->cy = kInitialHeight;
  if (CMDIFrameWnd::OnCreate(cs) == -1) return -1;
  if (!CreateMainToolBar() || !CreateStatusBar()) return -1;
  CreateToolBox();
  if (!CreateWindowToolBar() || !CreatePaletteBar() || !CreatePropertyBar()) return -1;
  CreateDocumentBar();
  DockBars();
  m_propertyBar.SwitchPage(CPropertyBar::kTextPage);
  LoadBarState(kBarStateName);
  return 0;
}

BOOL CMDIMainFrame::CreateMainToolBar() {
  const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_FLOAT_MULTI |
                      CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
  if (!m_mainToolBar.CreateEx(this, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), IDR_MAINTOOLBAR) ||
      !m_mainToolBar.LoadToolBar(IDR_MAINTOOLBAR))
    return FALSE;
  m_mainToolBar.EnableDocking(CBRS_ALIGN_ANY);
  return TRUE;
}

BOOL CMDIMainFrame::CreateStatusBar() {
  const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM;
  if (!m_statusBar.Create(this, style, AFX_IDW_STATUS_BAR) ||
      !m_statusBar.SetIndicators(kIndicators,
                                 static_cast<int>(sizeof kIndicators / sizeof kIndicators[0])))
    return FALSE;
  m_statusBar.SetPaneInfo(1, IDS_PANE_POINTER, SBPS_NORMAL, kPointerPaneWidth);
  m_statusBar.SetPaneInfo(4, IDS_PANE_TYPE, SBPS_NOBORDERS, kTypePaneWidth);
  WidenPanesForTheirTexts();
  return TRUE;
}

void CMDIMainFrame::WidenPanesForTheirTexts() {
  // The widths suit the Chinese texts; another language's may be longer. Each pane takes at
  // least the width of the widest text it is sent, measured in the bar's own font.
  std::vector<CString> samples[5];
  CString format, text;
  if (format.LoadString(IDS_STATUS_POINTER)) {
    text.Format(format, kWidestValue, kWidestValue);
    samples[1].push_back(text);
  }
  if (format.LoadString(IDS_STATUS_WIDTH)) {
    text.Format(format, kWidestValue);
    samples[2].push_back(text);
  }
  if (format.LoadString(IDS_STATUS_HEIGHT)) {
    text.Format(format, kWidestValue);
    samples[3].push_back(text);
  }
  // Every name the type pane shows: the blocks', the stamps' and the one for several blocks.
  std::vector<UINT> typeNames = {IDS_STATUS_SEVERAL_BLOCKS};
  for (UINT id = IDS_BLOCK_LINE; id <= IDS_BLOCK_UNKNOWN; ++id) typeNames.push_back(id);
  for (UINT id = IDS_STAMP_SQUARE; id <= IDS_STAMP_INVERTED_TRIANGLE; ++id) typeNames.push_back(id);
  for (UINT id : typeNames)
    if (text.LoadString(id)) samples[4].push_back(text);
  HDC dc = ::GetDC(m_statusBar.m_hWnd);
  HGDIOBJ font = reinterpret_cast<HGDIOBJ>(m_statusBar.SendMessage(WM_GETFONT));
  HGDIOBJ previous = font ? ::SelectObject(dc, font) : nullptr;
  for (int pane = 1; pane < 5; ++pane) {
    UINT id = 0, style = 0;
    int width = 0;
    m_statusBar.GetPaneInfo(pane, id, style, width);
    int widest = width;
    for (const CString& sample : samples[pane]) {
      SIZE extent = {};
      if (::GetTextExtentPoint32A(dc, sample, sample.GetLength(), &extent))
        widest = std::max(widest, static_cast<int>(extent.cx) + kPaneTextMargin);
    }
    if (widest > width) m_statusBar.SetPaneInfo(pane, id, style, widest);
  }
  if (previous) ::SelectObject(dc, previous);
  ::ReleaseDC(m_statusBar.m_hWnd, dc);
}

void CMDIMainFrame::CreateToolBox() {
  // Without its tool box the editor still works from the menus: a failure is not fatal.
  const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_LEFT | CBRS_FLYBY |
                      CBRS_TOOLTIPS | CBRS_SIZE_FIXED;
  if (!m_toolBox.CreateEx(this, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), IDW_TOOLBOX)) return;
  m_toolBox.SetToolMode(CToolBoxBar::kOrdinaryMode);
  m_toolBox.EnableDocking(CBRS_ALIGN_LEFT);
}

BOOL CMDIMainFrame::CreatePaletteBar() {
  const UINT style = CBRS_GRIPPER | CBRS_RIGHT | CBRS_FLYBY | CBRS_TOOLTIPS;
  if (!m_paletteBar.Create(this, IDD_PALETTE_BAR, style, IDW_PALETTE_BAR)) return FALSE;
  m_paletteBar.EnableDocking(CBRS_ALIGN_RIGHT);
  return TRUE;
}

BOOL CMDIMainFrame::CreatePropertyBar() {
  const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_TOP | CBRS_FLYBY | CBRS_TOOLTIPS |
                      CBRS_SIZE_DYNAMIC;
  if (!m_propertyBar.CreateEx(this, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), IDR_PROPERTYBAR) ||
      !m_propertyBar.LoadToolBar(IDR_PROPERTYBAR))
    return FALSE;
  m_propertyBar.EnableDocking(CBRS_ALIGN_ANY);
  return TRUE;
}

void CMDIMainFrame::CreateDocumentBar() {
  // The tabs are a convenience beside the window menu: a failure is not fatal.
  const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_FLYBY | CBRS_TOOLTIPS |
                      CBRS_SIZE_FIXED;
  if (!m_documentBar.Create(this, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), IDW_DOCUMENT_BAR)) return;
  m_documentBar.EnableDocking(CBRS_ALIGN_TOP);
}

BOOL CMDIMainFrame::CreateWindowToolBar() {
  const DWORD style = WS_CHILD | WS_VISIBLE | CBRS_GRIPPER | CBRS_RIGHT | CBRS_FLOAT_MULTI |
                      CBRS_FLYBY | CBRS_TOOLTIPS | CBRS_SIZE_DYNAMIC;
  if (!m_windowToolBar.CreateEx(this, TBSTYLE_FLAT, style, CRect(0, 0, 0, 0), IDR_WINDOWTOOLBAR) ||
      !m_windowToolBar.LoadToolBar(IDR_WINDOWTOOLBAR))
    return FALSE;
  m_windowToolBar.EnableDocking(CBRS_ALIGN_ANY);
  return TRUE;
}

void CMDIMainFrame::DockBars() {
  EnableDocking(CBRS_ALIGN_ANY);
  // The palette bar and the tab bar stay where their alignment puts them.
  if (m_toolBox.m_hWnd) DockControlBar(&m_toolBox);
  DockControlBar(&m_windowToolBar);
  DockControlBar(&m_mainToolBar);
  DockControlBar(&m_propertyBar);
}

void CMDIMainFrame::OnClose() {
  SaveBarState(kBarStateName);
  CMDIFrameWnd::OnClose();
}

CControlBar* CMDIMainFrame::BarForBit(UINT bit) {
  switch (bit) {
    case kMainToolBar:
      return &m_mainToolBar;
    case kToolBox:
      return &m_toolBox;
    case kPaletteBar:
      return &m_paletteBar;
    case kWindowToolBar:
      return &m_windowToolBar;
    default:
      return nullptr;
  }
}

BOOL CMDIMainFrame::ShowControlBars(UINT show, UINT mask) {
  static const UINT kOrder[] = {kMainToolBar, kToolBox, kPaletteBar, kWindowToolBar};
  BOOL changed = FALSE;
  for (UINT bit : kOrder) {
    if (!(mask & bit)) continue;
    CControlBar* bar = BarForBit(bit);
    if (!bar || !bar->m_hWnd) continue;
    ShowControlBar(bar, (show & bit) != 0, TRUE);
    changed = TRUE;
  }
  return changed;
}

void CMDIMainFrame::OnPaletteColour() {
  // A colour that no view took: without documents the drawing bars have nothing to act on.
  if (AfxGetApp()->GetOpenDocumentCount() == 0)
    ShowControlBars(0, kMainToolBar | kToolBox | kPaletteBar | kWindowToolBar);
}

void CMDIMainFrame::OnViewActivated() {
  CFrameWnd* child = GetActiveFrame();
  CView* view = child ? child->GetActiveView() : nullptr;
  if (auto* drawingView = dynamic_cast<CTALVEXView*>(view)) {
    const UINT tool = static_cast<UINT>(drawingView->GetCurrentTool());
    // The node buttons come with a curve under edit: until one is clicked the tool box keeps the
    // ordinary set, whose selection button leaves the node tool again.
    auto* mainView = dynamic_cast<CTALVEX42View*>(view);
    bool nodeToolIdle = tool == CToolBoxBar::kNodeMode && mainView && !mainView->GetEditBlock();
    if (m_toolBox.m_hWnd && !nodeToolIdle) m_toolBox.SetToolMode(tool);
    if (m_propertyBar.m_hWnd) m_propertyBar.SwitchPage(tool);
  }
  if (view && view->m_hWnd) view->PostMessage(WM_COMMAND, ID_PROPERTY_REFRESH, 0);
}

void CMDIMainFrame::OnToggleZoneTable() {
  if (!m_zoneTable.GetSafeHwnd()) {
    if (!m_zoneTable.Create(this)) return;
    // Near the frame's lower right corner, in screen coordinates, without resizing.
    CRect frame, client;
    GetWindowRect(frame);
    m_zoneTable.GetClientRect(client);
    m_zoneTable.SetWindowPos(&CWnd::wndTop, frame.right - client.Width() - kToolWindowGap,
                             frame.bottom - client.Height() - kToolWindowGap, 0, 0, SWP_NOSIZE);
  }
  m_zoneTable.ShowWindow(m_zoneTable.IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

void CMDIMainFrame::OnToggleTextEditor() {
  if (!m_textEditor.GetSafeHwnd()) {
    if (!m_textEditor.Create(this)) return;
    // Along the frame's bottom, nearly as wide as the frame.
    CRect frame, client;
    GetWindowRect(frame);
    m_textEditor.GetClientRect(client);
    m_textEditor.SetWindowPos(&CWnd::wndTop, frame.left + kToolWindowGap,
                              frame.bottom - client.Height() - kToolWindowGap,
                              frame.Width() - kTextEditorMargin, client.Height(), SWP_NOACTIVATE);
  }
  m_textEditor.ShowWindow(m_textEditor.IsWindowVisible() ? SW_HIDE : SW_SHOWNA);
}

void CMDIMainFrame::OnBuildFont() {
  CFontCreateDlg dialog(this);
  dialog.DoModal();
  // A font written into a mount folder is listed with the others from now on.
  if (dialog.WroteFont()) CFontPathDlg::MountFontsAgain();
}

void CMDIMainFrame::OnTogglePropertyWindow() {
  if (!g_propertyWnd) g_propertyWnd = new CPropertyWnd(&g_propertyWnd);
  if (!g_propertyWnd->m_hWnd) {
    CRect frame;
    GetWindowRect(frame);
    const CRect place(0, frame.bottom - 55, 200, frame.bottom - 30);
    CPropertyWnd* window = g_propertyWnd;
    if (!window->CreateFor(this, place)) {
      // A frame window that could not be made has deleted itself.
      return;
    }
    window->ShowWindow(SW_SHOW);
  } else {
    g_propertyWnd->ShowWindow(g_propertyWnd->IsWindowVisible() ? SW_HIDE : SW_SHOW);
  }
  if (!g_propertyWnd || !g_propertyWnd->IsWindowVisible()) return;
  CFrameWnd* child = GetActiveFrame();
  CView* view = child ? child->GetActiveView() : nullptr;
  if (view && view->m_hWnd)
    view->PostMessage(WM_COMMAND, ID_PROPERTY_REFRESH, CPropertyWnd::kPanelRequested);
}

BOOL CMDIMainFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (ShowStatus(static_cast<UINT>(wParam), lParam)) return TRUE;
  return CMDIFrameWnd::OnCommand(wParam, lParam);
}

void CMDIMainFrame::SetPane(int index, LPCSTR text) {
  if (m_statusBar.m_hWnd) m_statusBar.SetPaneText(index, text, TRUE);
}

void CMDIMainFrame::ShowPaneName(int index) {
  CString name;
  if (!name.LoadString(kIndicators[index])) name.Empty();
  SetPane(index, name);
}

BOOL CMDIMainFrame::ShowStatus(UINT code, LPARAM data) {
  const float* values = reinterpret_cast<const float*>(data);
  CString text;
  switch (code) {
    case ID_STATUS_POINTER:
      if (!values) return TRUE;
      text.Format(LoadFormat(IDS_STATUS_POINTER, "鼠:%.1f,%.1f"), values[0], values[1]);
      SetPane(1, text);
      return TRUE;
    case ID_STATUS_SIZE:
      // Nothing measured (no drawing open): the panes show their names, as at start-up.
      if (!values) {
        ShowPaneName(2);
        ShowPaneName(3);
        return TRUE;
      }
      text.Format(LoadFormat(IDS_STATUS_WIDTH, "宽:%.1f"), values[0]);
      SetPane(2, text);
      text.Format(LoadFormat(IDS_STATUS_HEIGHT, "高:%.1f"), values[1]);
      SetPane(3, text);
      return TRUE;
    case ID_STATUS_TYPE:
      if (data)
        SetPane(4, reinterpret_cast<LPCSTR>(data));
      else
        ShowPaneName(4);
      return TRUE;
    case ID_STATUS_MEASURE: {
      if (!values) return TRUE;
      double dx = static_cast<double>(values[2]) - values[0];
      double dy = static_cast<double>(values[3]) - values[1];
      text.Format(LoadFormat(IDS_STATUS_MEASURE, "测量: (从X = %.1f , Y = %.1f) - 长度:%.1f"),
                  values[0], values[1], std::sqrt(dx * dx + dy * dy));
      SetPane(0, text);
      return TRUE;
    }
    case ID_STATUS_TEXT:
      SetPane(0, data ? reinterpret_cast<LPCSTR>(data) : "");
      return TRUE;
    case ID_STATUS_TEXT_ID:
      if (!text.LoadString(static_cast<UINT>(data))) text.Empty();
      SetPane(0, text);
      return TRUE;
    default:
      return FALSE;
  }
}

void CMDIMainFrame::OnInitMenu(CMenu* menu) {
  CMDIFrameWnd::OnInitMenu(menu);
  if (!g_transformDll.IsLoaded()) return;
  if (HMENU popup = FindArtTransformMenu(::GetMenu(m_hWnd))) FillArtTransformMenu(popup);
}

HMENU CMDIMainFrame::FindArtTransformMenu(HMENU menuBar) {
  if (!menuBar) return nullptr;
  int first = 0;
  MENUITEMINFOA item = {};
  item.cbSize = sizeof item;
  item.fMask = MIIM_FTYPE;
  if (::GetMenuItemInfoA(menuBar, 0, TRUE, &item) && (item.fType & MFT_BITMAP)) first = 1;
  HMENU transformMenu = ::GetSubMenu(menuBar, first + 5);
  return transformMenu ? ::GetSubMenu(transformMenu, 4) : nullptr;
}

void CMDIMainFrame::FillArtTransformMenu(HMENU popup) {
  for (int i = ::GetMenuItemCount(popup) - 1; i >= 0; --i) {
    UINT id = ::GetMenuItemID(popup, i);
    if (id > ID_ART_TRANSFORM && id <= ID_ART_TRANSFORM_LAST) ::DeleteMenu(popup, i, MF_BYPOSITION);
  }
  if (!g_transformDll.IsLoaded()) return;
  int count = g_transformDll.GetTransformCount();
  if (count > kMaxArtTransforms) count = kMaxArtTransforms;
  const bool chinese = theApp.GetLanguage() == CTALVEX42App::kBuiltInLanguage;
  for (int n = count; n >= 1; --n) {
    CString name;
    HBITMAP preview = nullptr;
    if (!g_transformDll.GetTransformInfo(n, chinese, name, &preview)) continue;
    if (preview) ::DeleteObject(preview);
    ::InsertMenuA(popup, 0, MF_BYPOSITION | MF_STRING | MF_ENABLED, ID_ART_TRANSFORM + n, name);
  }
}
