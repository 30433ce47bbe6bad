#include "bench/import/ChildRead.h"

// The memory counters from kernel32 itself.
#define PSAPI_VERSION 2
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cstring>

#include "addons/importfilter/FilterRead.h"

namespace ChildRead {
namespace {

std::string DoneMark(const std::string& path) { return path + ".done"; }

double PeakMb() {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
  return counters.PeakWorkingSetSize / 1048576.0;
}

const char* FileFor(const char* childSwitch) {
  return __argc == 3 && strcmp(__argv[1], childSwitch) == 0 ? __argv[2] : nullptr;
}

void MarkDone(const char* path) {
  if (FILE* done = fopen(DoneMark(path).c_str(), "wb")) fclose(done);
}

void InOwnProcess(const char* childSwitch, const std::string& path, DWORD limitSeconds) {
  char program[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string command = std::string("\"") + program + "\" " + childSwitch + " \"" + path + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  ::DeleteFileA(DoneMark(path).c_str());
  if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    printf("could not start the reading process\n");
    return;
  }
  if (::WaitForSingleObject(process.hProcess, limitSeconds * 1000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 1);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    printf("not done after %lu s, stopped\n", limitSeconds);
  } else if (!::DeleteFileA(DoneMark(path).c_str())) {
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    printf("crashed (exit code 0x%08lX)\n", code);
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  fflush(stdout);
}

}  // namespace

bool RunIfChild(const char* childSwitch, Reader read) {
  const char* path = FileFor(childSwitch);
  if (!path) return false;
  const double startMb = PeakMb();
  const auto start = std::chrono::steady_clock::now();
  const std::string outcome = read(path);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  printf("%s in %.3f s, peak %.1f MB (%.1f MB before reading)\n", outcome.c_str(), seconds,
         PeakMb(), startMb);
  fflush(stdout);
  MarkDone(path);
  return true;
}

std::string ThroughFilter(const char* path) {
  ImportFilterReport report = {};
  HGLOBAL record = CFilterRead::Read(path, 0.0f, &report);
  const bool read = record != nullptr;
  if (read) ::GlobalFree(record);
  return std::string(read ? "read" : "nothing read") + " (problem " +
         std::to_string(report.problem) + ", line " + std::to_string(report.line) + ")";
}

void WriteAndRead(const char* childSwitch, const std::string& path, const void* bytes, size_t size,
                  const char* label, DWORD limitSeconds) {
  FILE* out = fopen(path.c_str(), "wb");
  if (!out) return;
  fwrite(bytes, 1, size, out);
  fclose(out);
  printf("%-38s %9.1f KB: ", label, size / 1024.0);
  fflush(stdout);
  InOwnProcess(childSwitch, path, limitSeconds);
  ::DeleteFileA(path.c_str());
}

}  // namespace ChildRead
