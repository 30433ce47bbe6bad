#include "editor/views/ScrollThrottle.h"

namespace {

CScrollThrottle::TickSource g_tickSource = nullptr;

}  // namespace

CScrollThrottle::TickSource CScrollThrottle::SetTickSource(TickSource source) {
  TickSource previous = g_tickSource;
  g_tickSource = source;
  return previous;
}

DWORD CScrollThrottle::Now() { return g_tickSource ? g_tickSource() : ::GetTickCount(); }

CScrollThrottle& CScrollThrottle::Horizontal() {
  static CScrollThrottle throttle;
  return throttle;
}

CScrollThrottle& CScrollThrottle::Vertical() {
  static CScrollThrottle throttle;
  return throttle;
}

bool CScrollThrottle::Accept() {
  DWORD now = Now();
  // Unsigned difference: correct across the wrap of the tick count.
  if (m_hasPrevious && now - m_previous < kInterval) return false;
  m_previous = now;
  m_hasPrevious = true;
  return true;
}
