#include "text/WinFontTable.h"

#include <cstdlib>
#include <vector>

#include "framework/String.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"
#include "model/settings/AppProfile.h"
#include "text/Language.h"
#include "text/NativeOutline.h"

namespace {

const int kGlyphUnits = 1024;
const float kDoubleByteBaseline = 860.0f;
const WORD kFirstDoubleByteCode = 256;
// Outlines of a 1024-unit glyph stay far below this; a larger answer is not trusted.
const DWORD kLargestOutline = 4 * 1024 * 1024;

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

}  // namespace

CWinFontTable::~CWinFontTable() {
  if (m_font) ::DeleteObject(m_font);
}

int CALLBACK CWinFontTable::OnFont(const LOGFONTA* font, const TEXTMETRICA* metrics, DWORD type,
                                   LPARAM table) {
  CWinFontTable* self = reinterpret_cast<CWinFontTable*>(table);
  if (!(type & TRUETYPE_FONTTYPE) || static_cast<BYTE>(font->lfFaceName[0]) < 'A') return 1;
  int row = self->m_language->FindIndex(metrics->tmCharSet);
  if (row < 0) return 1;
  CFontEntry entry;
  entry.text = font->lfFaceName;
  self->AddEntry(row, 0, entry);
  return 1;
}

void CWinFontTable::EnumFonts(const CLanguage& language) {
  FreeRows();
  m_language = &language;
  HDC screen = ::GetDC(nullptr);
  if (!screen) return;
  LOGFONTA wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  ::EnumFontFamiliesExA(screen, &wanted, reinterpret_cast<FONTENUMPROCA>(OnFont),
                        reinterpret_cast<LPARAM>(this), 0);
  ::ReleaseDC(nullptr, screen);
}

HFONT CWinFontTable::CreateCharFont(int charset, int fontNumber, int zoom) const {
  CString face;
  int row = m_language ? m_language->FindIndex(charset) : -1;
  if (!GetEntryText(row, 0, fontNumber, face) || face.IsEmpty()) return nullptr;
  LOGFONTA font = {};
  font.lfHeight = -static_cast<LONG>(zoom * 0.01 * kGlyphUnits);
  font.lfCharSet = static_cast<BYTE>(charset == 0 ? DEFAULT_CHARSET : charset);
  font.lfQuality = PROOF_QUALITY;
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  return ::CreateFontIndirectA(&font);
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
  HFONT font = CreateCharFont(charset, fontNumber, 100);
  if (!font) return false;
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(screen, font);
  char chosen[LF_FACESIZE] = {};
  ::GetTextFaceA(screen, sizeof chosen, chosen);
  int chosenCharset = ::GetTextCharset(screen);
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);
  ::DeleteObject(font);
  return lstrcmpiA(chosen, face) == 0 && chosenCharset == (charset & 0xFF);
}

bool CWinFontTable::HasGlyph(int charset, int fontNumber, WORD code) const {
  HFONT font = CreateCharFont(charset, fontNumber, 100);
  if (!font) return false;
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(screen, font);
  char text[3] = {};
  int length = 0;
  if (code >= kFirstDoubleByteCode) text[length++] = static_cast<char>(code >> 8);
  text[length++] = static_cast<char>(code & 0xFF);
  WORD glyph = 0xFFFF;
  DWORD found = ::GetGlyphIndicesA(screen, text, length, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
  ::SelectObject(screen, previous);
  ::ReleaseDC(nullptr, screen);
  ::DeleteObject(font);
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
