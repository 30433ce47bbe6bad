// CMessageBoxWatch: tells whether any message box was shown while it lived. The boxes still
// reach the user, or the handler that was installed before (tests).
#pragma once

#include "framework/MessageBox.h"

class CMessageBoxWatch {
public:
  CMessageBoxWatch();
  ~CMessageBoxWatch();
  CMessageBoxWatch(const CMessageBoxWatch&) = delete;
  CMessageBoxWatch& operator=(const CMessageBoxWatch&) = delete;

  bool AnyShown() const { return m_shown; }

private:
  AfxMessageBoxHandler m_previous;
  bool m_shown;
};
