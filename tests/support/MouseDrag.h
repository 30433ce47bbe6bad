// Drags the left button over a window as the mouse would: a press, a move half way, a move to the
// end and the release, at client pixels, then the program settles.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"
#include "support/MessagePump.h"

inline void DragMouse(CWnd& window, POINT from, POINT to) {
  auto send = [&window](UINT message, UINT flags, POINT at) {
    window.SendMessage(message, flags,
                       MAKELPARAM(static_cast<short>(at.x), static_cast<short>(at.y)));
  };
  send(WM_LBUTTONDOWN, MK_LBUTTON, from);
  send(WM_MOUSEMOVE, MK_LBUTTON, {(from.x + to.x) / 2, (from.y + to.y) / 2});
  send(WM_MOUSEMOVE, MK_LBUTTON, to);
  send(WM_LBUTTONUP, 0, to);
  PumpMessages();
}
