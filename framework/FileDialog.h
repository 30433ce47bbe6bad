// CFileDialog: the system's open or save dialog. The filter is "text|pattern|...|" with '|'
// separators as in the class library.
#pragma once

#include "framework/CommonDialog.h"
#include "framework/PtrList.h"
#include "framework/String.h"

class CFileDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFileDialog)
public:
  explicit CFileDialog(BOOL openDialog, LPCSTR defaultExtension = nullptr,
                       LPCSTR fileName = nullptr,
                       DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       LPCSTR filter = nullptr, CWnd* parent = nullptr);

  OPENFILENAMEA m_ofn;
  BOOL m_bOpenFileDialog;

  INT_PTR DoModal() override;

  // The chosen file: full path, name with extension, extension, name without extension.
  CString GetPathName() const;
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  // Several files (OFN_ALLOWMULTISELECT): walk them with GetNextPathName.
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& position) const;
  // Lets a caller (or a test's handler) set the chosen file.
  void SetFileName(LPCSTR path);

private:
  // Room for several selected files with long paths.
  static const int kFileBufferSize = 32768;
  CString m_fileBuffer;
  CString m_filter;
  CString m_defaultExtension;
  CString m_titleBuffer;
};
