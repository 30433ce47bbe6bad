// CTextDefaults: the character parameters new characters take (sizes, charsets, the default font
// of each language row, style word, spacing, angle and skews), and, inside a text block, the
// layout state that attribute boxes change while the text is walked. A plain record copied by
// value; sizes and gaps are page units (mm), angles degrees.
#pragma once

#include <windows.h>

class CAppProfile;
class CIniFile;

class CTextDefaults {
public:
  static constexpr int kRowCount = 30;

  CTextDefaults();

  // Sizes, style word, mode word, alignment depth and both gaps to 0; charsets, fonts, angle and
  // skews stay.
  void Clear();
  // Every field but the alignment depth, which belongs to the walk that owns the record.
  void Copy(const CTextDefaults& other);
  // An East-Asian charset (133 counts as 134) or a single-byte one (204, 222, else 0). Returns 1.
  int SetCharset(int charset);
  // The charsets of a Windows language id. Returns 1.
  int SetCharsetFromLanguage(int languageId);

  // The program's current character parameters, which typing and the text dialogs use.
  static CTextDefaults& Global();
  // Sizes, angle, skews, gaps and style word from the profile's "SystemParam"; each language
  // row's default font from "DefaultType" and "DefaultID" of "Language%d" of the settings file
  // (the ID only where the type is given and not -1); the charsets from the language id.
  void Load(const CAppProfile& profile, const CIniFile& settings, int languageId);

  // The default font source and number of a language row (0 for a row outside 0-29).
  int DefaultSource(int row) const;
  int DefaultFontNumber(int row) const;

  float fontSizeX;
  float fontSizeY;
  BYTE reservedCharset;
  BYTE eastAsianCharset;
  BYTE singleByteCharset;
  BYTE defaultSource[kRowCount];
  WORD defaultFontNumber[kRowCount];
  WORD styleWord;
  WORD modeWord;
  WORD alignDepth;
  float lineGaps;
  float boxGaps;
  float fontAngle;
  float fontSkewX;
  float fontSkewY;
  WORD fontCode;
};
