// The resources start-up chooses for an interface language, in use while the object lives, and the
// files of the build's program folder.
#pragma once

#include <windows.h>

#include <string>

#include "editor/TALVEX42App.h"
#include "framework/ResourceModule.h"
#include "model/settings/IniFile.h"
#include "model/settings/ProgramPaths.h"
#include "support/TempFolder.h"

// A file of the build's program folder (beside the test programs, in program\).
inline std::string ProgramFile(const char* name) {
  char folder[MAX_PATH * 2] = {};
  GetProgramDir(folder, sizeof folder);
  return std::string(folder) + "program\\" + name;
}

// The resources start-up chooses for a language stored in the settings: the built-in ones for
// Chinese, the English resource library of the program folder for any other.
class StartupResources {
public:
  explicit StartupResources(const char* language) : m_saved(AfxGetResourceHandle()) {
    TempFolder folder;
    std::string settings = folder.File("TALVEX42.INI");
    WritePrivateProfileStringA("SystemParam", "Language", language, settings.c_str());
    CIniFile file;
    file.SetPath(settings.c_str());
    WORD chosen = CTALVEX42App::ReadStartupLanguage(file);
    if (chosen == CTALVEX42App::kBuiltInLanguage) return;
    m_library = LoadLibraryA(ProgramFile(CTALVEX42App::kEnglishLibraryName).c_str());
    if (m_library) AfxSetResourceHandle(m_library);
  }
  ~StartupResources() {
    AfxSetResourceHandle(m_saved);
    if (m_library) FreeLibrary(m_library);
  }
  StartupResources(const StartupResources&) = delete;
  StartupResources& operator=(const StartupResources&) = delete;
  bool English() const { return m_library != nullptr; }

private:
  HINSTANCE m_saved;
  HMODULE m_library = nullptr;
};
