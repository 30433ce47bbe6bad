// Reading one hostile file in a process of its own: the benchmark starts itself again with a
// switch and the file's path, so that the peak memory the child prints is the read's alone. A
// child that takes longer than a limit is stopped; one that ends without leaving its done mark
// beside the file crashed (under Wine a crashed child may still report exit code 0).
#pragma once

#include <windows.h>

#include <string>

namespace ChildRead {

// The peak working set of this process, in megabytes.
double PeakMb();
// The file's path when this process was started as a child with the switch; null otherwise.
const char* FileFor(const char* childSwitch);
// The child's last step: the mark that tells the parent it did not crash.
void MarkDone(const char* path);
// Starts the child on the file and waits; says so when it crashed or had to be stopped.
void InOwnProcess(const char* childSwitch, const std::string& path, DWORD limitSeconds);
// Writes the file, prints its label and size, reads it in a process of its own, deletes it.
void WriteAndRead(const char* childSwitch, const std::string& path, const void* bytes, size_t size,
                  const char* label, DWORD limitSeconds);

}  // namespace ChildRead
