// CPrintSpooler: the calls the installer makes of the system's print spooler on the local
// machine, in the system's own environment. CSystemSpooler makes them for real; tests wrap it to
// make one call fail. Calls that return false leave the system's error code for GetLastError.
#pragma once

#include <windows.h>

#include <winspool.h>

#include "framework/String.h"
#include "framework/StringArray.h"

class CPrintSpooler {
public:
  virtual ~CPrintSpooler() = default;

  // The printer-driver folder, without a closing backslash.
  virtual bool GetDriverDirectory(CString* folder) = 0;
  // The names of the local ports, in the spooler's order.
  virtual void ListPorts(CStringArray& ports) = 0;
  virtual bool DriverExists(LPCSTR name) = 0;
  virtual bool PrinterExists(LPCSTR name) = 0;
  // Registers a driver whose files are already in the driver folder (level 3, all files copied).
  virtual bool AddDriver(DRIVER_INFO_3A* driver) = 0;
  // Adds a printer (level 2) and closes the handle the spooler gives for it.
  virtual bool AddPrinterQueue(PRINTER_INFO_2A* printer) = 0;
  virtual bool DeleteDriver(LPCSTR name) = 0;
};
