#include "framework/CommonDialog.h"

#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

namespace {

AfxCommonDialogHandler& Handler() {
  static AfxCommonDialogHandler handler;
  return handler;
}

}  // namespace

AfxCommonDialogHandler AfxSetCommonDialogHandler(AfxCommonDialogHandler handler) {
  AfxCommonDialogHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

HWND CCommonDialog::OwnerWindow() const {
  CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  HWND owner = parent ? parent->m_hWnd : nullptr;
  while (owner && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
  return owner;
}

bool CCommonDialog::AnsweredByHandler(INT_PTR* result) {
  if (!Handler()) return false;
  *result = Handler()(this);
  return true;
}
