#include "media/images/RasterMemory.h"

#include <limits>

CRasterMemory::CRasterMemory(ULONGLONG size) : m_block(nullptr) {
  if (size == 0 || size > std::numeric_limits<SIZE_T>::max() / 2) return;
  m_block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size));
}

CRasterMemory::~CRasterMemory() {
  if (m_block) ::GlobalFree(m_block);
}

HGLOBAL CRasterMemory::Release() {
  HGLOBAL block = m_block;
  m_block = nullptr;
  return block;
}
