// CGlobalLock: locks a movable global-memory block for the guard's lifetime. Point stores and
// records live in such blocks; no pointer into one may outlive the guard that produced it.
#pragma once

#include <windows.h>

class CGlobalLock {
public:
  explicit CGlobalLock(HGLOBAL block);
  ~CGlobalLock();
  CGlobalLock(const CGlobalLock&) = delete;
  CGlobalLock& operator=(const CGlobalLock&) = delete;

  // Null when the block is null or could not be locked.
  BYTE* Data() const { return m_data; }
  // The block's size in bytes (0 when not locked).
  SIZE_T Size() const { return m_size; }
  template <class T>
  T* As() const {
    return reinterpret_cast<T*>(m_data);
  }

private:
  HGLOBAL m_block;
  BYTE* m_data;
  SIZE_T m_size;
};

// A new movable block holding the bytes, followed by spare zero bytes (a terminator, a pad);
// CMemoryException when it cannot be made.
HGLOBAL AfxCopyToGlobal(const void* data, size_t size, size_t spare);
