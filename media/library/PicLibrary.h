// CPicLibrary: one graphics library (.LIB) at a time: its path, its header (a version 5 library
// in the version 6 form) and its index, one entry per kind in chain order with the kind's name in
// the user-interface language and the offset that locates it. The file is opened and closed in
// every operation; changes go straight to the file (new kinds, tables and graphic records are
// appended, nothing is moved or reclaimed) and the graphic tables are always read fresh.
//
// Kind numbers follow the chain, which ends at an offset of 0, a negative one (0x80000000 and up)
// or one inside the header, and before bytes whose size is not a kind record's. Graphic numbers
// are slots 0-254 of a kind's table, slots below the kind's count in use. Version 5 libraries are
// read only and offer all 255 slots of a kind.
// Nothing here shows a message: operations report by their result, and an open that fails on a
// damaged kind chain says why through GetProblem, for the dialogs to tell the user.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"
#include "media/library/LibraryFile.h"
#include "media/library/LibraryLayout.h"

class CContour;
class CLibraryFileAccess;
class CMatrix2D;

class CPicLibrary {
public:
  enum Problem { kNoProblem, kCannotOpen, kNotALibrary, kChainLoops, kChainOutsideFile };
  // Reading a graphic's name reads at most this much of its record.
  static const size_t kNameWindow = 400;

  explicit CPicLibrary(LPCSTR path = nullptr);
  virtual ~CPicLibrary();
  CPicLibrary(const CPicLibrary&) = delete;
  CPicLibrary& operator=(const CPicLibrary&) = delete;

  // Opens the library at the full path: versions 5.0 up to 6.0 as version 5, above that up to
  // 6.1 as version 6; anything else fails.
  BOOL OpenFile(LPCSTR path);
  // A name with a folder is opened as it is; a bare file name is looked up in the library folder
  // with its extension replaced by ".LIB".
  BOOL Open(LPCSTR name);
  // Mounted library n of the program's list.
  BOOL OpenByNumber(int n);
  // Drops the index; the object holds no library afterwards.
  void Close();

  BOOL IsOpen() const { return m_open; }
  Problem GetProblem() const { return m_problem; }
  LPCSTR GetPath() const { return m_path; }
  const library::LibraryHeader& GetHeader() const { return m_header; }
  float GetVersion() const { return m_header.version; }
  int GetKindCount() const { return static_cast<int>(m_index.size()); }
  CString GetKindName(int kind) const;
  // Whether the graphic records carry names (encoding C, versions above 6.09).
  bool HasGraphicNames() const;

  // 0 when there is no index or the kind is out of range.
  DWORD GetKindOffset(int kind) const;
  // Version 6: the kind's record. Version 5 has none: false, with the count set to 255.
  BOOL ReadKindRecord(int kind, library::KindRecord& record);
  // Graphics of the kind: its record's count (at most 255), 255 for version 5, 0 when unknown.
  int GetGraphicCount(int kind);
  // Stores the name (an empty one as "?") as the kind's name in the user-interface language.
  BOOL RenameKind(int kind, LPCSTR name);
  // The 255 slots of the kind's table; empty when it cannot be read.
  std::vector<DWORD> ReadGraphicTable(int kind);
  // The record offset of graphic i; 0 for a slot past 254, an empty slot or an unknown kind.
  DWORD GetGraphicOffset(int kind, int i);
  // The outline of graphic i, each point mapped by the matrix (may be null); null when the slot
  // is empty, the record does not lie inside the file or does not decode. The caller owns it.
  CContour* ReadGraphic(int kind, int i, const CMatrix2D* matrix);
  // The name of graphic i; empty for libraries without names and for records that carry none.
  void GetGraphicName(int kind, int i, CString& out);
  // File offset of the kind's first unused slot; -1 when there is none (no index, version 5,
  // unknown kind, or a full table).
  long GetFreeSlotOffset(int kind);

  // Appends a kind whose names the caller filled; the record comes back as written.
  BOOL AddKind(library::KindRecord& record);
  // Appends the outline (its matrix applied first) as the kind's next graphic, as given; the name
  // goes into records of versions with names (an empty one when null).
  BOOL PutGraphic(int kind, CContour* contour, LPCSTR name);
  // Appends a graphic taken from elsewhere (another library, a font) scaled to this library's
  // graphic size first, as the building tools store theirs: records with stored sizes (6.1)
  // hold it normalised to that size and keep its own size and place (its box stretched to whole
  // units); others hold it from the origin with its larger side at that size. A graphic size of 0
  // stores it as given. The caller's outline is changed.
  BOOL PutCopiedGraphic(int kind, CContour* contour, LPCSTR name);
  // The same with the given size in place of the library's graphic size, for outlines in other
  // units than the library's (a drawing in page units).
  BOOL PutGraphicScaledTo(int kind, CContour* contour, LPCSTR name, float size);
  // Removes graphic i: the later slots move down by one, the record stays in the file.
  BOOL DeleteGraphic(int kind, int i);
  // Rewrites the kind's 255 slots (version 6 only); the count stays.
  BOOL WriteGraphicTable(int kind, const std::vector<DWORD>& table);

private:
  BOOL LoadV5();
  BOOL LoadV6();
  BOOL ReadIndexV6();
  // Walks the kind chain from the header into the index; false (with the problem) when it loops or
  // leaves the file.
  bool ReadChainV6();
  bool IsWritable() const;
  // Encodes the outline (normalised to normalSize when its records have stored sizes; 0: not)
  // into the kind's next slot.
  BOOL StoreGraphic(int kind, CContour* contour, LPCSTR name, float normalSize);
  bool WriteKindRecord(DWORD offset, const library::KindRecord& record);
  bool ReadKindRecordAt(DWORD offset, library::KindRecord& record);
  CString IndexName(const library::KindRecord& record) const;
  // Where the kind's table lies, read through the open file.
  bool TableOffsetFrom(CLibraryFileAccess& file, int kind, DWORD& table);
  // Slot i of the kind's table; 0 when it cannot be read.
  DWORD SlotFrom(CLibraryFileAccess& file, int kind, int i);

  CString m_path;
  library::LibraryHeader m_header;
  std::vector<LibraryKindEntry> m_index;
  BOOL m_open = FALSE;
  bool m_versionFive = false;
  Problem m_problem = kNoProblem;
};
