// CDllModule: holds one outside run-time library loaded by file name. The wrappers of the outside
// libraries derive from it and bind their entries by name after loading.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CDllModule {
public:
  explicit CDllModule(LPCSTR path = nullptr);
  ~CDllModule();
  CDllModule(const CDllModule&) = delete;
  CDllModule& operator=(const CDllModule&) = delete;

  // Frees a held module first; a non-null path replaces the stored one. A bare file name is
  // loaded from the program folder, never through the system's search order. A failure is
  // reported in a message box and gives null.
  HMODULE Load(LPCSTR path = nullptr);
  void Unload();
  FARPROC GetProc(LPCSTR name) const;
  BOOL IsLoaded() const { return m_module != nullptr; }

  HMODULE GetModule() const { return m_module; }
  const CString& GetPath() const { return m_path; }
  // True while the entries a wrapper bound belong to the module now held.
  bool EntriesBound() const { return m_module != nullptr && m_entriesBound; }

  // The full path a library name stands for: names with a drive or a UNC prefix are kept,
  // any other name is put behind the folder of the running program.
  static CString ResolveLibraryPath(LPCSTR name);
  // The drive and folder of the running program, with a trailing backslash.
  static CString ProgramFolder();
  // The system's text for an error code, at most maxChars characters.
  static CString SystemErrorText(DWORD error, int maxChars = 100);
  // At most maxBytes bytes of text, never ending inside a double-byte character.
  static CString ClipText(LPCSTR text, int maxBytes);

  // Binds an entry into a typed pointer; null when the module lacks it.
  template <class Entry>
  void BindEntry(Entry& entry, LPCSTR name) const {
    entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProc(name)));
  }

protected:
  // Wrappers call this after binding their entries; Load and Unload clear it.
  void SetEntriesBound() { m_entriesBound = m_module != nullptr; }

private:
  HMODULE m_module;
  bool m_entriesBound;
  CString m_path;
};
