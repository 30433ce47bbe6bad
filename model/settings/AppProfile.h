// CAppProfile: accessor of the application's registry profile (the framework's profile functions
// under the key set by SetRegistryKey). Floats are stored as "%.4f" text; nothing is cached.
// Before it is bound to an application it reads defaults and writes nothing.
#pragma once

#include <windows.h>

#include "framework/String.h"

class CWinApp;

class CAppProfile {
public:
  CAppProfile();

  // Binds to the current module's application object (none yet while globals are built).
  void Attach();
  CWinApp* GetApp() const { return m_app; }

  int GetInt(LPCSTR section, LPCSTR key, int defaultValue) const;
  BOOL WriteInt(LPCSTR section, LPCSTR key, int value) const;
  float GetFloat(LPCSTR section, LPCSTR key, float defaultValue) const;
  BOOL WriteFloat(LPCSTR section, LPCSTR key, float value) const;
  // Copied into the caller's buffer, cut to its size (never inside a double-byte character);
  // returns the number of bytes copied.
  int GetString(LPCSTR section, LPCSTR key, LPSTR buffer, int size, LPCSTR defaultValue) const;
  CString GetString(LPCSTR section, LPCSTR key, LPCSTR defaultValue) const;
  BOOL WriteString(LPCSTR section, LPCSTR key, LPCSTR text) const;

private:
  CWinApp* m_app;
};
