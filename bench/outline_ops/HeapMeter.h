// The heap the benchmark's cases take at their peak: the program's operator new and delete are
// replaced by ones that count the bytes in use, so both our geometry and Clipper (whose
// allocations resolve to the same operators) are measured alike, apart from the inputs.
#pragma once

#include <cstddef>

namespace bench {

// Bytes in use now, and the most in use since the last Restart.
std::size_t HeapInUse();
std::size_t HeapPeak();
void RestartHeapPeak();

}  // namespace bench
