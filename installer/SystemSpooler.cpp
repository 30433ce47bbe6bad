#include "installer/SystemSpooler.h"

#include <vector>

namespace {

// Calls an enumeration twice: for the size it needs, then to fill a buffer of that size.
template <typename Enumerate>
bool EnumerateInto(std::vector<BYTE>& buffer, DWORD* count, Enumerate enumerate) {
  DWORD needed = 0;
  *count = 0;
  enumerate(nullptr, 0, &needed, count);
  buffer.assign(needed ? needed : 1, 0);
  return enumerate(buffer.data(), static_cast<DWORD>(buffer.size()), &needed, count) != FALSE;
}

}  // namespace

bool CSystemSpooler::GetDriverDirectory(CString* folder) {
  char path[MAX_PATH] = {};
  DWORD needed = 0;
  if (!GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(path), sizeof path,
                                  &needed))
    return false;
  path[sizeof path - 1] = '\0';
  *folder = path;
  folder->TrimRight('\\');
  if (folder->IsEmpty()) {
    SetLastError(ERROR_PATH_NOT_FOUND);
    return false;
  }
  return true;
}

void CSystemSpooler::ListPorts(CStringArray& ports) {
  ports.RemoveAll();
  std::vector<BYTE> buffer;
  DWORD count = 0;
  if (!EnumerateInto(buffer, &count, [](LPBYTE data, DWORD size, LPDWORD needed, LPDWORD n) {
        return EnumPortsA(nullptr, 1, data, size, needed, n);
      }))
    return;
  const PORT_INFO_1A* info = reinterpret_cast<const PORT_INFO_1A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i)
    if (info[i].pName && *info[i].pName) ports.Add(info[i].pName);
}

bool CSystemSpooler::DriverExists(LPCSTR name) {
  std::vector<BYTE> buffer;
  DWORD count = 0;
  if (!EnumerateInto(buffer, &count, [](LPBYTE data, DWORD size, LPDWORD needed, LPDWORD n) {
        return EnumPrinterDriversA(nullptr, nullptr, 1, data, size, needed, n);
      }))
    return false;
  const DRIVER_INFO_1A* info = reinterpret_cast<const DRIVER_INFO_1A*>(buffer.data());
  for (DWORD i = 0; i < count; ++i)
    if (info[i].pName && lstrcmpiA(info[i].pName, name) == 0) return true;
  return false;
}

bool CSystemSpooler::PrinterExists(LPCSTR name) {
  HANDLE printer = nullptr;
  if (!OpenPrinterA(const_cast<LPSTR>(name), &printer, nullptr)) return false;
  ClosePrinter(printer);
  return true;
}

bool CSystemSpooler::AddDriver(DRIVER_INFO_3A* driver) {
  return AddPrinterDriverExA(nullptr, 3, reinterpret_cast<LPBYTE>(driver), APD_COPY_ALL_FILES) !=
         FALSE;
}

bool CSystemSpooler::AddPrinterQueue(PRINTER_INFO_2A* printer) {
  HANDLE handle = ::AddPrinterA(nullptr, 2, reinterpret_cast<LPBYTE>(printer));
  if (!handle) return false;
  ClosePrinter(handle);
  return true;
}

bool CSystemSpooler::DeleteDriver(LPCSTR name) {
  return DeletePrinterDriverA(nullptr, nullptr, const_cast<LPSTR>(name)) != FALSE;
}
