// CWindowDC: the whole window's device context (frame included), released when the object goes.
#pragma once

#include "framework/DC.h"

class CWindowDC : public CDC {
  DECLARE_DYNAMIC(CWindowDC)
public:
  explicit CWindowDC(HWND window);
  explicit CWindowDC(CWnd* window);
  ~CWindowDC() override;

protected:
  HWND m_hWnd = nullptr;
};
