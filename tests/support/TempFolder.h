// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the scope. Tests write their settings files and program copies there.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

class TempFolder {
public:
  // subfolder may hold several levels ("a\\b"); all are created.
  explicit TempFolder(const std::string& subfolder = "") {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    // Wine gives later runs the same process numbers: a folder left by an earlier run (one that
    // crashed) is passed over, never shared.
    static int serial = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
      char name[64];
      snprintf(name, sizeof name, "talvex-test-%lu-%d\\", GetCurrentProcessId(), ++serial);
      m_root = std::string(temp) + name;
      if (CreateDirectoryA(m_root.c_str(), nullptr)) break;
    }
    m_path = m_root;
    size_t start = 0;
    while (start < subfolder.size()) {
      size_t stop = subfolder.find('\\', start);
      if (stop == std::string::npos) stop = subfolder.size();
      m_path += subfolder.substr(start, stop - start) + "\\";
      CreateDirectoryA(m_path.c_str(), nullptr);
      start = stop + 1;
    }
  }
  ~TempFolder() { RemoveTree(m_root); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The innermost folder, with a trailing backslash.
  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + name; }

private:
  // Wide calls, so that files whose names the code page cannot spell go too.
  static void RemoveTree(const std::string& folder) {
    wchar_t wide[MAX_PATH * 2] = {};
    if (MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, MAX_PATH * 2))
      RemoveTree(std::wstring(wide));
  }
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(folder + name + L"\\");
        else
          DeleteFileW((folder + name).c_str());
      } while (FindNextFileW(find, &entry));
      FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
  }

  std::string m_root;
  std::string m_path;
};
