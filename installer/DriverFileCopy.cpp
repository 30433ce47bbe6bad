#include "installer/DriverFileCopy.h"

namespace {

const char kTemporaryPrefix[] = "tlv";

bool Contains(const CStringArray& names, const CString& name) {
  for (INT_PTR i = 0; i < names.GetSize(); ++i)
    if (names[i].CompareNoCase(name) == 0) return true;
  return false;
}

bool Exists(const CString& path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

CDriverFileCopy::CDriverFileCopy(LPCSTR sourceFolder, LPCSTR targetFolder)
    : m_source(sourceFolder), m_target(targetFolder) {}

CDriverFileCopy::~CDriverFileCopy() { RollBack(); }

bool CDriverFileCopy::TemporaryName(CString* path, DWORD* error) const {
  char name[MAX_PATH] = {};
  if (!GetTempFileNameA(m_target, kTemporaryPrefix, 0, name)) {
    *error = GetLastError();
    return false;
  }
  *path = name;
  return true;
}

bool CDriverFileCopy::Stage(const CString& name, DWORD* error) {
  CString staged;
  if (!TemporaryName(&staged, error)) return false;
  m_staged.push_back(staged);
  if (CopyFileA(m_source + "\\" + name, staged, FALSE)) return true;
  *error = GetLastError();
  return false;
}

bool CDriverFileCopy::Place(const CString& name, const CString& staged, DWORD* error) {
  Placed placed{m_target + "\\" + name, CString()};
  if (Exists(placed.target)) {
    if (!TemporaryName(&placed.kept, error)) return false;
    if (!MoveFileExA(placed.target, placed.kept, MOVEFILE_REPLACE_EXISTING)) {
      *error = GetLastError();
      DeleteFileA(placed.kept);
      return false;
    }
  }
  if (!MoveFileExA(staged, placed.target, MOVEFILE_REPLACE_EXISTING)) {
    *error = GetLastError();
    if (!placed.kept.IsEmpty()) MoveFileExA(placed.kept, placed.target, MOVEFILE_REPLACE_EXISTING);
    return false;
  }
  m_placed.push_back(placed);
  return true;
}

bool CDriverFileCopy::CopyAll(const CStringArray& names, CString* failedName, DWORD* error) {
  RollBack();
  *error = ERROR_SUCCESS;
  for (INT_PTR i = 0; i < names.GetSize(); ++i)
    if (!Contains(m_names, names[i])) m_names.Add(names[i]);
  for (INT_PTR i = 0; i < m_names.GetSize(); ++i) {
    if (!Stage(m_names[i], error)) {
      *failedName = m_names[i];
      RollBack();
      return false;
    }
  }
  for (INT_PTR i = 0; i < m_names.GetSize(); ++i) {
    CString& staged = m_staged[static_cast<size_t>(i)];
    if (!Place(m_names[i], staged, error)) {
      *failedName = m_names[i];
      RollBack();
      return false;
    }
    staged.Empty();  // it has its name now; its temporary name may be given out again
  }
  return true;
}

void CDriverFileCopy::DeleteStaged() {
  for (const CString& staged : m_staged)
    if (!staged.IsEmpty() && Exists(staged)) DeleteFileA(staged);
  m_staged.clear();
}

void CDriverFileCopy::Commit() {
  for (const Placed& placed : m_placed)
    if (!placed.kept.IsEmpty()) DeleteFileA(placed.kept);
  m_placed.clear();
  DeleteStaged();
  m_names.RemoveAll();
}

void CDriverFileCopy::RollBack() {
  for (auto placed = m_placed.rbegin(); placed != m_placed.rend(); ++placed) {
    DeleteFileA(placed->target);
    if (!placed->kept.IsEmpty())
      MoveFileExA(placed->kept, placed->target, MOVEFILE_REPLACE_EXISTING);
  }
  m_placed.clear();
  DeleteStaged();
  m_names.RemoveAll();
}
