// The open prompts of files that enter a drawing: PromptOpenFile asks for a file and names its
// kind; PromptMergeFile, the merge command's dialog, also remembers the folder ("FilePath") and
// the filter ("FileFilter") in "SystemParam" of the application profile and reads the chosen file
// by its kind: a version-6 drawing gives its block-list record and its text, an old drawing (and
// any unknown extension) its converted block-list record, a text file its bytes, and the other
// kinds go to the import-filter library. The user is told when the library is missing, why it
// read nothing, and what it left out of a drawing it read (images, text, other objects, and all
// after the end of a file cut short).
//
// The outputs are movable global memory that the caller frees; a read that fails is reported to
// the user and leaves them null, and the kind is returned all the same.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "media/ImportFilterDll.h"

class CWnd;

// -1 when cancelled; else the chosen path, upper-cased (ASCII letters), and its kind.
int PromptOpenFile(CString& path, LPCSTR title, LPCSTR filter, LPCSTR initialFolder,
                   CWnd* parent = nullptr);

// -1 when cancelled (nothing stored); else the kind, with *blocks the block-list record and *text
// the text (either may be null).
int PromptMergeFile(HGLOBAL* blocks, HGLOBAL* text, CWnd* parent = nullptr);

// The reading step of PromptMergeFile for a chosen path: 0 when the file was read (which may still
// give nothing to merge), else the reader's code; nothing is shown.
// With a report, the import filter's account of its read is put there (cleared otherwise).
int ReadMergeFile(LPCSTR path, int kind, HGLOBAL* blocks, HGLOBAL* text,
                  ImportFilterReport* report = nullptr);

// The import-filter library the merge reads through: a file name in the program folder, or a
// path (tests name the build's copy). Null goes back to the program's own library.
void SetImportFilterPath(LPCSTR path);

// Binds the import filter when it is there and may be used (told the user interface's language);
// false when it is missing or refuses.
bool BindImportFilter(CImportFilterDll& filter);

// Tells the user what an import-filter read met: why it gave nothing, or what it left out of the
// drawing it gave (that the file ended early too); nothing for a clean read.
void ShowImportReport(const ImportFilterReport& report, bool read);

// The folder part of a path as the profile keeps it: up to its last backslash, which is dropped
// except right after a drive letter ("C:\").
CString FolderOfPath(LPCSTR path);
