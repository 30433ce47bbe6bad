#include "output/FillScan.h"

#include <algorithm>

namespace {

// The row's byte with ink pixels as 1 bits.
inline BYTE InkByte(const BYTE* row, int index, int inkBit) {
  return inkBit ? row[index] : static_cast<BYTE>(~row[index]);
}

inline bool IsInk(const BYTE* row, int pixel, int inkBit) {
  return ((row[pixel >> 3] >> (7 - (pixel & 7))) & 1) == inkBit;
}

// The first pixel from pixel on whose ink state differs from ink, or width.
int SkipWhile(const BYTE* row, int pixel, int width, int inkBit, bool ink) {
  const BYTE whole = ink ? 0xFF : 0x00;
  while (pixel < width) {
    if ((pixel & 7) == 0 && pixel + 8 <= width && InkByte(row, pixel >> 3, inkBit) == whole) {
      pixel += 8;
      continue;
    }
    if (IsInk(row, pixel, inkBit) != ink) break;
    ++pixel;
  }
  return pixel;
}

}  // namespace

void ScanFillRow(const BYTE* row, int width, int inkBit, bool backward,
                 std::vector<FillRun>& runs) {
  runs.clear();
  if (row == nullptr || width <= 0) return;
  int pixel = SkipWhile(row, 0, width, inkBit, false);
  while (pixel < width) {
    int end = SkipWhile(row, pixel, width, inkBit, true);
    runs.push_back({pixel, end - 1});
    pixel = SkipWhile(row, end, width, inkBit, false);
  }
  if (!backward) return;
  // The same pixels, met from the right: the runs in reverse order, each from its right end.
  std::reverse(runs.begin(), runs.end());
  for (FillRun& run : runs) std::swap(run.start, run.end);
}
