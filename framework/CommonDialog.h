// CCommonDialog: base of the system's common dialogs (file, colour, print). DoModal runs the
// system dialog unless a handler is installed: tests answer the dialogs through it, filling the
// dialog's structure as a user would and returning IDOK or IDCANCEL.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <functional>

#include "framework/Dialog.h"

class CCommonDialog : public CDialog {
  DECLARE_DYNAMIC(CCommonDialog)
public:
  explicit CCommonDialog(CWnd* parent) { m_pParentWnd = parent; }

protected:
  // The owner window for the system dialog.
  HWND OwnerWindow() const;
  // Runs the installed handler when there is one; returns true and sets result then.
  bool AnsweredByHandler(INT_PTR* result);
};

using AfxCommonDialogHandler = std::function<INT_PTR(CCommonDialog* dialog)>;
AfxCommonDialogHandler AfxSetCommonDialogHandler(AfxCommonDialogHandler handler);
