#include "model/records/GlobalCopy.h"

#include <cstring>

#include "framework/GlobalLock.h"

HGLOBAL DuplicateGlobal(HGLOBAL block) {
  if (!block) return nullptr;
  SIZE_T size = GlobalSize(block);
  if (size == 0) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
  if (!copy) return nullptr;
  bool copied = false;
  {
    CGlobalLock source(block);
    CGlobalLock target(copy);
    if (source.Data() && target.Data()) {
      memcpy(target.Data(), source.Data(), size);
      copied = true;
    }
  }
  if (!copied) {
    GlobalFree(copy);
    return nullptr;
  }
  return copy;
}
