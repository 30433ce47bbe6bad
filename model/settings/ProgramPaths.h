// Names of the program folder, the program file and temporary files. Every function that fills a
// caller's buffer takes the buffer's size, never writes past it, and returns 0 (with an empty
// buffer) when the result does not fit or the system cannot tell: the program folder under Wine
// is often a deep Linux path.
#pragma once

#include <windows.h>

// Drive and folder of the running program with a trailing backslash; 1, or 0 on failure.
int GetProgramDir(LPSTR out, int size);
// The same; 0 also for a null buffer.
int GetExeFolder(LPSTR out, int size);
// The program folder with its last level removed, trailing backslash kept (C:\A\B\ gives C:\A\).
int GetProgramParentDir(LPSTR out, int size);
// Full path of the running program, upper-cased with UpperCaseAscii.
int GetModulePathUpper(LPSTR out, int size);

// Upper-cases the bytes 'a' to 'z' in place. Double-byte GBK characters are left alone: their
// trail byte may lie in that range.
void UpperCaseAscii(LPSTR text);

// Creates a new empty file with a unique name in the temporary folder (GetTempFileNameA with the
// prefix) and writes its full path into out; the system's result, 0 on failure (no file is left).
UINT MakeTempFileName(LPCSTR prefix, LPSTR out, int size);

// Length of the folder part of a path, trailing backslash included (0 when it has none).
// A backslash inside a double-byte character does not count.
int FolderPartLength(LPCSTR path);
// Removes the last level of a folder name that ends with a backslash (\A\B\ becomes \A\);
// false, and the folder unchanged, when it has no level to remove.
bool RemoveLastFolderLevel(LPSTR folder);
// Copies text into out when it fits with its terminating zero; else out becomes empty.
bool CopyIfFits(LPSTR out, int size, LPCSTR text);
