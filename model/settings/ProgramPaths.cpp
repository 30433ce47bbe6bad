#include "model/settings/ProgramPaths.h"

#include <cstring>

#include "framework/String.h"
#include "framework/SystemCodePage.h"

namespace {

// Module paths longer than the classic limit occur under Wine; leave room for them.
const int kModulePathBytes = 1024;

bool IsSeparator(char ch) { return ch == '\\' || ch == '/'; }

bool StartsDoubleByte(LPCSTR text, size_t i) {
  return AfxIsSystemLeadByte(static_cast<unsigned char>(text[i])) && text[i + 1] != '\0';
}

bool ReadModulePath(char (&path)[kModulePathBytes]) {
  SetLastError(ERROR_SUCCESS);
  DWORD length = GetModuleFileNameA(nullptr, path, kModulePathBytes);
  if (length == 0 || length >= static_cast<DWORD>(kModulePathBytes)) return false;
  return GetLastError() != ERROR_INSUFFICIENT_BUFFER;
}

void ClearBuffer(LPSTR out, int size) {
  if (out && size > 0) out[0] = '\0';
}

}  // namespace

bool CopyIfFits(LPSTR out, int size, LPCSTR text) {
  if (!out || size <= 0) return false;
  size_t length = strlen(text);
  if (length >= static_cast<size_t>(size)) {
    out[0] = '\0';
    return false;
  }
  memcpy(out, text, length + 1);
  return true;
}

int FolderPartLength(LPCSTR path) {
  int folderLength = 0;
  for (size_t i = 0; path[i] != '\0'; ++i) {
    if (StartsDoubleByte(path, i)) {
      ++i;
      continue;
    }
    if (IsSeparator(path[i]) || path[i] == ':') folderLength = static_cast<int>(i) + 1;
  }
  return folderLength;
}

bool RemoveLastFolderLevel(LPSTR folder) {
  size_t length = strlen(folder);
  if (length < 2 || !IsSeparator(folder[length - 1])) return false;
  folder[length - 1] = '\0';
  int parentLength = FolderPartLength(folder);
  if (parentLength == 0 || folder[parentLength - 1] == ':') {
    folder[length - 1] = '\\';
    return false;
  }
  folder[parentLength] = '\0';
  return true;
}

int GetProgramDir(LPSTR out, int size) {
  if (!out || size <= 0) return 0;
  char path[kModulePathBytes];
  if (!ReadModulePath(path)) {
    out[0] = '\0';
    return 0;
  }
  path[FolderPartLength(path)] = '\0';
  return CopyIfFits(out, size, path) ? 1 : 0;
}

int GetExeFolder(LPSTR out, int size) { return GetProgramDir(out, size); }

int GetProgramParentDir(LPSTR out, int size) {
  if (!out || size <= 0) return 0;
  char folder[kModulePathBytes];
  if (!GetProgramDir(folder, kModulePathBytes) || !RemoveLastFolderLevel(folder)) {
    out[0] = '\0';
    return 0;
  }
  return CopyIfFits(out, size, folder) ? 1 : 0;
}

int GetModulePathUpper(LPSTR out, int size) {
  char path[kModulePathBytes];
  if (!ReadModulePath(path)) {
    ClearBuffer(out, size);
    return 0;
  }
  if (!CopyIfFits(out, size, path)) return 0;
  UpperCaseAscii(out);
  return 1;
}

void UpperCaseAscii(LPSTR text) {
  if (!text) return;
  for (size_t i = 0; text[i] != '\0'; ++i) {
    if (StartsDoubleByte(text, i)) {
      ++i;
      continue;
    }
    if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 32);
  }
}

UINT MakeTempFileName(LPCSTR prefix, LPSTR out, int size) {
  if (!out || size <= 0) return 0;
  out[0] = '\0';
  char folder[kModulePathBytes];
  DWORD length = GetTempPathA(kModulePathBytes, folder);
  if (length == 0 || length >= static_cast<DWORD>(kModulePathBytes)) return 0;
  // GetTempFileNameA needs MAX_PATH bytes and fails on folders too long for that.
  char name[MAX_PATH];
  UINT unique = GetTempFileNameA(folder, prefix ? prefix : "", 0, name);
  if (unique == 0) return 0;
  if (!CopyIfFits(out, size, name)) {
    DeleteFileA(name);
    return 0;
  }
  return unique;
}
