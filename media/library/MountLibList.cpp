#include "media/library/MountLibList.h"

#include <cstring>

#include "media/library/LibraryFile.h"
#include "media/library/PicLibrary.h"
#include "model/geometry/Contour.h"
#include "model/settings/IniFile.h"
#include "model/settings/ProgramPaths.h"
#include "model/settings/SettingNames.h"

namespace {

const char kMountLibKey[] = "MOUNTLIB";
const char kSystemParam[] = "SystemParam";
const char kLanguageKey[] = "Language";
const int kChineseLanguage = 2052;
const char kLibraryPattern[] = "*.Lib";
const char kOrderSection[] = "MountLibOrder";
const char kOrderFolderKey[] = "Folder";

CMountLibList* g_programList = nullptr;

bool IsAbsoluteFolder(const CString& folder) {
  return folder.GetLength() > 0 &&
         (folder[0] == '\\' || folder[0] == '/' || (folder.GetLength() > 1 && folder[1] == ':'));
}

CString CutTitle(const CString& title) {
  char field[CMountLibList::kTitleLength + 1];
  library::SetFixedText(field, sizeof field, title);
  return CString(field);
}

CString FolderFrom(const CIniFile& settings) {
  CString folder = settings.GetString(settings::kPathSection, kMountLibKey,
                                      CMountLibList::kDefaultFolder);
  folder.Trim();
  if (folder.IsEmpty()) folder = CMountLibList::kDefaultFolder;
  if (!IsAbsoluteFolder(folder)) {
    char programFolder[MAX_PATH] = "";
    if (GetProgramDir(programFolder, sizeof programFolder)) folder = programFolder + folder;
  }
  if (folder[folder.GetLength() - 1] != '\\') folder += '\\';
  return folder;
}

// The key of a remembered number: "Lib0", "Lib1", ...
CString NumberKey(int n) {
  CString key;
  key.Format("Lib%d", n);
  return key;
}

bool ChineseFrom(const CIniFile& settings) {
  return settings.GetInt(kSystemParam, kLanguageKey, 0) == kChineseLanguage;
}

}  // namespace

CMountLibList::CMountLibList(const CIniFile& settings)
    : m_settings(settings), m_previous(g_programList) {
  g_programList = this;
}

CMountLibList::~CMountLibList() {
  if (g_programList == this) g_programList = m_previous;
}

CMountLibList* CMountLibList::Program() { return g_programList; }

CString CMountLibList::GetFolder() const { return FolderFrom(m_settings); }

bool CMountLibList::IsChineseInterface() const { return ChineseFrom(m_settings); }

int CMountLibList::Scan() {
  CString folder = GetFolder();
  std::vector<CString> remembered = RememberedNames(folder);
  m_libraries.clear();
  for (const CString& name : remembered) m_libraries.push_back({CString(), name, false});
  int mounted = 0;
  for (const Library& found : FindLibraries(folder)) {
    int n = NumberOf(found.fileName);
    if (n < 0) n = NewNumber();
    if (n < 0) continue;
    m_libraries[n] = found;
    ++mounted;
  }
  bool same = remembered.size() == m_libraries.size();
  for (size_t n = 0; same && n < remembered.size(); ++n)
    same = remembered[n] == m_libraries[n].fileName;
  if (!same) RememberNames(folder);
  return mounted;
}

std::vector<CMountLibList::Library> CMountLibList::FindLibraries(const CString& folder) const {
  std::vector<Library> libraries;
  WIN32_FIND_DATAA found = {};
  HANDLE search = ::FindFirstFileA(folder + kLibraryPattern, &found);
  if (search == INVALID_HANDLE_VALUE) return libraries;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    CString title;
    // A library of a later version would be listed and then open empty.
    CString path = folder + found.cFileName;
    if (!IsOpenableLibrary(path) || !GetLibraryTitle(path, title)) continue;
    libraries.push_back({CutTitle(title), found.cFileName, true});
  } while (libraries.size() < static_cast<size_t>(kMaxLibraries) &&
           ::FindNextFileA(search, &found));
  ::FindClose(search);
  return libraries;
}

std::vector<CString> CMountLibList::RememberedNames(const CString& folder) const {
  std::vector<CString> names;
  char text[MAX_PATH * 2];
  m_settings.ReadString(kOrderSection, kOrderFolderKey, text, sizeof text, "");
  if (folder.CompareNoCase(text) != 0) return names;
  for (int n = 0; n < kMaxLibraries; ++n) {
    m_settings.ReadString(kOrderSection, NumberKey(n), text, sizeof text, "");
    if (!*text) break;
    names.push_back(text);
  }
  return names;
}

void CMountLibList::RememberNames(const CString& folder) const {
  m_settings.WriteString(kOrderSection, nullptr, nullptr);
  m_settings.WriteString(kOrderSection, kOrderFolderKey, folder);
  for (int n = 0; n < GetCount(); ++n)
    m_settings.WriteString(kOrderSection, NumberKey(n), m_libraries[n].fileName);
}

int CMountLibList::NumberOf(const CString& fileName) const {
  for (int n = 0; n < GetCount(); ++n)
    if (m_libraries[n].fileName.CompareNoCase(fileName) == 0) return n;
  return -1;
}

int CMountLibList::NewNumber() {
  if (GetCount() < kMaxLibraries) {
    m_libraries.emplace_back();
    return GetCount() - 1;
  }
  for (int n = 0; n < GetCount(); ++n)
    if (!m_libraries[n].mounted) return n;
  return -1;
}

BOOL CMountLibList::GetTitle(int n, CString& out) const {
  if (!IsMounted(n)) return FALSE;
  out = m_libraries[n].title;
  return TRUE;
}

BOOL CMountLibList::GetFileName(int n, CString& out) const {
  if (!IsMounted(n)) return FALSE;
  out = m_libraries[n].fileName;
  return TRUE;
}

BOOL CMountLibList::SetTitle(int n, LPCSTR title) {
  CString path, stored;
  if (!GetFileName(n, path)) return FALSE;
  path = GetFolder() + path;
  if (!SetLibraryTitle(path, title) || !GetLibraryTitle(path, stored)) return FALSE;
  m_libraries[n].title = CutTitle(stored);
  return TRUE;
}

float CMountLibList::GetVersion(int n) const {
  CString name;
  if (!GetFileName(n, name)) return -1.0f;
  return GetLibraryVersion(GetFolder() + name);
}

CContour* CMountLibList::ReadGlyph(int n, int kind, int index, const CMatrix2D* matrix) const {
  CString name;
  if (!GetFileName(n, name)) return nullptr;
  CPicLibrary library;
  if (!library.OpenFile(GetFolder() + name)) return nullptr;
  return library.ReadGraphic(kind, index, matrix);
}

int GetMountLibPath(LPSTR out, int size) {
  CString folder = GetMountLibPath();
  return CopyIfFits(out, size, folder) ? folder.GetLength() : 0;
}

CString GetMountLibPath() {
  if (CMountLibList* list = CMountLibList::Program()) return list->GetFolder();
  return FolderFrom(CIniFile());
}

bool LibraryNamesInChinese() {
  if (CMountLibList* list = CMountLibList::Program()) return list->IsChineseInterface();
  return ChineseFrom(CIniFile());
}
