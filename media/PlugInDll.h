// CPlugInDll: holds one plug-in library of the suite (a USB plotter plug-in). Unlike the outside
// libraries, a plug-in that does not load is not reported: it simply offers nothing.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CPlugInDll {
public:
  typedef void(__cdecl* AboutEntry)();
  typedef void(__cdecl* GetDllNameEntry)(char* name);

  // Room given to a plug-in's GetDllName; the text is cut to kDisplayNameLength - 1 bytes.
  static constexpr int kDisplayNameLength = 100;

  explicit CPlugInDll(LPCSTR path = nullptr);
  virtual ~CPlugInDll();
  CPlugInDll(const CPlugInDll&) = delete;
  CPlugInDll& operator=(const CPlugInDll&) = delete;

  // A null name changes nothing; a name with a drive is kept; any other name is put behind
  // the folder of the running program.
  void SetPath(LPCSTR name);
  const CString& GetPath() const { return m_path; }

  // Frees a held module, sets the path from name (null keeps it) and loads it; binds the
  // entries and asks the plug-in for its display name. Null when it does not load.
  virtual HMODULE Load(LPCSTR name = nullptr);
  virtual void BindEntries();
  virtual void Unload();

  FARPROC GetProc(LPCSTR name) const;
  BOOL IsLoaded() const { return m_module != nullptr; }
  HMODULE GetModule() const { return m_module; }
  const CString& GetDisplayName() const { return m_displayName; }

  // Optional exports; callers test them before calling.
  AboutEntry About;
  GetDllNameEntry GetDllName;

protected:
  template <class Entry>
  void BindEntry(Entry& entry, LPCSTR name) const {
    entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProc(name)));
  }

private:
  void ReadDisplayName();

  CString m_displayName;
  CString m_path;
  HMODULE m_module;
};
