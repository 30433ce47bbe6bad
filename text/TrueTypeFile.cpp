#include "text/TrueTypeFile.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "model/geometry/Contour.h"
#include "text/CodeTable.h"

namespace {

const size_t kMaxTablesSeen = 40;
const size_t kOffsetTableSize = 12;
const size_t kTableRecordSize = 16;
// Tables and glyphs larger than these are not read into memory.
const DWORD kLargestTable = 16 * 1024 * 1024;
const DWORD kLargestGlyph = 1024 * 1024;
const int kMaxContours = 1000;
const int kMaxComponentDepth = 8;
const WORD kFamilyName = 1;
// A font names its family in a few dozen languages at most; the rest is not compared.
const size_t kMostFamilyNames = 64;
const WORD kFullFontName = 4;
const WORD kUnicodePlatform = 0;
const WORD kWindowsPlatform = 3;
const WORD kTraditionalChinese = 1028;
const WORD kSimplifiedChinese = 2052;
const UINT kGbCodePage = 936;
const UINT kBig5CodePage = 950;

// Glyph flags of simple glyphs and components.
const BYTE kOnCurve = 0x01;
const BYTE kXShort = 0x02;
const BYTE kYShort = 0x04;
const BYTE kRepeat = 0x08;
const BYTE kXSameOrPositive = 0x10;
const BYTE kYSameOrPositive = 0x20;
const WORD kArgsAreWords = 0x0001;
const WORD kArgsAreOffsets = 0x0002;
const WORD kHasScale = 0x0008;
const WORD kMoreComponents = 0x0020;
const WORD kHasXYScale = 0x0040;
const WORD kHasTwoByTwo = 0x0080;

// Big-endian values at offsets of a byte block, each read checked against its size.
class BigEndian {
public:
  explicit BigEndian(const std::vector<BYTE>& data) : m_data(data) {}
  bool Fits(size_t at, size_t count) const {
    return at <= m_data.size() && count <= m_data.size() - at;
  }
  bool U8(size_t at, BYTE& out) const {
    if (!Fits(at, 1)) return false;
    out = m_data[at];
    return true;
  }
  bool U16(size_t at, WORD& out) const {
    if (!Fits(at, 2)) return false;
    out = static_cast<WORD>(m_data[at] << 8 | m_data[at + 1]);
    return true;
  }
  bool S16(size_t at, short& out) const {
    WORD value = 0;
    if (!U16(at, value)) return false;
    out = static_cast<short>(value);
    return true;
  }
  bool U32(size_t at, DWORD& out) const {
    WORD high = 0, low = 0;
    if (!U16(at, high) || !U16(at + 2, low)) return false;
    out = static_cast<DWORD>(high) << 16 | low;
    return true;
  }
  // A signed 2.14 fixed-point value.
  bool F2Dot14(size_t at, float& out) const {
    short value = 0;
    if (!S16(at, value)) return false;
    out = value / 16384.0f;
    return true;
  }

private:
  const std::vector<BYTE>& m_data;
};

// One naming record of a name table, its text's place checked to lie inside the table.
struct NameRecord {
  WORD platform, encoding, language, nameId;
  size_t text, length;
};

// Calls visit for each naming record of a name table; records whose text lies outside the table
// are left out, and the walk ends where the records do.
template <typename Visit>
void ForEachNameRecord(const std::vector<BYTE>& table, Visit visit) {
  BigEndian reader(table);
  WORD count = 0, storage = 0;
  if (!reader.U16(2, count) || !reader.U16(4, storage)) return;
  for (WORD i = 0; i < count; ++i) {
    size_t at = 6 + i * 12u;
    NameRecord record = {};
    WORD length = 0, offset = 0;
    if (!reader.U16(at, record.platform) || !reader.U16(at + 2, record.encoding) ||
        !reader.U16(at + 4, record.language) || !reader.U16(at + 6, record.nameId) ||
        !reader.U16(at + 8, length) || !reader.U16(at + 10, offset))
      return;
    record.text = static_cast<size_t>(storage) + offset;
    record.length = length;
    if (reader.Fits(record.text, record.length)) visit(record);
  }
}

}  // namespace

void CTrueTypeFile::SetCodeTables(const CCodeTable* gbToBig5, const CCodeTable* big5ToGb) {
  m_gbToBig5 = gbToBig5;
  m_big5ToGb = big5ToGb;
}

bool CTrueTypeFile::ReadRange(DWORD offset, DWORD length, std::vector<BYTE>& out) {
  out.clear();
  if (offset > m_length || length > m_length - offset || length > kLargestTable) return false;
  out.resize(length);
  if (length == 0) return true;
  try {
    m_file.Seek(offset, CFile::begin);
    return m_file.Read(out.data(), length) == length;
  } catch (CFileException* e) {
    e->Delete();
    return false;
  }
}

bool CTrueTypeFile::Open(LPCSTR path) {
  if (!m_file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) return false;
  try {
    m_length = m_file.GetLength();
  } catch (CFileException* e) {
    e->Delete();
    return false;
  }
  if (m_length > 0xFFFFFFFFull) return false;
  if (!ReadDirectory() || !ReadHead() || !ReadMaxp() || !ReadCmap()) return false;
  ReadName();
  return m_loca.length > 0 && m_glyf.offset > 0;
}

bool CTrueTypeFile::ReadDirectory() {
  std::vector<BYTE> head;
  if (!ReadRange(0, kOffsetTableSize, head)) return false;
  WORD tableCount = 0;
  BigEndian(head).U16(4, tableCount);
  size_t seen = std::min<size_t>(tableCount, kMaxTablesSeen);
  std::vector<BYTE> records;
  if (!ReadRange(kOffsetTableSize, static_cast<DWORD>(seen * kTableRecordSize), records))
    return false;
  BigEndian reader(records);
  struct Wanted {
    const char* tag;
    Table* table;
  } wanted[] = {{"name", &m_name}, {"head", &m_head}, {"maxp", &m_maxp},
                {"cmap", &m_cmap}, {"loca", &m_loca}, {"glyf", &m_glyf}};
  for (size_t i = 0; i < seen; ++i) {
    size_t at = i * kTableRecordSize;
    Table table;
    reader.U32(at + 8, table.offset);
    reader.U32(at + 12, table.length);
    // A table that does not lie in the file is as good as missing.
    if (table.offset > m_length || table.length > m_length - table.offset) continue;
    for (Wanted& want : wanted)
      if (std::memcmp(records.data() + at, want.tag, 4) == 0) *want.table = table;
  }
  return true;
}

void CTrueTypeFile::ReadName() {
  std::vector<BYTE> data;
  if (!m_name.length || !ReadRange(m_name.offset, m_name.length, data)) return;
  ForEachNameRecord(data, [this](const NameRecord& record) {
    if (record.platform == kWindowsPlatform && record.nameId == kFullFontName &&
        (record.language == kTraditionalChinese || record.language == kSimplifiedChinese)) {
      m_nameLanguage = record.language;
      m_nameEncoding = record.encoding;
    }
  });
}

std::vector<std::wstring> CTrueTypeFile::FamilyNames(const std::vector<BYTE>& nameTable) {
  std::vector<std::wstring> names;
  ForEachNameRecord(nameTable, [&](const NameRecord& record) {
    bool utf16 = record.platform == kUnicodePlatform || record.platform == kWindowsPlatform;
    if (!utf16 || record.nameId != kFamilyName || record.length % 2 != 0 ||
        names.size() >= kMostFamilyNames)
      return;
    std::wstring name;
    for (size_t at = record.text; at < record.text + record.length; at += 2)
      name += static_cast<wchar_t>(nameTable[at] << 8 | nameTable[at + 1]);
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
      names.push_back(name);
  });
  return names;
}

bool CTrueTypeFile::ReadHead() {
  std::vector<BYTE> data;
  if (m_head.length < 54 || !ReadRange(m_head.offset, 54, data)) return false;
  BigEndian reader(data);
  WORD unitsPerEm = 0;
  reader.U16(18, unitsPerEm);
  reader.S16(36, m_metrics.xMin);
  reader.S16(38, m_metrics.yMin);
  reader.S16(40, m_metrics.xMax);
  reader.S16(42, m_metrics.yMax);
  reader.S16(50, m_locaFormat);
  if (unitsPerEm == 0 || unitsPerEm > 16384 || (m_locaFormat != 0 && m_locaFormat != 1))
    return false;
  m_metrics.unitsPerEm = static_cast<short>(unitsPerEm);
  return true;
}

bool CTrueTypeFile::ReadMaxp() {
  std::vector<BYTE> data;
  return m_maxp.length >= 6 && ReadRange(m_maxp.offset, 6, data) &&
         BigEndian(data).U16(4, m_glyphCount);
}

bool CTrueTypeFile::ReadCmap() {
  std::vector<BYTE> data;
  if (!m_cmap.length || !ReadRange(m_cmap.offset, m_cmap.length, data)) return false;
  BigEndian reader(data);
  WORD count = 0;
  reader.U16(2, count);
  for (WORD i = 0; i < count; ++i) {
    WORD platform = 0, encoding = 0, format = 0;
    DWORD offset = 0;
    if (!reader.U16(4 + i * 8u, platform) || !reader.U16(6 + i * 8u, encoding) ||
        !reader.U32(8 + i * 8u, offset))
      return false;
    if (!reader.U16(offset, format) || (format != 2 && format != 4)) continue;
    // The subtable is kept to the end of the table: every lookup checks its own reach.
    m_cmapSubtable.assign(data.begin() + offset, data.end());
    m_cmapFormat = format;
    m_unicodeMap = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
    return true;
  }
  return false;
}

WORD CTrueTypeFile::ConvertCode(WORD code, int selector, UINT* codePage) const {
  *codePage = CP_ACP;
  if (selector == kGbCode) {
    *codePage = kGbCodePage;
    if (code >= 0x100 && m_nameLanguage == kTraditionalChinese && m_gbToBig5) {
      WORD big5 = m_gbToBig5->GbToBig5(code);
      if (big5) {
        *codePage = kBig5CodePage;
        return big5;
      }
    }
  } else if (selector == kBig5Code) {
    *codePage = kBig5CodePage;
    if (code >= 0x100 && m_nameLanguage == kSimplifiedChinese && m_big5ToGb) {
      WORD gb = m_big5ToGb->Big5ToGb(code);
      if (gb) {
        *codePage = kGbCodePage;
        return gb;
      }
    }
  }
  return code;
}

WORD CTrueTypeFile::FindGlyph(WORD code, int selector) const {
  UINT codePage = CP_ACP;
  code = ConvertCode(code, selector, &codePage);
  if (m_unicodeMap) {
    char bytes[2] = {static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
    bool single = code < 0x100;
    WCHAR wide[2] = {};
    int count = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, single ? bytes + 1 : bytes,
                                      single ? 1 : 2, wide, 2);
    if (count != 1) return 0;
    code = wide[0];
  }
  return LookUp(code);
}

WORD CTrueTypeFile::LookUp(WORD code) const {
  return m_cmapFormat == 2 ? LookUpFormat2(code) : LookUpFormat4(code);
}

WORD CTrueTypeFile::LookUpFormat2(WORD code) const {
  BigEndian reader(m_cmapSubtable);
  BYTE high = static_cast<BYTE>(code >> 8), low = static_cast<BYTE>(code & 0xFF);
  WORD key = 0;
  if (!reader.U16(6 + 2u * (high ? high : low), key)) return 0;
  size_t subHeader = key / 8;
  // A lead byte needs a sub-header of its own; a single byte uses sub-header 0.
  if ((high != 0) != (subHeader != 0)) return 0;
  size_t at = 6 + 512 + subHeader * 8;
  WORD firstCode = 0, entryCount = 0, rangeOffset = 0;
  short delta = 0;
  if (!reader.U16(at, firstCode) || !reader.U16(at + 2, entryCount) || !reader.S16(at + 4, delta) ||
      !reader.U16(at + 6, rangeOffset))
    return 0;
  if (low < firstCode || low >= firstCode + entryCount) return 0;
  WORD glyph = 0;
  if (!reader.U16(at + 6 + rangeOffset + 2u * (low - firstCode), glyph) || glyph == 0) return 0;
  return static_cast<WORD>(glyph + delta);
}

WORD CTrueTypeFile::LookUpFormat4(WORD code) const {
  BigEndian reader(m_cmapSubtable);
  WORD doubleSegments = 0;
  if (!reader.U16(6, doubleSegments)) return 0;
  size_t segments = doubleSegments / 2u;
  size_t ends = 14, starts = 16 + 2 * segments, deltas = starts + 2 * segments,
         ranges = deltas + 2 * segments;
  for (size_t i = 0; i < segments; ++i) {
    WORD end = 0, start = 0, rangeOffset = 0;
    short delta = 0;
    if (!reader.U16(ends + 2 * i, end)) return 0;
    if (end < code) continue;
    if (!reader.U16(starts + 2 * i, start) || !reader.S16(deltas + 2 * i, delta) ||
        !reader.U16(ranges + 2 * i, rangeOffset) || start > code || start == 0xFFFF)
      return 0;
    if (rangeOffset == 0) return static_cast<WORD>(code + delta);
    WORD glyph = 0;
    if (!reader.U16(ranges + 2 * i + rangeOffset + 2u * (code - start), glyph) || glyph == 0)
      return 0;
    return static_cast<WORD>(glyph + delta);
  }
  return 0;
}

bool CTrueTypeFile::GlyphRange(WORD glyph, DWORD& offset, DWORD& length) {
  if (glyph >= m_glyphCount) return false;
  std::vector<BYTE> data;
  DWORD next = 0;
  if (m_locaFormat == 0) {
    WORD first = 0, second = 0;
    if (2u * glyph + 4 > m_loca.length || !ReadRange(m_loca.offset + 2u * glyph, 4, data))
      return false;
    BigEndian(data).U16(0, first);
    BigEndian(data).U16(2, second);
    offset = first * 2u;
    next = second * 2u;
  } else {
    if (4u * glyph + 8 > m_loca.length || !ReadRange(m_loca.offset + 4u * glyph, 8, data))
      return false;
    BigEndian(data).U32(0, offset);
    BigEndian(data).U32(4, next);
  }
  if (next < offset || next > m_glyf.length) return false;
  length = next - offset;
  return true;
}

CContour* CTrueTypeFile::GetGlyph(WORD code, int selector) {
  m_problem.Empty();
  WORD glyph = FindGlyph(code, selector);
  if (glyph == 0) return nullptr;  // unmapped: no .notdef box
  return GetGlyphByIndex(glyph);
}

CContour* CTrueTypeFile::GetGlyphByIndex(WORD glyph) {
  Contours contours;
  if (!ReadGlyphContours(glyph, 0, contours)) return nullptr;
  return BuildContour(contours);
}

bool CTrueTypeFile::ReadGlyphContours(WORD glyph, int depth, Contours& contours) {
  DWORD offset = 0, length = 0;
  if (!GlyphRange(glyph, offset, length)) {
    m_problem = "glyph location outside the font";
    return false;
  }
  if (length == 0) return true;  // an empty glyph (a blank)
  std::vector<BYTE> data;
  if (length < 10 || length > kLargestGlyph || !ReadRange(m_glyf.offset + offset, length, data)) {
    m_problem = "glyph data damaged";
    return false;
  }
  short contourCount = 0;
  BigEndian(data).S16(0, contourCount);
  if (contourCount < 0) return ReadCompositeGlyph(data, depth, contours);
  if (contourCount >= kMaxContours) {
    m_problem = "too many contours";
    return false;
  }
  return ReadSimpleGlyph(data, contourCount, contours);
}

bool CTrueTypeFile::ReadSimpleGlyph(const std::vector<BYTE>& data, int contourCount,
                                    Contours& contours) {
  BigEndian reader(data);
  std::vector<WORD> ends;
  WORD last = 0;
  for (int i = 0; i < contourCount; ++i) {
    WORD end = 0;
    if (!reader.U16(10 + 2u * i, end)) return false;
    ends.push_back(end);
    if (end > last) last = end;
  }
  if (ends.empty()) return true;
  size_t pointCount = last + 1u;
  WORD instructions = 0;
  size_t at = 10 + 2u * contourCount;
  if (!reader.U16(at, instructions)) return false;
  at += 2u + instructions;

  std::vector<BYTE> flags;
  while (flags.size() < pointCount) {
    BYTE flag = 0, repeats = 0;
    if (!reader.U8(at++, flag)) return false;
    flags.push_back(flag);
    if (!(flag & kRepeat)) continue;
    if (!reader.U8(at++, repeats)) return false;
    for (int k = 0; k < repeats && flags.size() < pointCount; ++k) flags.push_back(flag);
  }
  std::vector<Point> points(pointCount);
  for (int axis = 0; axis < 2; ++axis) {
    BYTE shortBit = axis ? kYShort : kXShort, sameBit = axis ? kYSameOrPositive : kXSameOrPositive;
    int value = 0;
    for (size_t i = 0; i < pointCount; ++i) {
      if (flags[i] & shortBit) {
        BYTE delta = 0;
        if (!reader.U8(at++, delta)) return false;
        value += flags[i] & sameBit ? delta : -delta;
      } else if (!(flags[i] & sameBit)) {
        short delta = 0;
        if (!reader.S16(at, delta)) return false;
        at += 2;
        value += delta;
      }
      (axis ? points[i].y : points[i].x) = static_cast<float>(value);
      points[i].onCurve = flags[i] & kOnCurve;
    }
  }
  // Contour ends must rise: the glyph is cut before the first that does not.
  size_t first = 0;
  for (size_t c = 0; c < ends.size(); ++c) {
    if (c > 0 && ends[c] < first) {
      m_problem = "contour ends out of order";
      break;
    }
    contours.emplace_back(points.begin() + first, points.begin() + ends[c] + 1);
    first = ends[c] + 1u;
  }
  return true;
}

bool CTrueTypeFile::ReadCompositeGlyph(const std::vector<BYTE>& data, int depth,
                                       Contours& contours) {
  if (depth >= kMaxComponentDepth) {
    m_problem = "components nested too deeply";
    return false;
  }
  BigEndian reader(data);
  size_t at = 10;
  WORD flags = kMoreComponents;
  while (flags & kMoreComponents) {
    WORD glyph = 0;
    if (!reader.U16(at, flags) || !reader.U16(at + 2, glyph)) return false;
    at += 4;
    float dx = 0, dy = 0;
    if (flags & kArgsAreWords) {
      short x = 0, y = 0;
      if (!reader.S16(at, x) || !reader.S16(at + 2, y)) return false;
      dx = x;
      dy = y;
      at += 4;
    } else {
      BYTE x = 0, y = 0;
      if (!reader.U8(at, x) || !reader.U8(at + 1, y)) return false;
      dx = static_cast<signed char>(x);
      dy = static_cast<signed char>(y);
      at += 2;
    }
    float a = 1, b = 0, c = 0, d = 1;
    bool read = true;
    if (flags & kHasScale) {
      read = reader.F2Dot14(at, a);
      d = a;
      at += 2;
    } else if (flags & kHasXYScale) {
      read = reader.F2Dot14(at, a) && reader.F2Dot14(at + 2, d);
      at += 4;
    } else if (flags & kHasTwoByTwo) {
      read = reader.F2Dot14(at, a) && reader.F2Dot14(at + 2, b) && reader.F2Dot14(at + 4, c) &&
             reader.F2Dot14(at + 6, d);
      at += 8;
    }
    if (!read) return false;
    if (!(flags & kArgsAreOffsets)) {
      m_problem = "component placed by point matching left out";
      continue;
    }
    Contours component;
    if (!ReadGlyphContours(glyph, depth + 1, component)) return false;
    for (std::vector<Point>& contour : component) {
      for (Point& point : contour) {
        float x = point.x;
        point.x = a * x + c * point.y + dx;
        point.y = b * x + d * point.y + dy;
      }
      contours.push_back(contour);
    }
  }
  return true;
}

CContour* CTrueTypeFile::BuildContour(const Contours& contours) {
  std::unique_ptr<CContour> contour(new CContour);
  auto add = [&](const Point& point, BYTE flags) {
    contour->AppendPoint(MakePointRecord(point.x, point.y, flags));
  };
  auto mid = [](const Point& a, const Point& b) {
    return Point{(a.x + b.x) / 2, (a.y + b.y) / 2, true};
  };
  bool any = false;
  for (const std::vector<Point>& source : contours) {
    if (source.size() < 2) continue;
    // Start at an on-curve point; a contour of control points only starts at an implied one.
    std::vector<Point> points;
    size_t first = 0;
    while (first < source.size() && !source[first].onCurve) ++first;
    if (first == source.size()) {
      points.push_back(mid(source.back(), source.front()));
      points.insert(points.end(), source.begin(), source.end());
    } else {
      points.insert(points.end(), source.begin() + first, source.end());
      points.insert(points.end(), source.begin(), source.begin() + first);
    }
    const Point start = points[0];
    Point current = start;
    add(start, kPointStart | kPointOnCurve);
    bool closed = false;
    for (size_t i = 1; i < points.size() && !closed; ++i) {
      const Point& q = points[i];
      if (q.onCurve) {
        add(q, kPointOnCurve);
        current = q;
        continue;
      }
      bool wraps = i + 1 == points.size();
      const Point& next = wraps ? start : points[i + 1];
      Point end = next.onCurve ? next : mid(q, next);
      if (next.onCurve && !wraps) ++i;
      closed = wraps && next.onCurve;
      add({(current.x + 2 * q.x) / 3, (current.y + 2 * q.y) / 3, false}, 0);
      add({(2 * q.x + end.x) / 3, (2 * q.y + end.y) / 3, false}, 0);
      add(end, closed ? kPointClose | kPointOnCurve : kPointOnCurve);
      current = end;
    }
    if (!closed) add(start, kPointClose | kPointOnCurve);
    any = true;
  }
  if (!any) return nullptr;
  contour->AppendEndMark();
  return contour.release();
}

CContour* GetTrueTypeGlyph(LPCSTR path, WORD code, int selector, TtfMetrics* metrics,
                           const CCodeTable* gbToBig5, const CCodeTable* big5ToGb) {
  CTrueTypeFile file;
  file.SetCodeTables(gbToBig5, big5ToGb);
  if (!file.Open(path)) return nullptr;
  if (metrics) *metrics = file.GetMetrics();
  return file.GetGlyph(code, selector);
}
