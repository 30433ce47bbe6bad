// CControlBar: a bar along an edge of a frame (tool bar, status bar, dialog bar, ...). A bar takes
// its room from the frame's client area when the frame lays out its bars (WM_SIZEPARENT), either
// by its own alignment or inside a dock bar; it updates its items at idle through the frame's
// command routing; it can float in a mini frame and be dragged by its gripper.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/AfxRes.h"
#include "framework/PtrArray.h"
#include "framework/Wnd.h"

class CDockBar;
class CDockContext;
class CFrameWnd;

// Bar styles (CControlBar::m_dwStyle).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Modes of CalcDynamicLayout.
#define LM_STRETCH 0x01   // stretch over the whole length
#define LM_HORZ 0x02      // horizontal, else vertical
#define LM_MRUWIDTH 0x04  // floating at the most recently used width
#define LM_HORZDOCK 0x08  // docked horizontally
#define LM_VERTDOCK 0x10  // docked vertically
#define LM_LENGTHY 0x20   // the length is a height, else a width
#define LM_COMMIT 0x40    // keep the result as the most recently used width

// A tool of OnToolHitTest that is no button: it gets a tip but no fly-by text.
#define TTF_NOTBUTTON 0x80000000UL

class CControlBar : public CWnd {
  DECLARE_DYNAMIC(CControlBar)
public:
  CControlBar();
  ~CControlBar() override;

  DWORD m_dwStyle = 0;                     // CBRS_ bits; the window style is separate
  DWORD m_dwDockStyle = 0;                 // the edges the bar may be docked on (CBRS_ALIGN_ bits)
  CFrameWnd* m_pDockSite = nullptr;        // the frame the bar belongs to
  CDockBar* m_pDockBar = nullptr;          // the dock bar holding it, null when not docked
  CDockContext* m_pDockContext = nullptr;  // dragging state, made by EnableDocking
  BOOL m_bAutoDelete = FALSE;              // delete the object when its window is gone
  int m_cxLeftBorder = 6;
  int m_cxRightBorder = 6;
  int m_cyTopBorder = 2;
  int m_cyBottomBorder = 2;
  int m_nMRUWidth = 32767;  // floating width last chosen

  // The size the bar wants: stretched over the whole length or as small as its content.
  virtual CSize CalcFixedLayout(BOOL stretch, BOOL horz);
  // The size for a given length (LM_ modes); bars that change shape override it.
  virtual CSize CalcDynamicLayout(int length, DWORD mode);
  // Updates the bar's items through the target's update handlers (at idle).
  virtual void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) = 0;
  // The item under point (client coordinates): its id, or -1. With info, also fills the tool.
  virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* info) const;
  virtual BOOL IsDockBar() const { return FALSE; }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void PostNcDestroy() override;

  void SetBarStyle(DWORD style);
  DWORD GetBarStyle() const { return m_dwStyle; }
  void SetBorders(int left = 0, int top = 0, int right = 0, int bottom = 0);
  void SetBorders(LPCRECT borders);
  CRect GetBorders() const;
  // The client area left inside the bar's edges, gripper and borders.
  void CalcInsideRect(CRect& rect, BOOL horz) const;

  // Allows docking on the given edges (CBRS_ALIGN_ bits); 0 forbids docking.
  void EnableDocking(DWORD dockStyle);
  BOOL IsFloating() const;
  BOOL IsHorz() const;
  // Visible, or about to become visible at the next layout.
  BOOL IsVisible() const;
  // Shows or hides the bar at the next layout of its frame.
  void DelayShow(BOOL show);
  CFrameWnd* GetDockingFrame() const;

  // A tool tip of the bar's own for the items OnToolHitTest finds (tool bars have their own).
  BOOL EnableToolTips(BOOL enable = TRUE);
  HWND GetToolTipWindow() const { return m_toolTip; }

  // Every bar that belongs to a frame (docked, floating or aligned by itself).
  static CControlBar* FindBar(const CFrameWnd* site, UINT id);
  static void GetBars(const CFrameWnd* site, CPtrArray& bars);

  // Applies a pending show or hide now; returns the style the layout sees.
  DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* layout);

protected:
  // The framework's window class of bars: button-face background, arrow cursor.
  static LPCSTR ControlBarClassName();
  // The bar's frame for routing update handlers and fly-by texts.
  CFrameWnd* GetCommandTarget() const;
  void DrawBorders(CDC* dc, CRect& rect);
  void DrawGripper(CDC* dc, const CRect& rect);
  BOOL HasGripper() const;
  void UpdateFlyBy(CPoint point);
  void SetStatusText(INT_PTR id);
  void RelayToolTipEvent(UINT message, WPARAM wParam, LPARAM lParam);
  // Default tip text: the part after the line break of the command's string resource.
  BOOL SupplyToolTipText(NMHDR* header, LRESULT* result);
  BOOL AskNarrowTipHandler(UINT tipId, NMHDR* header, LRESULT* result);

  int OnCreate(LPCREATESTRUCTA cs);
  void OnDestroy();
  LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  void OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params);
  void OnNcPaint();
  LRESULT OnNcHitTest(CPoint point);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnMouseLeave();
  void OnCaptureChanged(CWnd* window);
  DECLARE_MESSAGE_MAP()

  enum StateFlags { delayHide = 1, delayShow = 2 };
  UINT m_nStateFlags = 0;
  INT_PTR m_flyByHit = -1;
  bool m_leaveTracked = false;
  HWND m_toolTip = nullptr;
  INT_PTR m_toolTipHit = -1;
  std::wstring m_wideTip;  // the last tip a narrow handler gave, widened

  friend class CDockBar;
  friend class CDockContext;
  friend class CDockState;
};
