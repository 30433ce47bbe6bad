// CPaintDC: BeginPaint in the constructor and EndPaint in the destructor of a WM_PAINT handler.
#pragma once

#include "framework/DC.h"

class CPaintDC : public CDC {
  DECLARE_DYNAMIC(CPaintDC)
public:
  explicit CPaintDC(HWND window);
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;

  PAINTSTRUCT m_ps = {};

protected:
  HWND m_hWnd = nullptr;
};
