#include "editor/dialogs/LibraryMessage.h"

#include "framework/MessageBox.h"
#include "framework/String.h"
#include "framework/WinApp.h"

void ShowLibraryMessage(HWND owner, UINT stringId, LPCSTR detail, UINT icon) {
  CString format, text;
  format.LoadString(stringId);
  if (detail)
    text.Format(format, detail);
  else
    text = format;
  AfxShowMessageBox(owner, text, AfxGetAppName(), MB_OK | icon);
}
