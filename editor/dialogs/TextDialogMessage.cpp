#include "editor/dialogs/TextDialogMessage.h"

#include "framework/MessageBox.h"
#include "framework/String.h"
#include "resources/Resource.h"

void ShowTextDialogMessage(HWND owner, UINT stringId, LPCSTR detail, int number) {
  CString format, text, caption;
  format.LoadString(stringId);
  if (detail)
    text.Format(format, detail);
  else
    text.Format(format, number);
  if (!caption.LoadString(IDS_ERROR)) caption = "错误";
  AfxShowMessageBox(owner, CString("     ") + text + "     ", caption, MB_OK | MB_ICONEXCLAMATION);
}

void ShowTextDialogNotice(HWND owner, UINT stringId, LPCSTR file, int count) {
  CString text;
  text.Format(AfxLoadString(stringId, "%s\n%d"), file, count);
  AfxShowMessageBox(owner, text, AfxLoadString(IDS_NOTICE, "提示"), MB_OK | MB_ICONINFORMATION);
}
