// CDocFileReader: reads a whole document file into memory and takes from it what can be read,
// every section checked against the file's size and its own length words before it is used.
// A file is refused whole only when it is no document, has no usable page settings or block list
// at all, or its block list yields no block. Otherwise damage costs only what it touches: a block
// list keeps the blocks before a record it cannot build, mends what it can and leaves out blocks
// far outside any page (CLoadDamage), a damaged guide block or font-mount section is left out, a
// damaged font-mount entry is left out alone. Such a partial read says so, so that the original
// file can be kept, and the block list's damage comes back as one message that says what was kept,
// for the document to show. Each step reports its progress text to the main window.
//
// A file whose block list is its last section, as this program writes every file, is not read
// into memory whole: the sections before the list are, and the list, nearly all of a large
// drawing, is read a piece at a time while its blocks are built. The sections before it are then
// bounded by the list's start, a little stricter than a whole read of a damaged file would be.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "framework/String.h"
#include "model/document/AuxObjectList.h"
#include "model/document/DocFileHeader.h"
#include "model/document/FontMountSection.h"
#include "model/document/LoadDamage.h"
#include "model/document/PageSettings.h"
#include "model/document/SegArray.h"

class CFile;

class CDocFileReader {
public:
  // Bytes of the block list read from the file at a time.
  static constexpr size_t kBlockListPiece = 256 * 1024;

  // Why an open failed.
  // kBlockListDamaged: the block list is damaged and yielded no block.
  enum Error { kNoError, kCannotOpen, kNotDocument, kWrongVersion, kDamaged, kBlockListDamaged };

  // piece: bytes of the block list read at a time (tests make it small).
  explicit CDocFileReader(size_t piece = kBlockListPiece) : m_piece(piece) {}
  CDocFileReader(const CDocFileReader&) = delete;
  CDocFileReader& operator=(const CDocFileReader&) = delete;

  // Reads the file; kNoError when it may be opened (IsPartial tells whether all of it came back).
  Error Read(LPCSTR path);
  // The same on a file image already in memory.
  Error ReadImage(const BYTE* data, size_t size);

  // Something of the file was damaged and left out; the rest was read.
  bool IsPartial() const { return m_partial; }
  // What the user is told of the block list's damage (what was kept); empty when it had none.
  const CString& GetDamageMessage() const { return m_damageMessage; }

  const CPageSettings& GetPageSettings() const { return m_page; }
  // The text section's stored bytes (the text and its zero), empty when the file has none.
  const std::vector<BYTE>& GetStoredText() const { return m_storedText; }
  // The text editor's text from the file (empty when it has none).
  CString GetText() const;
  const CFontMountSection& GetFontMount() const { return m_fontMount; }
  // Hands over the guide lines read.
  void TakeGuides(CAuxObjectList& target) { target.TakeAll(m_guides); }
  // Hands over the blocks read.
  void TakeBlocks(CSegArray& target);

  // The message a user sees for an error; empty for none.
  static CString MessageFor(Error error);
  // Sends a progress text (string resource id) to the main window.
  static void ShowStatus(UINT stringId);

private:
  // Reads the file's bytes up to its block list when that is the last section, else all of them.
  void ReadImageOf(CFile& file, size_t size);
  Error ReadSections();
  // The bytes from a section's offset to the end of the file; null when the section is absent or
  // its offset points outside the file or into its header (the latter marks the read partial).
  const BYTE* SectionStart(DocFileSection section, size_t* available);
  void ReadText();
  Error ReadBlockList();
  // The block list from the file when it was left out of the bytes in memory.
  Error ReadBlockListFromFile(size_t offset);
  // Takes the blocks of a list read with the load's damage.
  Error TakeList(CSegArray* blocks, const CLoadDamage& damage);
  void ReadGuides();
  void ReadFontMount();

  std::vector<BYTE> m_file;
  size_t m_piece;
  // The open file and its size while its block list remains to be read from it.
  CFile* m_listFile = nullptr;
  size_t m_fileSize = 0;
  CDocFileHeader m_header;
  bool m_partial = false;
  CString m_damageMessage;
  CPageSettings m_page;
  std::vector<BYTE> m_storedText;
  CFontMountSection m_fontMount;
  CAuxObjectList m_guides;
  CSegArray m_blocks;
};
