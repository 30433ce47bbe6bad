// The byte layout that the glyph encoder and decoder share: the bits of the flag bytes, the
// delta kinds of encodings B and C, the header of encoding C and the rule that picks an encoding
// for a format version. Plain C++ on the Windows integer types only, so that the build-time
// library generator can use it outside Windows.
#pragma once

#include <windows.h>

#include <cmath>
#include <cstddef>

namespace glyphformat {

const float kFirstVersionB = 6.0f;
const float kLastVersionB = 6.09f;
const float kFirstVersionWithout = 6.11f;

enum Encoding { kEncodingA, kEncodingB, kEncodingC, kNoEncoding };

// The encoding of a format version, for writing and reading alike.
inline Encoding EncodingOf(float version) {
  if (!std::isfinite(version) || version >= kFirstVersionWithout) return kNoEncoding;
  if (version < kFirstVersionB) return kEncodingA;
  return version <= kLastVersionB ? kEncodingB : kEncodingC;
}

const BYTE kNoCurvesFlag = 0x80;
const BYTE kWidthMask = 0x3F;
// Widths above this cannot come from an encoder (coordinates are limited below) and would make a
// field wider than 64 bits.
const int kMaxWidth = 30;
// Truncated coordinates beyond this are refused, so that no delta needs more than kMaxWidth bits.
const double kMaxCoordinate = 1 << 24;
const WORD kHeaderCMark = 15;
const size_t kRecordHeadC = 15;  // length word + header; a record's name starts here
const size_t kMaxNameLength = 255;
const size_t kUnreadBytesA = 8;
// The coordinate stream of one glyph holds at most this many bytes.
const size_t kMaxCoordinateBytes = 1264000;
// No record a glyph can produce is longer; readers refuse longer lengths before allocating.
const DWORD kMaxRecordLength = 4 * 1024 * 1024;

// Point flags of encoding A.
const BYTE kAOnCurve = 0x01;
const BYTE kAXByte = 0x02;
const BYTE kAYByte = 0x04;
const BYTE kARepeat = 0x08;
const BYTE kAXSame = 0x10;
const BYTE kAYSame = 0x20;

// Delta kinds of a point code.
enum DeltaKind { kWide = 0, kAddByte = 1, kSame = 2, kSubtractByte = 3 };

inline int KindBits(int kind, int width) {
  if (kind == kSame) return 0;
  if (kind == kWide) return width + 1;
  return 8;
}

}  // namespace glyphformat
