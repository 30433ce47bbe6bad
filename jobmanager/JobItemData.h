// CJobItemData: the 32-bit item data of a queue row, taken apart and put together. The high 16
// bits are the copies requested; bit 0 marks a row that takes part in a run without pause; bit 1
// is set on every row added by a hand-over or by a start command. The value is what the list
// control stores, so it stays one plain word.
#pragma once

#include <windows.h>

class CJobItemData {
public:
  static constexpr DWORD kMarked = 1;
  static constexpr DWORD kQueued = 2;
  static constexpr int kMaxCopies = 0xFFFF;

  explicit CJobItemData(DWORD data = 0) : m_data(data) {}
  static CJobItemData Make(int copiesRequested, DWORD flags) {
    CJobItemData item(flags & (kMarked | kQueued));
    item.SetCopiesRequested(copiesRequested);
    return item;
  }

  DWORD Get() const { return m_data; }
  int GetCopiesRequested() const { return static_cast<int>(m_data >> 16); }
  // Kept within 0..65535: the field has 16 bits.
  void SetCopiesRequested(int copies) {
    if (copies < 0) copies = 0;
    if (copies > kMaxCopies) copies = kMaxCopies;
    m_data = (m_data & 0xFFFF) | (static_cast<DWORD>(copies) << 16);
  }
  bool IsMarked() const { return (m_data & kMarked) != 0; }
  void SetMarked(bool marked) { m_data = marked ? (m_data | kMarked) : (m_data & ~kMarked); }
  void SetFlags(DWORD flags) { m_data |= flags; }

private:
  DWORD m_data;
};
