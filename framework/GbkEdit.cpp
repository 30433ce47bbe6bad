#include "framework/GbkEdit.h"

#include <algorithm>

#include "framework/GbkClipboard.h"
#include "framework/GbkText.h"

namespace {

const wchar_t kPreviousProcedure[] = L"TalvexGbkEditProcedure";

}  // namespace

bool CGbkEdit::Attach(HWND edit) {
  if (!edit || ::GetPropW(edit, kPreviousProcedure)) return edit != nullptr;
  // A wide procedure makes the field a wide window: typed characters reach it unconverted.
  LONG_PTR previous = ::SetWindowLongPtrW(edit, GWLP_WNDPROC,
                                          reinterpret_cast<LONG_PTR>(&Procedure));
  if (!previous) return false;
  ::SetPropW(edit, kPreviousProcedure, reinterpret_cast<HANDLE>(previous));
  return true;
}

LRESULT CALLBACK CGbkEdit::Procedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  auto previous = reinterpret_cast<WNDPROC>(::GetPropW(edit, kPreviousProcedure));
  if (!previous) return ::DefWindowProcW(edit, message, wParam, lParam);
  switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR: {
      const auto character = static_cast<wchar_t>(wParam);
      if (CGbkText::IsSecondHalf(character)) return 0;
      if (!Holds(character)) {
        CGbkText::ShowRefusal(edit);
        return 0;
      }
      break;
    }
    case WM_PASTE:
      if (PastedWithoutSome(edit)) return 0;
      break;
    case WM_NCDESTROY:
      ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
      ::RemovePropW(edit, kPreviousProcedure);
      break;
    default:
      break;
  }
  return ::CallWindowProcW(previous, edit, message, wParam, lParam);
}

bool CGbkEdit::Holds(wchar_t character) {
  WORD code = 0;
  // Control characters are the field's keys (Backspace, Ctrl+C ...), not text.
  return character < 0x20 || CGbkText::CodeOf(character, &code);
}

bool CGbkEdit::PastedWithoutSome(HWND edit) {
  const std::wstring text = ClipboardText(edit);
  std::wstring held;
  for (wchar_t character : text)
    if (Holds(character)) held += character;
  if (held.size() == text.size()) return false;
  ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(held.c_str()));
  CGbkText::ShowRefusal(edit);
  return true;
}

std::wstring CGbkEdit::WideText(HWND edit) {
  int length = ::GetWindowTextLengthW(edit);
  std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
  int copied = ::GetWindowTextW(edit, &text[0], length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

std::wstring CGbkEdit::ClipboardText(HWND edit) {
  if (!::OpenClipboard(edit)) return std::wstring();
  std::wstring text = CGbkClipboard::ReadWide();
  ::CloseClipboard();
  return text;
}

bool CGbkEdit::GetText(HWND edit, CString* gbk) { return CGbkText::FromWide(WideText(edit), gbk); }

void CGbkEdit::SetText(HWND edit, LPCSTR gbk) {
  ::SetWindowTextW(edit, CGbkText::ToWide(gbk).c_str());
}

void CGbkEdit::ReplaceSelection(HWND edit, LPCSTR gbk) {
  ::SendMessageW(edit, EM_REPLACESEL, FALSE,
                 reinterpret_cast<LPARAM>(CGbkText::ToWide(gbk).c_str()));
}

bool CGbkEdit::CopySelection(HWND edit) {
  DWORD first = 0, last = 0;
  ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&first),
                 reinterpret_cast<LPARAM>(&last));
  const std::wstring text = WideText(edit);
  last = std::min<DWORD>(last, static_cast<DWORD>(text.size()));
  if (first >= last) return false;
  CString gbk;
  CGbkText::FromWide(text.substr(first, last - first), &gbk);
  CGbkClipboard copy(gbk);
  if (!::OpenClipboard(edit)) return false;
  ::EmptyClipboard();
  copy.Hand();
  ::CloseClipboard();
  return true;
}
