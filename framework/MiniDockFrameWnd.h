// CMiniDockFrameWnd: the small floating frame that holds floating control bars in a dock bar of
// its own. It is owned by the frame the bars belong to, fits itself around its bars, hides itself
// while none of them is visible and goes away when its last bar docks again. Closing it hides
// its bars.
#pragma once

#include "framework/DockBar.h"
#include "framework/MiniFrameWnd.h"

class CMiniDockFrameWnd : public CMiniFrameWnd {
  DECLARE_DYNAMIC(CMiniDockFrameWnd)
public:
  CMiniDockFrameWnd();

  CDockBar m_wndDockBar;

  // A hidden floating frame owned by site; align (a CBRS_ALIGN_ bit) orients its bars.
  BOOL CreateFloating(CFrameWnd* site, DWORD align);
  void RecalcLayout(BOOL notify = TRUE) override;

protected:
  void OnClose();
  DECLARE_MESSAGE_MAP()

  bool m_inLayout = false;
};
