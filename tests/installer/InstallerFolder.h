// A program folder for the installer's tests, under the temporary folder: the driver files and
// the installer as the build made them, and catalogues the tests write.
#pragma once

#include <windows.h>

#include <string>

#include "support/TempFolder.h"

inline std::string BuiltProgramFolder() {
  char path[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1) + "program\\";
}

// The files a cutter queue's driver is made of, as the build puts them in the program folder.
const char* const kDriverFiles[] = {"TLVCUT.DLL", "TLVCUTUI.DLL", "TLVHPGL.PCD", "TLVDMPL.PCD",
                                    "TLVCUT.TXT"};

class InstallerFolder {
public:
  InstallerFolder() : m_folder("fennik") {
    for (const char* name : kDriverFiles) CopyBuilt(name);
  }

  // With a trailing backslash.
  const std::string& Path() const { return m_folder.Path(); }
  std::string File(const std::string& name) const { return m_folder.File(name); }

  bool CopyBuilt(const std::string& name) const {
    return CopyFileA((BuiltProgramFolder() + name).c_str(), File(name).c_str(), FALSE) != FALSE;
  }
  bool Write(const std::string& name, const std::string& text) const {
    HANDLE file = CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
  }

private:
  TempFolder m_folder;
};

// A catalogue of two models sharing the driver files; LanguageID and the texts are given.
inline std::string TestCatalogue(int languageId, const std::string& marks = "") {
  return "[MARK]\r\nLanguageID=" + std::to_string(languageId) + "\r\n" + marks +
         "\r\n[Manufacturer]\r\n%Talvex%\r\n"
         "[Talvex]\r\n"
         "\"Test HP-GL Cutter\" = HPGL\r\n"
         "\"Test DM/PL Cutter\" = DMPL\r\n"
         "[HPGL]\r\nCopyFiles=@TLVCUT.DLL, @TLVCUTUI.DLL, @TLVHPGL.PCD, Help\r\n"
         "DataSection=Scripts\r\n"
         "[DMPL]\r\nCopyFiles=@TLVCUT.DLL,@TLVCUTUI.DLL,@TLVDMPL.PCD,Help\r\nDataSection="
         "Scripts\r\n"
         "[Help]\r\nTLVCUT.TXT\r\n"
         "[Scripts]\r\nDriverFile=TLVCUT.DLL\r\nConfigFile=TLVCUTUI.DLL\r\nHelpFile=TLVCUT.TXT\r\n";
}

// The installer's tests change the spooler: they run only in their own Wine prefix.
inline bool InInstallerPrefix() {
  char prefix[MAX_PATH * 2] = {};
  DWORD length = GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix);
  std::string text(prefix, length < sizeof prefix ? length : 0);
  const std::string own = "installer-wineprefix";
  return text.size() >= own.size() && text.compare(text.size() - own.size(), own.size(), own) == 0;
}

// The file port the tests' prefix has, as the spooler names it and as a Windows path.
inline std::string FilePortName() {
  char port[MAX_PATH * 2] = {};
  DWORD length = GetEnvironmentVariableA("TALVEX_INSTALLER_PORT", port, sizeof port);
  return std::string(port, length < sizeof port ? length : 0);
}

inline std::string FilePortPath() {
  std::string path = "Z:" + FilePortName();
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}
