#include "model/editing/MainWindowNotice.h"

#include "framework/WinApp.h"
#include "framework/Wnd.h"

void SendToMainWindow(UINT command, LPARAM data) {
  CWnd* mainWindow = AfxGetMainWnd();
  if (mainWindow && mainWindow->GetSafeHwnd()) mainWindow->SendMessage(WM_COMMAND, command, data);
}
