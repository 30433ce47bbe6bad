// The graphics-library file functions: creating a library file, reading and rewriting its header,
// its version and its titles, and reading the kind index of a version 5 library. Each opens the
// file named by its path and closes it again; none shows a message, each reports by its result.
//
// Version 5 file (read only, reported as version 5.4): a 16-byte brand text, the title (48), the
// graphic size and two more u16 values, then the first link of the kind tables at 70. A link is
// u16 entry count, u32 offset of its 32-byte entries (name in 0-27, u32 graphic table offset at
// 28) and i32 offset of the next link (0 or less: none).
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"
#include "media/library/LibraryLayout.h"

class CByteReader;

// One kind of a library's index: its name in the user-interface language (at most 27
// characters) and the offset that locates it (version 6: its kind record; version 5: its graphic
// table).
struct LibraryKindEntry {
  CString name;
  DWORD offset = 0;
};

namespace library {

const char kBrandV5[] = "TalvexLib V5.x";
const size_t kHeaderSizeV5 = 80;

// Readers of the layouts of LibraryLayout.h.
bool ReadHeaderBytes(CByteReader& in, LibraryHeader& header);
bool ReadKindRecordBytes(CByteReader& in, KindRecord& record);
// The text of a fixed field up to its first zero (all of it when it has none), cut to at most
// maxLength bytes, never inside a double-byte character.
CString FixedText(const char* field, size_t size, size_t maxLength);

// Why a chain of kinds or links was given up.
enum ChainProblem { kChainGood, kChainLoops, kChainOutsideFile };

}  // namespace library

// Creates (or empties) the file and writes the header; false unless the header's version is above
// 5.999 and its size 218, or when the file cannot be created. With keepExisting a file that exists
// already is left as it is and the call fails.
BOOL CreateLibraryFile(LPCSTR path, const library::LibraryHeader& header,
                       bool keepExisting = false);
// True when the file's first 218 bytes are a header with "VLIB", a version of at least 6.0 and
// size 218.
BOOL ReadLibraryHeader(LPCSTR path, library::LibraryHeader& header);
// The version 5 header in the version 6 form: "VLIB", 5.4, size 218, the title in all three
// places, the three u16 values; false when the file does not open or is too short.
BOOL ReadLibraryHeaderV5(LPCSTR path, library::LibraryHeader& header);
// The kinds of a version 5 library in link order, up to the first entry without a name. A chain
// that loops or leaves the file ends there and says so in *problem (may be null).
std::vector<LibraryKindEntry> ReadLibraryIndexV5(LPCSTR path,
                                                 library::ChainProblem* problem = nullptr);
// Rewrites the header fields selected by the mask (library::HeaderField bits). The magic and
// version are written first; the rest only when the magic begins with "VL" (false otherwise).
BOOL WriteLibraryHeader(LPCSTR path, const library::LibraryHeader& header, UINT fields);
// Whether the file begins with the version 5 brand text.
BOOL IsLibraryV5(LPCSTR path);
// True for a version the library class opens: version 5 (by its brand) or 6.0 to 6.1.
BOOL IsOpenableLibrary(LPCSTR path);
// 5.4 for a version 5 brand, the header's version for "VLIB", -1 otherwise or when the file does
// not open.
float GetLibraryVersion(LPCSTR path);
// Stores the title as the title in the user-interface language (the Chinese or the English one)
// of a library of version 6.0 or later.
BOOL SetLibraryTitle(LPCSTR path, LPCSTR title);
// The title in the user-interface language (at most 47 characters); false when the version is
// not positive or the header cannot be read.
BOOL GetLibraryTitle(LPCSTR path, CString& title);
