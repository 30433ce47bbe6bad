#include "framework/RecentFileList.h"

#include "framework/CmdUI.h"
#include "framework/Menu.h"
#include "framework/SystemCodePage.h"
#include "framework/WinApp.h"

CRecentFileList::CRecentFileList(UINT start, LPCSTR section, LPCSTR entryFormat, int size,
                                 int maxDisplayLength)
    : m_nSize(size > 0 ? size : 1),
      m_strSectionName(section),
      m_strEntryFormat(entryFormat),
      m_nStart(start),
      m_nMaxDisplayLength(maxDisplayLength) {
  m_arrNames.SetSize(m_nSize);
  m_wideNames.resize(static_cast<size_t>(m_nSize));
}

void CRecentFileList::SetName(int index, const std::wstring& name) {
  m_wideNames[static_cast<size_t>(index)] = name;
  m_arrNames[index] = AfxSystemFromWide(name.c_str());
}

void CRecentFileList::Add(LPCSTR path) {
  if (!path || !*path) return;
  std::wstring name = AfxWideFromSystem(path);
  int found = m_nSize - 1;
  for (int i = 0; i < m_nSize; ++i) {
    if (::lstrcmpiW(m_wideNames[static_cast<size_t>(i)].c_str(), name.c_str()) == 0) {
      found = i;
      break;
    }
  }
  for (int i = found; i > 0; --i) SetName(i, m_wideNames[static_cast<size_t>(i - 1)]);
  SetName(0, name);
}

void CRecentFileList::Remove(int index) {
  if (index < 0 || index >= m_nSize) return;
  for (int i = index; i < m_nSize - 1; ++i) SetName(i, m_wideNames[static_cast<size_t>(i + 1)]);
  SetName(m_nSize - 1, std::wstring());
}

void CRecentFileList::ReadList() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  for (int i = 0; i < m_nSize; ++i) {
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    SetName(i, app->GetProfileWideString(m_strSectionName, entry));
  }
}

void CRecentFileList::WriteList() {
  CWinApp* app = AfxGetApp();
  if (!app) return;
  app->WriteProfileString(m_strSectionName, nullptr, nullptr);  // drop stale entries
  for (int i = 0; i < m_nSize; ++i) {
    if (m_wideNames[static_cast<size_t>(i)].empty()) continue;
    CString entry;
    entry.Format(m_strEntryFormat, i + 1);
    app->WriteProfileWideString(m_strSectionName, entry, m_wideNames[static_cast<size_t>(i)]);
  }
}

BOOL CRecentFileList::GetDisplayName(std::wstring& name, int index,
                                     const std::wstring& currentFolder) const {
  if (index < 0 || index >= m_nSize || m_wideNames[static_cast<size_t>(index)].empty())
    return FALSE;
  name = m_wideNames[static_cast<size_t>(index)];
  const size_t folderLength = currentFolder.size();
  // Files in the current folder show without it.
  if (folderLength > 0 && name.size() > folderLength &&
      ::CompareStringW(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, name.c_str(),
                       static_cast<int>(folderLength), currentFolder.c_str(),
                       static_cast<int>(folderLength)) == CSTR_EQUAL &&
      name.find(L'\\', folderLength) == std::wstring::npos)
    name = name.substr(folderLength);
  if (name.size() > static_cast<size_t>(m_nMaxDisplayLength)) {
    size_t slash = name.rfind(L'\\');
    if (slash != std::wstring::npos) name = L"...\\" + name.substr(slash + 1);
  }
  return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* ui) {
  CMenu* menu = ui->m_pMenu;
  if (!menu) return;
  if (m_strOriginal.IsEmpty()) menu->GetMenuString(ui->m_nID, m_strOriginal, MF_BYCOMMAND);
  // Remove the items of the previous update, then put the current list in their place.
  for (int i = 0; i < m_nSize; ++i) menu->DeleteMenu(m_nStart + static_cast<UINT>(i), MF_BYCOMMAND);
  if (m_wideNames[0].empty()) {
    menu->InsertMenu(ui->m_nIndex, MF_STRING | MF_BYPOSITION, m_nStart, m_strOriginal);
    menu->EnableMenuItem(ui->m_nIndex, MF_BYPOSITION | MF_DISABLED | MF_GRAYED);
    ui->m_nIndexMax = menu->GetMenuItemCount();
    ui->m_bEnableChanged = TRUE;
    return;
  }
  wchar_t folder[MAX_PATH * 2] = {};
  DWORD folderLength = ::GetCurrentDirectoryW(MAX_PATH * 2, folder);
  std::wstring currentFolder(folder, folderLength < MAX_PATH * 2 ? folderLength : 0);
  if (!currentFolder.empty() && currentFolder.back() != L'\\') currentFolder += L'\\';
  UINT position = ui->m_nIndex;
  for (int i = 0; i < m_nSize; ++i) {
    std::wstring name;
    if (!GetDisplayName(name, i, currentFolder)) break;
    std::wstring text = L"&" + std::to_wstring((i + 1) % 10) + L" ";
    for (wchar_t ch : name) text += ch == L'&' ? std::wstring(L"&&") : std::wstring(1, ch);
    ::InsertMenuW(menu->m_hMenu, position++, MF_STRING | MF_BYPOSITION,
                  m_nStart + static_cast<UINT>(i), text.c_str());
  }
  ui->m_nIndex = position - 1;
  ui->m_nIndexMax = menu->GetMenuItemCount();
  ui->m_bEnableChanged = TRUE;
}
