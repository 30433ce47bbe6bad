// CIniFile: accessor of one settings file in the program folder. The object is the file's full
// path; every call goes to the file through the private-profile functions, nothing is cached.
// An accessor whose path could not be built reads defaults and writes nothing.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CIniFile {
public:
  // Tag of the constructor that leaves the path empty until MakeProgramFilePath sets it.
  struct ReturnSelfTag {};
  static constexpr ReturnSelfTag ReturnSelf{};

  // Program folder + "TALVEX42.INI".
  CIniFile();
  explicit CIniFile(ReturnSelfTag);

  // A name with a drive colon is the whole path; any other is put in the program folder.
  // False, and an empty path, when the program folder is unknown or the path would not fit.
  BOOL SetPath(LPCSTR name);
  BOOL MakeProgramFilePath(LPCSTR name);
  LPCSTR GetPath() const { return m_path; }
  BOOL HasPath() const { return m_path[0] != '\0'; }

  int GetInt(LPCSTR section, LPCSTR key, int defaultValue) const;
  BOOL WriteInt(LPCSTR section, LPCSTR key, int value) const;
  // Floats are stored as "%.4f" text; any decimal text is read back.
  float GetFloat(LPCSTR section, LPCSTR key, float defaultValue) const;
  BOOL WriteFloat(LPCSTR section, LPCSTR key, float value) const;

  // At most 200 characters.
  void GetString(LPCSTR section, LPCSTR key, CString& out, LPCSTR defaultValue) const;
  CString GetString(LPCSTR section, LPCSTR key, LPCSTR defaultValue) const;
  // Zeroes the buffer and reads into it; a null key lists the section's keys (each ended by a zero,
  // the list by an empty one). Returns the system's count.
  DWORD ReadString(LPCSTR section, LPCSTR key, LPSTR buffer, int size, LPCSTR defaultValue) const;
  // Reads at most 200 characters and expands their escapes (plotter command templates) into the
  // zeroed buffer, never past its size; returns the number of bytes written.
  int GetEscapedString(LPCSTR section, LPCSTR key, LPSTR buffer, int size,
                       LPCSTR defaultValue) const;

  // A folder the file names, whole and with a trailing backslash: one without a drive (or a
  // leading backslash) lies in the file's own folder, the program folder for the program's
  // settings. Empty for an empty name.
  CString FolderPath(LPCSTR folder) const;

  BOOL WriteString(LPCSTR section, LPCSTR key, LPCSTR text) const;
  // As WriteString, but an empty text deletes the key.
  BOOL WriteStringOrDelete(LPCSTR section, LPCSTR key, LPCSTR text) const;

private:
  DWORD ReadProfileText(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer,
                        int size) const;

  char m_path[MAX_PATH];
};
