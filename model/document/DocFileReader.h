// CDocFileReader: reads a whole document file into memory and takes from it what can be read,
// every section checked against the file's size and its own length words before it is used.
// A file is refused whole only when it is no document, has no usable page settings or block list
// at all, or its block list yields no block. Otherwise damage costs only what it touches: a block
// list keeps the blocks before a record it cannot build (the list reports that itself), a damaged
// guide block or font-mount section is left out, a damaged font-mount entry is left out alone. Such
// a partial read says so, so that the original file can be kept. Each step reports its progress
// text to the main window.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "framework/String.h"
#include "model/document/AuxObjectList.h"
#include "model/document/DocFileHeader.h"
#include "model/document/FontMountSection.h"
#include "model/document/PageSettings.h"
#include "model/document/SegArray.h"

class CDocFileReader {
public:
  // Why an open failed.
  // kBlockListDamaged: the block list has reported its damage itself.
  enum Error { kNoError, kCannotOpen, kNotDocument, kWrongVersion, kDamaged, kBlockListDamaged };

  CDocFileReader() = default;
  CDocFileReader(const CDocFileReader&) = delete;
  CDocFileReader& operator=(const CDocFileReader&) = delete;

  // Reads the file; kNoError when it may be opened (IsPartial tells whether all of it came back).
  Error Read(LPCSTR path);
  // The same on a file image already in memory.
  Error ReadImage(const BYTE* data, size_t size);

  // Something of the file was damaged and left out; the rest was read.
  bool IsPartial() const { return m_partial; }

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

  // The message a user sees for an error; null when it has been shown already.
  static LPCSTR MessageFor(Error error);
  // Sends a progress text (string resource id) to the main window.
  static void ShowStatus(UINT stringId);

private:
  Error ReadSections();
  // The bytes from a section's offset to the end of the file; null when the section is absent or
  // its offset points outside the file or into its header (the latter marks the read partial).
  const BYTE* SectionStart(DocFileSection section, size_t* available);
  void ReadText();
  Error ReadBlockList();
  void ReadGuides();
  void ReadFontMount();

  std::vector<BYTE> m_file;
  CDocFileHeader m_header;
  bool m_partial = false;
  CPageSettings m_page;
  std::vector<BYTE> m_storedText;
  CFontMountSection m_fontMount;
  CAuxObjectList m_guides;
  CSegArray m_blocks;
};
