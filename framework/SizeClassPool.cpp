#include "framework/SizeClassPool.h"

#include <cstdint>
#include <new>

#include "framework/SpinGuard.h"

namespace {

// The start of every chunk; objects follow it. The region chain is used in a region's first chunk.
struct ChunkHeader {
  DWORD classIndex;
  BYTE* nextRegion;
};
const size_t kHeaderSize = 16;
static_assert(sizeof(ChunkHeader) <= kHeaderSize, "a chunk header keeps objects granule-aligned");

ChunkHeader* ChunkOf(const void* object) {
  uintptr_t address = reinterpret_cast<uintptr_t>(object);
  return reinterpret_cast<ChunkHeader*>(address & ~(uintptr_t(CSizeClassPool::kChunkSize) - 1));
}

CSizeClassPool g_shared;

}  // namespace

CSizeClassPool& CSizeClassPool::Shared() { return g_shared; }

void* CSizeClassPool::Allocate(size_t size) {
  if (!InPool(size)) return ::operator new(size);
  size_t index = ClassIndex(size);
  SizeClass& sizeClass = m_classes[index];
  size_t objectSize = (index + 1) * kGranule;
  CSpinGuard guard(sizeClass.lock);
  void* object = sizeClass.freeList;
  if (object) {
    sizeClass.freeList = *static_cast<void**>(object);
  } else {
    if (static_cast<size_t>(sizeClass.end - sizeClass.cursor) < objectSize) {
      BYTE* chunk = TakeChunk(index);
      sizeClass.cursor = chunk + kHeaderSize;
      sizeClass.end = chunk + kChunkSize;
    }
    object = sizeClass.cursor;
    sizeClass.cursor += objectSize;
  }
  ++sizeClass.live;
  return object;
}

void CSizeClassPool::Free(void* object, size_t size) {
  if (!object) return;
  if (!InPool(size)) {
    ::operator delete(object);
    return;
  }
  // The chunk, not the size given, says where the object belongs.
  SizeClass& sizeClass = m_classes[ChunkOf(object)->classIndex];
  CSpinGuard guard(sizeClass.lock);
  *static_cast<void**>(object) = sizeClass.freeList;
  sizeClass.freeList = object;
  --sizeClass.live;
}

BYTE* CSizeClassPool::TakeChunk(size_t classIndex) {
  CSpinGuard guard(m_regionLock);
  if (m_regionCursor == m_regionEnd) {
    size_t bytes = kChunkSize * kChunksPerRegion;
    // Regions start on the system's allocation granularity (64 KB), so chunks are aligned.
    auto* region = static_cast<BYTE*>(
        ::VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (!region) throw std::bad_alloc();
    // Locking brings the region's pages in with one call rather than one fault each as objects
    // are carved (it halves the cost of a first open under Wine); where the working-set quota
    // does not allow it the call fails and the pages come in as they are touched.
    if (::VirtualLock(region, bytes)) ::VirtualUnlock(region, bytes);
    reinterpret_cast<ChunkHeader*>(region)->nextRegion = m_regions;
    m_regions = region;
    m_regionBytes += bytes;
    m_regionCursor = region;
    m_regionEnd = region + bytes;
  }
  BYTE* chunk = m_regionCursor;
  m_regionCursor += kChunkSize;
  auto* header = reinterpret_cast<ChunkHeader*>(chunk);
  header->classIndex = static_cast<DWORD>(classIndex);
  return chunk;
}

void CSizeClassPool::ReleaseAll() {
  for (SizeClass& sizeClass : m_classes) {
    sizeClass.freeList = nullptr;
    sizeClass.cursor = sizeClass.end = nullptr;
    sizeClass.live = 0;
  }
  while (m_regions) {
    BYTE* next = reinterpret_cast<ChunkHeader*>(m_regions)->nextRegion;
    ::VirtualFree(m_regions, 0, MEM_RELEASE);
    m_regions = next;
  }
  m_regionCursor = m_regionEnd = nullptr;
  m_regionBytes = 0;
}

size_t CSizeClassPool::LiveObjects() const {
  size_t live = 0;
  for (const SizeClass& sizeClass : m_classes) live += sizeClass.live;
  return live;
}

size_t CSizeClassPool::RegionBytes() const { return m_regionBytes; }

size_t CSizeClassPool::ClassSizeOf(const void* object) {
  return (ChunkOf(object)->classIndex + 1) * kGranule;
}
