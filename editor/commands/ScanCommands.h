// CScanCommands: the main view's scan command (40161), which runs the scan dialog over the view.
// The view's command table enables it; the view hands it here before its own message map.
#pragma once

#include <windows.h>

#include "editor/commands/ViewCommandBase.h"
#include "framework/CmdTarget.h"

class CScanCommands : public CCmdTarget, public CViewCommandBase {
public:
  explicit CScanCommands(CTALVEX42View* view);

  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

protected:
  void OnScan();
  DECLARE_MESSAGE_MAP()
};
