// CImageFolderScope: the folder of the document being opened or saved, for the image blocks read
// and written meanwhile. An image record holds a file name of at most 59 bytes; a name written
// relative to the document (because the full path is longer) is found again in the folder of the
// document that is opened. Scopes nest; without one the folder is empty and names are kept as
// they are.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CImageFolderScope {
public:
  // documentPath names the document; its folder is what its image names are relative to.
  explicit CImageFolderScope(LPCSTR documentPath);
  ~CImageFolderScope();
  CImageFolderScope(const CImageFolderScope&) = delete;
  CImageFolderScope& operator=(const CImageFolderScope&) = delete;

  // The folder of the innermost scope with its trailing backslash; empty outside every scope.
  static CString Current();

  // Whether the name is complete in itself: a drive ("C:...") or a network or root path ("\...").
  static bool IsAbsolute(LPCSTR name);
  // The name resolved against the current folder when it is relative and there is one.
  static CString Resolve(LPCSTR name);
  // The name relative to the current folder when the file lies in it or below; empty otherwise.
  static CString MakeRelative(LPCSTR path);

private:
  CString m_folder;
  const CImageFolderScope* m_previous;
};
