// POINTREC: one 9-byte point record of an outline (x and y as little-endian floats, then a flag
// byte), as contours and curves keep them packed in movable global memory. The records are read and
// written field by field; the packed bytes are never overlaid with a struct.
#pragma once

#include <windows.h>

#include <cstring>

struct POINTREC {
  float x;
  float y;
  BYTE flags;
};

const size_t kPointRecordSize = 9;
// Most point records (the end record included) that one outline record may carry. Readers refuse
// more and writers write nothing rather than a record that could not be read back.
const int kMaxPointRecords = 0x30000;

// Flag byte values and bits.
const BYTE kPointOnCurve = 0x01;   // clear: Bezier control point
const BYTE kPointSelected = 0x08;  // node selected in node editing
const BYTE kPointStart = 0x10;     // first point of a sub-path
const BYTE kPointOpenEnd = 0x20;   // last point of an open sub-path
const BYTE kPointClose = 0x40;     // closing point of a closed sub-path, on its first point
const BYTE kPointSubpathBits = 0x70;
const BYTE kPointSpecial = 0x80;  // not a point at all
const BYTE kPointPenColour = 0x81;
const BYTE kPointEnd = 0xFF;

inline bool IsSpecialPoint(BYTE flags) { return (flags & kPointSpecial) != 0; }
inline bool IsOnCurvePoint(BYTE flags) { return !IsSpecialPoint(flags) && (flags & kPointOnCurve); }
inline bool IsControlPoint(BYTE flags) {
  return !IsSpecialPoint(flags) && !(flags & kPointOnCurve);
}
inline bool IsSubpathStart(BYTE flags) { return !IsSpecialPoint(flags) && (flags & kPointStart); }
inline bool IsSubpathEnd(BYTE flags) {
  return !IsSpecialPoint(flags) && (flags & (kPointOpenEnd | kPointClose));
}
inline BYTE SubpathBitsOf(BYTE flags) { return flags & kPointSubpathBits; }
// A start and nothing else: what searches for a sub-path's first record look for.
inline bool IsStartOnly(BYTE flags) {
  return !IsSpecialPoint(flags) && SubpathBitsOf(flags) == kPointStart;
}

inline POINTREC MakePointRecord(float x, float y, BYTE flags) {
  POINTREC record = {x, y, flags};
  return record;
}

// A pen-colour record carries the colour's red, green and blue in its first three bytes.
inline POINTREC MakePenColourRecord(COLORREF rgb) {
  POINTREC record = {0.0f, 0.0f, kPointPenColour};
  BYTE bytes[4] = {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb), 0};
  memcpy(&record.x, bytes, sizeof bytes);
  return record;
}

inline COLORREF PenColourOf(const POINTREC& record) {
  BYTE bytes[4];
  memcpy(bytes, &record.x, sizeof bytes);
  return RGB(bytes[0], bytes[1], bytes[2]);
}

// records points at the first of at least index + 1 records.
inline POINTREC LoadPointRecord(const BYTE* records, size_t index) {
  const BYTE* at = records + index * kPointRecordSize;
  POINTREC record;
  memcpy(&record.x, at, 4);
  memcpy(&record.y, at + 4, 4);
  record.flags = at[8];
  return record;
}

inline void StorePointRecord(BYTE* records, size_t index, const POINTREC& record) {
  BYTE* at = records + index * kPointRecordSize;
  memcpy(at, &record.x, 4);
  memcpy(at + 4, &record.y, 4);
  at[8] = record.flags;
}

inline bool operator==(const POINTREC& a, const POINTREC& b) {
  return a.x == b.x && a.y == b.y && a.flags == b.flags;
}
