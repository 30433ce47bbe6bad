// CFrameWnd: a frame window with a menu, accelerators, an active view and control bars. Commands
// reaching the frame go to the active view (and its document) first, then to the frame, then to
// the application. Update handlers run for a popup menu when it opens and, at idle time, for the
// whole menu bar; control bars update themselves on WM_IDLEUPDATECMDUI.
#pragma once

#include "framework/AfxRes.h"
#include "framework/ControlBar.h"
#include "framework/CreateContext.h"
#include "framework/Wnd.h"

class CDockState;
class CDocument;
class CView;

// Frame styles kept in the window's style word.
#define FWS_ADDTOTITLE 0x00008000L   // the active document's name is part of the title
#define FWS_PREFIXTITLE 0x00004000L  // "document - application" instead of "application - document"
#define FWS_SNAPTOBARS 0x00002000L

class CFrameWnd : public CWnd {
  DECLARE_DYNCREATE(CFrameWnd)
public:
  CFrameWnd() = default;

  static const CRect rectDefault;

  BOOL m_bAutoMenuEnable = TRUE;  // menu items without a handler are disabled
  CString m_strTitle;
  HACCEL m_hAccelTable = nullptr;
  HMENU m_hMenuDefault = nullptr;  // the frame's own menu
  UINT m_nIDHelp = 0;
  enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };
  UINT m_nIdleFlags = 0;
  int m_nWindow = 0;  // number of this window among several showing one document, 0 when alone

  // Menu, accelerators, icon and title (string: text before the first '\n') from resource id.
  virtual BOOL LoadFrame(UINT idResource, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* parent = nullptr, CCreateContext* context = nullptr);
  virtual BOOL Create(LPCSTR className, LPCSTR title, DWORD style = WS_OVERLAPPEDWINDOW,
                      const RECT& rect = rectDefault, CWnd* parent = nullptr,
                      LPCSTR menuName = nullptr, DWORD exStyle = 0,
                      CCreateContext* context = nullptr);
  BOOL LoadAccelTable(LPCSTR name);

  virtual CFrameWnd* GetActiveFrame() { return this; }
  virtual CView* GetActiveView() const { return m_pViewActive; }
  void SetActiveView(CView* view, BOOL notify = TRUE);
  virtual CDocument* GetActiveDocument();
  virtual void ActivateFrame(int cmdShow = -1);
  virtual void InitialUpdateFrame(CDocument* document, BOOL makeVisible);
  virtual CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);

  // Lays out the control bars (through WM_SIZEPARENT) and gives the rest to the pane.
  virtual void RecalcLayout(BOOL notify = TRUE);
  void DelayRecalcLayout(BOOL notify = TRUE) {
    m_nIdleFlags |= idleLayout | (notify ? idleNotify : 0);
  }
  virtual void OnUpdateFrameTitle(BOOL addToTitle);
  void UpdateFrameTitleForDocument(LPCSTR documentName);
  void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
  void SetTitle(LPCSTR title) { m_strTitle = title; }
  CString GetTitle() const { return m_strTitle; }
  virtual void OnUpdateFrameMenu(HMENU menuAlternative);
  virtual HACCEL GetDefaultAccelerator();

  // Text of the status bar's first pane (the window with id AFX_IDW_STATUS_BAR).
  void SetMessageText(LPCSTR text);
  void SetMessageText(UINT stringId);
  virtual CWnd* GetMessageBar();

  // Control bars: docking on the edges of dockStyle (CBRS_ALIGN_ bits), floating, showing, and
  // their layout kept in the profile under a name.
  void EnableDocking(DWORD dockStyle);
  // dockBarId 0 docks on the bar's own edge; rect (screen) chooses the row and place.
  void DockControlBar(CControlBar* bar, UINT dockBarId = 0, LPCRECT rect = nullptr);
  void FloatControlBar(CControlBar* bar, CPoint point, DWORD style = CBRS_ALIGN_TOP);
  void ShowControlBar(CControlBar* bar, BOOL show, BOOL delay);
  CControlBar* GetControlBar(UINT id);
  void GetDockState(CDockState& state);
  void SetDockState(const CDockState& state);
  // Without a stored state the bars keep their default layout.
  void LoadBarState(LPCSTR profileName);
  void SaveBarState(LPCSTR profileName);

  // Runs the update handlers of every item of a menu (and of its popups).
  void UpdateMenuCmdUI(CMenu* menu, BOOL recurse);

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void PostNcDestroy() override { delete this; }

  int OnCreate(LPCREATESTRUCTA cs);
  void OnDestroy();
  void OnClose();
  void OnSize(UINT type, int cx, int cy);
  void OnSetFocus(CWnd* oldWindow);
  void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
  void OnDropFiles(HDROP drop);
  BOOL OnEraseBkgnd(CDC* dc);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
  void OnUpdateControlBarMenu(CCmdUI* ui);
  BOOL OnBarCheck(UINT id);

  // Routes through the active view and the frame's own map only (no application).
  BOOL RouteToViewAndSelf(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
  virtual BOOL OnCreateClient(LPCREATESTRUCTA cs, CCreateContext* context);
  int OnCreateHelper(LPCREATESTRUCTA cs, CCreateContext* context);

  CView* m_pViewActive = nullptr;
  BOOL m_bInRecalcLayout = FALSE;

  DECLARE_MESSAGE_MAP()
};
