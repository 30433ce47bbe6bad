// CCutterInfo: the installation record of one cutter model, filled from the catalogue before
// anything is installed: the printer and driver name, the driver's four files (paths in the
// program folder), the dependent files (plain names, in catalogue order) and the port the
// printer is added on. The name has been checked to fit a device mode's device name.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"
#include "framework/StringArray.h"

// The spooler's default device mode is the 156-byte form of the system's headers.
static_assert(sizeof(DEVMODEA) == 156, "the device mode handed to the spooler has 156 bytes");

class CCutterInfo {
public:
  CString name;
  CString driverPath;
  CString configPath;
  CString dataPath;
  CString helpPath;
  CStringArray dependentFiles;
  CString portName;

  // The dependent files as the spooler takes them: each name ended by a zero byte, the list
  // ended by an empty name.
  std::vector<char> DependentFileList() const;
  // The printer's default device mode: the name as its device name, nothing else set.
  DEVMODEA DefaultDevMode() const;
};
