// CJobFolder: the job files in a folder (the temporary folder where the editor writes them, names
// "OSI*.TMP") and the plot-data files the editor writes beside them ("OSD*.TMP"). It finds the job
// files again after a restart, and purges those that no queue row holds: a purged job goes with
// its data file. A file that does not read as a job file is left alone: it may be a job the editor
// is still writing, and its data path cannot be trusted.
//
// A job file may name any path as its data (another folder, a relative name, "..\.."): the
// manager takes a job, and deletes a data file, only when the data path names one of the editor's
// own data files directly in this folder.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"

class CJobFile;

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

  // Whether path names a data file of the editor in this folder: a full path, "OSD*.TMP" in any
  // letter case, whose folder is this one.
  bool IsOwnDataFile(LPCSTR path) const;
  // Reads the job file when it names such a data file; false for any other.
  bool ReadJob(LPCSTR jobFilePath, CJobFile& job) const;
  // Deletes the job file when it reads as one, and its data file when that is the editor's own.
  void DeleteJob(LPCSTR jobFilePath) const;

  // Whether two paths name the same file: letter case, short names and "." or ".." parts are
  // not told apart.
  static bool SamePath(LPCSTR first, LPCSTR second);

private:
  CString m_folder;
};
