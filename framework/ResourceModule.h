// The module that resources (strings, menus, dialogs, bitmaps) are loaded from. The editor switches
// it to the English resource library when that language is chosen.
#pragma once

#include <windows.h>

HINSTANCE AfxGetInstanceHandle();
void AfxSetInstanceHandle(HINSTANCE instance);
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resources);
