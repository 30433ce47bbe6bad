// CFontServices: wires a program's font objects together and offers them to the model. It hands
// the language table the three font tables, gives the TrueType table the GB/Big5 conversion
// tables, and installs itself as the document's font-mount service: while it exists a saved
// document names the fonts mounted now. It is also the glyph source of the text layout: character
// boxes find their language row, outline and metrics through it, each in the box's own font source.
// A program defines one in its program-objects file after the objects it names.
#pragma once

#include "model/document/FontMountService.h"
#include "text/layout/GlyphSource.h"

class CCftFontTable;
class CContour;
class CCodeTable;
class CLanguage;
class CTtfFontTable;
class CWinFontTable;

class CFontServices : public CFontMountService, public CGlyphSource {
public:
  CFontServices(CLanguage& language, CWinFontTable& windows, CTtfFontTable& trueType,
                CCftFontTable& own, const CCodeTable& gbToBig5, const CCodeTable& big5ToGb);

  bool WriteSection(CByteWriter& file) override;

  int FindRow(int charset) override;
  CContour* GetGlyph(WORD key, int fontNumber, WORD code) override;
  bool GetMetrics(WORD key, int fontNumber, WORD code, GlyphMetrics& metrics) override;

private:
  CLanguage& m_language;
};
