// CThinPenScope: for its lifetime a device context draws with a solid one-pixel pen of a colour;
// the pen it had before comes back when the scope ends. The pens come from a small program-wide
// cache (the last colours asked for), so that a view drawing thousands of outlines does not make
// and delete a pen for each. User-interface thread only, as all drawing is. A cached pen is only
// ever deleted when it is not selected: scopes end before the next pen is asked for.
#pragma once

#include <windows.h>

class CDC;

class CThinPenScope {
public:
  CThinPenScope(CDC* dc, COLORREF colour);
  ~CThinPenScope();
  CThinPenScope(const CThinPenScope&) = delete;
  CThinPenScope& operator=(const CThinPenScope&) = delete;

  // The cached pen of the colour (made on first use); the cache keeps it.
  static HPEN PenOf(COLORREF colour);

private:
  CDC* m_dc;
  HGDIOBJ m_previous;
};
