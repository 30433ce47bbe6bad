#include "model/settings/IniFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/settings/ProgramPaths.h"
#include "model/settings/TextParsing.h"

namespace {

const int kStringBytes = 200;
// "%.4f" of the largest float needs 46 characters.
const int kNumberBytes = 64;

bool HasDriveColon(LPCSTR name) { return name[0] != '\0' && name[1] == ':'; }

}  // namespace

CIniFile::CIniFile() {
  m_path[0] = '\0';
  SetPath("TALVEX42.INI");
}

CIniFile::CIniFile(ReturnSelfTag) { m_path[0] = '\0'; }

BOOL CIniFile::SetPath(LPCSTR name) { return MakeProgramFilePath(name); }

BOOL CIniFile::MakeProgramFilePath(LPCSTR name) {
  m_path[0] = '\0';
  if (!name || name[0] == '\0') return FALSE;
  char path[MAX_PATH] = "";
  if (!HasDriveColon(name) && !GetProgramDir(path, MAX_PATH)) return FALSE;
  size_t folderLength = strlen(path);
  if (folderLength + strlen(name) >= sizeof path) return FALSE;
  strcpy(path + folderLength, name);
  strcpy(m_path, path);
  return TRUE;
}

CString CIniFile::FolderPath(LPCSTR folder) const {
  CString path(folder ? folder : "");
  path.Trim();
  if (path.IsEmpty()) return path;
  if (!HasDriveColon(path) && path[0] != '\\' && path[0] != '/') {
    char own[MAX_PATH] = "";
    int length = FolderPartLength(m_path);
    if (length > 0 && length < MAX_PATH) lstrcpynA(own, m_path, length + 1);
    path = own + path;
  }
  if (path[path.GetLength() - 1] != '\\') path += '\\';
  return path;
}

DWORD CIniFile::ReadProfileText(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                                int size) const {
  memset(buffer, 0, static_cast<size_t>(size));
  if (!HasPath()) {
    if (key && defaultValue) CopyIfFits(buffer, size, defaultValue);
    return static_cast<DWORD>(strlen(buffer));
  }
  return GetPrivateProfileStringA(section, key, defaultValue ? defaultValue : "", buffer,
                                  static_cast<DWORD>(size), m_path);
}

int CIniFile::GetInt(LPCSTR section, LPCSTR key, int defaultValue) const {
  if (!HasPath()) return defaultValue;
  return static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, m_path));
}

BOOL CIniFile::WriteInt(LPCSTR section, LPCSTR key, int value) const {
  char text[kNumberBytes];
  snprintf(text, sizeof text, "%d", value);
  return WriteString(section, key, text);
}

float CIniFile::GetFloat(LPCSTR section, LPCSTR key, float defaultValue) const {
  char defaultText[kNumberBytes];
  snprintf(defaultText, sizeof defaultText, "%.4f", defaultValue);
  char text[kNumberBytes];
  ReadProfileText(section, key, defaultText, text, sizeof text);
  return static_cast<float>(atof(text));
}

BOOL CIniFile::WriteFloat(LPCSTR section, LPCSTR key, float value) const {
  char text[kNumberBytes];
  snprintf(text, sizeof text, "%.4f", value);
  return WriteString(section, key, text);
}

void CIniFile::GetString(LPCSTR section, LPCSTR key, CString& out, LPCSTR defaultValue) const {
  char text[kStringBytes];
  ReadProfileText(section, key, defaultValue, text, sizeof text);
  out = text;
}

CString CIniFile::GetString(LPCSTR section, LPCSTR key, LPCSTR defaultValue) const {
  CString text;
  GetString(section, key, text, defaultValue);
  return text;
}

DWORD CIniFile::ReadString(LPCSTR section, LPCSTR key, LPSTR buffer, int size,
                           LPCSTR defaultValue) const {
  if (!buffer || size <= 0) return 0;
  return ReadProfileText(section, key, defaultValue, buffer, size);
}

int CIniFile::GetEscapedString(LPCSTR section, LPCSTR key, LPSTR buffer, int size,
                               LPCSTR defaultValue) const {
  if (!buffer || size <= 0) return 0;
  memset(buffer, 0, static_cast<size_t>(size));
  char text[kStringBytes];
  ReadProfileText(section, key, defaultValue, text, sizeof text);
  return UnescapeSettingString(text, buffer, size);
}

BOOL CIniFile::WriteString(LPCSTR section, LPCSTR key, LPCSTR text) const {
  if (!HasPath()) return FALSE;
  return WritePrivateProfileStringA(section, key, text, m_path);
}

BOOL CIniFile::WriteStringOrDelete(LPCSTR section, LPCSTR key, LPCSTR text) const {
  bool empty = !text || text[0] == '\0';
  return WriteString(section, key, empty ? nullptr : text);
}
