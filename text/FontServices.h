// CFontServices: wires a program's font objects together and offers them to the model. It hands
// the language table the three font tables, gives the TrueType table the GB/Big5 conversion
// tables, and installs itself as the document's font-mount service: while it exists a saved
// document names the fonts mounted now and an opened one reads its section through the language
// table. A program defines one in its program-objects file after the objects it names.
#pragma once

#include "model/document/FontMountService.h"

class CCftFontTable;
class CCodeTable;
class CLanguage;
class CTtfFontTable;
class CWinFontTable;

class CFontServices : public CFontMountService {
public:
  CFontServices(CLanguage& language, CWinFontTable& windows, CTtfFontTable& trueType,
                CCftFontTable& own, const CCodeTable& gbToBig5, const CCodeTable& big5ToGb);

  bool WriteSection(CByteWriter& file) override;
  bool ReadSection(const BYTE* file, size_t fileSize, size_t offset,
                   std::vector<BYTE>& kept) override;

private:
  CLanguage& m_language;
};
