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
  m_libraries.clear();
  CString folder = GetFolder();
  WIN32_FIND_DATAA found = {};
  HANDLE search = ::FindFirstFileA(folder + kLibraryPattern, &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    CString title;
    // A library of a later version would be listed and then open empty.
    CString path = folder + found.cFileName;
    if (!IsOpenableLibrary(path) || !GetLibraryTitle(path, title)) continue;
    m_libraries.push_back({CutTitle(title), found.cFileName});
  } while (GetCount() < kMaxLibraries && ::FindNextFileA(search, &found));
  ::FindClose(search);
  return GetCount();
}

BOOL CMountLibList::GetTitle(int n, CString& out) const {
  if (n < 0 || n >= GetCount()) return FALSE;
  out = m_libraries[n].title;
  return TRUE;
}

BOOL CMountLibList::GetFileName(int n, CString& out) const {
  if (n < 0 || n >= GetCount()) return FALSE;
  out = m_libraries[n].fileName;
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
