#include "text/Language.h"

#include <cstring>

#include "framework/ByteWriter.h"
#include "model/document/FontMountSection.h"
#include "model/geometry/Contour.h"
#include "text/CftFontTable.h"
#include "text/FontTable.h"
#include "text/TtfFontTable.h"
#include "text/WinFontTable.h"
#include "text/layout/GlyphSource.h"

namespace {

const UINT kFontLibraryWordId = 50001;
const UINT kSectionSuffixId = 59999;
const UINT kLibraryNameFormatId = 56400;
const UINT kWindowsKindId = 56401;
const UINT kTrueTypeKindId = 56402;
const int kMountNameSize = 40;

CString LoadResourceText(UINT id, LPCSTR builtIn = "") {
  CString text = AfxLoadString(id, builtIn);
  // At most 20 bytes are kept.
  return text.GetLength() > CLanguage::kNameSize ? text.Left(CLanguage::kNameSize) : text;
}

}  // namespace

CLanguage::CLanguage()
    : m_names(), m_count(0), m_windows(nullptr), m_trueType(nullptr), m_own(nullptr) {
  std::memset(m_charsets, kNoCharset, sizeof m_charsets);
}

CString CLanguage::Section(LPCSTR format, int i, bool withSuffix) const {
  CString section;
  section.Format(format, i);
  if (withSuffix) section += m_sectionSuffix;
  return section;
}

int CLanguage::Load(const CIniFile& settings) {
  m_settings = settings;
  m_fontLibraryWord = LoadResourceText(kFontLibraryWordId);
  m_sectionSuffix = LoadResourceText(kSectionSuffixId);
  m_libraryNameFormat = LoadResourceText(kLibraryNameFormatId, "%s%s%s");
  m_windowsKind = LoadResourceText(kWindowsKindId, "Win ");
  m_trueTypeKind = LoadResourceText(kTrueTypeKindId, "TTF ");
  std::memset(m_names, 0, sizeof m_names);
  m_count = -1;
  bool allNamed = true;
  for (int i = 0; i < kRowCount; ++i) {
    CString section = Section("LANGUAGE%d", i, true);
    m_charsets[i] = static_cast<BYTE>(settings.GetInt(section, "ID", -1));
    CString name = settings.GetString(section, "NAME", "");
    std::strncpy(m_names[i], name, kNameSize);
    if (m_names[i][0] == '\0') {
      allNamed = false;
      if (m_count < 0) m_count = i;
    }
  }
  if (m_count < 0) m_count = kRowCount;
  return allNamed ? 1 : 0;
}

void CLanguage::AttachTables(CWinFontTable* windows, CTtfFontTable* trueType, CCftFontTable* own) {
  m_windows = windows;
  m_trueType = trueType;
  m_own = own;
}

int CLanguage::GetName(int i, CString& out) const {
  out.Empty();
  if (i < 0 || i >= kRowCount) return 0;
  out = m_names[i];
  return out.IsEmpty() ? 0 : 1;
}

BYTE CLanguage::GetId(int i) const { return i >= 0 && i < kRowCount ? m_charsets[i] : kNoCharset; }

int CLanguage::FindIndex(int charset) const {
  for (int i = 0; i < kRowCount; ++i)
    if (m_charsets[i] == static_cast<BYTE>(charset & 0xFF)) return i;
  return -1;
}

int CLanguage::GetMountCount(int i) const {
  return m_settings.GetInt(Section("Language%d", i, false), "Mounts", 0);
}

CString CLanguage::LibraryName(int row, int source, LPCSTR languageName) const {
  CString language = languageName, kind;
  if (!languageName) GetName(row, language);
  if (source == kWindowsFonts) {
    kind = m_windowsKind;
  } else if (source == kTrueTypeFiles) {
    kind = m_trueTypeKind;
  } else {
    CString key;
    key.Format("MountName%d", source - kFirstMount);
    m_settings.GetString(Section("Language%d", row, true), key, kind, "");
    if (kind.GetLength() > kMountNameSize) kind = kind.Left(kMountNameSize);
  }
  CString name;
  // Written together in Chinese; the English resources put blanks between the words.
  name.Format(m_libraryNameFormat.IsEmpty() ? "%s%s%s" : m_libraryNameFormat.GetString(),
              language.GetString(), kind.GetString(), m_fontLibraryWord.GetString());
  return name;
}

WORD CLanguage::GetMountName(int i, int j, CString& out) const {
  out = LibraryName(i, kFirstMount + j);
  return MakeKey(GetId(i), kFirstMount + j);
}

CString CLanguage::ReadPath(int i, LPCSTR key) const {
  // Any folder the system takes, not only the settings' usual short strings. Read where start-up
  // mounts from and the font paths dialog writes, in either interface language.
  char path[MAX_PATH * 2] = {};
  m_settings.ReadString(Section("Language%d", i, false), key, path, sizeof path, "");
  return path;
}

CString CLanguage::GetMountFolder(int i, int j) const {
  CString path;
  GetMountPath(i, j, path);
  return m_settings.FolderPath(path);
}

WORD CLanguage::GetMountPath(int i, int j, CString& out) const {
  CString key;
  key.Format("MountPath%d", j);
  out = ReadPath(i, key);
  return MakeKey(GetId(i), kFirstMount + j);
}

WORD CLanguage::GetTtfMountPath(int i, CString& out) const {
  out = ReadPath(i, "TTFMountPath");
  return MakeKey(GetId(i), kTrueTypeFiles);
}

const CFontTable* CLanguage::TableOf(int source, int* column) const {
  *column = source >= kFirstMount ? source - kFirstMount : 0;
  if (source == kWindowsFonts) return m_windows;
  if (source == kTrueTypeFiles) return m_trueType;
  return source >= kFirstMount ? m_own : nullptr;
}

int CLanguage::FindFont(int row, int source, LPCSTR text) const {
  int column = 0;
  const CFontTable* table = TableOf(source, &column);
  return table ? table->FindFont(row, column, text) : -1;
}

CContour* CLanguage::GetGlyph(WORD key, int fontNumber, WORD code) const {
  BYTE charset = static_cast<BYTE>(key & 0xFF);
  int source = key >> 8;
  int row = FindIndex(charset);
  if (row < 0) return nullptr;
  if (source == kWindowsFonts)
    return m_windows ? m_windows->GetCharOutline(charset, fontNumber, code, nullptr) : nullptr;
  if (source == kTrueTypeFiles)
    return m_trueType ? m_trueType->GetCharOutline(row, fontNumber, code, charset) : nullptr;
  return m_own ? m_own->ReadGlyph(row, source - kFirstMount, fontNumber, code, nullptr) : nullptr;
}

bool CLanguage::GetMetrics(WORD key, int fontNumber, WORD code, GlyphMetrics& metrics) const {
  metrics = GlyphMetrics();
  BYTE charset = static_cast<BYTE>(key & 0xFF);
  if (FindIndex(charset) < 0) return false;
  if ((key >> 8) == kWindowsFonts) {
    GLYPHMETRICS measured = {};
    if (!m_windows || !m_windows->GetCharMetrics(charset, fontNumber, code, &measured))
      return false;
    metrics.blackBoxX = static_cast<int>(measured.gmBlackBoxX);
    metrics.blackBoxY = static_cast<int>(measured.gmBlackBoxY);
    metrics.advance = measured.gmCellIncX;
    return true;
  }
  // Font files carry no metrics of their own: the outline is the measure.
  CContour* outline = GetGlyph(key, fontNumber, code);
  if (!outline || outline->IsBoxEmpty()) {
    delete outline;
    return false;
  }
  CFRect box = outline->GetBox();
  box.Normalize();
  delete outline;
  metrics.blackBoxX = static_cast<int>(box.right - box.left);
  metrics.blackBoxY = static_cast<int>(box.bottom - box.top);
  metrics.advance = static_cast<int>(box.right + (box.left > 0 ? box.left : 0));
  return true;
}

std::vector<CFontMountSection::List> CLanguage::MountedLists() const {
  std::vector<CFontMountSection::List> lists;
  auto add = [&lists](BYTE charset, int source, const CFontTable* table, int row, int column) {
    CFontMountSection::List list = {charset, static_cast<BYTE>(source), {}};
    for (int i = 0; i < table->GetEntryCount(row, column); ++i) {
      CString text;
      table->GetEntryText(row, column, i, text);
      list.names.push_back(text);
    }
    if (!list.names.empty()) lists.push_back(list);
  };
  for (int row = 0; row < m_count; ++row) {
    BYTE charset = m_charsets[row];
    if (m_windows) add(charset, kWindowsFonts, m_windows, row, 0);
    if (m_trueType) add(charset, kTrueTypeFiles, m_trueType, row, 0);
    for (int column = 0; m_own && column < m_own->GetColumnCount(row); ++column)
      if (kFirstMount + column <= 0xFF) add(charset, kFirstMount + column, m_own, row, column);
  }
  return lists;
}

bool CLanguage::WriteToFile(CByteWriter& file) const {
  return CFontMountSection::Write(file, MountedLists());
}

bool CLanguage::ReadFromFile(const BYTE* file, size_t fileSize, size_t offset,
                             CFontMountSection& section) {
  return section.Read(file, fileSize, offset);
}

int CLanguage::RemountFont(const CFontMountSection& section, WORD key, int savedNumber) const {
  CString name;
  if (!section.FindName(static_cast<BYTE>(key & 0xFF), static_cast<BYTE>((key >> 8) & 0x0F),
                        savedNumber, name))
    return -1;
  return FindFont(FindIndex(key & 0xFF), (key >> 8) & 0x0F, name);
}
