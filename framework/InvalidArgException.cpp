#include "framework/InvalidArgException.h"

IMPLEMENT_DYNAMIC(CInvalidArgException, CException)

BOOL CInvalidArgException::GetErrorMessage(LPSTR buffer, UINT bufferSize, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage("参数无效。", buffer, bufferSize);
}

void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
