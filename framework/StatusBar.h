// CStatusBar: a control bar of text panes (the system's status bar control). Each pane has an
// indicator id (0 for panes that are reached by index only), a style and a text width; the
// first stretching pane takes the room the others leave. Indicator panes start with the text of
// their string resource and follow their update handlers at idle; the window text of the bar is
// the text of its pane with id 0 (where the frame shows prompts).
#pragma once

#include <vector>

#include "framework/ControlBar.h"

// Pane styles.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000  // the text is not shown
#define SBPS_STRETCH 0x08000000   // takes the room the other panes leave

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)
public:
  CStatusBar();

  BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
              UINT id = AFX_IDW_STATUS_BAR);
  BOOL CreateEx(CWnd* parent, DWORD ctrlStyle = 0,
                DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
  // One pane per id; an indicator whose string resource is missing fails.
  BOOL SetIndicators(const UINT* ids, int count);

  int GetCount() const { return static_cast<int>(m_panes.size()); }
  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  void GetItemRect(int index, LPRECT rect) const;
  void GetPaneInfo(int index, UINT& id, UINT& style, int& width) const;
  void SetPaneInfo(int index, UINT id, UINT style, int width);
  UINT GetPaneStyle(int index) const;
  void SetPaneStyle(int index, UINT style);
  CString GetPaneText(int index) const;
  void GetPaneText(int index, CString& text) const { text = GetPaneText(index); }
  // With update the pane is repainted at once.
  BOOL SetPaneText(int index, LPCSTR text, BOOL update = TRUE);

  CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;

protected:
  struct Pane {
    UINT id = 0;
    UINT style = SBPS_NORMAL;
    int width = 0;  // of the text
    CString text;
  };

  bool IsValidIndex(int index) const { return index >= 0 && index < GetCount(); }
  int TextWidth(const CString& text) const;
  // Gives the control the panes' right edges for the current width.
  void UpdateParts();
  void ShowPaneText(int index);

  void OnSize(UINT type, int cx, int cy);
  LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

  std::vector<Pane> m_panes;
  HFONT m_font = nullptr;
};
