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
