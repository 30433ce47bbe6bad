// CFixedBlockCache: fixed global-memory blocks that their owners gave up, kept for the next owner
// that asks for a block of about the same size. Point stores hold each outline in a block of its
// own; a drawing of many curves frees tens of thousands of them when it closes and asks for as
// many again when the next one opens. The system heap gives the pages of such blocks back as soon
// as a whole region of it is free and has to fault them in again for the next document; blocks
// kept here stay in memory the process has touched already.
//
// Blocks are kept by size class up to kLargestKept bytes, at most kMaxKeptBytes in all; larger
// blocks and blocks past that limit are freed at once. A block taken from the cache is first
// resized to the exact size asked for, so that GlobalSize reports exactly that size, as for a new
// block. The resize is in place: the classes follow the heap's own block sizes (a granule of two
// pointers, after an 8-byte block header), so that every size of a class fits the heap block where
// it lies; should the heap still refuse, the kept block is freed and a new one made. Contents of a
// taken block are left as they were: the taker fills what it uses. Kept blocks are chained through
// their own first bytes (the next block and the size). Thread-safe; the cache starts all zero, and
// like the block pool it has no destructor, so owners destroyed at exit still find it.
#pragma once

#include <windows.h>

#include <cstddef>

class CFixedBlockCache {
public:
  static const size_t kGranule = 2 * sizeof(void*);
  static const size_t kHeapHeader = 8;
  static const size_t kLargestKept = 4096;
  static const size_t kClassCount = (kLargestKept + kHeapHeader) / kGranule + 1;
  static const size_t kMaxKeptBytes = 32 * 1024 * 1024;

  constexpr CFixedBlockCache() = default;
  CFixedBlockCache(const CFixedBlockCache&) = delete;
  CFixedBlockCache& operator=(const CFixedBlockCache&) = delete;

  // The cache of the program's point stores.
  static CFixedBlockCache& Shared();

  // A fixed block of exactly bytes (at least 1), kept or new; null when there is no memory.
  HGLOBAL Take(size_t bytes);
  // Keeps the fixed block (which its owner no longer uses) or frees it; null is ignored.
  void Give(HGLOBAL block);
  // Frees every kept block.
  void FreeAll();

  size_t KeptBlocks() const { return m_keptBlocks; }
  size_t KeptBytes() const { return m_keptBytes; }

private:
  struct SizeClass {
    HGLOBAL first = nullptr;
  };

  static bool Kept(size_t bytes);
  static size_t ClassIndex(size_t bytes) { return (bytes + kHeapHeader - 1) / kGranule; }
  // The first kept block of the class, unchained; null when there is none.
  HGLOBAL Pop(size_t classIndex, size_t* bytes);

  LONG m_lock = 0;
  SizeClass m_classes[kClassCount] = {};
  size_t m_keptBlocks = 0;
  size_t m_keptBytes = 0;
};
