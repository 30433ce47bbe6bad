// CDialogPump: keeps a dialog painted and answering while it works through a long job on the
// user-interface thread: each Step handles one pending window message, the dialog's own keyboard
// messages going to the dialog. There is no cancel; the job polls nothing.
#pragma once

#include <windows.h>

class CDialogPump {
public:
  explicit CDialogPump(HWND dialog) : m_dialog(dialog) {}

  void Step() const;
  // Sets a static control's text and paints it at once.
  static void ShowText(HWND dialog, int id, LPCSTR text);

private:
  HWND m_dialog;
};
