#include "usbplugin/WireRecord.h"

namespace {

const DWORD kThirtyBits = 0x3FFFFFFF;

// The low 30 bits of a word, sign-extended.
INT32 SignedThirtyBits(DWORD bits) {
  bits &= kThirtyBits;
  return (bits & 0x20000000) ? static_cast<INT32>(bits | ~kThirtyBits) : static_cast<INT32>(bits);
}

}  // namespace

bool WireRecord::Write(CByteWriter& writer) const {
  DWORD word0 = (static_cast<DWORD>(yStep) << 2) | (static_cast<DWORD>(kind) & 3);
  DWORD word1 = static_cast<DWORD>(xStep) & kThirtyBits;
  // Both words go in one write, so that a full buffer takes no half record.
  BYTE bytes[kSize];
  CByteWriter record(bytes, sizeof bytes);
  record.WriteDWord(word0);
  record.WriteDWord(word1);
  return writer.WriteBytes(bytes, sizeof bytes);
}

bool WireRecord::Read(CByteReader& reader) {
  if (reader.Remaining() < kSize) return false;
  size_t start = reader.Position();
  DWORD word0 = 0;
  DWORD word1 = 0;
  reader.ReadDWord(word0);
  reader.ReadDWord(word1);
  if (word1 & ~kThirtyBits) {
    reader.Seek(start);
    return false;
  }
  kind = static_cast<int>(word0 & 3);
  yStep = SignedThirtyBits(word0 >> 2);
  xStep = SignedThirtyBits(word1);
  return true;
}
