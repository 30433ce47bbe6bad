#include "model/blocks/ImageFolderScope.h"

#include <cstring>

#include "framework/SystemCodePage.h"

namespace {

const CImageFolderScope* g_innermost = nullptr;

// Up to and with the last backslash, stepping over double-byte characters whose trail byte is one.
CString FolderOf(LPCSTR path) {
  int end = 0;
  for (int i = 0; path && path[i]; ++i) {
    if (AfxIsSystemLeadByte(static_cast<BYTE>(path[i])) && path[i + 1]) {
      ++i;
      continue;
    }
    if (path[i] == '\\' || path[i] == '/' || path[i] == ':') end = i + 1;
  }
  return CString(path ? path : "").Left(end);
}

}  // namespace

CImageFolderScope::CImageFolderScope(LPCSTR documentPath)
    : m_folder(FolderOf(documentPath)), m_previous(g_innermost) {
  g_innermost = this;
}

CImageFolderScope::~CImageFolderScope() { g_innermost = m_previous; }

CString CImageFolderScope::Current() { return g_innermost ? g_innermost->m_folder : CString(); }

bool CImageFolderScope::IsAbsolute(LPCSTR name) {
  if (!name || !name[0]) return false;
  if (name[0] == '\\' || name[0] == '/') return true;
  return name[1] == ':';
}

CString CImageFolderScope::Resolve(LPCSTR name) {
  CString folder = Current();
  if (!name || folder.IsEmpty() || !name[0] || IsAbsolute(name)) return CString(name ? name : "");
  return folder + name;
}

CString CImageFolderScope::MakeRelative(LPCSTR path) {
  CString folder = Current();
  size_t length = static_cast<size_t>(folder.GetLength());
  if (!path || length == 0 || strlen(path) <= length) return CString();
  // Folder names compare as the file system does, without regard to case.
  if (::CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path, static_cast<int>(length),
                       folder, static_cast<int>(length)) != CSTR_EQUAL)
    return CString();
  return CString(path + length);
}
