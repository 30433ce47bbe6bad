#include "framework/MemoryException.h"

#include "framework/AfxRes.h"
#include "framework/String.h"

IMPLEMENT_DYNAMIC(CMemoryException, CException)

BOOL CMemoryException::GetErrorMessage(LPSTR buffer, UINT bufferSize, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage(AfxLoadString(AFX_IDP_NO_MEMORY, "内存不足。"), buffer, bufferSize);
}

void AfxThrowMemoryException() { throw new CMemoryException; }
