// Every message box of the programs goes through AfxShowMessageBox, so that tests can answer
// boxes instead of blocking on them.
#pragma once

#include <windows.h>

#include <functional>

using AfxMessageBoxHandler = std::function<int(HWND owner, LPCSTR text, LPCSTR caption, UINT type)>;

// Installs a handler for all message boxes; an empty handler restores the real boxes.
// Returns the handler that was installed before.
AfxMessageBoxHandler AfxSetMessageBoxHandler(AfxMessageBoxHandler handler);

// The caption used when a box names none (the application's title).
void AfxSetMessageBoxCaption(LPCSTR caption);
LPCSTR AfxGetMessageBoxCaption();

int AfxShowMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
// The text comes from the string resource promptId of the current resource module.
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
