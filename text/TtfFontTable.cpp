#include "text/TtfFontTable.h"

#include "framework/String.h"
#include "model/geometry/Contour.h"
#include "model/geometry/Matrix2D.h"
#include "text/Language.h"
#include "text/TrueTypeFile.h"

namespace {

const BYTE kGb2312Charset = 134;
const BYTE kBig5Charset = 136;
const float kGlyphUnits = 1024.0f;

int SelectorOf(BYTE charset) {
  if (charset == kGb2312Charset) return CTrueTypeFile::kGbCode;
  if (charset == kBig5Charset) return CTrueTypeFile::kBig5Code;
  return CTrueTypeFile::kNoConversion;
}

}  // namespace

void CTtfFontTable::SetCodeTables(const CCodeTable* gbToBig5, const CCodeTable* big5ToGb) {
  m_gbToBig5 = gbToBig5;
  m_big5ToGb = big5ToGb;
}

void CTtfFontTable::Mount(const CLanguage& language) {
  FreeRows();
  for (int row = 0; row < language.GetCount(); ++row) {
    CString folder;
    language.GetTtfMountPath(row, folder);
    if (!folder.IsEmpty()) MountFolder(row, folder);
  }
}

int CTtfFontTable::MountFolder(int row, LPCSTR folder) {
  CString base = folder;
  if (!base.IsEmpty() && base[base.GetLength() - 1] != '\\') base += '\\';
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(base + "*.TTF", &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int listed = 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    CFontEntry entry;
    entry.name = base + found.cFileName;
    CString title = found.cFileName;
    int dot = title.ReverseFind('.');
    entry.text = dot > 0 ? title.Left(dot) : title;
    listed += AddEntry(row, 0, entry);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return listed;
}

CContour* CTtfFontTable::GetCharOutline(int row, int fontNumber, WORD code, BYTE charset) {
  CString path;
  if (!GetEntryName(row, 0, fontNumber, path)) return nullptr;
  TtfMetrics metrics;
  CContour* contour = GetTrueTypeGlyph(path, code, SelectorOf(charset), &metrics, m_gbToBig5,
                                       m_big5ToGb);
  if (!contour || metrics.unitsPerEm <= 0) return contour;
  float scale = kGlyphUnits / metrics.unitsPerEm;
  CMatrix2D mapping;
  mapping.m[0] = scale;
  mapping.m[4] = -scale;
  mapping.m[6] = -metrics.xMin * scale;
  mapping.m[7] = metrics.yMin * scale + kGlyphUnits;
  contour->Transform(&mapping);
  contour->ApplyMatrix();
  return contour;
}
