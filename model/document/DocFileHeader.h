// CDocFileHeader: the start of a document file: the 16-byte header (magic "RQF42" in a 12-byte
// field, float version 6.0) and the 35-byte section table (its own size, then the offsets of the
// page-settings, font-mount, text, guide-line and block-list sections, 0 for an absent section,
// then 11 zero bytes). The first section starts at offset 51.
#pragma once

#include <windows.h>

#include <cstddef>

class CByteWriter;

enum DocFileSection : int {
  kPageSettingsSection,
  kFontMountSection,
  kTextSection,
  kGuideSection,
  kBlockListSection,
  kDocFileSectionCount
};

class CDocFileHeader {
public:
  static constexpr size_t kHeaderSize = 16;
  static constexpr size_t kTableSize = 35;
  static constexpr size_t kFirstSectionOffset = kHeaderSize + kTableSize;
  static constexpr float kVersion = 6.0f;

  enum Check { kValid, kNotDocument, kWrongVersion, kDamaged };

  CDocFileHeader();

  DWORD GetOffset(DocFileSection section) const { return m_offsets[section]; }
  void SetOffset(DocFileSection section, DWORD offset) { m_offsets[section] = offset; }

  // Writes header and table (51 bytes).
  bool WriteTo(CByteWriter& writer) const;
  // Rewrites the table of a file image that begins with a header.
  bool PatchTable(CByteWriter& writer) const;

  // Checks a whole file image: the magic and the version, then reads the offsets. The table's
  // size word is never used and so not checked; whether an offset points at a usable section is
  // for the reader of that section to judge.
  Check Read(const BYTE* file, size_t size);
  // Whether the section's offset lies past the header and table and inside a file of this size.
  bool PointsIntoFile(DocFileSection section, size_t fileSize) const;

private:
  DWORD m_offsets[kDocFileSectionCount];
};
