#include "jobmanager/JobFolder.h"

#include "output/JobFile.h"

namespace {

const char kJobFilePattern[] = "OSI*.TMP";
const char kDataPrefix[] = "OSD";
const char kDataExtension[] = ".TMP";

// "X:\" or "\\server\": a path that does not depend on the current folder or drive.
bool IsFullPath(const CString& path) {
  if (path.GetLength() >= 3 && path[1] == ':' && path[2] == '\\') return true;
  return path.GetLength() >= 3 && path[0] == '\\' && path[1] == '\\';
}

bool IsDataFileName(const CString& name) {
  const int prefix = static_cast<int>(sizeof kDataPrefix) - 1;
  const int extension = static_cast<int>(sizeof kDataExtension) - 1;
  if (name.GetLength() <= prefix + extension || name.FindOneOf(":*?\"<>|") >= 0) return false;
  return name.Left(prefix).CompareNoCase(kDataPrefix) == 0 &&
         name.Right(extension).CompareNoCase(kDataExtension) == 0;
}

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

bool CJobFolder::IsOwnDataFile(LPCSTR path) const {
  if (!path || m_folder.IsEmpty()) return false;
  const CString full(path);
  if (!IsFullPath(full) || full.Find('/') >= 0) return false;
  const int slash = full.ReverseFind('\\');
  if (slash < 0 || !IsDataFileName(full.Mid(slash + 1))) return false;
  return SamePath(full.Left(slash + 1), m_folder);
}

bool CJobFolder::ReadJob(LPCSTR jobFilePath, CJobFile& job) const {
  return jobFilePath && job.Read(jobFilePath) && IsOwnDataFile(job.GetDataPath());
}

void CJobFolder::DeleteJob(LPCSTR jobFilePath) const {
  CJobFile job;
  if (!jobFilePath || !job.Read(jobFilePath)) return;
  DeleteFileA(jobFilePath);
  if (IsOwnDataFile(job.GetDataPath())) DeleteFileA(job.GetDataPath());
}

int CJobFolder::Purge(const std::vector<CString>& listed) const {
  int purged = 0;
  for (const CString& path : FindJobFiles()) {
    bool isListed = false;
    for (const CString& row : listed) isListed = isListed || SamePath(path, row);
    CJobFile job;
    if (isListed || !job.Read(path)) continue;
    DeleteJob(path);
    ++purged;
  }
  return purged;
}

bool CJobFolder::SamePath(LPCSTR first, LPCSTR second) {
  if (!first || !second) return false;
  return LongFullPath(first).CompareNoCase(LongFullPath(second)) == 0;
}
