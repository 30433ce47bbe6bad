// CTtfFontTable: TrueType font files read by the system's own reader (CTrueTypeFile), one list per
// language row (column 0) whose entries name the files. Each language may name a folder of such
// files ("TTFMountPath" of its language section); the files found there are listed with their
// file names as text. Outlines are mapped from the font's units into glyph units (1024 per em, y
// down) by the font's head table: its box's left edge at 0 and its bottom at 1024.
#pragma once

#include <windows.h>

#include "text/FontTable.h"

class CCodeTable;
class CContour;
class CLanguage;

class CTtfFontTable : public CFontTable {
public:
  // The GB/Big5 tables the reader converts Chinese codes with.
  void SetCodeTables(const CCodeTable* gbToBig5, const CCodeTable* big5ToGb);
  // Empties the rows and lists the "*.TTF" files of each language's TrueType folder.
  void Mount(const CLanguage& language);
  // The fonts of one folder into the row's list; returns how many were listed.
  int MountFolder(int row, LPCSTR folder);

  // The outline of a character of font fontNumber of the row, whose codes are of the character
  // set (GB2312 and Big5 codes are converted for a font of the other kind); null when the row has
  // no such font or the font no such glyph. The caller owns it.
  CContour* GetCharOutline(int row, int fontNumber, WORD code, BYTE charset);

private:
  const CCodeTable* m_gbToBig5 = nullptr;
  const CCodeTable* m_big5ToGb = nullptr;
};
