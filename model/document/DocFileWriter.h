// CDocFileWriter: builds a whole document file in memory, section by section in the file's order,
// and saves it without ever putting the previous file at risk: the new file is written completely
// under a temporary name in the same folder first, and only then does the old file become the
// ".bak" file and the new one take its name.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "framework/ByteWriter.h"
#include "model/document/DocFileHeader.h"

class CAuxObjectList;
class CFontMountSection;
class CFontMountService;
class CPageSettings;
class CSegArray;

class CDocFileWriter {
public:
  // Longest text the text section keeps.
  static constexpr size_t kMaxTextLength = 65536;

  enum SaveResult { kSaved, kCannotCreate, kCannotWrite, kCannotReplace };
  // What becomes of the previous file: it replaces the backup, or (when a backup exists) it is
  // simply replaced and the backup stays, as the backup of a damaged original must.
  enum BackupMode { kBackUpPrevious, kKeepBackup };

  CDocFileWriter();

  // Each section is appended where the previous one ended; false when memory runs out.
  bool AddPageSettings(const CPageSettings& page);
  // The font-mount table with no list mounted: its table size 0.
  bool AddEmptyFontMount();
  // The font-mount section as it was read from a file.
  bool AddFontMount(const CFontMountSection& section);
  // The font-mount section of the fonts mounted now, written by the font code.
  bool AddMountedFonts(CFontMountService& fonts);
  // The text editor's text, cut to kMaxTextLength; an empty text writes 4 zero bytes and leaves
  // the table entry 0.
  bool AddText(LPCSTR text, size_t length);
  // The text section's stored bytes as they were read from a file, unchanged; none writes 4 zero
  // bytes and leaves the table entry 0.
  bool AddStoredText(const std::vector<BYTE>& stored);
  // The guide lines' tag-1 block; no block (and entry 0) when no guide writes a record.
  bool AddGuides(const CAuxObjectList& guides);
  // The block list's record; no section (and entry 0) when no block writes a record.
  bool AddBlockList(CSegArray& blocks);

  size_t Size() const { return m_file.Size(); }
  const BYTE* Data() const { return m_file.Data(); }

  // Writes the file to the path as described above.
  SaveResult SaveTo(LPCSTR path, BackupMode backup = kBackUpPrevious) const;

  // Moves an existing file to its ".bak" name (the whole path with ".bak" appended), replacing an
  // older backup. 1 when moved, 0 when there is no such file or it could not be moved.
  static int BackupFile(LPCSTR path);

private:
  bool BeginSection(DocFileSection section);
  // Appends length counted bytes of the memory (which it frees) as the section.
  bool AddMemorySection(DocFileSection section, HGLOBAL memory, int length);

  CByteWriter m_file;
  CDocFileHeader m_header;
  bool m_failed;
};
