#include "text/FontServices.h"

#include "text/Language.h"
#include "text/TtfFontTable.h"

CFontServices::CFontServices(CLanguage& language, CWinFontTable& windows, CTtfFontTable& trueType,
                             CCftFontTable& own, const CCodeTable& gbToBig5,
                             const CCodeTable& big5ToGb)
    : m_language(language) {
  language.AttachTables(&windows, &trueType, &own);
  trueType.SetCodeTables(&gbToBig5, &big5ToGb);
}

bool CFontServices::WriteSection(CByteWriter& file) { return m_language.WriteToFile(file); }

int CFontServices::FindRow(int charset) { return m_language.FindIndex(charset); }

CContour* CFontServices::GetGlyph(WORD key, int fontNumber, WORD code) {
  return m_language.GetGlyph(key, fontNumber, code);
}

bool CFontServices::GetMetrics(WORD key, int fontNumber, WORD code, GlyphMetrics& metrics) {
  return m_language.GetMetrics(key, fontNumber, code, metrics);
}
