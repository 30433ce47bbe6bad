// CDockBar: the strip along one edge of a frame (or the inside of a floating mini frame) that
// holds docked control bars in rows. A frame that allows docking has one per allowed edge, with
// the ids AFX_IDW_DOCKBAR_TOP/BOTTOM/LEFT/RIGHT; a floating frame's has AFX_IDW_DOCKBAR_FLOAT.
// The static functions are the frame's docking operations (CFrameWnd forwards to them).
#pragma once

#include <vector>

#include "framework/ControlBar.h"

class CMiniDockFrameWnd;

class CDockBar : public CControlBar {
  DECLARE_DYNAMIC(CDockBar)
public:
  explicit CDockBar(BOOL floating = FALSE);
  ~CDockBar() override;

  BOOL m_bFloating;

  // style: window style bits and the edge (CBRS_ALIGN_ bit) the bar lines.
  BOOL Create(CWnd* parent, DWORD style, UINT id);

  // Docks bar here: in a new last row, or where rect (screen coordinates) lies.
  void DockControlBar(CControlBar* bar, LPCRECT rect = nullptr);
  // Docks bar at the end of row (a new row when row is past the last one).
  void DockControlBarInRow(CControlBar* bar, int row);
  // Takes bar out of its row. With updateFrame a floating dock bar's frame fits itself to the
  // bars left, or goes when none is left.
  BOOL RemoveControlBar(CControlBar* bar, BOOL updateFrame = TRUE);
  int GetDockedCount() const;
  int GetDockedVisibleCount() const;
  // The row and position of bar, false when it is not here.
  bool FindBar(const CControlBar* bar, int* row, int* index) const;
  int GetRowCount() const { return static_cast<int>(m_rows.size()); }
  const std::vector<CControlBar*>& GetRow(int row) const {
    return m_rows[static_cast<size_t>(row)];
  }

  CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}  // the docked bars update themselves
  BOOL IsDockBar() const override { return TRUE; }

  // The frame's docking operations.
  static void EnableDocking(CFrameWnd* frame, DWORD dockStyle);
  // dockBarId 0 picks the dock bar of the bar's alignment (or the first edge it may dock on).
  static BOOL DockBarInFrame(CFrameWnd* frame, CControlBar* bar, UINT dockBarId, LPCRECT rect);
  static void FloatBarInFrame(CFrameWnd* frame, CControlBar* bar, CPoint point, DWORD style);
  static void ShowBarInFrame(CFrameWnd* frame, CControlBar* bar, BOOL show, BOOL delay);
  static CDockBar* GetDockBar(const CFrameWnd* frame, UINT dockBarId);
  // The dock bar id of an edge (CBRS_ALIGN_ bit), 0 for none.
  static UINT DockBarIdOf(DWORD align);

protected:
  LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  void OnPaint();
  DECLARE_MESSAGE_MAP()

  // Sizes (and with apply, places) the docked bars; returns the room they take.
  CSize LayoutRows(bool apply);
  DWORD LayoutModeFor(const CControlBar* bar) const;
  // The row whose band holds the cross-axis coordinate, -1 above, GetRowCount() below.
  int RowAt(int across, bool* inside);
  void PrepareBar(CControlBar* bar);

  std::vector<std::vector<CControlBar*>> m_rows;
  std::vector<std::pair<int, int>> m_rowBands;  // cross-axis extent of each row at the last layout
};
