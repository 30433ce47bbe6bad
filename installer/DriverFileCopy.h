// CDriverFileCopy: copies a driver's files from the program folder into the printer-driver
// folder so that a failure leaves that folder as it was. Every file is first copied under a
// temporary name; only when all copies succeeded do they take their names, an existing file
// being kept under a temporary name meanwhile. RollBack (also run by the destructor unless
// Commit was called) puts the folder back as it was; Commit deletes the kept old files.
// Folders are given without a closing backslash.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"
#include "framework/StringArray.h"

class CDriverFileCopy {
public:
  CDriverFileCopy(LPCSTR sourceFolder, LPCSTR targetFolder);
  ~CDriverFileCopy();
  CDriverFileCopy(const CDriverFileCopy&) = delete;
  CDriverFileCopy& operator=(const CDriverFileCopy&) = delete;

  // Copies the files (names in the source folder; a name given twice is copied once). On
  // failure nothing of the copy is left; failedName and the system's error code tell why.
  bool CopyAll(const CStringArray& names, CString* failedName, DWORD* error);
  // Keeps the copied files and deletes the old ones they replaced.
  void Commit();
  // Puts the target folder back as it was before CopyAll.
  void RollBack();

private:
  struct Placed {
    CString target;
    CString kept;  // the file it replaced, under a temporary name; empty when there was none
  };

  bool Stage(const CString& name, DWORD* error);
  bool Place(const CString& name, const CString& staged, DWORD* error);
  // A new temporary file name in the target folder (the file is made, empty).
  bool TemporaryName(CString* path, DWORD* error) const;
  void DeleteStaged();

  CString m_source;
  CString m_target;
  std::vector<CString> m_staged;  // parallel to m_names
  CStringArray m_names;
  std::vector<Placed> m_placed;
};
