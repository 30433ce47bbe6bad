// CDragTracker: feedback while something is dragged between windows of the editor. The window
// under the cursor is asked with WM_COMMAND 49005 (lParam: the tracker) whether it takes the drop;
// the cursor shows the answer, and the drop command goes to the window that said yes.
#pragma once

#include <windows.h>

class CWnd;

class CDragTracker {
public:
  static const UINT kQueryDropCommand = 49005;

  CDragTracker();

  void Begin(HCURSOR acceptCursor, HCURSOR refuseCursor);
  void End();
  // 1 when the window under the screen point (else the main window) accepts, else 0.
  int Track(int screenX, int screenY);
  // Sends the command to the accepting window, if there is one.
  void Drop(UINT command);

  BOOL IsActive() const { return m_active; }
  BOOL IsAccepted() const { return m_accepted; }
  POINT GetLastPoint() const { return m_lastPoint; }

private:
  HCURSOR m_acceptCursor;
  HCURSOR m_refuseCursor;
  BOOL m_active;
  BOOL m_accepted;
  POINT m_lastPoint;
  // Handles, not window objects: a temporary window object does not live from one mouse message
  // to the next.
  HWND m_target;
  HWND m_mainWindow;
};
