// CDocFileReader: reads a whole document file into memory and checks it before anything of it is
// used: the header and section table, then every section against the file's size and its own
// length words. The open of the document takes its results only when every step succeeded, so a
// damaged file is refused whole and nothing is half-loaded. Each step reports its progress text
// to the main window.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

#include "framework/String.h"
#include "model/document/AuxObjectList.h"
#include "model/document/DocFileHeader.h"
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

  // Reads and checks the file; kNoError when all of it may be used.
  Error Read(LPCSTR path);
  // The same on a file image already in memory.
  Error ReadImage(const BYTE* data, size_t size);

  const CPageSettings& GetPageSettings() const { return m_page; }
  // The text editor's text from the file (empty when it has none).
  const CString& GetText() const { return m_text; }
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
  // The bytes from a section's offset to the end of the file.
  const BYTE* SectionStart(DocFileSection section, size_t* available) const;
  bool ReadText();
  Error ReadBlockList();
  bool ReadGuides();
  bool CheckFontMount() const;

  std::vector<BYTE> m_file;
  CDocFileHeader m_header;
  CPageSettings m_page;
  CString m_text;
  CAuxObjectList m_guides;
  CSegArray m_blocks;
};
