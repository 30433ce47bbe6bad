#include "jobmanager/JobFolder.h"

#include "output/JobFile.h"

namespace {

const char kJobFilePattern[] = "OSI*.TMP";

CString LongFullPath(LPCSTR path) {
  char full[MAX_PATH * 2] = {};
  DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
  if (length == 0 || length >= sizeof full) return CString(path);
  char longPath[MAX_PATH * 2] = {};
  length = GetLongPathNameA(full, longPath, sizeof longPath);
  if (length == 0 || length >= sizeof longPath) return CString(full);
  return CString(longPath);
}

CString TemporaryFolder() {
  char folder[MAX_PATH + 1] = {};
  DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder) return CString();
  return CString(folder);
}

}  // namespace

CJobFolder::CJobFolder(LPCSTR folder) : m_folder(folder ? CString(folder) : TemporaryFolder()) {
  if (!m_folder.IsEmpty() && m_folder[m_folder.GetLength() - 1] != '\\') m_folder += '\\';
}

std::vector<CString> CJobFolder::FindJobFiles() const {
  std::vector<CString> paths;
  if (m_folder.IsEmpty()) return paths;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(m_folder + kJobFilePattern, &found);
  if (search == INVALID_HANDLE_VALUE) return paths;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      paths.push_back(m_folder + found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return paths;
}

int CJobFolder::Purge(const std::vector<CString>& listed) const {
  int purged = 0;
  for (const CString& path : FindJobFiles()) {
    bool isListed = false;
    for (const CString& row : listed) isListed = isListed || SamePath(path, row);
    CJobFile job;
    if (isListed || !job.Read(path)) continue;
    DeleteFileA(path);
    if (!job.GetDataPath().IsEmpty()) DeleteFileA(job.GetDataPath());
    ++purged;
  }
  return purged;
}

bool CJobFolder::SamePath(LPCSTR first, LPCSTR second) {
  if (!first || !second) return false;
  return LongFullPath(first).CompareNoCase(LongFullPath(second)) == 0;
}
