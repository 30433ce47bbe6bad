// CException: base of the framework's exceptions. They are thrown as pointers and deleted by the
// handler with Delete(); the message loop and command dispatch report them and carry on.
#pragma once

#include "framework/Object.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)
public:
  CException() = default;
  // Fills the buffer (never past its size) with a readable description.
  virtual BOOL GetErrorMessage(LPSTR buffer, UINT bufferSize, PUINT helpContext = nullptr) const;
  // Shows the description in a message box.
  virtual int ReportError(UINT type = MB_OK | MB_ICONEXCLAMATION, UINT helpId = 0) const;
  void Delete() { delete this; }

protected:
  static BOOL CopyMessage(LPCSTR text, LPSTR buffer, UINT bufferSize);
};
