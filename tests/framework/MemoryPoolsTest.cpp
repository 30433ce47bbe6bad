// The two memory pools a drawing lives in: the size-class pool of blocks and text boxes, and the
// cache of fixed global-memory blocks that point stores reuse. What a caller relies on: memory is
// never handed out twice while in use (also with threads taking and giving at once), an object
// goes back to the class it came from whatever size it is freed with, and a reused global block
// has exactly the size asked for. No window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include "framework/FixedBlockCache.h"
#include "framework/SizeClassPool.h"

namespace {

// A pool of the test's own that gives its regions back when the test ends.
struct TestPool : CSizeClassPool {
  ~TestPool() { ReleaseAll(); }
};

struct TestCache : CFixedBlockCache {
  ~TestCache() { FreeAll(); }
};

const int kThreads = 4, kObjectsPerThread = 1000, kRounds = 10;

// Threads that each take objects, mark them with their own marks, check the marks and give them
// back, round after round; the marks found changed (another thread was handed the same memory).
template <class Take, class Give>
int ForeignWritesOfThreads(Take take, Give give) {
  std::vector<std::thread> threads;
  std::vector<int> changed(kThreads, 0);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < kRounds; ++round) {
        std::vector<int*> objects;
        for (int i = 0; i < kObjectsPerThread; ++i) {
          objects.push_back(take(t, i));
          objects.back()[0] = t;
          objects.back()[1] = i;
        }
        for (int i = 0; i < kObjectsPerThread; ++i) {
          if (objects[i][0] != t || objects[i][1] != i) ++changed[t];
          give(objects[i], t, i);
        }
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  int total = 0;
  for (int count : changed) total += count;
  return total;
}

TEST(CSizeClassPool, LiveObjectsNeverOverlapAndFreedOnesReturnToTheirOwnClass) {
  TestPool pool;
  // Sizes at, just past and between class limits, many enough to span several chunks.
  const size_t sizes[] = {1, 16, 17, 40, 100, 511, 512};
  std::vector<std::pair<BYTE*, size_t>> live;
  for (int round = 0; round < 400; ++round)
    for (size_t size : sizes) live.emplace_back(static_cast<BYTE*>(pool.Allocate(size)), size);
  std::vector<std::pair<BYTE*, size_t>> sorted = live;
  std::sort(sorted.begin(), sorted.end());
  for (size_t i = 0; i < sorted.size(); ++i) {
    EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(sorted[i].first) % CSizeClassPool::kGranule);
    if (i + 1 < sorted.size()) {
      ASSERT_LE(sorted[i].first + sorted[i].second, sorted[i + 1].first);
    }
  }
  EXPECT_EQ(live.size(), pool.LiveObjects());

  // Freed with a wrong size, an object of 40 bytes still goes back to the 48-byte class.
  BYTE* small = live[3].first;
  ASSERT_EQ(40u, live[3].second);
  EXPECT_EQ(48u, CSizeClassPool::ClassSizeOf(small));
  pool.Free(small, 100);
  EXPECT_NE(small, pool.Allocate(100));
  EXPECT_EQ(small, pool.Allocate(33));
  EXPECT_EQ(live.size() + 1, pool.LiveObjects());
}

TEST(CSizeClassPool, SizesBeyondTheLargestClassUseTheGlobalHeap) {
  TestPool pool;
  void* large = pool.Allocate(CSizeClassPool::kLargestClass + 1);
  memset(large, 0xAB, CSizeClassPool::kLargestClass + 1);
  EXPECT_EQ(0u, pool.LiveObjects());
  EXPECT_EQ(0u, pool.RegionBytes());
  pool.Free(large, CSizeClassPool::kLargestClass + 1);
}

TEST(CSizeClassPool, ThreadsTakingAndGivingAtOnceNeverShareAnObject) {
  TestPool pool;
  auto size = [](int thread, int i) { return 16 + static_cast<size_t>((i * 7 + thread) % 20) * 8; };
  EXPECT_EQ(0, ForeignWritesOfThreads(
                   [&](int thread, int i) {
                     return static_cast<int*>(pool.Allocate(size(thread, i)));
                   },
                   [&](int* object, int thread, int i) { pool.Free(object, size(thread, i)); }));
  EXPECT_EQ(0u, pool.LiveObjects());
}

TEST(CFixedBlockCache, AReusedBlockHasExactlyTheSizeAskedForAndOnlyItsClassGetsIt) {
  TestCache cache;
  HGLOBAL first = cache.Take(243);
  ASSERT_NE(nullptr, first);
  EXPECT_EQ(243u, ::GlobalSize(first));
  cache.Give(first);
  EXPECT_EQ(1u, cache.KeptBlocks());
  EXPECT_EQ(243u, cache.KeptBytes());

  // Another class makes a block of its own; the same class takes the kept one, resized in place
  // (243 and 248 bytes take heap blocks of one size).
  HGLOBAL other = cache.Take(300);
  EXPECT_NE(first, other);
  EXPECT_EQ(1u, cache.KeptBlocks());
  HGLOBAL again = cache.Take(248);
  EXPECT_EQ(first, again);
  EXPECT_EQ(248u, ::GlobalSize(again));
  EXPECT_EQ(0u, cache.KeptBlocks());
  HGLOBAL third = cache.Take(248);
  EXPECT_NE(again, third) << "a block is handed out once";
  cache.Give(other);
  cache.Give(again);
  cache.Give(third);
  EXPECT_EQ(3u, cache.KeptBlocks());
  EXPECT_EQ(796u, cache.KeptBytes());
  EXPECT_EQ(third, cache.Take(241));
  EXPECT_EQ(241u, ::GlobalSize(third));
}

TEST(CFixedBlockCache, BlocksTooLargeOrTooSmallToKeepAreFreed) {
  TestCache cache;
  cache.Give(cache.Take(CFixedBlockCache::kLargestKept + 1));
  cache.Give(cache.Take(4));
  cache.Give(nullptr);
  EXPECT_EQ(0u, cache.KeptBlocks());
  EXPECT_EQ(0u, cache.KeptBytes());
}

TEST(CFixedBlockCache, ThreadsGivingAndTakingAtOnceNeverShareABlock) {
  TestCache cache;
  // Fixed blocks: the handle is the address.
  EXPECT_EQ(0, ForeignWritesOfThreads(
                   [&](int, int i) {
                     return static_cast<int*>(cache.Take(32 + static_cast<size_t>(i % 8) * 16));
                   },
                   [&](int* block, int, int) { cache.Give(block); }));
  // However the threads took turns, no more blocks were made than were out at once.
  EXPECT_LE(cache.KeptBlocks(), static_cast<size_t>(kThreads * kObjectsPerThread));
  EXPECT_GE(cache.KeptBlocks(), static_cast<size_t>(kObjectsPerThread));
}

}  // namespace
