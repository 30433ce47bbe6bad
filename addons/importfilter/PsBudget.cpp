#include "addons/importfilter/PsBudget.h"

size_t CPsBudget::MemoryFor(size_t fileSize) {
  if (fileSize >= (kMostMemory - kLeastMemory) / kMemoryPerByte) return kMostMemory;
  return kLeastMemory + fileSize * kMemoryPerByte;
}

bool CPsBudget::Work(size_t steps) {
  if (m_exhausted || steps > m_workLeft) {
    m_exhausted = true;
    return false;
  }
  m_workLeft -= steps;
  return true;
}

bool CPsBudget::Charge(size_t bytes) {
  if (m_exhausted || bytes > m_memoryLimit - m_memoryHeld) {
    m_exhausted = true;
    return false;
  }
  m_memoryHeld += bytes;
  return true;
}

void CPsBudget::Release(size_t bytes) {
  m_memoryHeld -= bytes < m_memoryHeld ? bytes : m_memoryHeld;
}
