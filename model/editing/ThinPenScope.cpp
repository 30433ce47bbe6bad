#include "model/editing/ThinPenScope.h"

#include "framework/DC.h"

namespace {

// The pens of the colours asked for last; the one unused longest makes room for a new colour.
class CThinPenCache {
public:
  ~CThinPenCache() {
    for (Entry& entry : m_entries)
      if (entry.pen) ::DeleteObject(entry.pen);
  }

  HPEN Get(COLORREF colour) {
    ++m_clock;
    Entry* oldest = &m_entries[0];
    for (Entry& entry : m_entries) {
      if (entry.pen && entry.colour == colour) {
        entry.lastUse = m_clock;
        return entry.pen;
      }
      if (entry.lastUse < oldest->lastUse) oldest = &entry;
    }
    HPEN pen = ::CreatePen(PS_SOLID, 1, colour);
    if (!pen) return nullptr;
    if (oldest->pen) ::DeleteObject(oldest->pen);
    *oldest = Entry{colour, pen, m_clock};
    return pen;
  }

private:
  struct Entry {
    COLORREF colour;
    HPEN pen;
    unsigned long long lastUse;
  };
  static const int kPens = 32;

  Entry m_entries[kPens] = {};
  unsigned long long m_clock = 0;
};

}  // namespace

HPEN CThinPenScope::PenOf(COLORREF colour) {
  static CThinPenCache cache;
  return cache.Get(colour);
}

CThinPenScope::CThinPenScope(CDC* dc, COLORREF colour) : m_dc(dc), m_previous(nullptr) {
  if (HPEN pen = PenOf(colour)) m_previous = dc->SelectObject(pen);
}

CThinPenScope::~CThinPenScope() {
  if (m_previous) m_dc->SelectObject(m_previous);
}
