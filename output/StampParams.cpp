#include "output/StampParams.h"

#include "output/StampLayout.h"

namespace {

// Characters of GBK text: a lead byte and its trail are one, a lead byte at the end is none.
int CharacterCount(const CString& text) {
  const BYTE kFirstDoubleByte = 129;
  const BYTE* bytes = reinterpret_cast<const BYTE*>(static_cast<LPCSTR>(text));
  const int length = text.GetLength();
  int count = 0;
  for (int i = 0; i < length; ++i, ++count)
    if (bytes[i] >= kFirstDoubleByte && ++i >= length) break;
  return count;
}

}  // namespace

CStampParams::Problem CStampParams::Check() const {
  if (!(width > 0.0f) || !(height > 0.0f)) return kEmptyFrame;
  const float spacings[] = {border, cornerSize, marginX, marginY, gapX, gapY};
  for (float value : spacings)
    if (!(value >= 0.0f)) return kNegative;
  CStampLayout layout(CFRect(0.0f, 0.0f, width, height), border, marginX, marginY, gapX, gapY);
  const int capacity = CStampLayout::Capacity(templateIndex);
  if (capacity == 0 || text.IsEmpty()) return kFine;
  const int characters = CharacterCount(text);
  if (capacity > 0 && characters > capacity) return kTooMuchText;
  // The columns of the two-column kind place nothing when their characters cannot stand in them.
  if (!layout.HasRoom() || layout.Cells(templateIndex, characters).empty()) return kNoRoom;
  return kFine;
}
