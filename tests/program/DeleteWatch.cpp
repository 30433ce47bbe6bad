#include "DeleteWatch.h"

#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

// Enough for the objects one window's creation and destruction deletes; past it blocks are freed.
const size_t kKeptCapacity = 1 << 16;
void* g_kept[kKeptCapacity];
size_t g_keptCount = 0;
bool g_watching = false;
int g_repeated = 0;

bool IsKept(void* block) {
  for (size_t i = 0; i < g_keptCount; ++i) {
    if (g_kept[i] == block) return true;
  }
  return false;
}

void Release(void* block) {
  if (!block) return;
  if (g_watching) {
    if (IsKept(block)) {
      ++g_repeated;
      return;
    }
    if (g_keptCount < kKeptCapacity) {
      g_kept[g_keptCount++] = block;
      return;
    }
  }
  std::free(block);  // the library's operator new takes its blocks from malloc
}

}  // namespace

void operator delete(void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }

DeleteWatch::DeleteWatch() {
  g_keptCount = 0;
  g_repeated = 0;
  g_watching = true;
}

DeleteWatch::~DeleteWatch() {
  g_watching = false;
  for (size_t i = 0; i < g_keptCount; ++i) std::free(g_kept[i]);
  g_keptCount = 0;
}

int DeleteWatch::RepeatedDeletes() const { return g_repeated; }
