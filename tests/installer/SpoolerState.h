// What the installer's tests read back from the print spooler of their own Wine prefix: the
// printers (name, port, driver, device name of the default mode), the drivers (name, files) and
// the files of the printer-driver folder, as one comparable picture of the system's state; and
// helpers that put a test's printers and drivers away again.
#pragma once

#include <windows.h>

#include <winspool.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

struct InstalledPrinter {
  std::string port;
  std::string driver;
  std::string deviceName;  // of the printer's default device mode
};

struct InstalledDriver {
  std::string driverPath;
  std::string dataPath;
  std::string configPath;
  std::string helpPath;
  std::vector<std::string> dependentFiles;
};

template <typename Enumerate>
std::vector<BYTE> EnumerateSpooler(DWORD* count, Enumerate enumerate) {
  DWORD needed = 0;
  *count = 0;
  enumerate(nullptr, 0, &needed, count);
  std::vector<BYTE> buffer(needed ? needed : 1);
  if (!enumerate(buffer.data(), static_cast<DWORD>(buffer.size()), &needed, count)) *count = 0;
  return buffer;
}

inline std::string Text(LPCSTR text) { return text ? text : ""; }

inline std::map<std::string, InstalledPrinter> Printers() {
  DWORD count = 0;
  std::vector<BYTE> buffer = EnumerateSpooler(&count, [](LPBYTE data, DWORD size, LPDWORD needed,
                                                         LPDWORD n) {
    return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, data, size, needed, n);
  });
  std::map<std::string, InstalledPrinter> printers;
  const PRINTER_INFO_2A* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    InstalledPrinter& printer = printers[Text(info[i].pPrinterName)];
    printer.port = Text(info[i].pPortName);
    printer.driver = Text(info[i].pDriverName);
    if (info[i].pDevMode)
      printer.deviceName = reinterpret_cast<LPCSTR>(info[i].pDevMode->dmDeviceName);
  }
  return printers;
}

inline std::map<std::string, InstalledDriver> Drivers() {
  DWORD count = 0;
  std::vector<BYTE> buffer = EnumerateSpooler(&count, [](LPBYTE data, DWORD size, LPDWORD needed,
                                                         LPDWORD n) {
    return EnumPrinterDriversA(nullptr, nullptr, 3, data, size, needed, n);
  });
  std::map<std::string, InstalledDriver> drivers;
  const DRIVER_INFO_3A* info = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i) {
    InstalledDriver& driver = drivers[Text(info[i].pName)];
    driver.driverPath = Text(info[i].pDriverPath);
    driver.dataPath = Text(info[i].pDataFile);
    driver.configPath = Text(info[i].pConfigFile);
    driver.helpPath = Text(info[i].pHelpFile);
    for (LPCSTR file = info[i].pDependentFiles; file && *file; file += strlen(file) + 1)
      driver.dependentFiles.push_back(file);
  }
  return drivers;
}

inline std::string DriverFolder() {
  char folder[MAX_PATH] = {};
  DWORD needed = 0;
  GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(folder), sizeof folder,
                             &needed);
  return folder;
}

// The files of the driver folder (not its sub-folders) with their contents.
inline std::map<std::string, std::string> DriverFolderFiles() {
  std::map<std::string, std::string> files;
  const std::string folder = DriverFolder() + "\\";
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string content;
    HANDLE file = CreateFileA((folder + entry.cFileName).c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD got = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &got, nullptr) &&
           got)
      content.append(buffer, got);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    files[entry.cFileName] = content;
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return files;
}

// Everything an installation can change, to compare before and after.
struct SpoolerPicture {
  std::map<std::string, InstalledPrinter> printers = Printers();
  std::vector<std::string> driverNames = DriverNames();
  std::map<std::string, std::string> driverFiles = DriverFolderFiles();

  static std::vector<std::string> DriverNames() {
    std::vector<std::string> names;
    for (const auto& driver : Drivers()) names.push_back(driver.first);
    return names;
  }
  std::vector<std::string> PrinterNames() const {
    std::vector<std::string> names;
    for (const auto& printer : printers) names.push_back(printer.first);
    return names;
  }
};

// Deletes a printer and its driver of a test, so that the next test starts without them.
inline void RemovePrinterAndDriver(const std::string& name) {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterA(const_cast<LPSTR>(name.c_str()), &printer, &access)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
  DeletePrinterDriverA(nullptr, nullptr, const_cast<LPSTR>(name.c_str()));
}
