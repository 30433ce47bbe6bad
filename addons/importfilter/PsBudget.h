// CPsBudget: what one read of a PostScript file may spend. Work is counted in steps: one for each
// operator run or procedure called, and one for each element, point or entry an operator
// touches, so that a loop over large arrays, deep stacks or long paths runs out as soon as a
// loop of small ones does. Memory is counted in bytes held by the read: its composite objects,
// names, paths and painted curves, charged before they are made and given back when they go.
// Once either runs out it stays out, and the read is too complex.
#pragma once

#include <cstddef>

class CPsBudget {
public:
  // The memory a read of a file may hold: kLeastMemory and so many bytes per byte of the file,
  // never more than kMostMemory, since the file itself and the blocks the editor builds from the
  // drawing share the 32-bit program's address space with the read. Every reader of drawings
  // takes its memory from here.
  static const size_t kLeastMemory = 64 << 20;
  static const size_t kMemoryPerByte = 4;
  static const size_t kMostMemory = 160 << 20;
  static size_t MemoryFor(size_t fileSize);

  CPsBudget(size_t work, size_t memory) : m_workLeft(work), m_memoryLimit(memory) {}

  // False, and exhausted from then on, when the work is more than what is left.
  bool Work(size_t steps);
  // False, charging nothing and exhausted from then on, when the bytes would pass the limit.
  bool Charge(size_t bytes);
  void Release(size_t bytes);

  bool Exhausted() const { return m_exhausted; }
  size_t MemoryHeld() const { return m_memoryHeld; }
  size_t MemoryLimit() const { return m_memoryLimit; }

private:
  size_t m_workLeft;
  size_t m_memoryLimit;
  size_t m_memoryHeld = 0;
  bool m_exhausted = false;
};
