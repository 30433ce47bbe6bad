// CSectionLock: holds a critical section for the life of a scope.
#pragma once

#include <windows.h>

class CSectionLock {
public:
  explicit CSectionLock(CRITICAL_SECTION& section) : m_section(section) {
    EnterCriticalSection(&m_section);
  }
  ~CSectionLock() { LeaveCriticalSection(&m_section); }
  CSectionLock(const CSectionLock&) = delete;
  CSectionLock& operator=(const CSectionLock&) = delete;

private:
  CRITICAL_SECTION& m_section;
};
