// The entries of a combo box's list, and how wide a text is drawn in a control's own font.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

inline std::vector<std::string> ComboEntries(HWND combo) {
  std::vector<std::string> entries;
  const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::string text(static_cast<size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
    text.resize(static_cast<size_t>(
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]))));
    entries.push_back(text);
  }
  return entries;
}

inline int TextExtent(HWND control, const std::string& text) {
  HDC dc = GetDC(control);
  HGDIOBJ font = SelectObject(dc,
                              reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, font);
  ReleaseDC(control, dc);
  return size.cx;
}

inline int WidestEntry(HWND combo) {
  int widest = 0;
  for (const std::string& entry : ComboEntries(combo))
    widest = std::max(widest, TextExtent(combo, entry));
  return widest;
}
