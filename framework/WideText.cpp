#include "framework/WideText.h"

#include <vector>

#include "framework/GbkText.h"
#include "framework/ResourceModule.h"

namespace {

const wchar_t kOwnProcedure[] = L"TalvexOwnProcedure";

// In front of one of our windows, as a procedure of wide messages: the window's text goes to and
// comes from the default procedure in its wide form, so that the caption the system draws (it asks
// the window for its text) and every reader see it as it was set. Everything else goes on to the
// window's own procedure.
LRESULT CALLBACK WideTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
      return DefWindowProcW(window, message, wParam, lParam);
    default:
      break;
  }
  auto own = reinterpret_cast<WNDPROC>(GetPropW(window, kOwnProcedure));
  const LRESULT result = own ? CallWindowProcW(own, window, message, wParam, lParam)
                             : DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) RemovePropW(window, kOwnProcedure);
  return result;
}

}  // namespace

std::wstring AfxLoadWideString(UINT id) {
  HINSTANCE module = AfxGetResourceHandle();
  // String resources live in blocks of 16; find the block first so a missing id is not an error.
  if (!FindResourceW(module, MAKEINTRESOURCEW((id >> 4) + 1), MAKEINTRESOURCEW(6)))
    return std::wstring();
  // With no room given, the system points at the resource's own text.
  LPCWSTR resource = nullptr;
  const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&resource), 0);
  if (length <= 0 || !resource) return std::wstring();
  return std::wstring(resource, static_cast<size_t>(length));
}

void AfxSetOwnWindowTitle(HWND window, LPCWSTR title) {
  if (!GetPropW(window, kOwnProcedure)) {
    SetPropW(window, kOwnProcedure,
             reinterpret_cast<HANDLE>(GetWindowLongPtrW(window, GWLP_WNDPROC)));
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WideTextProc));
  }
  SetWindowTextW(window, title ? title : L"");
}

std::wstring AfxGetControlText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::vector<wchar_t> text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  return std::wstring(text.data());
}

int AfxAddComboEntry(HWND combo, const std::wstring& text) {
  return static_cast<int>(
      SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

std::wstring AfxGetComboEntry(HWND combo, int index) {
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return std::wstring();
  std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  return std::wstring(text.data());
}

int AfxFindComboEntry(HWND combo, int startAfter, const std::wstring& prefix) {
  return static_cast<int>(SendMessageW(combo, CB_FINDSTRING, static_cast<WPARAM>(startAfter),
                                       reinterpret_cast<LPARAM>(prefix.c_str())));
}

LRESULT AfxAddGbkEntry(HWND control, UINT addMessage, LPCSTR text) {
  const std::wstring wide = CGbkText::ToWide(text);
  return SendMessageW(control, addMessage, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void AfxSetGbkText(HWND window, LPCSTR text) {
  SetWindowTextW(window, CGbkText::ToWide(text).c_str());
}

CString AfxGetGbkText(HWND window) { return CGbkText::Lossy(AfxGetControlText(window).c_str()); }
