// CRecentFileList: the most recently used files, newest first, kept in the profile and shown in
// the file menu in place of the item with the first recent-file command id. Names are kept, stored
// and shown in their wide form: a name the system's code page cannot spell (a Chinese one on an
// English system) is shown as it is and survives in the profile, though it cannot be opened.
#pragma once

#include <string>
#include <vector>

#include "framework/StringArray.h"

class CCmdUI;

class CRecentFileList {
public:
  CRecentFileList(UINT start, LPCSTR section, LPCSTR entryFormat, int size,
                  int maxDisplayLength = 64);
  virtual ~CRecentFileList() = default;

  int GetSize() const { return m_nSize; }
  // The path at index in the system's code page, empty when the slot is unused.
  const CString& operator[](int index) const { return m_arrNames[index]; }

  // Puts the file first; a file already listed (any letter case) moves up.
  virtual void Add(LPCSTR path);
  virtual void Remove(int index);
  virtual void ReadList();
  virtual void WriteList();
  // The text of a menu item: the path, without the current folder (ending in a backslash), and
  // shortened to the file name when too long.
  virtual BOOL GetDisplayName(std::wstring& name, int index,
                              const std::wstring& currentFolder) const;
  virtual void UpdateMenu(CCmdUI* ui);

protected:
  void SetName(int index, const std::wstring& name);

  int m_nSize;
  CStringArray m_arrNames;
  std::vector<std::wstring> m_wideNames;
  CString m_strSectionName;
  CString m_strEntryFormat;
  UINT m_nStart;
  int m_nMaxDisplayLength;
  CString m_strOriginal;  // the placeholder item's text
};
