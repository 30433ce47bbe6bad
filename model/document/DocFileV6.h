// CDocFileV6: takes the block list and the editor text out of a version-6 document (6.0 to 6.5)
// for merging, without building a document. Both come in movable memory that the reader owns
// until a caller takes it over: the block-list record as stored (tag 2, its length, the records,
// 0xFE) followed by ten spare bytes, the first 0xFF; the text as stored plus a zero.
//
// Every offset and length read from the file is checked against the file's size before anything
// is allocated or read, so a damaged file gives kDamaged and no memory, never a read past the end
// or an allocation of whatever a length claims.
#pragma once

#include "model/document/DataFile.h"

class CDocFileV6 : public CDataFile {
public:
  static constexpr UINT kHeaderSize = 16;
  static constexpr UINT kTableSize = 35;
  static constexpr float kLowestVersion = 6.0f;
  static constexpr float kHighestVersion = 6.5f;

  CDocFileV6() = default;
  ~CDocFileV6() override;
  CDocFileV6(const CDocFileV6&) = delete;
  CDocFileV6& operator=(const CDocFileV6&) = delete;

  // Reads the file at path (or the stored path when null); 0 when read, else the reason. The
  // file is closed afterwards either way.
  int ReadFile(LPCSTR path);

  int CheckHeader() override;
  int GetVersion() override;

  // The memory read (null when the file had none); Take hands it over to the caller.
  HGLOBAL GetBlockList() const { return m_blockList; }
  HGLOBAL GetText() const { return m_text; }
  HGLOBAL TakeBlockList();
  HGLOBAL TakeText();

private:
  int LoadSections();
  int LoadText(ULONGLONG fileLength);
  int LoadBlockList(ULONGLONG fileLength);
  DWORD SectionOffset(int section) const;
  void FreeMemory();

  HGLOBAL m_blockList = nullptr;
  HGLOBAL m_text = nullptr;
  BYTE m_header[kHeaderSize] = {};
  BYTE m_table[kTableSize] = {};
};
