// CDocFileWriter: builds a whole document file in memory, section by section in the file's order,
// and saves it without ever putting the previous file at risk: the new file is written completely
// under a temporary name in the same folder first, and only then does the old file become the
// ".bak" file and the new one take its name. The block list, which is nearly all of a large
// document, is the exception to "in memory": it is written when the file is saved, a piece at a
// time straight into the temporary file, so that a drawing of many megabytes is never held twice.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "framework/ByteWriter.h"
#include "model/document/DocFileHeader.h"

class CAuxObjectList;
class CFile;
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
  // The block list's record; no section (and entry 0) when no block writes a record. It must be
  // the last section; its blocks are written when the file is saved or its bytes are asked for
  // (Size, Data), so they must stay as they are until then.
  bool AddBlockList(CSegArray& blocks);

  // The whole file's bytes (the block list is written into memory first when it is still to come).
  size_t Size() const;
  const BYTE* Data() const;

  // Writes the file to the path as described above.
  SaveResult SaveTo(LPCSTR path, BackupMode backup = kBackUpPrevious) const;

  // Moves an existing file to its ".bak" name (the whole path with ".bak" appended), replacing an
  // older backup. 1 when moved, 0 when there is no such file or it could not be moved.
  static int BackupFile(LPCSTR path);

  // Bytes of the block list written to the file at a time.
  static constexpr size_t kBlockListPiece = 256 * 1024;

private:
  bool BeginSection(DocFileSection section);
  // Appends length counted bytes of the memory (which it frees) as the section.
  bool AddMemorySection(DocFileSection section, HGLOBAL memory, int length);
  // Writes a block list still to come into the file's bytes in memory.
  void BuildBlockList() const;
  // The file at the path: the sections in memory, then a block list still to come in pieces.
  bool WriteWholeFile(LPCSTR path) const;
  // Writes the block list still to come at the end of the file, then the table and the list's
  // length, which are known only then; false when the file would grow past what a document's
  // offsets can address.
  bool StreamBlockList(CFile& file) const;

  // Built lazily by the const accessors: the block list joins them when it is written.
  mutable CByteWriter m_file;
  mutable CDocFileHeader m_header;
  mutable CSegArray* m_pendingBlocks;
  mutable bool m_failed;
};
