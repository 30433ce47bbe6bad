// The messages of the graphics-library dialogs: the text of a string resource, formatted with a
// detail text when the message has one (%s), under the application's name.
#pragma once

#include <windows.h>

void ShowLibraryMessage(HWND owner, UINT stringId, LPCSTR detail = nullptr,
                        UINT icon = MB_ICONWARNING);
