// Job files and data files for the job manager's tests, written in a test's own folder: a job
// file as the editor writes it (CJobFile's bytes), any bytes as a file, and a file read back.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "output/JobFile.h"

inline bool WriteFileBytes(const std::string& path, const std::vector<BYTE>& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = bytes.empty() ||
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

inline std::vector<BYTE> ReadFileBytes(const std::string& path) {
  std::vector<BYTE> bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  BYTE buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.insert(bytes.end(), buffer, buffer + got);
  CloseHandle(file);
  return bytes;
}

inline bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Plot data of a given length that holds NUL bytes and every other byte value.
inline std::vector<BYTE> PlotData(size_t length) {
  std::vector<BYTE> bytes(length);
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<BYTE>(i * 7);
  return bytes;
}

// Writes the job file jobPath naming a port and a data file.
inline bool WriteJob(const std::string& jobPath, const std::string& port,
                     const std::string& dataPath, const std::string& document = "Sign") {
  CJobFile job;
  job.SetOutputMethod(2);
  job.SetPortName(port.c_str());
  job.SetDocumentName(document.c_str());
  job.SetDataPath(dataPath.c_str());
  return WriteFileBytes(jobPath, job.BuildBytes());
}
