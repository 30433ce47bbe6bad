// CPageSettings: a document's page size (millimetres) and display defaults, and their section of
// the document file: int32 length 32, width, height, palette type, background colour, grid size,
// grid colour, and four zero bytes.
#pragma once

#include <windows.h>

#include <cstddef>

class CByteWriter;

class CPageSettings {
public:
  static constexpr int kSectionLength = 32;
  static constexpr float kFileVersion = 6.0f;

  // Palette, background and grid from the profile; the page size of an open file until read.
  CPageSettings();

  // Everything from the profile, as for a new document.
  void ReadNewDocumentDefaults();
  void ReadIntegerDefaults();

  bool WriteTo(CByteWriter& writer) const;
  // Reads the section at the start of section (available bytes from there on). The document's
  // version must be 6.0. False, with nothing changed, when the section's length word runs past
  // the bytes available or holds fewer than the six values.
  bool ReadFrom(const BYTE* section, size_t available, float version);

  float m_width;
  float m_height;
  int m_paletteType;
  int m_backColor;
  int m_gridSize;
  int m_gridColor;
};
