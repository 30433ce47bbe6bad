#include "editor/dialogs/DialogPump.h"

#include "framework/WinApp.h"

void CDialogPump::Step() const { AfxPumpWaitingMessage(m_dialog); }

void CDialogPump::ShowText(HWND dialog, int id, LPCSTR text) {
  ::SetDlgItemTextA(dialog, id, text);
  ::UpdateWindow(::GetDlgItem(dialog, id));
}
