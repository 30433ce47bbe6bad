// CRecentFileList: the most recently used files, newest first, kept in the profile and shown in
// the file menu in place of the item with the first recent-file command id.
#pragma once

#include "framework/StringArray.h"

class CCmdUI;

class CRecentFileList {
public:
  CRecentFileList(UINT start, LPCSTR section, LPCSTR entryFormat, int size,
                  int maxDisplayLength = 64);
  virtual ~CRecentFileList() = default;

  int GetSize() const { return m_nSize; }
  // The path at index, empty when the slot is unused.
  CString& operator[](int index) { return m_arrNames.ElementAt(index); }

  // Puts the file first; a file already listed (any letter case) moves up.
  virtual void Add(LPCSTR path);
  virtual void Remove(int index);
  virtual void ReadList();
  virtual void WriteList();
  // The text of a menu item: the path, shortened to the file name when too long.
  virtual BOOL GetDisplayName(CString& name, int index, LPCSTR currentFolder,
                              int currentFolderLength, BOOL atLeastName = TRUE) const;
  virtual void UpdateMenu(CCmdUI* ui);

protected:
  int m_nSize;
  CStringArray m_arrNames;
  CString m_strSectionName;
  CString m_strEntryFormat;
  UINT m_nStart;
  int m_nMaxDisplayLength;
  CString m_strOriginal;  // the placeholder item's text
};
