// CWaitCursor: shows the wait cursor for its lifetime.
#pragma once

#include "framework/WinApp.h"

class CWaitCursor {
public:
  CWaitCursor() { Restore(1); }
  ~CWaitCursor() { Restore(-1); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
  // Shows the wait cursor again (after a message box, for example).
  void Restore() { Restore(0); }

private:
  static void Restore(int code) {
    if (CWinApp* app = AfxGetApp()) app->DoWaitCursor(code);
  }
};
