#include "text/Language.h"

#include <cstring>

#include "framework/ByteReader.h"
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
const int kMountNameSize = 40;

// One non-empty list as the font-mount section names it.
struct SavedList {
  BYTE charset;
  BYTE source;
  const CFontTable* table;
  int row;
  int column;
};

CString LoadResourceText(UINT id) {
  CString text;
  if (!text.LoadString(id)) text.Empty();
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

WORD CLanguage::GetMountName(int i, int j, CString& out) const {
  CString key, name;
  key.Format("MountName%d", j);
  m_settings.GetString(Section("Language%d", i, true), key, name, "");
  if (name.GetLength() > kMountNameSize) name = name.Left(kMountNameSize);
  GetName(i, out);
  out += name + m_fontLibraryWord;
  return MakeKey(GetId(i), kFirstMount + j);
}

WORD CLanguage::GetMountPath(int i, int j, CString& out) const {
  CString key;
  key.Format("MountPath%d", j);
  m_settings.GetString(Section("Language%d", i, true), key, out, "");
  return MakeKey(GetId(i), kFirstMount + j);
}

WORD CLanguage::GetTtfMountPath(int i, CString& out) const {
  m_settings.GetString(Section("Language%d", i, true), "TTFMountPath", out, "");
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
  return table ? table->FindEntry(row, column, text) : -1;
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

bool CLanguage::WriteToFile(CByteWriter& file) const {
  // One pass decides the lists, so the table and the name blocks can never disagree.
  std::vector<SavedList> lists;
  for (int row = 0; row < m_count; ++row) {
    BYTE charset = m_charsets[row];
    if (m_windows && m_windows->GetEntryCount(row, 0) > 0)
      lists.push_back({charset, kWindowsFonts, m_windows, row, 0});
    if (m_trueType && m_trueType->GetEntryCount(row, 0) > 0)
      lists.push_back({charset, kTrueTypeFiles, m_trueType, row, 0});
    for (int column = 0; m_own && column < m_own->GetColumnCount(row); ++column)
      if (m_own->GetEntryCount(row, column) > 0 && kFirstMount + column <= 0xFF)
        lists.push_back({charset, static_cast<BYTE>(kFirstMount + column), m_own, row, column});
  }
  size_t tableSize = lists.size() * kEntrySize;
  if (!file.WriteDWord(static_cast<DWORD>(tableSize))) return false;
  size_t position = file.Size() + tableSize;
  for (const SavedList& list : lists) {
    DWORD size = static_cast<DWORD>((list.table->GetEntryCount(list.row, list.column) + 1) *
                                    kSlotWidth);
    CFontMountSection::Entry entry = {size, list.charset, list.source, kSlotWidth,
                                      static_cast<DWORD>(position)};
    if (!CFontMountSection::WriteEntry(file, entry)) return false;
    position += size;
  }
  for (const SavedList& list : lists) {
    HGLOBAL block = list.table->GetNameBlock(list.row, list.column, kSlotWidth);
    size_t size = static_cast<size_t>(list.table->GetEntryCount(list.row, list.column) + 1) *
                  kSlotWidth;
    bool written = false;
    if (block) {
      const BYTE* data = static_cast<const BYTE*>(::GlobalLock(block));
      written = data && ::GlobalSize(block) >= size && file.WriteBytes(data, size);
      if (data) ::GlobalUnlock(block);
      ::GlobalFree(block);
    }
    if (!written) return false;
  }
  return true;
}

bool CLanguage::ReadFromFile(const BYTE* file, size_t fileSize, size_t offset,
                             std::vector<BYTE>& section) const {
  section.clear();
  CByteReader reader(file, file ? fileSize : 0);
  DWORD tableSize = 0;
  if (!reader.Seek(offset) || !reader.ReadDWord(tableSize)) return false;
  if (tableSize == 0) return true;
  if (tableSize % kEntrySize != 0 || tableSize > reader.Remaining()) return false;

  std::vector<CFontMountSection::Entry> entries;
  size_t namesKept = 0;
  bool whole = true;
  for (DWORD i = 0; i < tableSize / kEntrySize; ++i) {
    CFontMountSection::Entry entry = {};
    CFontMountSection::ReadEntry(reader, entry);
    // Name blocks of a file written whole never overlap, so more names than the file holds is
    // damage; a block smaller than its empty slot names nothing.
    bool fits = entry.slotWidth > 0 && entry.nameSize >= entry.slotWidth &&
                entry.nameSize <= fileSize && entry.position <= fileSize - entry.nameSize &&
                entry.nameSize <= fileSize - namesKept;
    if (!fits) {
      whole = false;
      continue;
    }
    entries.push_back(entry);
    namesKept += entry.nameSize;
  }
  if (entries.empty()) return whole;

  CByteWriter kept;
  size_t keptTable = entries.size() * kEntrySize;
  kept.WriteDWord(static_cast<DWORD>(keptTable));
  size_t nameOffset = 4 + keptTable;
  for (CFontMountSection::Entry entry : entries) {
    DWORD filePosition = entry.position;
    entry.position = static_cast<DWORD>(nameOffset);
    CFontMountSection::WriteEntry(kept, entry);
    nameOffset += entry.nameSize;
    entry.position = filePosition;
  }
  for (const CFontMountSection::Entry& entry : entries)
    kept.WriteBytes(file + entry.position, entry.nameSize);
  section = kept.Bytes();
  return whole;
}

int CLanguage::RemountFont(const std::vector<BYTE>& section, WORD key, int savedNumber) const {
  CString name;
  if (!SavedFontName(section, key, savedNumber, name)) return -1;
  return FindFont(FindIndex(key & 0xFF), key >> 8, name);
}

bool CLanguage::SavedFontName(const std::vector<BYTE>& section, WORD key, int savedNumber,
                              CString& name) const {
  CByteReader reader(section.data(), section.size());
  DWORD tableSize = 0;
  if (savedNumber < 0 || !reader.ReadDWord(tableSize) || tableSize > reader.Remaining())
    return false;
  for (DWORD i = 0; i < tableSize / kEntrySize; ++i) {
    CFontMountSection::Entry entry = {};
    if (!CFontMountSection::ReadEntry(reader, entry)) return false;
    if (entry.charset != (key & 0xFF) || entry.source != (key >> 8)) continue;
    size_t slot = static_cast<size_t>(savedNumber) * entry.slotWidth;
    if (entry.slotWidth == 0 || slot + entry.slotWidth > entry.nameSize ||
        entry.position > section.size() || entry.nameSize > section.size() - entry.position)
      return false;
    const char* text = reinterpret_cast<const char*>(section.data() + entry.position + slot);
    name = CString(text, static_cast<int>(strnlen(text, entry.slotWidth)));
    return true;
  }
  return false;
}
