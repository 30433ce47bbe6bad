// CSizeClassPool: memory for the many small objects a drawing is made of (blocks, the boxes of
// texts), in size classes of kGranule bytes up to kLargestClass bytes. Each class carves its
// objects from kChunkSize chunks that hold that class only; a freed object goes on its class's free
// list and is handed out again before new memory is carved. Chunks are never given back while the
// pool lives: closing one document and opening another reuses pages the process has touched
// already, where the general heap would give them back to the system when a whole region of it
// empties and fault them in afresh for the next document.
//
// A class that lives here routes its class operator new and delete to Allocate and Free with the
// object's size. Free finds the size class from the chunk the object lies in, not from the size it
// is given, so an object always returns to the class it came from. Sizes above kLargestClass (and
// zero) go to the global operator new and delete instead; Allocate and Free agree on that by size.
//
// Chunks are kChunkSize-aligned pieces of regions reserved and committed from the system a
// kChunksPerRegion at a time. Thread-safe: blocks are also made and deleted on worker threads
// (outline operations); each class has its own lock. The pool starts all zero and needs no
// constructor to run, so the shared pool works for objects made during static initialisation; it
// has no destructor, so blocks deleted while the program's objects are destroyed still find it.
#pragma once

#include <windows.h>

#include <cstddef>

class CSizeClassPool {
public:
  static const size_t kGranule = 16;
  static const size_t kLargestClass = 512;
  static const size_t kClassCount = kLargestClass / kGranule;
  static const size_t kChunkSize = 64 * 1024;
  static const size_t kChunksPerRegion = 16;

  constexpr CSizeClassPool() = default;
  CSizeClassPool(const CSizeClassPool&) = delete;
  CSizeClassPool& operator=(const CSizeClassPool&) = delete;

  // The pool of the program's blocks and text boxes.
  static CSizeClassPool& Shared();

  // size bytes aligned to kGranule; throws std::bad_alloc when the system has no memory left.
  void* Allocate(size_t size);
  // Gives back an object of size bytes that Allocate of this pool handed out (null is ignored).
  void Free(void* object, size_t size);
  // Gives every region back to the system: for pools that end (tests), while no other thread uses
  // the pool. Objects still out become invalid; the pool is empty and usable again afterwards.
  void ReleaseAll();

  // Objects handed out and not freed, of every class.
  size_t LiveObjects() const;
  // Bytes of the regions taken from the system.
  size_t RegionBytes() const;
  // The size of the class an object that a pool handed out was carved for, read from its chunk.
  static size_t ClassSizeOf(const void* object);

private:
  struct SizeClass {
    LONG lock = 0;
    void* freeList = nullptr;
    BYTE* cursor = nullptr;
    BYTE* end = nullptr;
    size_t live = 0;
  };

  static bool InPool(size_t size) { return size != 0 && size <= kLargestClass; }
  static size_t ClassIndex(size_t size) { return (size - 1) / kGranule; }
  // A new chunk for the class, its header written; throws std::bad_alloc.
  BYTE* TakeChunk(size_t classIndex);

  SizeClass m_classes[kClassCount] = {};
  LONG m_regionLock = 0;
  BYTE* m_regionCursor = nullptr;
  BYTE* m_regionEnd = nullptr;
  // The regions taken, newest first, chained through their first chunk's header.
  BYTE* m_regions = nullptr;
  size_t m_regionBytes = 0;
};
