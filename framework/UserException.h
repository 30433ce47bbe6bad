// CUserException: an operation stopped after the user was told why (a failed data-exchange check);
// handlers catch it without reporting again.
#pragma once

#include "framework/Exception.h"

class CUserException : public CException {
  DECLARE_DYNAMIC(CUserException)
public:
  int ReportError(UINT type = MB_OK, UINT helpId = 0) const override;
};

[[noreturn]] void AfxThrowUserException();
