// Message boxes built from string resources, and small window look-ups shared by the dialogs.
#pragma once

#include <windows.h>

class CWnd;

// String ids of the two captions that carry an icon.
const UINT kCaptionError = 50009;    // "错误"
const UINT kCaptionWarning = 50017;  // "警告"

// The string resource as text, caption "ERROR", error icon; the box's result.
int ErrorBoxFromResource(CWnd* owner, UINT stringId);

// A box captioned by a string resource: error icon for kCaptionError, information icon for
// kCaptionWarning, none otherwise. The text is the message framed by five blanks on each side;
// without a message it is built from the flags: "  非法的" when flagsA is 16385, then "参数  "
// when flagsB is 8193.
int ShowCaptionedMessage(CWnd* owner, UINT captionId, LPCSTR message, UINT flagsA, UINT flagsB);

// Sends WM_COPY to the dialog's edit control 1397, when the dialog and the control exist.
void SendCopyToEditBox(CWnd* dialog);

// The window under a screen point, null when there is none.
CWnd* GetWindowAtPoint(POINT screenPoint);
