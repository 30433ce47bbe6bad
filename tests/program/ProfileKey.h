// The program's profile in a registry key of its own for the length of a test, removed
// afterwards; the application goes back to the profile it had. Settings a test stores (page
// defaults, font sizes) then reach no other test.
#pragma once

#include <windows.h>

#include <string>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42App.h"

inline void DeleteKeyTree(HKEY parent, const std::string& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char child[256];
  DWORD length = sizeof child;
  while (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS) {
    DeleteKeyTree(key, child);
    length = sizeof child;
  }
  RegCloseKey(key);
  RegDeleteKeyA(parent, name.c_str());
}

class ProfileKey {
public:
  explicit ProfileKey(const char* name)
      : m_name(name), m_key(theApp.m_pszRegistryKey), m_profile(theApp.m_pszProfileName) {
    theApp.SetRegistryKey(name);
    m_attached = g_appProfile.GetApp();
    g_appProfile.Attach();
  }
  ~ProfileKey() {
    DeleteKeyTree(HKEY_CURRENT_USER, "Software\\" + m_name);
    theApp.m_pszRegistryKey = m_key;
    theApp.m_pszProfileName = m_profile;
    if (!m_attached) g_appProfile = CAppProfile();
  }
  ProfileKey(const ProfileKey&) = delete;
  ProfileKey& operator=(const ProfileKey&) = delete;

private:
  std::string m_name;
  LPCSTR m_key;
  LPCSTR m_profile;
  CWinApp* m_attached = nullptr;
};
