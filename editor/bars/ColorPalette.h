// CColorPalette: the program's numbered colours. Blocks, the palette bar and the page setup
// dialog refer to a colour by its index here. The first 39 are the standard colours; colours the
// user picks in the system colour dialog are appended and kept in the palette file (PALETTE.INI in
// the palette folder), from which the next start reads them back.
//
// Colours are stored as 0x00RRGGBB values (red in bits 16-23), the reverse byte order of a
// COLORREF; SwapRedBlue converts between the two. The file names its palettes in [PALETTE]
// ("PAL0", "PAL1", ... each naming the section of one palette, which holds "PalName" and the
// added colours as "Color<index>=red,green,blue").
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/String.h"

class CBrush;
class CComboBox;
class CIniFile;

// Exchanges the lowest and the third byte, keeps the second and clears the top byte: turns a
// 0x00RRGGBB value into a COLORREF and back.
DWORD SwapRedBlue(DWORD colour);

class CColorPalette {
public:
  static constexpr int kStandardCount = 39;
  static constexpr int kNameLength = 40;  // characters of a palette name or section name
  static const char kFileName[];          // "PALETTE.INI"

  // No colours and no file until Load.
  CColorPalette() = default;
  // Loads fileName from the palette folder that settings (TALVEX42.INI) name.
  CColorPalette(const CIniFile& settings, LPCSTR fileName);

  // The palette folder: [PATH] PALETTE of the settings, else the program folder's PALETTE\. The
  // file name is appended as it is, so a folder value must end with a backslash.
  static CString PaletteFolder(const CIniFile& settings);

  void Load(const CIniFile& settings, LPCSTR fileName);
  // Takes the palette file's full path: reads the names, the standard colours of palette 0 and
  // the colours added to it.
  void LoadFile(LPCSTR path);
  // Reads the list of palettes and their display names; no file or no list gives none.
  void LoadNames();
  // The standard colours alone, for the palette of that number.
  void LoadStandard(int palette);

  const CString& GetPath() const { return m_path; }
  int GetCount() const { return static_cast<int>(m_colours.size()); }
  int GetPaletteCount() const { return static_cast<int>(m_names.size()); }
  int GetCurrentPalette() const { return m_current; }
  // The display name of a palette in the resources' language: "PalName" followed by their
  // section suffix (string 59999, "Eng" in the English ones) where the file has it, else
  // "PalName". Empty out of range.
  CString GetPaletteName(int palette) const;

  // 0x00RRGGBB; 0 out of range.
  DWORD GetValue(int index) const;
  // FALSE out of range.
  BOOL SetValue(int index, COLORREF colour);
  COLORREF GetColorRef(int index) const;
  // The first index of the colour, -1 when the palette does not hold it.
  int Find(COLORREF colour) const;
  // A new brush of the colour (BS_SOLID, BS_HOLLOW, ...); null for an index not below the count.
  std::unique_ptr<CBrush> CreateBrush(int index, UINT style = BS_SOLID) const;
  // Appends a colour the palette does not hold yet and writes it to the current palette's section
  // of the file; a colour already held changes nothing. The index of the colour.
  int Add(COLORREF colour);
  // One item per colour, its 0x00RRGGBB value in decimal.
  void FillCombo(CComboBox* combo) const;

private:
  // The section of the current palette: the one its "PAL<n>" key names, else "PAL<n>" itself.
  CString CurrentSection() const;
  // Appends "Color<index>" entries of the current palette's section from the standard count on,
  // up to the first missing, unreadable or repeated one, so that keys and indexes stay equal.
  void LoadAdded();

  CString m_path;
  int m_current = 0;
  std::vector<DWORD> m_colours;
  std::vector<CString> m_names;
  std::vector<CString> m_sections;
};
