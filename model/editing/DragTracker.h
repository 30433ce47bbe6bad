// CDragTracker: feedback while something is dragged between windows of the editor. The window
// under the cursor is asked with WM_COMMAND 49005 (lParam: the tracker) whether it takes the drop;
// the cursor shows the answer, and the drop command goes to the window that said yes. What is
// dropped travels as the tracker's drop data, which the source sets before the drop and the target
// reads while it handles the command; its meaning is the drop command's.
#pragma once

#include <windows.h>

class CWnd;

class CDragTracker {
public:
  static const UINT kQueryDropCommand = 49005;

  CDragTracker();

  void Begin(HCURSOR acceptCursor, HCURSOR refuseCursor);
  void End();
  // 1 when the window under the screen point (else the main window) accepts, else 0. The window
  // under the point is the deepest visible one, also inside a window disabled by a modal dialog.
  int Track(int screenX, int screenY);
  // Sends the command to the accepting window, if there is one.
  void Drop(UINT command);
  // Not owned; End clears it.
  void SetDropData(void* data) { m_dropData = data; }
  void* GetDropData() const { return m_dropData; }

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
  void* m_dropData;
};
