#include "media/library/LibraryGlyphs.h"

#include "media/library/MountLibList.h"
#include "model/geometry/Contour.h"
#include "text/WinFontTable.h"

namespace {

// Source 0 offers the symbol fonts, source 1 the Western ones.
const int kSourceCharsets[CLibraryGlyphs::kFontSourceCount] = {SYMBOL_CHARSET, ANSI_CHARSET};

}  // namespace

CLibraryGlyphs::CLibraryGlyphs(CWinFontTable& fonts, CMountLibList& libraries)
    : m_fonts(fonts), m_libraries(libraries) {}

int CLibraryGlyphs::FontCharset(int source) {
  return source >= 0 && source < kFontSourceCount ? kSourceCharsets[source] : -1;
}

CContour* CLibraryGlyphs::ReadGlyph(int source, int group, int item, const CMatrix2D* matrix) {
  int charset = FontCharset(source);
  if (charset >= 0) return m_fonts.GetCharOutline(charset, group, static_cast<WORD>(item), matrix);
  return m_libraries.ReadGlyph(source - kFontSourceCount, group, item, matrix);
}
