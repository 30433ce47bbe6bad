// CSetupCatalogue: a settings-style text file ("[section]" headers and their lines) read once into
// memory. It reads the file itself, the same way on every system, rather than through the
// profile functions, whose handling of blanks, quotes and comment lines differs between Windows
// and Wine. Lines end at CR, LF or both and lose their leading and trailing blanks; blank lines
// and lines beginning with ';' are left out. Section and key names compare without regard to
// case; of two sections of one name the first counts. The text keeps the file's bytes (GBK). A
// file larger than kMaxFileBytes, or one holding zero bytes (no text file, or UTF-16), is not
// read.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"
#include "framework/StringArray.h"

class CSetupCatalogue {
public:
  static const size_t kMaxFileBytes = 1024 * 1024;
  // The most a section may hold, counted as the profile functions fill their buffer: every line
  // with its terminating zero, and the zero that ends the list.
  static const int kMaxSectionChars = 60000;

  enum SectionResult { kSectionFound, kSectionMissing, kSectionTooLong };

  // False when the file cannot be opened or read, or is no text file.
  bool Load(LPCSTR path);
  // The catalogue from text in memory; false when the text is no catalogue text.
  bool LoadText(const char* text, size_t length);

  // The section's lines in file order. A section too long to read gives no lines.
  SectionResult GetSection(LPCSTR name, CStringArray& lines) const;
  // The value of the first line "key = value" of the section, without blanks around it and
  // without one pair of double quotes around it; defaultValue when there is none.
  CString GetString(LPCSTR section, LPCSTR key, LPCSTR defaultValue = "") const;
  bool HasKey(LPCSTR section, LPCSTR key) const;
  // The value's leading decimal number (with its sign); defaultValue when it has none.
  int GetInt(LPCSTR section, LPCSTR key, int defaultValue) const;

private:
  struct Section {
    CString name;
    CStringArray lines;
    int chars;
  };

  const Section* FindSection(LPCSTR name) const;
  // Finds the key's line; false when the section or the key is missing.
  bool FindValue(LPCSTR section, LPCSTR key, CString* value) const;
  void AddLine(const CString& line);

  std::vector<Section> m_sections;
};
