// The GDI character set that belongs to a language, and to the keyboard layout in use: typed
// characters of a double-byte layout arrive in that set.
#pragma once

#include <windows.h>

// Character set number for a language identifier (primary language in the low byte, sublanguage
// in bits 10 to 15); 0 (ANSI) for languages without a set of their own.
int CharsetFromLanguage(WORD languageId);
// The character set of the current thread's keyboard layout.
int GetKeyboardCharset();
