// CInvalidArgException: a caller passed an argument out of range (an index past an array's end).
#pragma once

#include "framework/Exception.h"

class CInvalidArgException : public CException {
  DECLARE_DYNAMIC(CInvalidArgException)
public:
  BOOL GetErrorMessage(LPSTR buffer, UINT bufferSize, PUINT helpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowInvalidArgException();
