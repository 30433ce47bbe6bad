#include "framework/FileDialog.h"

#include "framework/PtrList.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL openDialog, LPCSTR defaultExtension, LPCSTR fileName, DWORD flags,
                         LPCSTR filter, CWnd* parent)
    : CCommonDialog(parent), m_ofn(), m_bOpenFileDialog(openDialog) {
  m_ofn.lStructSize = sizeof m_ofn;
  m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLESIZING;
  m_fileBuffer.GetBufferSetLength(kFileBufferSize);
  SetFileName(fileName);
  m_ofn.nMaxFile = kFileBufferSize;
  m_titleBuffer.GetBufferSetLength(MAX_PATH);
  m_ofn.lpstrFileTitle = m_titleBuffer.GetBuffer();
  m_ofn.nMaxFileTitle = MAX_PATH;
  if (defaultExtension) {
    m_defaultExtension = defaultExtension;
    m_ofn.lpstrDefExt = m_defaultExtension;
  }
  if (filter) {
    // '|' separators become the zeros the system expects; the list ends with two zeros.
    m_filter = filter;
    if (m_filter.IsEmpty() || m_filter[m_filter.GetLength() - 1] != '|') m_filter += '|';
    m_filter += '|';
    LPSTR text = m_filter.GetBuffer();
    for (int i = 0; i < m_filter.GetLength(); ++i) {
      if (CString::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < m_filter.GetLength()) ++i;
      else if (text[i] == '|') text[i] = '\0';
    }
    m_ofn.lpstrFilter = text;
  }
}

void CFileDialog::SetFileName(LPCSTR path) {
  LPSTR buffer = m_fileBuffer.GetBuffer();
  memset(buffer, 0, kFileBufferSize);
  if (path) lstrcpynA(buffer, path, kFileBufferSize - 1);
  m_ofn.lpstrFile = buffer;
}

INT_PTR CFileDialog::DoModal() {
  m_ofn.hwndOwner = OwnerWindow();
  m_ofn.lpstrFile = m_fileBuffer.GetBuffer();
  INT_PTR result;
  if (AnsweredByHandler(&result)) return result;
  BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
  return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const {
  LPCSTR buffer = m_ofn.lpstrFile;
  if (!buffer) return CString();
  // With several files the buffer holds the folder, a zero, then the names.
  if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && buffer[lstrlenA(buffer) + 1] != '\0') {
    POSITION position = GetStartPosition();
    return GetNextPathName(position);
  }
  return CString(buffer);
}

CString CFileDialog::GetFileName() const {
  CString path = GetPathName();
  int slash = path.ReverseFind('\\');
  return slash >= 0 ? path.Mid(slash + 1) : path;
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot >= 0 ? name.Mid(dot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int dot = name.ReverseFind('.');
  return dot >= 0 ? name.Left(dot) : name;
}

POSITION CFileDialog::GetStartPosition() const {
  return (m_ofn.lpstrFile && m_ofn.lpstrFile[0]) ? reinterpret_cast<POSITION>(m_ofn.lpstrFile) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& position) const {
  LPCSTR buffer = m_ofn.lpstrFile;
  auto current = reinterpret_cast<LPCSTR>(position);
  bool multiple = (m_ofn.Flags & OFN_ALLOWMULTISELECT) && buffer[lstrlenA(buffer) + 1] != '\0';
  if (!multiple) {
    position = nullptr;
    return CString(buffer);
  }
  if (current == buffer) current += lstrlenA(buffer) + 1;  // skip the folder
  CString folder(buffer);
  if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != '\\') folder += '\\';
  CString path = folder + current;
  LPCSTR next = current + lstrlenA(current) + 1;
  position = *next ? reinterpret_cast<POSITION>(const_cast<LPSTR>(next)) : nullptr;
  return path;
}
