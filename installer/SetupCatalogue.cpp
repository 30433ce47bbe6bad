#include "installer/SetupCatalogue.h"

#include <cstdlib>
#include <cstring>

#include "framework/File.h"

namespace {

const unsigned char kUtf8Mark[] = {0xEF, 0xBB, 0xBF};
const char kBlanks[] = " \t";

// "[name]" gives the name; false for any other line.
bool IsSectionHeader(const CString& line, CString* name) {
  if (line.IsEmpty() || line[0] != '[') return false;
  int close = line.Find(']');
  if (close < 0) return false;
  *name = line.Mid(1, close - 1);
  name->Trim(kBlanks);
  return true;
}

CString Unquoted(CString value) {
  value.Trim(kBlanks);
  int length = value.GetLength();
  if (length >= 2 && value[0] == '"' && value[length - 1] == '"') value = value.Mid(1, length - 2);
  return value;
}

}  // namespace

bool CSetupCatalogue::Load(LPCSTR path) {
  m_sections.clear();
  CFile file;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite)) return false;
  try {
    ULONGLONG length = file.GetLength();
    if (length > kMaxFileBytes) return false;
    std::vector<char> text(static_cast<size_t>(length));
    if (!text.empty() && file.Read(text.data(), static_cast<UINT>(text.size())) != text.size())
      return false;
    return LoadText(text.data(), text.size());
  } catch (CException* e) {
    e->Delete();
    return false;
  }
}

bool CSetupCatalogue::LoadText(const char* text, size_t length) {
  m_sections.clear();
  if (length > kMaxFileBytes || (length > 0 && memchr(text, 0, length))) return false;
  size_t start = 0;
  if (length >= sizeof kUtf8Mark && memcmp(text, kUtf8Mark, sizeof kUtf8Mark) == 0)
    start = sizeof kUtf8Mark;
  while (start < length) {
    size_t end = start;
    while (end < length && text[end] != '\r' && text[end] != '\n') ++end;
    CString line(text + start, static_cast<int>(end - start));
    line.Trim(kBlanks);
    if (!line.IsEmpty() && line[0] != ';') AddLine(line);
    start = end + 1;
  }
  return true;
}

void CSetupCatalogue::AddLine(const CString& line) {
  CString name;
  if (IsSectionHeader(line, &name)) {
    m_sections.push_back(Section{name, CStringArray(), 1});
    return;
  }
  if (m_sections.empty()) return;  // lines before the first section belong to none
  Section& section = m_sections.back();
  section.lines.Add(line);
  section.chars += line.GetLength() + 1;
}

const CSetupCatalogue::Section* CSetupCatalogue::FindSection(LPCSTR name) const {
  CString wanted(name);
  wanted.Trim(kBlanks);
  for (const Section& section : m_sections)
    if (section.name.CompareNoCase(wanted) == 0) return &section;
  return nullptr;
}

CSetupCatalogue::SectionResult CSetupCatalogue::GetSection(LPCSTR name, CStringArray& lines) const {
  lines.RemoveAll();
  const Section* section = FindSection(name);
  if (!section) return kSectionMissing;
  if (section->chars > kMaxSectionChars) return kSectionTooLong;
  lines.Append(section->lines);
  return kSectionFound;
}

bool CSetupCatalogue::FindValue(LPCSTR sectionName, LPCSTR key, CString* value) const {
  const Section* section = FindSection(sectionName);
  if (!section) return false;
  for (INT_PTR i = 0; i < section->lines.GetSize(); ++i) {
    const CString& line = section->lines[i];
    int equals = line.Find('=');
    if (equals < 0) continue;
    CString name = line.Left(equals);
    name.Trim(kBlanks);
    if (name.CompareNoCase(key) != 0) continue;
    *value = Unquoted(line.Mid(equals + 1));
    return true;
  }
  return false;
}

CString CSetupCatalogue::GetString(LPCSTR section, LPCSTR key, LPCSTR defaultValue) const {
  CString value;
  return FindValue(section, key, &value) ? value : CString(defaultValue);
}

bool CSetupCatalogue::HasKey(LPCSTR section, LPCSTR key) const {
  CString value;
  return FindValue(section, key, &value);
}

int CSetupCatalogue::GetInt(LPCSTR section, LPCSTR key, int defaultValue) const {
  CString value;
  if (!FindValue(section, key, &value)) return defaultValue;
  const char* text = value.GetString();
  char* end = nullptr;
  long number = strtol(text, &end, 10);
  return end == text ? defaultValue : static_cast<int>(number);
}
