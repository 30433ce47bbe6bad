#include "editor/bars/ToolBoxBar.h"

#include "framework/FrameWnd.h"
#include "framework/KeyState.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CToolBoxBar, CToolBar)

// clang-format off
BEGIN_MESSAGE_MAP(CToolBoxBar, CToolBar)
  ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()
// clang-format on

namespace {

const UINT kOrdinaryButtons = 128;
const UINT kNodeButtons = 192;
const UINT kOutputAreaButtons = 200;

struct Companion {
  UINT button;
  UINT command;
};

// clang-format off
const Companion kCompanions[] = {
    {32820, 40115},  // position -> centre on the page
    {40024, 40031},  // cut output -> redraw
    {40046, 40049},  // rotate -> cancel rotation
    {40070, 32784},  // select -> select all
    {40071, 40051},  // text -> change font
    {40075, 40079},  // graphics library -> combine into a curve
    {40080, 32872}, {40081, 32873}, {40082, 32874},  // align blocks -> align to the page
    {40083, 32875}, {40084, 32876}, {40085, 32877},
    {57607, 32888},  // print -> fill output
    {60000, 60100},  // artistic transform -> cancel it
};
// clang-format on

const UINT kNodeSelect = 40118;
const UINT kNodeCompanion = 40022;
const UINT kNodeShiftCompanion = 32787;

}  // namespace

bool CToolBoxBar::IsOutputAreaTool(UINT tool) { return tool == 32792 || tool == 32794; }

bool CToolBoxBar::IsNodeTool(UINT tool) {
  return (tool >= 32855 && tool <= 32862) || (tool >= 40118 && tool <= 40120) || tool == 40141 ||
         tool == 40142;
}

void CToolBoxBar::SetToolMode(UINT tool) {
  if (IsOutputAreaTool(tool)) {
    // Already showing the output-area tools: the bar stays as it is.
    if (m_mode != kOutputAreaMode) {
      LoadToolBar(kOutputAreaButtons);
      m_mode = kOutputAreaMode;
      SetColumns(1);
    }
  } else if (IsNodeTool(tool)) {
    LoadToolBar(kNodeButtons);
    m_mode = kNodeMode;
    SetColumns(2);
  } else {
    if (m_mode != kOrdinaryMode) LoadToolBar(kOrdinaryButtons);
    m_mode = kOrdinaryMode;
    SetColumns(2);
  }
  if (m_hWnd) ModifyStyleEx(0, WS_EX_NOPARENTNOTIFY);
}

void CToolBoxBar::SetColumns(int n) {
  m_columns = n;
  if (!m_hWnd || n <= 0) return;
  for (int i = 0; i < GetCount(); ++i) {
    UINT style = GetButtonStyle(i);
    if (n != 1 && GetItemID(i) == kPlaceholder) style = (style & ~0xFFFFu) | TBBS_SEPARATOR;
    if ((i + 1) % n == 0)
      style |= TBBS_WRAPPED;
    else
      style &= ~static_cast<UINT>(TBBS_WRAPPED);
    SetButtonStyle(i, style);
  }
  Invalidate();
  if (CFrameWnd* frame = GetParentFrame()) frame->RecalcLayout();
}

UINT CToolBoxBar::CompanionCommand(UINT button, bool shift) {
  if (button == kNodeSelect) return shift ? kNodeShiftCompanion : kNodeCompanion;
  for (const Companion& companion : kCompanions)
    if (companion.button == button) return companion.command;
  return 0;
}

int CToolBoxBar::ButtonAt(CPoint point) const {
  for (int i = 0; i < GetCount(); ++i) {
    CRect rect;
    GetItemRect(i, rect);
    if (rect.PtInRect(point)) return i;
  }
  return -1;
}

void CToolBoxBar::OnRButtonDown(UINT, CPoint point) {
  int index = ButtonAt(point);
  UINT command = index < 0 ? 0 : CompanionCommand(GetItemID(index), AfxIsKeyDown(VK_SHIFT));
  CWnd* mainWindow = AfxGetMainWnd();
  if (command && mainWindow && mainWindow->m_hWnd) mainWindow->SendMessage(WM_COMMAND, command);
  Default();
}
