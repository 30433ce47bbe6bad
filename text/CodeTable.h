// CCodeTable: one direction of the conversion between GB2312 and Big5 double-byte codes, loaded
// whole from its data file in the program folder ("BIG52GB.DAT" or "GB2BIG5.DAT", made by the
// build from the system's character-set conversion). Codes go in and come out as the text keeps
// them: lead byte in the high byte, trail byte in the low byte.
//
// BIG52GB.DAT: one little-endian GB code per Big5 code, 157 per lead byte from 0xA1 (trail bytes
// 0x40-0x7E, then 0xA1-0xFE). GB2BIG5.DAT: one Big5 code per GB code, lead byte first, 95 per
// lead byte (trail bytes 0xA1-0xFF): leads 0xA1-0xA9 from entry 0, leads 0xB0-0xFE from entry 855.
// A code with no counterpart holds the replacement character of the target set, so that an
// unknown character never turns into a real one; codes that are not valid in their own set
// convert to the replacement as well.
#pragma once

#include <windows.h>

#include <vector>

class CCodeTable {
public:
  enum Direction { kBig5ToGb, kGbToBig5 };
  // Full-width question marks: what a code without a counterpart becomes.
  static constexpr WORD kGbReplacement = 0xA3BF;
  static constexpr WORD kBig5Replacement = 0xA148;
  static const char kBig5ToGbFile[];
  static const char kGbToBig5File[];

  enum Loading { kEmpty, kLoadNow };

  // With kLoadNow the direction's file is loaded from the program folder at once.
  explicit CCodeTable(Direction direction, Loading loading = kEmpty);

  // Loads the direction's file from the program folder; 1 when loaded (now or before), 0 when
  // the file does not open.
  int LoadBig5ToGb();
  int LoadGbToBig5();
  // Loads the table from a file of the caller's choice.
  int LoadFile(LPCSTR path);
  bool IsLoaded() const { return m_loaded; }

  // 0 when the table is not loaded; otherwise the counterpart or the replacement. "??", the text's
  // mark for a character it could not read, becomes the full-width space.
  WORD Big5ToGb(WORD code) const;
  WORD GbToBig5(WORD code) const;

  // Entry numbers of a code in the files; -1 for a code that is not valid in its set.
  static int Big5Index(WORD code);
  static int GbIndex(WORD code);

private:
  int Load(LPCSTR fileName);
  // Entry index read with the given byte order; false past the table's end.
  bool Entry(int index, bool leadFirst, WORD& out) const;

  Direction m_direction;
  bool m_loaded;
  std::vector<BYTE> m_data;
};
