// Reading one hostile file in a process of its own: the benchmark starts itself again with a
// switch and the file's path, so that the peak memory the child prints is the read's alone. A
// child that takes longer than a limit is stopped; one that ends without leaving its done mark
// beside the file crashed (under Wine a crashed child may still report exit code 0).
#pragma once

#include <windows.h>

#include <string>

namespace ChildRead {

// A read of the file as the program reads it; what came of it, in a few words.
using Reader = std::string (*)(const char* path);

// When this process was started as a child with the switch: reads the file, prints what came of
// it, the time and the peak memory, and leaves the done mark; true then, false otherwise.
bool RunIfChild(const char* childSwitch, Reader read);
// The import filter's read, as the merge command reads a drawing.
std::string ThroughFilter(const char* path);
// Writes the file, prints its label and size, reads it in a process of its own, deletes it.
void WriteAndRead(const char* childSwitch, const std::string& path, const void* bytes, size_t size,
                  const char* label, DWORD limitSeconds);

}  // namespace ChildRead
