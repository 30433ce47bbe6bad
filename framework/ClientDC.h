// CClientDC: the client area's device context of a window, released when the object goes.
#pragma once

#include "framework/DC.h"

class CClientDC : public CDC {
  DECLARE_DYNAMIC(CClientDC)
public:
  explicit CClientDC(HWND window);
  explicit CClientDC(CWnd* window);
  ~CClientDC() override;

protected:
  HWND m_hWnd = nullptr;
};
