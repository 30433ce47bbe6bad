// CSpinGuard: holds a spin lock (a LONG that is 0 when free) for the guard's lifetime. For locks
// held a few instructions at a time by the memory pools; it spins briefly, then lets other threads
// run. The lock needs no constructor, so pools that start all zero can use it before any runs.
#pragma once

#include <windows.h>

class CSpinGuard {
public:
  explicit CSpinGuard(LONG& lock) : m_lock(lock) {
    for (int spins = 0; ::InterlockedCompareExchange(&m_lock, 1, 0) != 0; ++spins) {
      if (spins < 64)
        YieldProcessor();
      else
        ::SwitchToThread();
    }
  }
  ~CSpinGuard() { ::InterlockedExchange(&m_lock, 0); }
  CSpinGuard(const CSpinGuard&) = delete;
  CSpinGuard& operator=(const CSpinGuard&) = delete;

private:
  LONG& m_lock;
};
