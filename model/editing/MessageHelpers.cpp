#include "model/editing/MessageHelpers.h"

#include "framework/MessageBox.h"
#include "framework/String.h"
#include "framework/Wnd.h"

namespace {

const UINT kFlagsInvalid = 16385;
const UINT kFlagsParameter = 8193;
const int kCopySourceControl = 1397;

HWND HandleOf(CWnd* window) { return window ? window->GetSafeHwnd() : nullptr; }

UINT IconForCaption(UINT captionId) {
  if (captionId == kCaptionError) return MB_ICONERROR;
  if (captionId == kCaptionWarning) return MB_ICONINFORMATION;
  return 0;
}

}  // namespace

int ErrorBoxFromResource(CWnd* owner, UINT stringId) {
  CString text;
  text.LoadString(stringId);
  return AfxShowMessageBox(HandleOf(owner), text, "ERROR", MB_OK | MB_ICONERROR);
}

int ShowCaptionedMessage(CWnd* owner, UINT captionId, LPCSTR message, UINT flagsA, UINT flagsB) {
  CString caption;
  caption.LoadString(captionId);
  CString text;
  if (message) {
    text = CString("     ") + message + "     ";
  } else {
    if (flagsA == kFlagsInvalid) text = "  非法的";
    if (flagsB == kFlagsParameter) text += "参数  ";
  }
  return AfxShowMessageBox(HandleOf(owner), text, caption, MB_OK | IconForCaption(captionId));
}

void SendCopyToEditBox(CWnd* dialog) {
  HWND window = HandleOf(dialog);
  if (!window || !::IsWindow(window)) return;
  HWND edit = ::GetDlgItem(window, kCopySourceControl);
  if (edit) ::SendMessageA(edit, WM_COPY, 0, 0);
}

CWnd* GetWindowAtPoint(POINT screenPoint) {
  HWND window = ::WindowFromPoint(screenPoint);
  return window ? CWnd::FromHandle(window) : nullptr;
}
