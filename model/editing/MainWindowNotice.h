// The status protocol: views, blocks and the undo manager report to the main frame with
// WM_COMMAND messages whose lParam points at the data.
#pragma once

#include <windows.h>

// Sends the command to the application's main window; nothing when there is none.
void SendToMainWindow(UINT command, LPARAM data);
