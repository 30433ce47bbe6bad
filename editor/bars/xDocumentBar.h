// xCDocumentBar: the bar along the top of the main frame with one tab per open document (its
// title, after a "*" while it is modified). A click on a tab brings its document to the front; a
// double click on a tab, or the close button at the right, closes the active document. Tabs wider
// than the bar scroll sideways with two arrow buttons and a thin strip with a thumb under them.
//
// The bar keeps no link to the documents: at idle it compares its tab records with the open
// documents (through a CDocumentSource) and repaints when anything differs; each repaint rebuilds
// the records, measures them and draws the whole bar off screen. Tab rectangles are in content
// coordinates: x from 0 at the first tab's left edge; the scroll offset is the content x shown at
// the tab area's left edge and is never negative.
#pragma once

#include <memory>
#include <vector>

#include "editor/bars/xImageList.h"
#include "framework/ControlBar.h"
#include "framework/Rect.h"
#include "framework/String.h"

class CDC;
class CDocument;
class CDocumentSource;

class xCDocumentBar : public CControlBar {
  DECLARE_DYNAMIC(xCDocumentBar)
public:
  // Hit codes besides the tab indexes (0 and up).
  enum HitCode {
    kNothing = -1,
    kCloseButton = -2,
    kScrollLeftButton = -3,
    kScrollRightButton = -4,
    kScrollStrip = -5
  };
  // HitTest's flags: something was tested, and a tab was hit.
  static constexpr UINT kHitFlags = 1;
  static constexpr UINT kTabHitFlags = 6;
  static constexpr UINT kControlId = 9988;

  struct DocTab {
    CDocument* document = nullptr;  // not owned
    CRect rect;
    CString title;
    CString path;
    BOOL modified = FALSE;
  };

  // Walks the application's documents.
  xCDocumentBar();
  // Walks the given documents; the bar owns the source.
  explicit xCDocumentBar(std::unique_ptr<CDocumentSource> source);
  ~xCDocumentBar() override;

  virtual BOOL Create(CWnd* parent, DWORD ctrlStyle, DWORD barStyle, const RECT& borders, UINT id);
  CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
  void OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* info) const override;
  virtual void RecalcButtonRects();

  // The hit code of a client point; *flags (may be null) tells whether a tab was hit.
  int HitTest(CPoint point, UINT* flags) const;
  // A tab's content rectangle, the drawn rectangle of a button or the strip, empty for nothing;
  // the tab's document for a tab.
  CDocument* GetItemRect(int code, CRect* rect) const;
  // Synchronise, then measure and place every tab; the number of tabs.
  int LayoutTabs();
  // Makes the tab records match the open documents; the number of documents.
  int Synchronise();
  // 256 other count, 2 other document, 3 other path, 4 other title, 1 other modified flag, 0 same.
  int Compare() const;
  // 1 when the active document changed, else Compare's code.
  int IsStale() const;

  void ScrollToRatio(double ratio);
  void ScrollLeft();
  void ScrollRight();
  void EnsureVisible(int index);

  int GetTabCount() const { return static_cast<int>(m_tabs.size()); }
  const DocTab& GetTab(int index) const { return m_tabs.at(static_cast<size_t>(index)); }
  int GetScrollOffset() const { return m_scrollOffset; }
  int GetTotalWidth() const { return m_totalWidth; }
  const CRect& GetTabArea() const { return m_tabArea; }
  int GetHotItem() const { return m_hotItem; }
  CDocumentSource& GetSource() { return *m_source; }
  // The label of a tab: "*" before the title while the document is modified.
  static CString TabLabel(const DocTab& tab);
  // The tool tip of a hit code: the tab's path, the buttons' names; handled is TRUE for a tab.
  CString ToolTipText(int code, BOOL* handled) const;

protected:
  void OnPaint();
  void OnSize(UINT type, int cx, int cy);
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  void OnNeedText(NMHDR* header, LRESULT* result);
  void OnLButtonDown(UINT flags, CPoint point);
  void OnLButtonDblClk(UINT flags, CPoint point);
  void OnMouseMove(UINT flags, CPoint point);
  void OnLButtonUp(UINT flags, CPoint point);
  LRESULT OnMouseLeaveMessage(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

  void DrawBackground(CDC* dc);
  void DrawButtons(CDC* dc);
  void DrawTab(CDC* dc, DRAWITEMSTRUCT* item);
  void DrawTabFrame(CDC* dc, const DRAWITEMSTRUCT* item);
  void DrawRaisedFrame(CDC* dc, const CRect& rect);
  void DrawLabel(CDC* dc, const DRAWITEMSTRUCT* item);

private:
  int TabAreaWidth() const { return m_tabArea.Width(); }
  // The tab's rectangle in client coordinates, or false when it lies wholly left of the offset
  // (skip) ; *past is set when it starts at or beyond the visible end (stop).
  bool VisibleTabRect(int index, CRect* rect, bool* past) const;
  int ClientWidth() const;
  void InvalidateItem(int code);
  void TrackHotItem(CPoint point);
  void ScrollToPoint(CPoint point);
  void ClampOffset();

  std::unique_ptr<CDocumentSource> m_source;
  CRect m_closeRect;
  CRect m_scrollLeftRect;
  CRect m_scrollRightRect;
  CRect m_stripRect;
  xCImageList m_skin;
  std::vector<DocTab> m_tabs;
  CDocument* m_activeDocument = nullptr;
  int m_barHeight = 26;
  int m_fixedTabWidth = 0;
  int m_spaceBefore = 5;
  int m_spaceAfter = 5;
  int m_gap = 0;
  int m_topMargin = 3;
  int m_bottomMargin = 6;
  int m_leftMargin = 5;
  int m_rightMargin = 52;
  HPEN m_darkPen = nullptr;
  HPEN m_lightPen = nullptr;
  HPEN m_shadowPen = nullptr;
  HFONT m_font = nullptr;
  COLORREF m_background = RGB(255, 251, 240);
  COLORREF m_thumbColour = RGB(145, 215, 230);
  BOOL m_hoverTracking = TRUE;
  BOOL m_leaveArmed = FALSE;
  int m_hotItem = kNothing;
  CRect m_tabArea;
  int m_totalWidth = 0;
  int m_pressState = 0;
  int m_scrollOffset = 0;
  // The text handed to the tool tip lives here until the next request: a path of any length.
  CString m_tipText;
};
