// CFontMountSection: the font-mount section of a document as it was read, kept so that saving the
// document writes it back unchanged until the font tables take the section over. It names, for
// every font list of the machine that saved the file, the fonts of that list, so that fonts can
// be matched again on another machine.
//
// File form (positions absolute in the file): int32 T = 14 x N, N entries of 14 bytes (int32 size
// of the entry's name block, character set, font source, int32 slot width, int32 position of the
// name block), then the name blocks. The kept form is the one the font tables read: the same, with
// the name blocks one after another right after the table and each entry's position being the
// offset of its names in the kept form. T = 0 is a section with no list. While the font code is
// installed (CFontMountService) it reads and writes the section instead; this class then only
// holds what it read.
#pragma once

#include <windows.h>

#include <cstddef>
#include <utility>
#include <vector>

class CByteReader;
class CByteWriter;

class CFontMountSection {
public:
  static constexpr size_t kEntrySize = 14;

  // One entry of the section's table: the size of its block of names, the list's character set
  // and font source, the width of one name slot and where the names lie in the file.
  struct Entry {
    DWORD nameSize;
    BYTE charset;
    BYTE source;
    DWORD slotWidth;
    DWORD position;
  };
  static bool ReadEntry(CByteReader& reader, Entry& entry);
  static bool WriteEntry(CByteWriter& writer, const Entry& entry);

  // Reads the section that starts at offset (inside the file image). A table that does not fit
  // the file leaves the section empty; an entry whose name block does not lie in the file past
  // its header is left out alone. The name blocks kept never add up to more than the file holds.
  // False when anything was left out.
  bool Read(const BYTE* file, size_t fileSize, size_t offset);
  // Writes the section at the writer's end, the place where it starts in the file.
  bool WriteTo(CByteWriter& file) const;
  void Clear() { m_kept.clear(); }
  // Takes the kept form as the font code read it.
  void SetBytes(std::vector<BYTE> kept) { m_kept = std::move(kept); }

  size_t GetEntryCount() const;
  // The kept form (empty for T = 0).
  const std::vector<BYTE>& GetBytes() const { return m_kept; }

private:
  std::vector<BYTE> m_kept;
};
