#include "text/CftFontTable.h"

#include "model/geometry/Contour.h"
#include "model/settings/IniFile.h"
#include "text/CftFile.h"

namespace {

const WORD kChineseLanguage = 2052;
const int kLongestFolder = MAX_PATH * 2;

CString WithBackslash(CString folder) {
  if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\') folder += '\\';
  return folder;
}

}  // namespace

void CCftFontTable::Mount(const CIniFile& settings) {
  FreeRows();
  WORD textLanguage = static_cast<WORD>(settings.GetInt("SystemParam", "Language", 0));
  for (int row = 0; row < kRowCount; ++row) {
    CString section;
    section.Format("Language%d", row);
    int mounts = settings.GetInt(section, "Mounts", 0);
    for (int j = 0; j < mounts; ++j) {
      CString key;
      key.Format("MountPath%d", j);
      // Any path the system takes, not only the settings' usual short strings.
      char folder[kLongestFolder] = {};
      settings.ReadString(section, key, folder, sizeof folder, "");
      if (!folder[0]) break;
      MountFolder(row, j, settings.FolderPath(folder), textLanguage);
    }
  }
}

int CCftFontTable::MountFolder(int row, int col, LPCSTR folder, WORD textLanguage) {
  if (row < 0 || row >= kRowCount || col < 0) return 0;
  EnsureColumns(row, col + 1);
  CString base = WithBackslash(folder);
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(base + "*.CFT", &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int mounted = 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    CCftFile file;
    CFontEntry entry;
    entry.name = base + found.cFileName;
    if (!file.Open(entry.name)) continue;
    const CftHeader& header = file.GetHeader();
    int shown = textLanguage == kChineseLanguage ? 0 : 1;
    entry.text = header.names[shown];
    // A document saved under the other interface language names the font by its other name.
    if (!header.names[1 - shown].IsEmpty() && header.names[1 - shown] != entry.text)
      entry.otherNames.push_back(header.names[1 - shown]);
    mounted += AddEntry(row, col, entry);
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return mounted;
}

DWORD CCftFontTable::FindGlyphOffset(LPCSTR path, WORD code) {
  CCftFile file;
  return file.Open(path) ? file.FindGlyphOffset(code) : 0;
}

void CCftFontTable::GetFontName(int row, int col, int i, CString& out) const {
  out.Empty();
  CString path;
  CCftFile file;
  if (!GetEntryName(row, col, i, path) || !file.Open(path)) return;
  if (file.GetHeader().version >= 6.0f) out = file.GetHeader().names[2];
}

CContour* CCftFontTable::ReadGlyph(int row, int col, int i, WORD code, const CMatrix2D* matrix) {
  CString path;
  if (!GetEntryName(row, col, i, path)) return nullptr;
  CCftFile file;
  if (!file.Open(path)) return nullptr;
  return file.ReadGlyph(code, matrix);
}
