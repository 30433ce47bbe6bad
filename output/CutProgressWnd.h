// CCutProgressWnd: a small modeless progress window built without a resource template, with the
// step text, the bar and a cancel button that sets *stopFlag.
#pragma once

#include <windows.h>

#include "output/CutProgressPanel.h"

class CCutProgressWnd : public CCutProgressPanel {
public:
  CCutProgressWnd(LPCSTR title, int* stopFlag, CWnd* owner);

protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;

private:
  int* m_stopFlag;
};
