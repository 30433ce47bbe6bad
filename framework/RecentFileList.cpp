#include "framework/RecentFileList.h"

#include "framework/CmdUI.h"
#include "framework/Menu.h"
#include "framework/WinApp.h"

CRecentFileList::CRecentFileList(UINT start, LPCSTR section, LPCSTR entryFormat, int size,
                                 int maxDisplayLength)
    : m_nSize(size > 0 ? size : 1),
      m_strSectionName(section),
      m_strEntryFormat(entryFormat),
      m_nStart(start),
      m_nMaxDisplayLength(maxDisplayLength) {
  m_arrNames.SetSize(m_nSize);
}

void CRecentFileList::Add(LPCSTR path) {
  if (!path || !*path) return;
  CString name(path);
  int found = m_nSize - 1;
  for (int i = 0; i < m_nSize; ++i) {
    if (m_arrNames[i].CompareNoCase(name) == 0) {
      found = i;
      break;
    }
  }
  for (int i = found; i > 0; --i) m_arrNames[i] = m_arrNames[i - 1];
  m_arrNames[0] = name;
}

void CRecentFileList::Remove(int index) {
  if (index < 0 || index >= m_nSize) return;
  for (int i = index; i < m_nSize - 1; ++i) m_arrNames[i] = m_arrNames[i + 1];
  m_arrNames[m_nSize - 1].Empty();
}

void CRecentFileList::ReadList() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  for (int i = 0; i < m_nSize; ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    m_arrNames[i] = app->GetProfileString(m_strSectionName, entry);
  }
}

void CRecentFileList::WriteList() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  app->WriteProfileString(m_strSectionName, nullptr, nullptr);  // drop stale entries
  for (int i = 0; i < m_nSize; ++i) {
    if (m_arrNames[i].IsEmpty()) continue;
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    app->WriteProfileString(m_strSectionName, entry, m_arrNames[i]);
  }
}

BOOL CRecentFileList::GetDisplayName(CString& name, int index, LPCSTR currentFolder,
                                     int currentFolderLength, BOOL atLeastName) const {
  if (index < 0 || index >= m_nSize || m_arrNames[index].IsEmpty()) return FALSE;
  name = m_arrNames[index];
  // Files in the current folder show without it.
  if (currentFolder && currentFolderLength > 0 && name.GetLength() > currentFolderLength &&
      name.Left(currentFolderLength).CompareNoCase(CString(currentFolder, currentFolderLength)) ==
          0 &&
      name.Find('\\', currentFolderLength + 1) < 0)
    name = name.Mid(currentFolderLength);
  if (name.GetLength() > m_nMaxDisplayLength && atLeastName) {
    int slash = name.ReverseFind('\\');
    if (slash >= 0) name = "...\\" + name.Mid(slash + 1);
  }
  return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* ui) {
  CMenu* menu = ui->m_pMenu;
  if (!menu) return;
  if (m_strOriginal.IsEmpty()) menu->GetMenuString(ui->m_nID, m_strOriginal, MF_BYCOMMAND);
  // Remove the items of the previous update, then put the current list in their place.
  for (int i = 0; i < m_nSize; ++i) menu->DeleteMenu(m_nStart + static_cast<UINT>(i), MF_BYCOMMAND);
  if (m_arrNames[0].IsEmpty()) {
    menu->InsertMenu(ui->m_nIndex, MF_STRING | MF_BYPOSITION, m_nStart, m_strOriginal);
    menu->EnableMenuItem(ui->m_nIndex, MF_BYPOSITION | MF_DISABLED | MF_GRAYED);
    ui->m_nIndexMax = menu->GetMenuItemCount();
    ui->m_bEnableChanged = TRUE;
    return;
  }
  char folder[MAX_PATH * 4] = {};
  DWORD folderLength = ::GetCurrentDirectoryA(sizeof folder, folder);
  if (folderLength >= sizeof folder) folderLength = 0;
  if (folderLength > 0 && folder[folderLength - 1] != '\\') folder[folderLength++] = '\\';
  UINT position = ui->m_nIndex;
  for (int i = 0; i < m_nSize; ++i) {
    CString name;
    if (!GetDisplayName(name, i, folder, static_cast<int>(folderLength))) break;
    name.Replace("&", "&&");
    CString text;
    text.Format("&%d %s", (i + 1) % 10, static_cast<LPCSTR>(name));
    menu->InsertMenu(position++, MF_STRING | MF_BYPOSITION, m_nStart + static_cast<UINT>(i), text);
  }
  ui->m_nIndex = position - 1;
  ui->m_nIndexMax = menu->GetMenuItemCount();
  ui->m_bEnableChanged = TRUE;
}
