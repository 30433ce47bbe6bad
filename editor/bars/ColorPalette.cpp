#include "editor/bars/ColorPalette.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/Brush.h"
#include "framework/ComboBox.h"
#include "model/settings/IniFile.h"
#include "model/settings/ProgramPaths.h"
#include "model/settings/SettingNames.h"

const char CColorPalette::kFileName[] = "PALETTE.INI";

namespace {

const char kPaletteList[] = "PALETTE";
const char kPaletteNameKey[] = "PalName";
const UINT kSectionSuffixId = 59999;

// clang-format off
const DWORD kStandardColours[CColorPalette::kStandardCount] = {
    0x000000, 0x000080, 0x008080, 0x008000, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
    0xA2FFFF, 0x00C6C6, 0xAED7FF, 0x0080FF, 0x6400C8, 0xFF0080, 0xFF53A9, 0xB00058,
    0xFF99FF, 0xFF8080, 0xFF4D4D, 0xD00000, 0xFF8040, 0x3737FF, 0xFFFFAC, 0xE3E300,
    0xC993FF, 0x800080, 0xB300B3, 0x9FFF9F, 0x005300, 0x000080, 0xFE4E12};
// clang-format on

CString PaletteKey(int palette) {
  CString key;
  key.Format("PAL%d", palette);
  return key;
}

CString ColourKey(int index) {
  CString key;
  key.Format("Color%d", index);
  return key;
}

// "red,green,blue" with each part a number from 0 to 255 and nothing else.
bool ParseRgb(LPCSTR text, DWORD* value) {
  int parts[3] = {};
  const char* cursor = text;
  for (int i = 0; i < 3; ++i) {
    char* end = nullptr;
    long part = strtol(cursor, &end, 10);
    if (end == cursor || part < 0 || part > 255) return false;
    parts[i] = static_cast<int>(part);
    cursor = end;
    while (*cursor == ' ') ++cursor;
    if (i < 2 && *cursor++ != ',') return false;
  }
  if (*cursor != '\0') return false;
  *value = (static_cast<DWORD>(parts[0]) << 16) | (static_cast<DWORD>(parts[1]) << 8) |
           static_cast<DWORD>(parts[2]);
  return true;
}

// A key of the palette file, at most the name length, or empty.
CString ReadName(LPCSTR path, LPCSTR section, LPCSTR key) {
  char text[CColorPalette::kNameLength + 1] = {};
  GetPrivateProfileStringA(section, key, "", text, sizeof text, path);
  return CString(text);
}

}  // namespace

DWORD SwapRedBlue(DWORD colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

CColorPalette::CColorPalette(const CIniFile& settings, LPCSTR fileName) {
  Load(settings, fileName);
}

CString CColorPalette::PaletteFolder(const CIniFile& settings) {
  char programFolder[MAX_PATH] = "";
  CString fallback;
  if (GetProgramDir(programFolder, sizeof programFolder))
    fallback = CString(programFolder) + "PALETTE\\";
  return settings.GetString(settings::kPathSection, settings::kPalettePath, fallback);
}

void CColorPalette::Load(const CIniFile& settings, LPCSTR fileName) {
  LoadFile(PaletteFolder(settings) + fileName);
}

void CColorPalette::LoadFile(LPCSTR path) {
  m_path = path;
  LoadNames();
  LoadStandard(0);
  LoadAdded();
}

void CColorPalette::LoadNames() {
  m_names.clear();
  m_sections.clear();
  if (m_path.IsEmpty()) return;
  for (int palette = 0;; ++palette) {
    CString section = ReadName(m_path, kPaletteList, PaletteKey(palette));
    if (section.IsEmpty()) break;
    m_sections.push_back(section);
    m_names.push_back(ReadName(m_path, section, kPaletteNameKey));
  }
}

void CColorPalette::LoadStandard(int palette) {
  m_colours.assign(kStandardColours, kStandardColours + kStandardCount);
  m_current = palette;
}

CString CColorPalette::CurrentSection() const {
  if (m_current >= 0 && m_current < static_cast<int>(m_sections.size()))
    return m_sections[static_cast<size_t>(m_current)];
  return PaletteKey(m_current);
}

void CColorPalette::LoadAdded() {
  if (m_path.IsEmpty()) return;
  CString section = CurrentSection();
  for (;;) {
    char text[64] = {};
    GetPrivateProfileStringA(section, ColourKey(GetCount()), "", text, sizeof text, m_path);
    DWORD value = 0;
    if (!ParseRgb(text, &value) || Find(SwapRedBlue(value)) >= 0) break;
    m_colours.push_back(value);
  }
}

CString CColorPalette::GetPaletteName(int palette) const {
  if (palette < 0 || palette >= GetPaletteCount()) return CString();
  // The palette is loaded before the program chooses its resources: the language is asked now.
  CString suffix;
  if (suffix.LoadString(kSectionSuffixId)) suffix.Trim();
  if (!suffix.IsEmpty()) {
    CString name = ReadName(m_path, m_sections[static_cast<size_t>(palette)],
                            CString(kPaletteNameKey) + suffix);
    if (!name.IsEmpty()) return name;
  }
  return m_names[static_cast<size_t>(palette)];
}

DWORD CColorPalette::GetValue(int index) const {
  if (index < 0 || index >= GetCount()) return 0;
  return m_colours[static_cast<size_t>(index)];
}

BOOL CColorPalette::SetValue(int index, COLORREF colour) {
  if (index < 0 || index >= GetCount()) return FALSE;
  m_colours[static_cast<size_t>(index)] = SwapRedBlue(colour);
  return TRUE;
}

COLORREF CColorPalette::GetColorRef(int index) const {
  if (index < 0 || index >= GetCount()) return 0;
  return SwapRedBlue(m_colours[static_cast<size_t>(index)]);
}

int CColorPalette::Find(COLORREF colour) const {
  const DWORD value = SwapRedBlue(colour);
  for (int i = 0; i < GetCount(); ++i)
    if (m_colours[static_cast<size_t>(i)] == value) return i;
  return -1;
}

std::unique_ptr<CBrush> CColorPalette::CreateBrush(int index, UINT style) const {
  // The index is taken as a 16-bit number, as the colour numbers of blocks are.
  if (static_cast<WORD>(index) >= GetCount()) return nullptr;
  LOGBRUSH logBrush = {style, GetColorRef(static_cast<WORD>(index)), 0};
  auto brush = std::make_unique<CBrush>();
  if (!brush->CreateBrushIndirect(&logBrush)) return nullptr;
  return brush;
}

int CColorPalette::Add(COLORREF colour) {
  int found = Find(colour);
  if (found >= 0) return found;
  const DWORD value = SwapRedBlue(colour);
  m_colours.push_back(value);
  const int index = GetCount() - 1;
  if (!m_path.IsEmpty()) {
    CString rgb;
    rgb.Format("%d,%d,%d", static_cast<int>((value >> 16) & 0xFF),
               static_cast<int>((value >> 8) & 0xFF), static_cast<int>(value & 0xFF));
    WritePrivateProfileStringA(CurrentSection(), ColourKey(index), rgb, m_path);
  }
  return index;
}

void CColorPalette::FillCombo(CComboBox* combo) const {
  for (DWORD value : m_colours) {
    char text[16];
    snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(value));
    combo->AddString(text);
  }
}
