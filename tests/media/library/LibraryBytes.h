// Graphics libraries laid out byte by byte from the file format's tables, for the library tests:
// a version 6.1 library, a version 6.0 library and a version 5 library, each holding a 10 x 10
// square whose glyph records were worked out by hand in the three codec forms. Nothing here
// calls the code under test; the tests compare what it reads and writes with these bytes.
#pragma once

#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "model/geometry/PointRecord.h"

namespace library_test {

using Bytes = std::vector<BYTE>;

inline void Put8(Bytes& out, BYTE value) { out.push_back(value); }
inline void Put16(Bytes& out, WORD value) {
  out.push_back(static_cast<BYTE>(value));
  out.push_back(static_cast<BYTE>(value >> 8));
}
inline void Put32(Bytes& out, DWORD value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<BYTE>(value >> (8 * i)));
}
inline void PutFloat(Bytes& out, float value) {
  DWORD bits = 0;
  std::memcpy(&bits, &value, 4);
  Put32(out, bits);
}
inline void PutText(Bytes& out, const char* text, size_t field) {
  size_t length = std::strlen(text);
  for (size_t i = 0; i < field; ++i) out.push_back(i < length ? static_cast<BYTE>(text[i]) : 0);
}
inline void PutAll(Bytes& out, const Bytes& more) {
  out.insert(out.end(), more.begin(), more.end());
}
inline void Poke32(Bytes& out, size_t at, DWORD value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<BYTE>(value >> (8 * i));
}
inline void Poke16(Bytes& out, size_t at, WORD value) {
  out[at] = static_cast<BYTE>(value);
  out[at + 1] = static_cast<BYTE>(value >> 8);
}
inline DWORD Peek32(const Bytes& in, size_t at) {
  return in[at] | in[at + 1] << 8 | in[at + 2] << 16 | static_cast<DWORD>(in[at + 3]) << 24;
}

// The square's body in encoding B: flags (width 4, no curves), one contour ending at point 4,
// five 4-bit point codes (same/same, +byte/same, same/+byte, -byte/same, same/-byte) and the
// four byte deltas of 10.
inline Bytes SquareStepsB() { return {0x04, 0x00, 0xA9, 0x6B, 0xE0, 0x0A, 0x0A, 0x0A, 0x0A}; }

inline Bytes SquareRecordB() {
  Bytes body = {0x84, 0x01, 0x00};
  PutAll(body, SquareStepsB());
  Bytes record;
  Put32(record, static_cast<DWORD>(body.size() + 4));
  PutAll(record, body);
  return record;
}

// Encoding C: mark 15, where the outline starts (H), the box 10 x 10, the flags, one contour,
// the name (when there is one) and encoding B's steps. Without a name H is 15: a record of a
// writer that stored none.
inline Bytes SquareRecordC(const char* name) {
  size_t nameBytes = name ? std::strlen(name) + 1 : 0;
  Bytes body;
  Put16(body, 15);
  Put16(body, static_cast<WORD>(15 + nameBytes));
  Put16(body, 10);
  Put16(body, 10);
  Put8(body, 0x84);
  Put16(body, 1);
  if (name) PutText(body, name, nameBytes);
  PutAll(body, SquareStepsB());
  Bytes record;
  Put32(record, static_cast<DWORD>(body.size() + 4));
  PutAll(record, body);
  return record;
}

// Encoding A: 8 unread bytes, one contour of 5 points, the point flags (on-curve with same or
// byte deltas, the byte's sign in the same-bit) and the four byte deltas.
inline Bytes SquareRecordA() {
  Bytes body(8, 0);
  Put16(body, 1);
  Put16(body, 5);
  PutAll(body, {0x31, 0x23, 0x15, 0x33, 0x35, 0x0A, 0x0A, 0x0A, 0x0A});
  Bytes record;
  Put32(record, static_cast<DWORD>(body.size() + 4));
  PutAll(record, body);
  return record;
}

// The points every form of the square decodes to.
inline std::vector<POINTREC> SquarePoints(float dx = 0, float dy = 0) {
  return {MakePointRecord(0 + dx, 0 + dy, 0x11),   MakePointRecord(10 + dx, 0 + dy, 0x01),
          MakePointRecord(10 + dx, 10 + dy, 0x01), MakePointRecord(0 + dx, 10 + dy, 0x01),
          MakePointRecord(0 + dx, 0 + dy, 0x41),   MakePointRecord(0, 0, kPointEnd)};
}

// Offsets of the golden version 6 library.
const DWORD kKind0 = 218;
const DWORD kTable0 = 318;
const DWORD kKind1 = 1342;
const DWORD kTable1 = 1442;
const DWORD kGraphics = 2466;

inline void PutHeader(Bytes& out, float version, DWORD kinds, DWORD firstKind) {
  PutText(out, "VLIB", 4);
  PutFloat(out, version);
  Put32(out, 218);
  Put32(out, kinds);
  Put16(out, 1024);
  Put16(out, 0);
  Put16(out, 0);
  PutText(out, "符号库", 48);
  PutText(out, "Symbols", 48);
  PutText(out, "符号库", 48);
  Put32(out, firstKind);
  out.resize(out.size() + 48, 0);
}

inline void PutKind(Bytes& out, DWORD next, DWORD table, WORD count, const char* chinese,
                    const char* english, const std::vector<DWORD>& slots) {
  Put32(out, 100);
  Put32(out, next);
  Put32(out, table);
  Put16(out, count);
  out.resize(out.size() + 22, 0);
  PutText(out, chinese, 32);
  PutText(out, english, 32);
  for (int i = 0; i < 256; ++i) Put32(out, i < static_cast<int>(slots.size()) ? slots[i] : 0);
}

// Version 6.1 (encoding C): kind 0 "箭头"/"Arrows" with a named and an unnamed square, kind 1
// "标志"/"Signs" with one named square. Version 6.0 (encoding B): the same kinds, three plain
// squares.
inline Bytes GoldenLibrary(float version) {
  bool named = version > 6.09f;
  Bytes records[3] = {named ? SquareRecordC("Up") : SquareRecordB(),
                      named ? SquareRecordC(nullptr) : SquareRecordB(),
                      named ? SquareRecordC("Sign") : SquareRecordB()};
  DWORD at[3] = {kGraphics, 0, 0};
  at[1] = at[0] + static_cast<DWORD>(records[0].size());
  at[2] = at[1] + static_cast<DWORD>(records[1].size());
  Bytes file;
  PutHeader(file, version, 2, kKind0);
  PutKind(file, kKind1, kTable0, 2, "箭头", "Arrows", {at[0], at[1]});
  PutKind(file, 0, kTable1, 1, "标志", "Signs", {at[2]});
  for (const Bytes& record : records) PutAll(file, record);
  return file;
}

// Offsets of the version 5 library: two links (the second after the first entry), its entries
// and one graphic table shared by both kinds.
const DWORD kLink2V5 = 112;
const DWORD kTableV5 = 186;
const DWORD kGraphicV5 = kTableV5 + 1020;

inline Bytes LibraryV5() {
  Bytes file;
  PutText(file, "TalvexLib V5.x", 16);
  PutText(file, "旧图库", 48);
  Put16(file, 4096);
  Put16(file, 7);
  Put16(file, 9);
  Put16(file, 1);  // link 1 at 70: one entry at 80, next link at 112
  Put32(file, 80);
  Put32(file, kLink2V5);
  PutText(file, "Arrows", 28);
  Put32(file, kTableV5);
  Put16(file, 2);  // link 2 at 112: two entries at 122, no further link
  Put32(file, 122);
  Put32(file, 0);
  PutText(file, "Signs", 28);
  Put32(file, kTableV5);
  PutText(file, "", 28);  // an empty name ends the kinds
  Put32(file, kTableV5);
  for (int i = 0; i < 255; ++i) Put32(file, i == 0 ? kGraphicV5 : 0);
  PutAll(file, SquareRecordA());
  return file;
}

inline void WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace library_test
