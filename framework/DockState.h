// CDockState: where a frame's control bars are (docked edge, row and place in the row, or the
// floating frame's position) and whether they are shown, kept in the application's profile under
// a name: section "<name>-Summary" holds the number of bars, section "<name>-Bar<n>" each bar.
// Loading a name with nothing stored leaves the frame's default layout alone; stored entries that
// name no bar of the frame, or an edge the bar may not dock on, are skipped.
#pragma once

#include <vector>

#include "framework/Point.h"
#include "framework/String.h"

class CFrameWnd;

class CDockState {
public:
  struct BarInfo {
    UINT barId = 0;
    BOOL visible = TRUE;
    BOOL floating = FALSE;
    UINT dockBarId = 0;  // docked: the dock bar's id; 0 for bars that align by themselves
    int row = 0;
    int position = 0;
    BOOL horz = TRUE;  // floating orientation
    CPoint floatPos;   // floating frame's top left, screen coordinates
    int mruWidth = 32767;
  };

  std::vector<BarInfo> m_bars;

  void Clear() { m_bars.clear(); }
  // Takes the state of every bar of site.
  void GetState(CFrameWnd* site);
  // Puts the bars of site where the state says.
  void SetState(CFrameWnd* site) const;
  // False when nothing is stored under the name (the state is then empty).
  BOOL LoadState(LPCSTR profileName);
  void SaveState(LPCSTR profileName) const;

private:
  static CString SummarySection(LPCSTR profileName);
  static CString BarSection(LPCSTR profileName, int index);
};
