// CTrueTypeFile: reads character outlines straight from a TrueType font file, without GDI. It
// finds its tables among the first 40 of the table directory (name, head, maxp, cmap, loca, glyf),
// maps a character code to a glyph through the first cmap subtable of format 2 or 4, and turns the
// glyph's quadratic contours into a CContour of cubic pieces in font units, y up. Composite glyphs
// are built from their components (offsets and scales; a component placed by point matching is
// left out and reported). Every offset and length is checked against the file and its table
// before use; a code that the character map does not map gives no glyph rather than the .notdef
// box. All values in the file are big-endian.
//
// The name record (platform 3, full font name, language 1028 or 2052) decides the conversion of
// Chinese codes: with selector 1 a GB code becomes Big5 for a Big5 font (1028), with selector 2 a
// Big5 code becomes GB for a GB font (2052). Fonts with a Unicode character map are looked up by
// the character the code stands for in its own code page (936 for GB, 950 for Big5, the system's
// otherwise); single-byte codes are looked up as one byte of that code page.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/File.h"
#include "framework/String.h"

class CCodeTable;
class CContour;

struct TtfMetrics {
  short unitsPerEm = 0;
  short xMin = 0, yMin = 0, xMax = 0, yMax = 0;
};

class CTrueTypeFile {
public:
  enum Selector { kNoConversion = 0, kGbCode = 1, kBig5Code = 2 };

  CTrueTypeFile() = default;
  CTrueTypeFile(const CTrueTypeFile&) = delete;
  CTrueTypeFile& operator=(const CTrueTypeFile&) = delete;

  // The conversion tables used by the selectors (null: no conversion in that direction).
  void SetCodeTables(const CCodeTable* gbToBig5, const CCodeTable* big5ToGb);
  // Opens the file and reads what every glyph needs; false when it does not open or a table is
  // missing or damaged.
  bool Open(LPCSTR path);
  const TtfMetrics& GetMetrics() const { return m_metrics; }
  WORD GetNameLanguage() const { return m_nameLanguage; }

  // The glyph index of a code; 0 when the character map does not map it.
  WORD FindGlyph(WORD code, int selector) const;
  // The outline of a code (flags 0x11, 1, 0, 0x41 and the end mark), null when the code is not
  // mapped or its glyph is empty or damaged. The caller owns the result.
  CContour* GetGlyph(WORD code, int selector);
  // The outline of a glyph index.
  CContour* GetGlyphByIndex(WORD glyph);
  // Why the last glyph came back incomplete or null (empty when nothing went wrong).
  const CString& GetProblem() const { return m_problem; }

  // The family names of a name table in every language it holds (its Unicode and Windows
  // records), each once, in the table's order; the first 64 of them.
  static std::vector<std::wstring> FamilyNames(const std::vector<BYTE>& nameTable);

private:
  struct Table {
    DWORD offset = 0;
    DWORD length = 0;
  };
  struct Point {
    float x;
    float y;
    bool onCurve;
  };
  using Contours = std::vector<std::vector<Point>>;

  bool ReadRange(DWORD offset, DWORD length, std::vector<BYTE>& out);
  bool ReadDirectory();
  void ReadName();
  bool ReadHead();
  bool ReadMaxp();
  bool ReadCmap();
  WORD ConvertCode(WORD code, int selector, UINT* codePage) const;
  WORD LookUp(WORD code) const;
  WORD LookUpFormat2(WORD code) const;
  WORD LookUpFormat4(WORD code) const;
  bool GlyphRange(WORD glyph, DWORD& offset, DWORD& length);
  bool ReadGlyphContours(WORD glyph, int depth, Contours& contours);
  bool ReadSimpleGlyph(const std::vector<BYTE>& data, int contourCount, Contours& contours);
  bool ReadCompositeGlyph(const std::vector<BYTE>& data, int depth, Contours& contours);
  static CContour* BuildContour(const Contours& contours);

  CFile m_file;
  ULONGLONG m_length = 0;
  Table m_name, m_head, m_maxp, m_cmap, m_loca, m_glyf;
  TtfMetrics m_metrics;
  WORD m_nameLanguage = 0;
  WORD m_nameEncoding = 0;
  WORD m_glyphCount = 0;
  short m_locaFormat = 0;
  std::vector<BYTE> m_cmapSubtable;
  WORD m_cmapFormat = 0;
  bool m_unicodeMap = false;
  const CCodeTable* m_gbToBig5 = nullptr;
  const CCodeTable* m_big5ToGb = nullptr;
  CString m_problem;
};

// Opens the file, takes the glyph of a code and fills the metrics (any may be null); null when
// there is none.
CContour* GetTrueTypeGlyph(LPCSTR path, WORD code, int selector, TtfMetrics* metrics,
                           const CCodeTable* gbToBig5 = nullptr,
                           const CCodeTable* big5ToGb = nullptr);
