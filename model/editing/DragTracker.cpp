#include "model/editing/DragTracker.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

// The tracker itself is the second parameter of its commands.
static_assert(sizeof(LPARAM) == sizeof(CDragTracker*), "a pointer travels in lParam");

namespace {

// The deepest visible window under the screen point. WindowFromPoint stops at a disabled window,
// and a modal dialog disables the main frame whose views take its drops: the search goes on into
// the children of such a window.
HWND WindowUnder(POINT screen) {
  HWND window = ::WindowFromPoint(screen);
  while (window) {
    POINT client = screen;
    ::ScreenToClient(window, &client);
    HWND child = ::ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == window) break;
    window = child;
  }
  return window;
}

LRESULT SendDragCommand(HWND window, UINT command, CDragTracker* tracker) {
  return ::SendMessageA(window, WM_COMMAND, command, reinterpret_cast<LPARAM>(tracker));
}

}  // namespace

CDragTracker::CDragTracker()
    : m_acceptCursor(nullptr),
      m_refuseCursor(nullptr),
      m_active(FALSE),
      m_accepted(FALSE),
      m_lastPoint{0, 0},
      m_target(nullptr),
      m_mainWindow(nullptr),
      m_dropData(nullptr) {}

void CDragTracker::Begin(HCURSOR acceptCursor, HCURSOR refuseCursor) {
  m_acceptCursor = acceptCursor;
  m_refuseCursor = refuseCursor;
  CWnd* mainWindow = AfxGetMainWnd();
  m_mainWindow = mainWindow ? mainWindow->GetSafeHwnd() : nullptr;
  m_target = nullptr;
  m_active = TRUE;
  m_accepted = FALSE;
}

void CDragTracker::End() {
  m_active = FALSE;
  m_accepted = FALSE;
  m_target = nullptr;
  m_dropData = nullptr;
}

int CDragTracker::Track(int screenX, int screenY) {
  m_accepted = FALSE;
  m_target = nullptr;
  m_lastPoint = {screenX, screenY};
  HWND target = WindowUnder(m_lastPoint);
  if (!target) target = m_mainWindow;
  if (target && ::IsWindow(target) && SendDragCommand(target, kQueryDropCommand, this) != 0) {
    ::SetCursor(m_acceptCursor);
    m_target = target;
    m_accepted = TRUE;
    return 1;
  }
  ::SetCursor(m_refuseCursor);
  return 0;
}

void CDragTracker::Drop(UINT command) {
  if (m_accepted && m_target && ::IsWindow(m_target)) SendDragCommand(m_target, command, this);
}
