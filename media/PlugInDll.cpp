#include "media/PlugInDll.h"

#include <vector>

#include "media/DllModule.h"

CPlugInDll::CPlugInDll(LPCSTR path)
    : About(nullptr), GetDllName(nullptr), m_path(path), m_module(nullptr) {}

CPlugInDll::~CPlugInDll() {
  // Not virtual dispatch during destruction: only this class's part is released here.
  if (m_module && !FreeLibrary(m_module)) MessageBeep(0);
  m_module = nullptr;
}

void CPlugInDll::SetPath(LPCSTR name) {
  if (!name) return;
  if (name[0] && name[1] == ':') {
    m_path = name;
    return;
  }
  m_path = CDllModule::ProgramFolder() + name;
}

HMODULE CPlugInDll::Load(LPCSTR name) {
  if (m_module) {
    FreeLibrary(m_module);
    m_module = nullptr;
  }
  SetPath(name);
  m_displayName.Empty();
  if (m_path.IsEmpty()) return nullptr;
  m_module = LoadLibraryA(m_path);
  if (!m_module) return nullptr;
  BindEntries();
  if (GetDllName) ReadDisplayName();
  return m_module;
}

void CPlugInDll::ReadDisplayName() {
  // A plug-in knows nothing of our buffer's size: give it ample room and cut what it wrote.
  std::vector<char> buffer(4096, '\0');
  GetDllName(buffer.data());
  buffer.back() = '\0';
  m_displayName = CDllModule::ClipText(buffer.data(), kDisplayNameLength - 1);
}

void CPlugInDll::BindEntries() {
  BindEntry(About, "About");
  BindEntry(GetDllName, "GetDllName");
}

void CPlugInDll::Unload() {
  if (m_module) {
    if (!FreeLibrary(m_module)) MessageBeep(0);
    m_module = nullptr;
  }
  About = nullptr;
  GetDllName = nullptr;
}

FARPROC CPlugInDll::GetProc(LPCSTR name) const {
  return m_module ? GetProcAddress(m_module, name) : nullptr;
}
