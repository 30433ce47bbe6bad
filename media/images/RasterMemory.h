// CRasterMemory: a movable, zero-filled global-memory block that a reader fills and then hands
// over (Release); a block not handed over is freed with the object. Sizes are checked against
// what a pointer can address, so a count taken from a file never wraps round.
#pragma once

#include <windows.h>

#include <cstddef>

class CRasterMemory {
public:
  // Empty (no block) when the size is 0, too large or cannot be had.
  explicit CRasterMemory(ULONGLONG size);
  ~CRasterMemory();
  CRasterMemory(const CRasterMemory&) = delete;
  CRasterMemory& operator=(const CRasterMemory&) = delete;

  bool IsEmpty() const { return m_block == nullptr; }
  HGLOBAL Handle() const { return m_block; }
  // The block for the caller to free; the object is empty afterwards.
  HGLOBAL Release();

private:
  HGLOBAL m_block;
};
