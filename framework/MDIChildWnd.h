// CMDIChildWnd: a document window inside the MDI frame. It shows its document template's menu
// while active.
#pragma once

#include "framework/FrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMDIChildWnd)
public:
  CMDIChildWnd() = default;

  HMENU m_hMenuShared = nullptr;  // the menu bar while this child is active

  virtual BOOL Create(LPCSTR className, LPCSTR title,
                      DWORD style = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                      const RECT& rect = rectDefault, CMDIFrameWnd* parent = nullptr,
                      CCreateContext* context = nullptr);
  BOOL LoadFrame(UINT idResource, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* parent = nullptr, CCreateContext* context = nullptr) override;

  CMDIFrameWnd* GetMDIFrame() const;
  void MDIDestroy() {
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hWnd), 0);
  }
  void MDIActivate() {
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
  }
  void MDIMaximize() {
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(m_hWnd), 0);
  }
  void MDIRestore() {
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, reinterpret_cast<WPARAM>(m_hWnd), 0);
  }

  void ActivateFrame(int cmdShow = -1) override;
  void OnUpdateFrameTitle(BOOL addToTitle) override;
  virtual void OnUpdateFrameMenu(BOOL activate, CWnd* activateWindow, HMENU menuAlternative);
  HACCEL GetDefaultAccelerator() override;

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL DestroyWindow() override;

  int OnCreate(LPCREATESTRUCTA cs);
  void OnMDIActivate(BOOL activate, CWnd* activateWindow, CWnd* deactivateWindow);
  void OnSize(UINT type, int cx, int cy);
  void OnClose();

protected:
  BOOL m_bShowMaximized = FALSE;  // asked for WS_MAXIMIZE: shown maximised when first activated

  DECLARE_MESSAGE_MAP()
};
