// CSystemSpooler: the installer's calls of the print spooler (winspool) on the local machine.
#pragma once

#include "installer/PrintSpooler.h"

class CSystemSpooler : public CPrintSpooler {
public:
  bool GetDriverDirectory(CString* folder) override;
  void ListPorts(CStringArray& ports) override;
  bool DriverExists(LPCSTR name) override;
  bool PrinterExists(LPCSTR name) override;
  bool AddDriver(DRIVER_INFO_3A* driver) override;
  bool AddPrinterQueue(PRINTER_INFO_2A* printer) override;
  bool DeleteDriver(LPCSTR name) override;
};
