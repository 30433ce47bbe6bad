// CToolCmdUI: the update-handler view of one tool bar button. Enabling and checking change the
// button's state; a checked button becomes a check box if it was a plain button.
#pragma once

#include "framework/CmdUI.h"

class CToolCmdUI : public CCmdUI {
public:
  void Enable(BOOL on = TRUE) override;
  void SetCheck(int check = 1) override;
  void SetRadio(BOOL on = TRUE) override { SetCheck(on ? 1 : 0); }
  void SetText(LPCSTR) override {}  // buttons show no text
};
