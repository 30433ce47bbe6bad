// CLibraryBuilder: lays out a whole version 6 graphics library in memory, in exactly the order
// and places that appending kinds and graphics to a library file gives (CPicLibrary::AddKind,
// CPicLibrary::PutGraphic): each kind record and its empty table go to the end and are linked
// after the last kind, each graphic record goes to the end and its offset into the kind's next
// slot. The build-time generator of the shipped library uses it; it needs no Windows call.
#pragma once

#include <windows.h>

#include <vector>

#include "media/library/LibraryLayout.h"

class CLibraryBuilder {
public:
  explicit CLibraryBuilder(const library::LibraryHeader& header);

  // Appends a kind with its two names (cut to 32 bytes) and returns its number.
  int AddKind(const char* chineseName, const char* englishName);
  // Appends a whole glyph record (length word first) as the next graphic of the kind; false for
  // a kind that does not exist or already holds 255 graphics.
  bool AddGraphic(int kind, const std::vector<BYTE>& record);

  const std::vector<BYTE>& Bytes() const { return m_bytes; }

private:
  void PatchDWord(size_t offset, DWORD value);
  void PatchWord(size_t offset, WORD value);

  std::vector<BYTE> m_bytes;
  // File offsets of the kind records and their graphic counts.
  std::vector<DWORD> m_kinds;
  std::vector<WORD> m_counts;
};
