#include "text/WinFontTable.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "framework/GbkText.h"
#include "framework/String.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"
#include "model/settings/AppProfile.h"
#include "text/Language.h"
#include "text/NativeOutline.h"
#include "text/TrueTypeFile.h"

namespace {

const int kGlyphUnits = 1024;
const float kDoubleByteBaseline = 860.0f;
const WORD kFirstDoubleByteCode = 256;
// Outlines of a 1024-unit glyph stay far below this; a larger answer is not trusted.
const DWORD kLargestOutline = 4 * 1024 * 1024;

// GetFontData takes a table's tag as its four bytes read in memory order.
const DWORD kNameTableTag = 'n' | 'a' << 8 | 'm' << 16 | static_cast<DWORD>('e') << 24;
const DWORD kLargestNameTable = 1024 * 1024;

const MAT2 kIdentity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};

// The device context of the main window (the screen's when there is none), released at the end.
class WindowDC {
public:
  WindowDC() {
    CWnd* main = AfxGetMainWnd();
    m_window = main ? main->GetSafeHwnd() : nullptr;
    m_dc = ::GetDC(m_window);
  }
  ~WindowDC() {
    if (m_dc) ::ReleaseDC(m_window, m_dc);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC Get() const { return m_dc; }

private:
  HWND m_window;
  HDC m_dc;
};

// A font selected into the screen's device context while the object lives.
class ScreenFont {
public:
  explicit ScreenFont(HFONT font) : m_font(font), m_dc(font ? ::GetDC(nullptr) : nullptr) {
    if (m_dc) m_previous = ::SelectObject(m_dc, m_font);
  }
  ~ScreenFont() {
    if (m_dc) {
      ::SelectObject(m_dc, m_previous);
      ::ReleaseDC(nullptr, m_dc);
    }
    if (m_font) ::DeleteObject(m_font);
  }
  ScreenFont(const ScreenFont&) = delete;
  ScreenFont& operator=(const ScreenFont&) = delete;
  HDC Get() const { return m_dc; }
  // Whether GDI took the face asked for rather than one it put in its place.
  bool IsFace(const std::wstring& face) const {
    wchar_t chosen[LF_FACESIZE] = {};
    return m_dc && ::GetTextFaceW(m_dc, LF_FACESIZE, chosen) > 0 &&
           lstrcmpiW(chosen, face.c_str()) == 0;
  }

private:
  HFONT m_font;
  HDC m_dc;
  HGDIOBJ m_previous = nullptr;
};

HFONT CreateFaceFont(const std::wstring& face, int charset, LONG height) {
  LOGFONTW font = {};
  font.lfHeight = height;
  font.lfCharSet = static_cast<BYTE>(charset);
  font.lfQuality = PROOF_QUALITY;
  lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
  return ::CreateFontIndirectW(&font);
}

// The name table of an installed face as GDI hands it out; empty when GDI has none for it.
std::vector<BYTE> NameTableOf(const std::wstring& face) {
  std::vector<BYTE> table;
  ScreenFont font(CreateFaceFont(face, DEFAULT_CHARSET, -kGlyphUnits));
  if (!font.IsFace(face)) return table;
  DWORD size = ::GetFontData(font.Get(), kNameTableTag, 0, nullptr, 0);
  if (size == GDI_ERROR || size == 0 || size > kLargestNameTable) return table;
  table.resize(size);
  if (::GetFontData(font.Get(), kNameTableTag, 0, table.data(), size) != size) table.clear();
  return table;
}

}  // namespace

CWinFontTable::~CWinFontTable() {
  if (m_font) ::DeleteObject(m_font);
}

int CALLBACK CWinFontTable::OnFont(const LOGFONTW* font, const TEXTMETRICW* metrics, DWORD type,
                                   LPARAM table) {
  CWinFontTable* self = reinterpret_cast<CWinFontTable*>(table);
  if (!(type & TRUETYPE_FONTTYPE) || font->lfFaceName[0] < L'A') return 1;
  int row = self->m_language->FindIndex(metrics->tmCharSet);
  CFontEntry entry;
  // A face whose name GBK cannot hold could be neither saved nor asked for again.
  if (row < 0 || !CGbkText::FromWide(font->lfFaceName, &entry.text)) return 1;
  self->AddEntry(row, 0, entry);
  return 1;
}

void CWinFontTable::EnumFonts(const CLanguage& language) {
  FreeRows();
  m_familyNames.clear();
  m_language = &language;
  HDC screen = ::GetDC(nullptr);
  if (!screen) return;
  LOGFONTW wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  ::EnumFontFamiliesExW(screen, &wanted, reinterpret_cast<FONTENUMPROCW>(OnFont),
                        reinterpret_cast<LPARAM>(this), 0);
  ::ReleaseDC(nullptr, screen);
}

std::vector<CString> CWinFontTable::OtherNames(int row, int col, int i) const {
  CString face;
  if (col != 0 || !GetEntryText(row, col, i, face) || face.IsEmpty()) return {};
  auto known = m_familyNames.find(face.GetString());
  if (known != m_familyNames.end()) return known->second;
  std::vector<CString> names;
  for (const std::wstring& family :
       CTrueTypeFile::FamilyNames(NameTableOf(CGbkText::ToWide(face)))) {
    CString name;
    if (CGbkText::FromWide(family, &name) && name != face) names.push_back(name);
  }
  m_familyNames[face.GetString()] = names;
  return names;
}

HFONT CWinFontTable::CreateCharFont(int charset, int fontNumber, int zoom) const {
  CString face;
  int row = m_language ? m_language->FindIndex(charset) : -1;
  if (!GetEntryText(row, 0, fontNumber, face) || face.IsEmpty()) return nullptr;
  return CreateFaceFont(CGbkText::ToWide(face), charset == 0 ? DEFAULT_CHARSET : charset,
                        -static_cast<LONG>(zoom * 0.01 * kGlyphUnits));
}

CContour* CWinFontTable::GetCharOutline(int charset, int fontNumber, WORD code,
                                        const CMatrix2D* matrix) {
  // Double-byte characters are always drawn at full size; the zoom is for Latin text.
  bool doubleByte = code >= kFirstDoubleByteCode;
  HFONT font = CreateCharFont(charset, fontNumber, doubleByte ? 100 : m_latinZoom);
  if (!font) return nullptr;
  WindowDC dc;
  HGDIOBJ previous = dc.Get() ? ::SelectObject(dc.Get(), font) : nullptr;
  GLYPHMETRICS metrics = {};
  DWORD size = dc.Get() ? ::GetGlyphOutlineA(dc.Get(), code, GGO_NATIVE, &metrics, 0, nullptr,
                                             &kIdentity)
                        : GDI_ERROR;
  CContour* contour = nullptr;
  if (size == GDI_ERROR) {
    ::MessageBeep(0);
  } else if (size > 0 && size <= kLargestOutline) {
    std::vector<BYTE> buffer(size);
    DWORD got = ::GetGlyphOutlineA(dc.Get(), code, GGO_NATIVE, &metrics, size, buffer.data(),
                                   &kIdentity);
    if (got != GDI_ERROR && got <= size) {
      CMatrix2D mapping;
      mapping.m[4] = -1.0f;
      mapping.m[7] = doubleByte ? kDoubleByteBaseline : kGlyphUnits * (1.0f - m_latinBaseline);
      if (matrix) mapping.Multiply(*matrix);
      contour = ContourFromNativeOutline(buffer.data(), got, mapping);
    }
  }
  if (previous) ::SelectObject(dc.Get(), previous);
  ::DeleteObject(font);
  return contour;
}

bool CWinFontTable::HasCharset(int charset, int fontNumber) const {
  CString face;
  int row = m_language ? m_language->FindIndex(charset) : -1;
  if (!GetEntryText(row, 0, fontNumber, face) || face.IsEmpty()) return false;
  ScreenFont font(CreateCharFont(charset, fontNumber, 100));
  return font.IsFace(CGbkText::ToWide(face)) && ::GetTextCharset(font.Get()) == (charset & 0xFF);
}

bool CWinFontTable::HasGlyph(int charset, int fontNumber, WORD code) const {
  ScreenFont font(CreateCharFont(charset, fontNumber, 100));
  if (!font.Get()) return false;
  char text[3] = {};
  int length = 0;
  if (code >= kFirstDoubleByteCode) text[length++] = static_cast<char>(code >> 8);
  text[length++] = static_cast<char>(code & 0xFF);
  WORD glyph = 0xFFFF;
  DWORD found = ::GetGlyphIndicesA(font.Get(), text, length, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
  // Glyph 0 is the empty box of every TrueType font.
  return found != GDI_ERROR && found >= 1 && glyph != 0xFFFF && glyph != 0;
}

BOOL CWinFontTable::GetCharMetrics(int charset, int fontNumber, WORD code, GLYPHMETRICS* metrics) {
  if (!metrics) return FALSE;
  *metrics = GLYPHMETRICS();
  m_font = CreateCharFont(charset, fontNumber, m_latinZoom);
  if (!m_font) return FALSE;
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(screen, m_font);
  DWORD result = ::GetGlyphOutlineA(screen, code, GGO_METRICS, metrics, 0, nullptr, &kIdentity);
  if (result == GDI_ERROR) *metrics = GLYPHMETRICS();
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);
  ::DeleteObject(m_font);
  m_font = nullptr;
  return result != GDI_ERROR;
}

float CWinFontTable::BaselineFromText(LPCSTR text) {
  return static_cast<float>(std::atof(text ? text : ""));
}

void CWinFontTable::LoadLatinValues(const CAppProfile& profile) {
  CString baseline = profile.GetString(kSystemParam, kLatinBaselineKey, kLatinBaselineDefault);
  m_latinBaseline = BaselineFromText(baseline);
  m_latinZoom = profile.GetInt(kSystemParam, kLatinZoomKey, kLatinZoomDefault);
}
