// CJobFolder: the job files in a folder (the temporary folder where the editor writes them, names
// "OSI*.TMP"). It finds them again after a restart, and purges those that no queue row holds: a
// purged job goes with its data file. A file that does not read as a job file is left alone: it
// may be a job the editor is still writing, and its data path cannot be trusted.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"

class CJobFolder {
public:
  // The folder with a trailing backslash; null means the system's temporary folder.
  explicit CJobFolder(LPCSTR folder = nullptr);

  const CString& GetFolder() const { return m_folder; }
  // Full paths of the job files in the folder, in the order the system lists them; folders
  // are left out.
  std::vector<CString> FindJobFiles() const;
  // Deletes every job file that is not among listed, with the data file it names. Returns the
  // number of jobs deleted.
  int Purge(const std::vector<CString>& listed) const;

  // Whether two paths name the same file: letter case, short names and "." or ".." parts are
  // not told apart.
  static bool SamePath(LPCSTR first, LPCSTR second);

private:
  CString m_folder;
};
