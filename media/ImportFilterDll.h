// CImportFilterDll: the import-filter library, bound afresh by the open command and the
// library-building tool. A missing library or entry gives empty results.
#pragma once

#include "media/DllModule.h"

class CImportFilterDll : public CDllModule {
public:
  static const char kLibraryName[];
  // A filter text longer than this is taken as a broken answer.
  static constexpr int kMaxFilterText = 65536;

  typedef int(__cdecl* GetFiltersEntry)(char* buffer);
  typedef int(__cdecl* GetVersionEntry)();
  typedef HGLOBAL(__cdecl* FilterReadEntry)(LPCSTR path, float scale, int flags);
  typedef int(__cdecl* CanUseEntry)(int value);

  CImportFilterDll();

  // Always loads the library again; the module or null.
  HMODULE Bind(LPCSTR path = nullptr);

  int GetVersion() const;
  // The filter text for the open dialog; false (and empty) when there is none.
  bool GetFilters(CString& text) const;
  // The content of a file the editor does not read itself, or null.
  HGLOBAL FilterRead(LPCSTR path, float scale = 0.0f) const;
  // False when the library refuses to be used (or is missing).
  bool CanUse(int value) const;

private:
  GetFiltersEntry m_getFilters;
  GetVersionEntry m_getVersion;
  FilterReadEntry m_filterRead;
  CanUseEntry m_canUse;
};
