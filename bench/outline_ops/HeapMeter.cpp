#include "bench/outline_ops/HeapMeter.h"

#include <cstdlib>
#include <new>

namespace {

// Each block starts with its size, in a header that keeps the block's alignment.
const std::size_t kHeader = alignof(std::max_align_t);
std::size_t g_inUse = 0, g_peak = 0;

void* Take(std::size_t size) {
  char* block = static_cast<char*>(std::malloc(size + kHeader));
  if (!block) return nullptr;
  *reinterpret_cast<std::size_t*>(block) = size;
  g_inUse += size;
  if (g_inUse > g_peak) g_peak = g_inUse;
  return block + kHeader;
}

void Give(void* pointer) {
  if (!pointer) return;
  char* block = static_cast<char*>(pointer) - kHeader;
  g_inUse -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}

}  // namespace

namespace bench {

std::size_t HeapInUse() { return g_inUse; }
std::size_t HeapPeak() { return g_peak; }
void RestartHeapPeak() { g_peak = g_inUse; }

}  // namespace bench

void* operator new(std::size_t size) {
  if (void* p = Take(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Take(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Take(size); }
void operator delete(void* p) noexcept { Give(p); }
void operator delete[](void* p) noexcept { Give(p); }
void operator delete(void* p, std::size_t) noexcept { Give(p); }
void operator delete[](void* p, std::size_t) noexcept { Give(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Give(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Give(p); }
