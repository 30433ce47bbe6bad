#include "installer/CutterInfo.h"

#include <cstring>

std::vector<char> CCutterInfo::DependentFileList() const {
  std::vector<char> list;
  for (INT_PTR i = 0; i < dependentFiles.GetSize(); ++i) {
    const CString& file = dependentFiles[i];
    list.insert(list.end(), file.GetString(), file.GetString() + file.GetLength());
    list.push_back('\0');
  }
  list.push_back('\0');
  if (list.size() == 1) list.push_back('\0');  // an empty list is still two zero bytes
  return list;
}

DEVMODEA CCutterInfo::DefaultDevMode() const {
  DEVMODEA mode;
  memset(&mode, 0, sizeof mode);
  mode.dmSpecVersion = DM_SPECVERSION;
  mode.dmSize = sizeof mode;
  // The name was checked to fit; the copy stays inside the field whatever it holds.
  size_t length = static_cast<size_t>(name.GetLength());
  if (length > sizeof mode.dmDeviceName - 1) length = sizeof mode.dmDeviceName - 1;
  memcpy(mode.dmDeviceName, name.GetString(), length);
  return mode;
}
