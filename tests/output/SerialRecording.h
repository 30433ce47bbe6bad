// What arrives at the pseudo-terminal that Wine maps COM1 and COM12 to (see serial_pty.sh and
// tools/common.sh): socat records it in the build folder's serial\OUT.
#pragma once

#include <windows.h>

#include <string>

#include "media/DllModule.h"

inline std::string RecordedFile() {
  return std::string(CDllModule::ProgramFolder().GetString()) + "serial\\OUT";
}

inline std::string Recorded() {
  HANDLE file = CreateFileA(RecordedFile().c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(file);
  return text;
}

// The recording grows behind our back: wait (bounded) until it ends with what was sent.
inline bool Arrives(const std::string& expected) {
  for (int i = 0; i < 500; ++i) {
    std::string text = Recorded();
    if (text.size() >= expected.size() &&
        text.compare(text.size() - expected.size(), expected.size(), expected) == 0)
      return true;
    Sleep(10);
  }
  return false;
}

// COM1 is the test terminal only where tools/test mapped it.
inline bool Com1IsMapped() {
  HANDLE probe = CreateFileA("\\\\.\\COM1", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (probe == INVALID_HANDLE_VALUE) return false;
  CloseHandle(probe);
  return true;
}
