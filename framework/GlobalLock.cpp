#include "framework/GlobalLock.h"

#include <cstring>

#include "framework/MemoryException.h"

CGlobalLock::CGlobalLock(HGLOBAL block) : m_block(block), m_data(nullptr), m_size(0) {
  if (m_block) {
    m_data = static_cast<BYTE*>(::GlobalLock(m_block));
    if (m_data) m_size = ::GlobalSize(m_block);
  }
}

CGlobalLock::~CGlobalLock() {
  if (m_data) ::GlobalUnlock(m_block);
}

HGLOBAL AfxCopyToGlobal(const void* data, size_t size, size_t spare) {
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size + spare);
  if (!memory) AfxThrowMemoryException();
  {
    CGlobalLock lock(memory);
    if (lock.Data()) {
      if (size) std::memcpy(lock.Data(), data, size);
      return memory;
    }
  }
  ::GlobalFree(memory);
  AfxThrowMemoryException();
  return nullptr;
}
