#include "framework/InvalidArgException.h"

#include "framework/AfxRes.h"
#include "framework/String.h"

IMPLEMENT_DYNAMIC(CInvalidArgException, CException)

BOOL CInvalidArgException::GetErrorMessage(LPSTR buffer, UINT bufferSize, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage(AfxLoadString(AFX_IDP_INVALID_ARG, "参数无效。"), buffer, bufferSize);
}

void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
