// CMainFrame: the job manager's only window, a small frame in the lower right corner of the
// screen with a tool bar in a re-bar over the job queue (CJobListView). The editor finds it by
// its title and hands jobs over through three messages: WM_USER+1 and WM_USER+2 frame a hand-over
// and do nothing; WM_USER+3 carries a global atom naming a job file, and a copy count. Commands
// go to the queue first, then to the frame. The window does not close while a run is on.
#pragma once

#include "framework/DialogBar.h"
#include "framework/FrameWnd.h"
#include "framework/ReBar.h"
#include "framework/ToolBar.h"
#include "jobmanager/JobListView.h"

class CMainFrame : public CFrameWnd {
  DECLARE_DYNCREATE(CMainFrame)
public:
  static constexpr UINT kBeginHandOver = WM_USER + 1;
  static constexpr UINT kEndHandOver = WM_USER + 2;
  static constexpr UINT kHandOverJob = WM_USER + 3;
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 180;
  // The window's top is this far above the bottom of the screen.
  static constexpr int kBottomMargin = 200;
  static constexpr int kMaxHandedCopies = 100;

  // The queue writes to the program's output port.
  CMainFrame();

  CJobListView& GetListView() { return m_listView; }
  CToolBar& GetToolBar() { return m_toolBar; }
  CReBar& GetReBar() { return m_reBar; }

  // The item data of a job handed over with a copy count: 1..100 copies as asked, else one.
  static DWORD HandedOverItemData(LPARAM copies);

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
  int OnCreate(LPCREATESTRUCTA cs);
  void OnSetFocus(CWnd* oldWindow);
  void OnClose();
  LRESULT OnHandOverFrame(WPARAM wParam, LPARAM lParam);
  LRESULT OnHandOverJob(WPARAM wParam, LPARAM lParam);
  BOOL OnViewToolBar(UINT id);
  void OnUpdateViewToolBar(CCmdUI* ui);
  void OnAppAbout();

  DECLARE_MESSAGE_MAP()

private:
  BOOL CreateToolBar();
  // Takes the popups that hold only the program's own commands off the menu bar.
  void LeaveOnlyUserMenus(HMENU menuBar);

  CToolBar m_toolBar;
  CReBar m_reBar;
  // Kept for a later option bar; never created.
  CDialogBar m_dialogBar;
  CJobListView m_listView;
};
