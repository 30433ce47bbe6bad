// The columns of a push button's face, inside its edges, where its text puts ink as it is drawn
// now: equal columns enabled and disabled mean the greyed text is the whole text.
#pragma once

#include <windows.h>

#include <vector>

inline std::vector<bool> TextColumns(HWND button) {
  RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  RECT client;
  GetClientRect(button, &client);
  const int edge = 4;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  std::vector<bool> columns(static_cast<size_t>(client.right), false);
  HDC dc = GetDC(button);
  for (int x = edge; x < client.right - edge; ++x)
    for (int y = edge; y < client.bottom - edge && !columns[x]; ++y)
      columns[x] = GetPixel(dc, x, y) != face;
  ReleaseDC(button, dc);
  return columns;
}
