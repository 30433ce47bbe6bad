// CWnd: a window and its message map. Windows made through Create/CreateEx and windows taken
// over with SubclassWindow send their messages through AfxWndProc to WindowProc, which looks them
// up in the message map; unhandled messages go to DefWindowProc (the window class's own
// procedure). A handler that lets a framework exception escape has it reported in a message box;
// the program goes on.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/DC.h"
#include "framework/Exception.h"
#include "framework/HandleMap.h"
#include "framework/Menu.h"
#include "framework/Point.h"
#include "framework/Rect.h"
#include "framework/String.h"

#undef GetNextWindow  // a macro of the system headers

class CDataExchange;
class CScrollBar;
class CFrameWnd;
struct CCreateContext;

// What WM_SIZEPARENT carries: the client area still free, where bars take their room.
struct AFX_SIZEPARENTPARAMS {
  HDWP hDWP;       // deferred moves, null when only measuring
  RECT rect;       // the area left for the next bar and finally for the pane
  SIZE sizeTotal;  // the room the bars took
  BOOL bStretch;   // bars stretch over the whole width or height
};

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
public:
  CWnd() = default;
  explicit CWnd(HWND window) { m_hWnd = window; }  // a wrapper that does not own the window
  ~CWnd() override;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;

  // Insertion points of SetWindowPos.
  static const CWnd wndTop;
  static const CWnd wndBottom;
  static const CWnd wndTopMost;
  static const CWnd wndNoTopMost;

  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }
  bool operator==(const CWnd& other) const { return m_hWnd == other.m_hWnd; }
  bool operator!=(const CWnd& other) const { return m_hWnd != other.m_hWnd; }

  // Handle maps: FromHandle gives a temporary wrapper for windows the framework does not own.
  static CWnd* FromHandle(HWND window);
  static CWnd* FromHandlePermanent(HWND window);
  static void DeleteTempMap();
  using Map = CHandleMap<HWND, CWnd, &CWnd::m_hWnd>;
  static Map& HandleMap();
  BOOL Attach(HWND window);
  HWND Detach();
  // Routes an existing window's messages through this object.
  BOOL SubclassWindow(HWND window);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  HWND UnsubclassWindow();

  // Creation
  virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                      CWnd* parent, UINT id, CCreateContext* context = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                int width, int height, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
  BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id, LPVOID param = nullptr);
  virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
  virtual BOOL DestroyWindow();
  // Called after the window is gone; frames and views delete themselves here.
  virtual void PostNcDestroy() {}

  // Message processing
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The default processing of the message being handled.
  LRESULT Default();
  virtual BOOL PreTranslateMessage(MSG* msg);
  // A WM_COMMAND: a control notification when lParam is a child window of this one, otherwise a
  // command (from a menu, accelerator or sender) that keeps its lParam.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // A control's chance to handle the notification it sent its parent (owner-draw, reflection).
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);
  // The message being dispatched on this thread (wParam and lParam of a command included).
  static const MSG* GetCurrentMessage();

  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
  }
  void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                BOOL deep = TRUE, BOOL onlyPermanent = FALSE);

  // State and geometry
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
  BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
  BOOL IsChild(const CWnd* other) const { return other && ::IsChild(m_hWnd, other->m_hWnd); }
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
  }
  void MoveWindow(LPCRECT rect, BOOL repaint = TRUE) {
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
  }
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
  }
  BOOL GetWindowPlacement(WINDOWPLACEMENT* placement) const {
    return ::GetWindowPlacement(m_hWnd, placement);
  }
  BOOL SetWindowPlacement(const WINDOWPLACEMENT* placement) {
    return ::SetWindowPlacement(m_hWnd, placement);
  }
  void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
  void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
  void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
  void ClientToScreen(LPRECT rect) const;
  void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
  void ScreenToClient(LPRECT rect) const;
  void MapWindowPoints(CWnd* to, LPPOINT points, UINT count) const {
    ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, points, count);
  }
  void MapWindowPoints(CWnd* to, LPRECT rect) const {
    ::MapWindowPoints(m_hWnd, to ? to->m_hWnd : nullptr, reinterpret_cast<LPPOINT>(rect), 2);
  }
  void CenterWindow(CWnd* alternateOwner = nullptr);
  void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
  BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
  CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
  static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
  static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
  static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
  static CWnd* WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
  static CWnd* FindWindow(LPCSTR className, LPCSTR windowName) {
    return FromHandle(::FindWindowA(className, windowName));
  }
  CWnd* ChildWindowFromPoint(POINT point) const {
    return FromHandle(::ChildWindowFromPoint(m_hWnd, point));
  }

  // Text and font
  void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text ? text : ""); }
  int GetWindowText(LPSTR text, int size) const { return ::GetWindowTextA(m_hWnd, text, size); }
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
  void SetFont(CFont* font, BOOL redraw = TRUE) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr), redraw);
  }
  CFont* GetFont() const {
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
  }
  HICON SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  }
  HICON GetIcon(BOOL big) const {
    return reinterpret_cast<HICON>(SendMessage(WM_GETICON, big ? ICON_BIG : ICON_SMALL));
  }

  // Relatives
  CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
  CWnd* SetParent(CWnd* parent) {
    return FromHandle(::SetParent(m_hWnd, parent ? parent->m_hWnd : nullptr));
  }
  CWnd* GetOwner() const;
  void SetOwner(CWnd* owner) { m_hWndOwner = owner ? owner->m_hWnd : nullptr; }
  CWnd* GetTopLevelParent() const;
  // The nearest frame among the parents (not owners), and the outermost one.
  CFrameWnd* GetParentFrame() const;
  CFrameWnd* GetTopLevelFrame() const;
  CFrameWnd* EnsureParentFrame() const;
  CWnd* GetParentOwner() const;
  CWnd* GetWindow(UINT command) const { return FromHandle(::GetWindow(m_hWnd, command)); }
  CWnd* GetNextWindow(UINT command = GW_HWNDNEXT) const { return GetWindow(command); }
  CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
  CWnd* GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }
  CWnd* GetDescendantWindow(int id, BOOL onlyPermanent = FALSE) const;

  // Child controls
  CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
  void GetDlgItem(int id, HWND* window) const { *window = ::GetDlgItem(m_hWnd, id); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  int SetDlgCtrlID(int id) {
    return static_cast<int>(::SetWindowLongPtrA(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(id)));
  }
  void SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, id, text ? text : ""); }
  int GetDlgItemText(int id, LPSTR text, int size) const {
    return static_cast<int>(::GetDlgItemTextA(m_hWnd, id, text, size));
  }
  int GetDlgItemText(int id, CString& text) const;
  // A number shown in a control with a printf format, and the number a control holds (0 when its
  // text does not start with one).
  void SetDlgItemNumber(int id, double value, LPCSTR format = "%.2f");
  double GetDlgItemNumber(int id) const;
  void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE) {
    ::SetDlgItemInt(m_hWnd, id, value, isSigned);
  }
  UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const {
    return ::GetDlgItemInt(m_hWnd, id, translated, isSigned);
  }
  void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
  UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
  void CheckRadioButton(int first, int last, int check) {
    ::CheckRadioButton(m_hWnd, first, last, check);
  }
  int GetCheckedRadioButton(int first, int last) const;
  LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
  }
  CWnd* GetNextDlgTabItem(CWnd* control, BOOL previous = FALSE) const {
    return FromHandle(::GetNextDlgTabItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
  }
  CWnd* GetNextDlgGroupItem(CWnd* control, BOOL previous = FALSE) const {
    return FromHandle(::GetNextDlgGroupItem(m_hWnd, control ? control->m_hWnd : nullptr, previous));
  }

  // Data exchange between members and controls (dialogs and form-like windows).
  BOOL UpdateData(BOOL saveAndValidate = TRUE);
  virtual void DoDataExchange(CDataExchange* dx);
  // Updates the child controls' states from update handlers of the target.
  void UpdateDialogControls(CCmdTarget* target, BOOL disableIfNoHandler);

  // Painting
  CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
  CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
  int ReleaseDC(CDC* dc);
  CDC* BeginPaint(LPPAINTSTRUCT paint) { return CDC::FromHandle(::BeginPaint(m_hWnd, paint)); }
  void EndPaint(LPPAINTSTRUCT paint) { ::EndPaint(m_hWnd, paint); }
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
  void InvalidateRgn(CRgn* region, BOOL erase = TRUE) {
    ::InvalidateRgn(m_hWnd, region ? static_cast<HRGN>(*region) : nullptr, erase);
  }
  void ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL RedrawWindow(LPCRECT rect = nullptr, CRgn* region = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) {
    return ::RedrawWindow(m_hWnd, rect, region ? static_cast<HRGN>(*region) : nullptr, flags);
  }
  void SetRedraw(BOOL redraw = TRUE) { SendMessage(WM_SETREDRAW, redraw); }
  BOOL LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
  void UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
  void ScrollWindow(int dx, int dy, LPCRECT scroll = nullptr, LPCRECT clip = nullptr) {
    ::ScrollWindow(m_hWnd, dx, dy, scroll, clip);
  }
  int ScrollWindowEx(int dx, int dy, LPCRECT scroll, LPCRECT clip, CRgn* update, LPRECT updateRect,
                     UINT flags) {
    return ::ScrollWindowEx(m_hWnd, dx, dy, scroll, clip,
                            update ? static_cast<HRGN>(*update) : nullptr, updateRect, flags);
  }
  BOOL FlashWindow(BOOL invert) { return ::FlashWindow(m_hWnd, invert); }

  // Timers, capture, focus, caret
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr) {
    return ::SetTimer(m_hWnd, id, elapse, proc);
  }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
  CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
  static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
  CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
  static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
  void CreateSolidCaret(int width, int height) { ::CreateCaret(m_hWnd, nullptr, width, height); }
  void CreateCaret(CBitmap* bitmap) {
    ::CreateCaret(m_hWnd, bitmap ? static_cast<HBITMAP>(*bitmap) : nullptr, 0, 0);
  }
  void ShowCaret() { ::ShowCaret(m_hWnd); }
  void HideCaret() { ::HideCaret(m_hWnd); }
  static void SetCaretPos(POINT point) { ::SetCaretPos(point.x, point.y); }
  static CPoint GetCaretPos();

  // Scroll bars
  int GetScrollPos(int bar) const { return ::GetScrollPos(m_hWnd, bar); }
  int SetScrollPos(int bar, int position, BOOL redraw = TRUE) {
    return ::SetScrollPos(m_hWnd, bar, position, redraw);
  }
  void GetScrollRange(int bar, LPINT minPos, LPINT maxPos) const {
    ::GetScrollRange(m_hWnd, bar, minPos, maxPos);
  }
  void SetScrollRange(int bar, int minPos, int maxPos, BOOL redraw = TRUE) {
    ::SetScrollRange(m_hWnd, bar, minPos, maxPos, redraw);
  }
  BOOL GetScrollInfo(int bar, LPSCROLLINFO info, UINT mask = SIF_ALL) const;
  BOOL SetScrollInfo(int bar, LPSCROLLINFO info, BOOL redraw = TRUE) {
    return ::SetScrollInfo(m_hWnd, bar, info, redraw);
  }
  int GetScrollLimit(int bar) const;
  void ShowScrollBar(UINT bar, BOOL show = TRUE) { ::ShowScrollBar(m_hWnd, bar, show); }
  BOOL EnableScrollBar(int bar, UINT arrows = ESB_ENABLE_BOTH) {
    return ::EnableScrollBar(m_hWnd, bar, arrows);
  }

  // Menus and shell
  CMenu* GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
  BOOL SetMenu(CMenu* menu) { return ::SetMenu(m_hWnd, menu ? menu->m_hMenu : nullptr); }
  void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
  CMenu* GetSystemMenu(BOOL revert) const {
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert));
  }
  void DragAcceptFiles(BOOL accept = TRUE);
  int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);

  // Lays out the control bars with ids in [first, last] and gives the rest of the client area to
  // the child leftOver (through WM_SIZEPARENT, which bars answer).
  enum RepositionFlags {
    reposDefault = 0,
    reposQuery = 1,
    reposExtra = 2,
    reposNoPosLeftOver = 0x8000
  };
  void RepositionBars(UINT first, UINT last, UINT leftOver, UINT flags = reposDefault,
                      LPRECT param = nullptr, LPCRECT clientRect = nullptr, BOOL stretch = TRUE);

  // Default handlers: each does the window's default processing.
  int OnCreate(LPCREATESTRUCTA cs);
  BOOL OnNcCreate(LPCREATESTRUCTA cs);
  void OnDestroy();
  void OnNcDestroy();
  void OnClose();
  void OnSize(UINT type, int cx, int cy);
  void OnSizing(UINT side, LPRECT rect);
  void OnMove(int x, int y);
  void OnPaint();
  void OnNcPaint();
  BOOL OnEraseBkgnd(CDC* dc);
  void OnTimer(UINT_PTR id);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnRButtonDown(UINT flags, CPoint point);
  void OnRButtonUp(UINT flags, CPoint point);
  void OnRButtonDblClk(UINT flags, CPoint point);
  void OnMButtonDown(UINT flags, CPoint point);
  void OnMButtonUp(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnMouseLeave();
  BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
  int OnMouseActivate(CWnd* topParent, UINT hitTest, UINT message);
  LRESULT OnNcHitTest(CPoint point);
  void OnNcLButtonDown(UINT hitTest, CPoint point);
  void OnNcLButtonUp(UINT hitTest, CPoint point);
  void OnNcLButtonDblClk(UINT hitTest, CPoint point);
  void OnNcMouseMove(UINT hitTest, CPoint point);
  void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
  void OnKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnKeyUp(UINT ch, UINT repeat, UINT flags);
  void OnChar(UINT ch, UINT repeat, UINT flags);
  void OnSysKeyDown(UINT ch, UINT repeat, UINT flags);
  void OnSysKeyUp(UINT ch, UINT repeat, UINT flags);
  void OnSysChar(UINT ch, UINT repeat, UINT flags);
  BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);
  void OnSetFocus(CWnd* oldWindow);
  void OnKillFocus(CWnd* newWindow);
  void OnCaptureChanged(CWnd* window);
  void OnCancelMode();
  void OnHScroll(UINT code, UINT position, CScrollBar* scrollBar);
  void OnVScroll(UINT code, UINT position, CScrollBar* scrollBar);
  HBRUSH OnCtlColor(CDC* dc, CWnd* window, UINT ctlColor);
  // The owner-draw messages go to the control's OnChildNotify when it is a framework object.
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);
  int OnCompareItem(int id, LPCOMPAREITEMSTRUCT item);
  void OnDeleteItem(int id, LPDELETEITEMSTRUCT item);
  void OnInitMenu(CMenu* menu);
  void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
  void OnMenuSelect(UINT item, UINT flags, HMENU menu);
  void OnDropFiles(HDROP drop);
  void OnShowWindow(BOOL show, UINT status);
  void OnEnable(BOOL enable);
  void OnActivate(UINT state, CWnd* other, BOOL minimized);
  void OnActivateApp(BOOL active, DWORD threadId);
  BOOL OnNcActivate(BOOL active);
  void OnGetMinMaxInfo(MINMAXINFO* info);
  void OnWindowPosChanging(WINDOWPOS* position);
  void OnWindowPosChanged(WINDOWPOS* position);
  void OnContextMenu(CWnd* window, CPoint point);
  void OnSysCommand(UINT id, LPARAM lParam);
  void OnDestroyClipboard();
  BOOL OnDeviceChange(UINT event, DWORD_PTR data);
  UINT OnGetDlgCode();
  BOOL OnCopyData(CWnd* window, COPYDATASTRUCT* data);
  void OnParentNotify(UINT message, LPARAM lParam);
  BOOL OnQueryEndSession();
  void OnEndSession(BOOL ending);
  void OnSysColorChange();
  void OnSettingChange(UINT flags, LPCSTR section);

protected:
  WNDPROC m_pfnSuper = nullptr;  // the procedure messages go to by default
  HWND m_hWndOwner = nullptr;    // owner for command routing when it differs from the parent

  // Fills in the framework's window class when none is named.
  static LPCSTR DefaultClassName();

  DECLARE_MESSAGE_MAP()

  friend LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  friend class CWndCreationHook;
};

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT AfxCallWndProc(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Registers (once) a window class with the framework's procedure and returns its name.
LPCSTR AfxRegisterWndClass(UINT classStyle, HCURSOR cursor = nullptr, HBRUSH background = nullptr,
                           HICON icon = nullptr);
// Reports an exception that escaped a handler and deletes it (the program goes on).
void AfxReportHandlerException(CException* e);
