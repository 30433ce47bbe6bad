#include "framework/Exception.h"

#include "framework/AfxRes.h"
#include "framework/MessageBox.h"
#include "framework/String.h"

IMPLEMENT_DYNAMIC(CException, CObject)

BOOL CException::CopyMessage(LPCSTR text, LPSTR buffer, UINT bufferSize) {
  if (!buffer || bufferSize == 0) return FALSE;
  lstrcpynA(buffer, text, static_cast<int>(bufferSize));
  return TRUE;
}

BOOL CException::GetErrorMessage(LPSTR buffer, UINT bufferSize, PUINT helpContext) const {
  if (helpContext) *helpContext = 0;
  return CopyMessage(AfxLoadString(AFX_IDP_UNKNOWN_ERROR, "发生了未知的错误。"), buffer,
                     bufferSize);
}

int CException::ReportError(UINT type, UINT /*helpId*/) const {
  char text[512];
  GetErrorMessage(text, sizeof text);
  return AfxMessageBox(text, type);
}
