#include "model/editing/KeyboardCharset.h"

int CharsetFromLanguage(WORD languageId) {
  int primary = languageId & 0xFF;
  int sublanguage = languageId >> 10;
  // clang-format off
  switch (primary) {
    case 1: return ARABIC_CHARSET;                                       // 178
    case 4: return sublanguage == 2 ? GB2312_CHARSET : CHINESEBIG5_CHARSET;  // 134 / 136
    case 7:
    case 26: return EASTEUROPE_CHARSET;                                  // 238
    case 8: return GREEK_CHARSET;                                        // 161
    case 13: return HEBREW_CHARSET;                                      // 177
    case 17: return SHIFTJIS_CHARSET;                                    // 128
    case 18: return sublanguage == 1 ? HANGUL_CHARSET : JOHAB_CHARSET;    // 129 / 130
    case 25:
    case 63: return RUSSIAN_CHARSET;                                     // 204
    case 30: return THAI_CHARSET;                                        // 222
    case 31: return TURKISH_CHARSET;                                     // 162
    case 42: return VIETNAMESE_CHARSET;                                  // 163
    default: return ANSI_CHARSET;
  }
  // clang-format on
}

int GetKeyboardCharset() {
  HKL layout = GetKeyboardLayout(0);
  return CharsetFromLanguage(LOWORD(reinterpret_cast<UINT_PTR>(layout)));
}
