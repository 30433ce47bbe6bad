// CStatusCmdUI: the update-handler view of one status bar pane. Disabling hides the pane's text,
// checking gives it the raised look, SetText changes its text.
#pragma once

#include "framework/CmdUI.h"

class CStatusCmdUI : public CCmdUI {
public:
  void Enable(BOOL on = TRUE) override;
  void SetCheck(int check = 1) override;
  void SetRadio(BOOL on = TRUE) override { SetCheck(on ? 1 : 0); }
  void SetText(LPCSTR text) override;
};
