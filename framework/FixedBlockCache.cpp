#include "framework/FixedBlockCache.h"

#include "framework/SpinGuard.h"

namespace {

// What a kept block holds at its start.
struct KeptHeader {
  HGLOBAL next;
  size_t bytes;
};

CFixedBlockCache g_shared;

}  // namespace

CFixedBlockCache& CFixedBlockCache::Shared() { return g_shared; }

bool CFixedBlockCache::Kept(size_t bytes) {
  return bytes >= sizeof(KeptHeader) && bytes <= kLargestKept;
}

HGLOBAL CFixedBlockCache::Pop(size_t classIndex, size_t* bytes) {
  CSpinGuard guard(m_lock);
  HGLOBAL block = m_classes[classIndex].first;
  if (!block) return nullptr;
  // Fixed blocks: the handle is the block's address.
  const auto* header = static_cast<const KeptHeader*>(::GlobalLock(block));
  m_classes[classIndex].first = header->next;
  *bytes = header->bytes;
  ::GlobalUnlock(block);
  --m_keptBlocks;
  m_keptBytes -= *bytes;
  return block;
}

HGLOBAL CFixedBlockCache::Take(size_t bytes) {
  if (bytes == 0) bytes = 1;
  size_t keptBytes = 0;
  HGLOBAL block = Kept(bytes) ? Pop(ClassIndex(bytes), &keptBytes) : nullptr;
  if (block && keptBytes != bytes) {
    // In place only (no GMEM_MOVEABLE): a fixed block keeps its address, or the call fails.
    HGLOBAL resized = ::GlobalReAlloc(block, bytes, 0);
    if (!resized) ::GlobalFree(block);
    block = resized;
  }
  return block ? block : ::GlobalAlloc(GMEM_FIXED, bytes);
}

void CFixedBlockCache::Give(HGLOBAL block) {
  if (!block) return;
  size_t bytes = ::GlobalSize(block);
  if (Kept(bytes)) {
    CSpinGuard guard(m_lock);
    if (m_keptBytes + bytes <= kMaxKeptBytes) {
      SizeClass& sizeClass = m_classes[ClassIndex(bytes)];
      auto* header = static_cast<KeptHeader*>(::GlobalLock(block));
      if (header) {
        header->next = sizeClass.first;
        header->bytes = bytes;
        ::GlobalUnlock(block);
        sizeClass.first = block;
        ++m_keptBlocks;
        m_keptBytes += bytes;
        return;
      }
    }
  }
  ::GlobalFree(block);
}

void CFixedBlockCache::FreeAll() {
  for (size_t i = 0; i < kClassCount; ++i) {
    size_t bytes = 0;
    while (HGLOBAL block = Pop(i, &bytes)) ::GlobalFree(block);
  }
}
