// CScrollThrottle: paces the line and page scrolling of one scroll bar to at most one step per
// 100 ms, so that a held arrow or edge scrolling while dragging does not race away. Time is the
// millisecond tick count since start-up, compared by difference: the pace holds across midnight
// and across the tick count's wrap. The tick source can be replaced so that tests set the time.
#pragma once

#include <windows.h>

class CScrollThrottle {
public:
  static constexpr DWORD kInterval = 100;

  using TickSource = DWORD (*)();
  // Installs a tick source for every throttle; null restores GetTickCount. Returns the previous.
  static TickSource SetTickSource(TickSource source);
  static DWORD Now();

  // The throttles of the horizontal and the vertical bars, shared by all views.
  static CScrollThrottle& Horizontal();
  static CScrollThrottle& Vertical();

  // True, and the time remembered, when at least the interval has passed since the last step
  // accepted (always for the first one).
  bool Accept();
  // Forgets the last step, so that the next one is accepted.
  void Reset() { m_hasPrevious = false; }

private:
  DWORD m_previous = 0;
  bool m_hasPrevious = false;
};
