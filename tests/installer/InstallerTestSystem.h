// What the installer's tests need of the system: a program folder with the built driver files
// and a catalogue of two models, the spooler's printers, drivers and driver folder read back as
// one comparable picture, and the prefix the tests must run in (they change the spooler).
#pragma once

#include <windows.h>

#include <winspool.h>

#include <map>
#include <string>
#include <vector>

#include "support/TempFolder.h"

inline std::string Variable(const char* name) {
  char value[MAX_PATH * 2] = {};
  DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length < sizeof value ? std::string(value, length) : std::string();
}

// True in the installer tests' own Wine prefix (tests/installer/installer_prefix.sh).
inline bool InInstallerPrefix() {
  const std::string prefix = Variable("WINEPREFIX"), own = "installer-wineprefix";
  return prefix.size() >= own.size() &&
         prefix.compare(prefix.size() - own.size(), own.size(), own) == 0;
}

// The prefix's file port, as the spooler names it.
inline std::string FilePortName() { return Variable("TALVEX_INSTALLER_PORT"); }

// A program folder holding the driver files as the build made them.
class InstallerFolder {
public:
  InstallerFolder() : m_folder("fennik") {
    for (const char* name :
         {"TLVCUT.DLL", "TLVCUTUI.DLL", "TLVHPGL.PCD", "TLVDMPL.PCD", "TLVCUT.TXT"})
      CopyBuilt(name);
  }
  const std::string& Path() const { return m_folder.Path(); }  // with a closing backslash
  std::string File(const std::string& name) const { return m_folder.File(name); }

  bool CopyBuilt(const std::string& name) const {
    char path[MAX_PATH * 2] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string built(path);
    built = built.substr(0, built.rfind('\\') + 1) + "program\\" + name;
    return CopyFileA(built.c_str(), File(name).c_str(), FALSE) != FALSE;
  }
  bool Write(const std::string& name, const std::string& text) const {
    HANDLE file = CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                              nullptr);
    DWORD written = 0;
    BOOL ok = file != INVALID_HANDLE_VALUE &&
              WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return ok && written == text.size();
  }

private:
  TempFolder m_folder;
};

// A catalogue of two models sharing the driver files, with LanguageID and further [MARK] lines.
inline std::string TestCatalogue(int languageId, const std::string& marks = "") {
  return "[MARK]\r\nLanguageID=" + std::to_string(languageId) + "\r\n" + marks +
         "[Manufacturer]\r\n%Talvex%\r\n"
         "[Talvex]\r\n\"Test HP-GL Cutter\" = HPGL\r\n\"Test DM/PL Cutter\" = DMPL\r\n"
         "[HPGL]\r\nCopyFiles=@TLVCUT.DLL, @TLVCUTUI.DLL, @TLVHPGL.PCD, Help\r\n"
         "DataSection=Scripts\r\n"
         "[DMPL]\r\nCopyFiles=@TLVCUT.DLL,@TLVCUTUI.DLL,@TLVDMPL.PCD,Help\r\n"
         "DataSection=Scripts\r\n"
         "[Help]\r\nTLVCUT.TXT\r\n"
         "[Scripts]\r\nDriverFile=TLVCUT.DLL\r\nConfigFile=TLVCUTUI.DLL\r\nHelpFile=TLVCUT.TXT\r\n";
}

// Calls each with every item a spooler enumeration gives.
template <typename Info, typename Enumerate, typename Each>
void ForEachEnumerated(Enumerate enumerate, Each each) {
  DWORD needed = 0, count = 0;
  enumerate(nullptr, 0, &needed, &count);
  std::vector<BYTE> buffer(needed + sizeof(Info));
  if (!enumerate(buffer.data(), static_cast<DWORD>(buffer.size()), &needed, &count)) return;
  const Info* info = reinterpret_cast<const Info*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) each(info[i]);
}

inline std::string Text(LPCSTR text) { return text ? text : ""; }

// Printer name -> "port|driver|device name of its default mode".
inline std::map<std::string, std::string> Printers() {
  std::map<std::string, std::string> printers;
  ForEachEnumerated<PRINTER_INFO_2A>(
      [](LPBYTE data, DWORD size, LPDWORD needed, LPDWORD count) {
        return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, count);
      },
      [&](const PRINTER_INFO_2A& p) {
        std::string device = p.pDevMode ? Text(reinterpret_cast<LPCSTR>(p.pDevMode->dmDeviceName))
                                        : "";
        printers[Text(p.pPrinterName)] = Text(p.pPortName) + "|" + Text(p.pDriverName) + "|" +
                                         device;
      });
  return printers;
}

// Driver name -> its driver, data, configuration and help file and its dependent files.
inline std::map<std::string, std::vector<std::string>> Drivers() {
  std::map<std::string, std::vector<std::string>> drivers;
  ForEachEnumerated<DRIVER_INFO_3A>(
      [](LPBYTE data, DWORD size, LPDWORD needed, LPDWORD count) {
        return EnumPrinterDriversA(nullptr, nullptr, 3, data, size, needed, count);
      },
      [&](const DRIVER_INFO_3A& d) {
        std::vector<std::string>& files = drivers[Text(d.pName)];
        files = {Text(d.pDriverPath), Text(d.pDataFile), Text(d.pConfigFile), Text(d.pHelpFile)};
        for (LPCSTR file = d.pDependentFiles; file && *file; file += strlen(file) + 1)
          files.push_back(file);
      });
  return drivers;
}

inline std::string DriverFolder() {
  char folder[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(folder), sizeof folder,
                             &needed);
  return folder;
}

inline std::string FileText(const std::string& path) {
  std::string text;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  char buffer[4096];
  DWORD got = 0;
  while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &got, nullptr) &&
         got)
    text.append(buffer, got);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return text;
}

// Everything an installation changes: printers, drivers and the driver folder's files.
struct SpoolerPicture {
  std::map<std::string, std::string> printers = Printers();
  std::map<std::string, std::vector<std::string>> drivers = Drivers();
  std::map<std::string, std::string> files = FolderFiles();

  static std::map<std::string, std::string> FolderFiles() {
    std::map<std::string, std::string> files;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((DriverFolder() + "\\*").c_str(), &entry);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &entry))
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        files[entry.cFileName] = FileText(DriverFolder() + "\\" + entry.cFileName);
    if (find != INVALID_HANDLE_VALUE) FindClose(find);
    return files;
  }
  bool operator==(const SpoolerPicture& o) const {
    return printers == o.printers && drivers == o.drivers && files == o.files;
  }
};

// Deletes a test's printer and driver, so that the next test starts without them.
inline void RemovePrinterAndDriver(const char* name) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterA(const_cast<LPSTR>(name), &printer, &access)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
  DeletePrinterDriverA(nullptr, nullptr, const_cast<LPSTR>(name));
}
