// Damaged copies of a good file for the readers' damaged-input tests: each copy has one to three
// changes (a byte replaced, a bit flipped, a 32-bit field set to a value at a limit, the file cut
// short). The sequence depends only on the seed, the same on every compiler and library.
#pragma once

#include <windows.h>

#include <iterator>
#include <vector>

class ByteMutator {
public:
  explicit ByteMutator(DWORD seed) : m_state(seed ? seed : 1) {}

  // xorshift32
  DWORD Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
  }
  DWORD Below(size_t count) { return count ? Next() % DWORD(count) : 0; }

  std::vector<BYTE> Mutate(std::vector<BYTE> file) {
    const DWORD size = DWORD(file.size());
    const DWORD limits[] = {0,          1,          0x7F,       0x80,     0xFF, 0xFFFF,  0x10000,
                            0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, size - 1, size, size + 1};
    for (DWORD edits = 1 + Below(3); edits > 0 && !file.empty(); --edits) {
      const size_t at = Below(file.size());
      switch (Below(4)) {
        case 0:
          file[at] = BYTE(Next());
          break;
        case 1:
          file[at] ^= BYTE(1u << Below(8));
          break;
        case 2: {
          const DWORD value = limits[Below(std::size(limits))];
          for (size_t i = 0; i < 4 && at + i < file.size(); ++i)
            file[at + i] = BYTE(value >> 8 * i);
          break;
        }
        default:
          file.resize(at);
          break;
      }
    }
    return file;
  }

private:
  DWORD m_state;
};
