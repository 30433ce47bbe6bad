// The keyboard state as the programs read it. Every read goes through these functions so that
// tests can say which keys are held instead of depending on the real keyboard.
#pragma once

#include <windows.h>

#include <functional>

// Answers a virtual-key code with the platform's state word (bit 15 held, bit 0 toggled).
using AfxKeyStateHandler = std::function<SHORT(int virtualKey)>;

// Installs a handler for both reads; an empty handler restores the real keyboard.
// Returns the handler that was installed before.
AfxKeyStateHandler AfxSetKeyStateHandler(AfxKeyStateHandler handler);

SHORT AfxGetKeyState(int virtualKey);
SHORT AfxGetAsyncKeyState(int virtualKey);
// True while the key is held down.
bool AfxIsKeyDown(int virtualKey);
