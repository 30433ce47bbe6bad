#include "framework/MemoryException.h"

IMPLEMENT_DYNAMIC(CMemoryException, CException)

BOOL CMemoryException::GetErrorMessage(LPSTR buffer, UINT bufferSize, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage("内存不足。", buffer, bufferSize);
}

void AfxThrowMemoryException() { throw new CMemoryException; }
