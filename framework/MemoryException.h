// CMemoryException: an allocation failed.
#pragma once

#include "framework/Exception.h"

class CMemoryException : public CException {
  DECLARE_DYNAMIC(CMemoryException)
public:
  BOOL GetErrorMessage(LPSTR buffer, UINT bufferSize, PUINT helpContext = nullptr) const override;
};

[[noreturn]] void AfxThrowMemoryException();
