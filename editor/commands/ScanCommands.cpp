#include "editor/commands/ScanCommands.h"

#include "editor/ProgramObjects.h"
#include "editor/dialogs/ScanDlg.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CScanCommands, CCmdTarget)
  ON_COMMAND(ID_FILE_SCAN, OnScan)
END_MESSAGE_MAP()
// clang-format on

CScanCommands::CScanCommands(CTALVEX42View* view) : CViewCommandBase(view) {}

// Only commands go through here: the view's table answers the menu's questions.
BOOL CScanCommands::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
  if (code != CN_COMMAND || info || !Document()) return FALSE;
  return CCmdTarget::OnCmdMsg(id, code, extra, info);
}

void CScanCommands::OnScan() {
  CScanDlg dialog(m_view, g_appProfile);
  dialog.DoModal();
}
