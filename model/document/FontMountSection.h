// CFontMountSection: the font-mount section of a document, the one reader and writer of its bytes.
// It names, for every font list of the machine that saved the file, the fonts of that list, so that
// the fonts of its texts can be found again by name on another machine.
//
// File form (little-endian; positions absolute in the file): int32 T = 14 x N, N entries of 14
// bytes (int32 size of the entry's name block, character set, font source, int32 slot width,
// int32 position of the name block), then the name blocks: one zero-padded slot per font (a name
// is cut to one byte less than the slot), then an empty slot. The kept form is the same with the
// name blocks one after another right after the table and each entry's position being the offset
// of its names in the kept form. T = 0 is a section with no list. The font code builds the lists
// it saves (List) and looks fonts up by the names kept here; the model knows no font table.
#pragma once

#include <windows.h>

#include <cstddef>
#include <utility>
#include <vector>

#include "framework/String.h"

class CByteReader;
class CByteWriter;

class CFontMountSection {
public:
  static constexpr size_t kEntrySize = 14;
  static constexpr DWORD kSlotWidth = 40;

  // One entry of the section's table: the size of its block of names, the list's character set
  // and font source, the width of one name slot and where the names lie.
  struct Entry {
    DWORD nameSize;
    BYTE charset;
    BYTE source;
    DWORD slotWidth;
    DWORD position;
  };
  // A font list as it is saved: its character set, its source and its fonts' names in order.
  struct List {
    BYTE charset;
    BYTE source;
    std::vector<CString> names;
  };

  // Reads the section that starts at offset (inside the file image). A table that does not fit the
  // file keeps nothing. An entry is left out alone when its names do not lie in the file behind
  // the table, are no whole empty slot, or would take the names kept past what the file holds.
  // False when anything was left out.
  bool Read(const BYTE* file, size_t fileSize, size_t offset);
  // Writes the section kept at the writer's end, the place where it starts in the file.
  bool WriteTo(CByteWriter& file) const;
  // Writes a section naming these lists at the writer's end (empty lists are left out).
  static bool Write(CByteWriter& file, const std::vector<List>& lists);

  void Clear() { m_kept.clear(); }
  size_t GetEntryCount() const;
  // The kept form (empty for T = 0).
  const std::vector<BYTE>& GetBytes() const { return m_kept; }
  // The name saved for font number of the list of that character set and source; false when the
  // section holds no such list or the number lies outside its names (the empty slot after them
  // included).
  bool FindName(BYTE charset, BYTE source, int number, CString& name) const;

private:
  static bool ReadEntry(CByteReader& reader, Entry& entry);
  static bool WriteEntry(CByteWriter& writer, const Entry& entry);

  std::vector<BYTE> m_kept;
};
