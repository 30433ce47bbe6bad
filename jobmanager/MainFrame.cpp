#include "jobmanager/MainFrame.h"

#include "framework/CmdUI.h"
#include "framework/MessageBox.h"
#include "framework/ResourceModule.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"
#include "jobmanager/JobItemData.h"
#include "jobmanager/JobManagerTexts.h"
#include "jobmanager/ProgramObjects.h"
#include "output/JobFile.h"
#include "resources/orv/OrvResource.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

// clang-format off
BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_WM_SETFOCUS()
  ON_WM_CLOSE()
  ON_MESSAGE(CMainFrame::kBeginHandOver, OnHandOverFrame)
  ON_MESSAGE(CMainFrame::kEndHandOver, OnHandOverFrame)
  ON_MESSAGE(CMainFrame::kHandOverJob, OnHandOverJob)
  ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnViewToolBar)
  ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateViewToolBar)
  ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()
// clang-format on

CMainFrame::CMainFrame() : m_listView(g_outPort) {}

DWORD CMainFrame::HandedOverItemData(LPARAM copies) {
  const int count = copies >= 1 && copies <= kMaxHandedCopies ? static_cast<int>(copies) : 1;
  return CJobItemData::Make(count, CJobItemData::kMarked | CJobItemData::kQueued).Get();
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
  if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
  cs.cx = kWidth;
  cs.cy = kHeight;
  cs.x = GetSystemMetrics(SM_CXSCREEN) - kWidth;
  cs.y = GetSystemMetrics(SM_CYSCREEN) - kBottomMargin;
  cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
  HICON icon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
  cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, LoadCursorA(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), icon);
  return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCTA cs) {
  if (CFrameWnd::OnCreate(cs) == -1) return -1;
  if (!m_listView.CreateList(this, AFX_IDW_PANE_FIRST)) return -1;
  if (!CreateToolBar()) return -1;
  // The title in its wide form: it reads the same whatever the code page of the process.
  AfxSetOwnWindowTitle(m_hWnd, CJobFile::ManagerTitle().c_str());
  LeaveOnlyUserMenus(::GetMenu(m_hWnd));
  return 0;
}

void CMainFrame::LeaveOnlyUserMenus(HMENU menuBar) {
  if (!menuBar) return;
  // The menu resource also holds two popups of the program's own commands: one without a title
  // (the run the program posts itself, and options without a function) and one holding only the
  // purge that closing sends. On the bar they show as a blank gap and a menu of a meaningless
  // item; their commands work without them.
  for (int i = ::GetMenuItemCount(menuBar) - 1; i >= 0; --i) {
    HMENU popup = ::GetSubMenu(menuBar, i);
    if (!popup) continue;
    char title[64] = {};
    ::GetMenuStringA(menuBar, i, title, sizeof title, MF_BYPOSITION);
    bool untitled = title[0] == '\0';
    bool purgeOnly = ::GetMenuItemCount(popup) == 1 && ::GetMenuItemID(popup, 0) == ID_JOB_PURGE;
    if (untitled || purgeOnly) ::DeleteMenu(menuBar, i, MF_BYPOSITION);
  }
  if (m_hWnd) ::DrawMenuBar(m_hWnd);
}

BOOL CMainFrame::CreateToolBar() {
  const DWORD barStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY;
  if (!m_toolBar.CreateEx(this, TBSTYLE_FLAT, barStyle, CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR) ||
      !m_toolBar.LoadToolBar(IDR_MAINFRAME))
    return FALSE;
  const DWORD reBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP;
  if (!m_reBar.Create(this, RBS_BANDBORDERS, reBarStyle, AFX_IDW_REBAR) ||
      !m_reBar.AddBar(&m_toolBar, nullptr, nullptr, RBBS_GRIPPERALWAYS | RBBS_FIXEDBMP))
    return FALSE;
  return TRUE;
}

BOOL CMainFrame::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (m_listView.m_hWnd && m_listView.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CMainFrame::OnSetFocus(CWnd*) {
  if (m_listView.m_hWnd) m_listView.SetFocus();
}

// A run, or a copy that is still ending, keeps the window: closing would leave the cut half done
// and pull the queue from under the loop that cuts.
void CMainFrame::OnClose() {
  CJobRunner& runner = m_listView.GetRunner();
  if (runner.GetMode() != CJobRunner::kStopped || runner.IsCutting()) {
    MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  m_listView.SendMessage(WM_COMMAND, ID_JOB_PURGE);
  CFrameWnd::OnClose();
}

LRESULT CMainFrame::OnHandOverFrame(WPARAM, LPARAM) { return TRUE; }

LRESULT CMainFrame::OnHandOverJob(WPARAM wParam, LPARAM lParam) {
  m_listView.AddJobFromAtom(static_cast<ATOM>(wParam), HandedOverItemData(lParam));
  return TRUE;
}

BOOL CMainFrame::OnViewToolBar(UINT) {
  m_reBar.ShowBand(&m_toolBar, !m_toolBar.IsWindowVisible());
  RecalcLayout();
  return TRUE;
}

void CMainFrame::OnUpdateViewToolBar(CCmdUI* ui) { ui->SetCheck(m_toolBar.IsWindowVisible()); }

void CMainFrame::OnAppAbout() {
  AfxShowMessageBox(m_hWnd, JobManagerText::LoadOr(IDS_ABOUT_TEXT, JobManagerText::kAbout),
                    JobManagerText::kAboutCaption, MB_OK | MB_ICONINFORMATION);
}
