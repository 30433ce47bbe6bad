// CMDIFrameWnd: the main frame of a multiple-document program. Its client area is the system's
// MDI client window; commands go to the active child frame (its view and document) first.
#pragma once

#include "framework/FrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIFrameWnd)
public:
  CMDIFrameWnd() = default;

  HWND m_hWndMDIClient = nullptr;

  BOOL LoadFrame(UINT idResource, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* parent = nullptr, CCreateContext* context = nullptr) override;
  virtual BOOL CreateClient(LPCREATESTRUCTA cs, CMenu* windowMenu);

  CMDIChildWnd* MDIGetActive(BOOL* maximized = nullptr) const;
  void MDIActivate(CWnd* child);
  void MDIMaximize(CWnd* child);
  void MDIRestore(CWnd* child);
  void MDINext();
  void MDIPrev();
  void MDICascade();
  void MDITile(int how = MDITILE_HORIZONTAL);
  void MDIIconArrange();
  // Puts a menu bar (and its window popup) in the frame; returns the previous menu bar.
  CMenu* MDISetMenu(CMenu* frameMenu, CMenu* windowMenu);
  // The popup of a menu bar that holds the window commands, or null.
  HMENU GetWindowMenuPopup(HMENU menuBar);

  CFrameWnd* GetActiveFrame() override;
  CDocument* GetActiveDocument() override;
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  void OnUpdateFrameMenu(HMENU menuAlternative) override;
  void RecalcLayout(BOOL notify = TRUE) override;

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void OnDestroy();
  void OnSize(UINT type, int cx, int cy);
  BOOL OnMDIWindowCmd(UINT id);
  void OnUpdateMDIWindowCmd(CCmdUI* ui);
  void OnWindowNew();

protected:
  BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context) override;

  DECLARE_MESSAGE_MAP()
};

// The first command id the system gives to child windows listed in the window menu.
#define AFX_IDM_FIRST_MDICHILD 0xFF00
