#include "framework/GbkText.h"

#include <vector>

namespace {

const UINT kGbkCodePage = 936;

std::wstring ToWide(UINT codePage, LPCSTR text) {
  if (!text || !*text) return std::wstring();
  int length = ::MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::vector<wchar_t> wide(static_cast<size_t>(length));
  ::MultiByteToWideChar(codePage, 0, text, -1, wide.data(), length);
  return std::wstring(wide.data());
}

}  // namespace

std::wstring GbkToWide(LPCSTR text) { return ToWide(kGbkCodePage, text); }

CString WideToGbk(LPCWSTR text) {
  if (!text || !*text) return CString();
  int length = ::WideCharToMultiByte(kGbkCodePage, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return CString();
  std::vector<char> narrow(static_cast<size_t>(length));
  ::WideCharToMultiByte(kGbkCodePage, 0, text, -1, narrow.data(), length, nullptr, nullptr);
  return CString(narrow.data());
}

CString SystemTextToGbk(LPCSTR text) { return WideToGbk(ToWide(CP_ACP, text).c_str()); }

LRESULT AddGbkItem(HWND control, UINT addMessage, LPCSTR text) {
  std::wstring wide = GbkToWide(text);
  return ::SendMessageW(control, addMessage, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void SetGbkWindowText(HWND window, LPCSTR text) {
  ::SetWindowTextW(window, GbkToWide(text).c_str());
}

CString GetGbkWindowText(HWND window) {
  int length = ::GetWindowTextLengthW(window);
  if (length <= 0) return CString();
  std::vector<wchar_t> wide(static_cast<size_t>(length) + 1);
  ::GetWindowTextW(window, wide.data(), length + 1);
  return WideToGbk(wide.data());
}
