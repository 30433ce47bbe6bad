#include "editor/dialogs/DialogPump.h"

void CDialogPump::Step() const {
  MSG msg;
  if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return;
  if (msg.message == WM_QUIT) {
    // The end of the program belongs to the main loop.
    ::PostQuitMessage(static_cast<int>(msg.wParam));
    return;
  }
  if (m_dialog && ::IsDialogMessageW(m_dialog, &msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

void CDialogPump::ShowText(HWND dialog, int id, LPCSTR text) {
  ::SetDlgItemTextA(dialog, id, text);
  ::UpdateWindow(::GetDlgItem(dialog, id));
}
