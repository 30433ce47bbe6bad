// The messages of the text and font dialogs: the text of a string resource, formatted with a
// detail text (%s) or a number (%d, %c), five blanks in from both sides, under the caption of
// string 50009 ("错误"); and their notices of work done, formatted with a file (%s) and then a
// count (%d), under the caption "提示".
#pragma once

#include <windows.h>

void ShowTextDialogMessage(HWND owner, UINT stringId, LPCSTR detail = nullptr, int number = 0);
void ShowTextDialogNotice(HWND owner, UINT stringId, LPCSTR file, int count);
