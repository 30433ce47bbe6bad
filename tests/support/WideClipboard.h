// The clipboard's text as other programs meet it: in its wide form (CF_UNICODETEXT), read and
// left there without the system's code page in between.
#pragma once

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <string>

// Empty when the clipboard holds no text or cannot be opened.
inline std::wstring WideClipboardText(HWND owner) {
  std::wstring text;
  if (!::OpenClipboard(owner)) return text;
  if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* characters = static_cast<const wchar_t*>(::GlobalLock(data)))
      text.assign(characters, wcsnlen(characters, ::GlobalSize(data) / sizeof(wchar_t)));
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}

// The text alone on the clipboard, as a program of wide text copies it.
inline bool PutWideClipboardText(HWND owner, const std::wstring& text) {
  if (!::OpenClipboard(owner)) return false;
  ::EmptyClipboard();
  const size_t size = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, size);
  bool put = false;
  if (void* data = memory ? ::GlobalLock(memory) : nullptr) {
    std::memcpy(data, text.c_str(), size);
    ::GlobalUnlock(memory);
    put = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  }
  if (!put && memory) ::GlobalFree(memory);
  ::CloseClipboard();
  return put;
}
