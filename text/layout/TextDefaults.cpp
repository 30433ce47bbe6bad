#include "text/layout/TextDefaults.h"

#include <cstdio>
#include <cstring>

#include "model/settings/AppProfile.h"
#include "model/settings/IniFile.h"

namespace {

const float kDefaultFontSize = 40.0f;
const char kSystemParam[] = "SystemParam";
const int kNoDefault = -1;

}  // namespace

CTextDefaults::CTextDefaults()
    : fontSizeX(kDefaultFontSize),
      fontSizeY(kDefaultFontSize),
      reservedCharset(0),
      eastAsianCharset(134),
      singleByteCharset(0),
      styleWord(0),
      modeWord(0),
      alignDepth(0),
      lineGaps(0),
      boxGaps(0),
      fontAngle(0),
      fontSkewX(0),
      fontSkewY(0),
      fontCode(0) {
  std::memset(defaultSource, 0, sizeof defaultSource);
  std::memset(defaultFontNumber, 0, sizeof defaultFontNumber);
}

void CTextDefaults::Clear() {
  fontSizeX = fontSizeY = 0;
  styleWord = modeWord = alignDepth = 0;
  lineGaps = boxGaps = 0;
}

void CTextDefaults::Copy(const CTextDefaults& other) {
  WORD depth = alignDepth;
  *this = other;
  alignDepth = depth;
}

int CTextDefaults::SetCharset(int charset) {
  switch (charset) {
    case 128:
    case 129:
    case 134:
    case 136:
      eastAsianCharset = static_cast<BYTE>(charset);
      break;
    case 133:
      eastAsianCharset = 134;
      break;
    case 204:
    case 222:
      singleByteCharset = static_cast<BYTE>(charset);
      break;
    default:
      singleByteCharset = 0;
      break;
  }
  return 1;
}

int CTextDefaults::SetCharsetFromLanguage(int languageId) {
  eastAsianCharset = 134;
  singleByteCharset = 0;
  switch (languageId) {
    case 1028:
    case 3076:
    case 4100:
      eastAsianCharset = 136;
      break;
    case 1041:
      eastAsianCharset = 128;
      break;
    case 1042:
    case 2066:
      eastAsianCharset = 129;
      break;
    case 1049:
      singleByteCharset = 204;
      break;
    case 1054:
      singleByteCharset = 222;
      break;
    default:
      break;
  }
  return 1;
}

int CTextDefaults::DefaultSource(int row) const {
  return row >= 0 && row < kRowCount ? defaultSource[row] : 0;
}

int CTextDefaults::DefaultFontNumber(int row) const {
  return row >= 0 && row < kRowCount ? defaultFontNumber[row] : 0;
}

CTextDefaults& CTextDefaults::Global() {
  static CTextDefaults defaults;
  return defaults;
}

void CTextDefaults::Load(const CAppProfile& profile, const CIniFile& settings, int languageId) {
  fontSizeX = profile.GetFloat(kSystemParam, "FONTSIZEX", kDefaultFontSize);
  fontSizeY = profile.GetFloat(kSystemParam, "FONTSIZEY", kDefaultFontSize);
  for (int row = 0; row < kRowCount; ++row) {
    char section[16];
    snprintf(section, sizeof section, "Language%d", row);
    int type = settings.GetInt(section, "DefaultType", kNoDefault);
    if (type == kNoDefault) continue;
    defaultSource[row] = static_cast<BYTE>(type);
    int id = settings.GetInt(section, "DefaultID", kNoDefault);
    if (id != kNoDefault) defaultFontNumber[row] = static_cast<WORD>(id);
  }
  fontAngle = profile.GetFloat(kSystemParam, "FONTANGLE", 0);
  fontSkewX = profile.GetFloat(kSystemParam, "FONTSKEWX", 0);
  fontSkewY = profile.GetFloat(kSystemParam, "FONTSKEWY", 0);
  lineGaps = profile.GetFloat(kSystemParam, "LineGaps", 0);
  boxGaps = profile.GetFloat(kSystemParam, "BoxGaps", 0);
  styleWord = static_cast<WORD>(profile.GetInt(kSystemParam, "TMState", 0));
  modeWord = 0;
  SetCharsetFromLanguage(languageId);
}
