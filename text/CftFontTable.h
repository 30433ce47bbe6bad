// CCftFontTable: the own font files mounted per language. Column j of a language's row lists the
// ".CFT" files of its mount j (the folder "MountPath%d" of "Language%d" in TALVEX42.INI; one
// without a drive lies beside that file, in the program folder), each entry naming the file's full
// path and the font's name in the user-interface language, its name in the other one beside. Every
// mount keeps its column even when its folder holds no font, so the fonts of later mounts keep
// their mount number. Glyphs are read from the file per request, header included: the file is
// opened for each glyph anyway, and its own header is the one that cannot be stale.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "text/FontTable.h"

class CContour;
class CIniFile;
class CMatrix2D;

class CCftFontTable : public CFontTable {
public:
  // Empties the rows and mounts the files named by the settings: for each language row and each
  // of its "Mounts", the fonts of the folder "MountPath%d" (an empty folder name ends that
  // language's mounts), whatever the folder's length. Files that do not open or are no font files
  // are left out.
  void Mount(const CIniFile& settings);
  // The fonts of one folder into column col of the row; textLanguage 2052 takes the header's
  // Chinese name as the entry's text, any other its English name. Returns the number mounted.
  int MountFolder(int row, int col, LPCSTR folder, WORD textLanguage);

  // The record offset of a code in a font file; 0 when there is none.
  static DWORD FindGlyphOffset(LPCSTR path, WORD code);
  // The display name of a font of version 6.0 or later (empty otherwise).
  void GetFontName(int row, int col, int i, CString& out) const;
  // The outline of a character, moved by the font's offsets and then by the matrix; null when
  // row, column or entry are out of range or the font has no such glyph. The caller owns it.
  CContour* ReadGlyph(int row, int col, int i, WORD code, const CMatrix2D* matrix);
};
