#include "framework/UserException.h"

IMPLEMENT_DYNAMIC(CUserException, CException)

int CUserException::ReportError(UINT, UINT) const { return IDOK; }  // the user has been told

void AfxThrowUserException() { throw new CUserException; }
