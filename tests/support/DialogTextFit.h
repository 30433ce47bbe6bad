// Measures the controls of a dialog template as the dialog shows them: each label's, check box's,
// radio button's and push button's text in the dialog's own font against the room its control
// gives it, and the sibling controls that cover one another. Used on every template of a
// resource module, in each language.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace dialogfit {

inline INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A template made into a window that is never shown; child templates (panels, pages, bars) get
// the hidden parent they need.
class HiddenDialog {
public:
  HiddenDialog(HMODULE module, UINT id)
      : m_parent(CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                               nullptr)),
        m_dialog(CreateDialogParamW(module, MAKEINTRESOURCEW(id), m_parent, QuietDialogProc, 0)) {}
  ~HiddenDialog() {
    if (m_dialog) DestroyWindow(m_dialog);
    DestroyWindow(m_parent);
  }
  HiddenDialog(const HiddenDialog&) = delete;
  HiddenDialog& operator=(const HiddenDialog&) = delete;
  HWND Window() const { return m_dialog; }

private:
  HWND m_parent;
  HWND m_dialog;
};

inline bool IsClass(HWND control, const wchar_t* name) {
  wchar_t kind[32] = {};
  GetClassNameW(control, kind, 32);
  return lstrcmpiW(kind, name) == 0;
}

inline std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(control, &text[0], static_cast<int>(text.size()))));
  return text;
}

// A wide text for the test's messages.
inline std::string Utf8(const std::wstring& text) {
  char utf8[512] = {};
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

// The text as it is drawn: a lone '&' underlines the next letter, "&&" is one ampersand.
inline std::wstring WithoutMnemonics(const std::wstring& text) {
  std::wstring shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    shown += text[i];
  }
  return shown;
}

enum class Kind { kOther, kLabel, kWrappedLabel, kBox, kPushButton };

inline Kind KindOf(HWND control) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (IsClass(control, L"Static")) {
    if (style & (SS_ENDELLIPSIS | SS_PATHELLIPSIS | SS_WORDELLIPSIS)) return Kind::kOther;
    switch (style & SS_TYPEMASK) {
      case SS_LEFT:
      case SS_CENTER:
      case SS_RIGHT:
        return Kind::kWrappedLabel;
      case SS_SIMPLE:
      case SS_LEFTNOWORDWRAP:
        return Kind::kLabel;
      default:
        return Kind::kOther;
    }
  }
  if (!IsClass(control, L"Button") || (style & (BS_BITMAP | BS_ICON))) return Kind::kOther;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      return (style & BS_PUSHLIKE) ? Kind::kOther : Kind::kPushButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
      return (style & BS_PUSHLIKE) ? Kind::kPushButton : Kind::kBox;
    default:
      return Kind::kOther;
  }
}

// What a control keeps of its width for other things than its text: a check box or radio button
// its box (13 pixels at 96 dots an inch) and the gap of half a digit after it, a push button its
// raised edges and a pixel on either side of the text.
inline int WidthBesideText(HDC dc, Kind kind) {
  if (kind == Kind::kBox) {
    int digit = 0;
    GetCharWidth32W(dc, L'0', L'0', &digit);
    return 12 * GetDeviceCaps(dc, LOGPIXELSX) / 96 + 1 + digit / 2 + 1;
  }
  return kind == Kind::kPushButton ? 4 * GetSystemMetrics(SM_CXEDGE) + 2 : 0;
}

// "control 1234 "Top:" needs 52 x 13, has 48 x 13" for a text that does not fit; empty when it
// does. A single line is measured as it is drawn, without its mnemonic marks; a text that wraps
// (a label's, a multi-line button's) is broken into lines within the room as the control breaks
// it: a word wider than the room widens it, the lines must fit its height.
inline std::string Misfit(HWND control, HDC dc) {
  const Kind kind = KindOf(control);
  const std::wstring text = TextOf(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (kind == Kind::kOther || text.empty() || !(style & WS_VISIBLE)) return {};
  RECT room;
  GetClientRect(control, &room);
  room.right -= WidthBesideText(dc, kind);
  const bool isLabel = kind == Kind::kLabel || kind == Kind::kWrappedLabel;
  const bool prefixes = !isLabel || !(style & SS_NOPREFIX);
  RECT needed = {0, 0, room.right, 0};
  if (kind == Kind::kWrappedLabel || (!isLabel && (style & BS_MULTILINE))) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | (prefixes ? 0 : DT_NOPREFIX));
  } else {
    const std::wstring line = prefixes ? WithoutMnemonics(text) : text;
    SIZE size = {};
    GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
    needed.right = size.cx;
    needed.bottom = size.cy;
  }
  if (needed.right <= room.right && needed.bottom <= room.bottom) return {};
  return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + Utf8(text) + "\" needs " +
         std::to_string(needed.right) + " x " + std::to_string(needed.bottom) + ", has " +
         std::to_string(room.right) + " x " + std::to_string(room.bottom);
}

// Measures one control's text on its dialog's DC in the font the dialog gave it.
inline std::string TextMisfit(HWND control) {
  HWND dialog = GetParent(control);
  HDC dc = GetDC(dialog);
  HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  std::string misfit = Misfit(control, dc);
  SelectObject(dc, previous);
  ReleaseDC(dialog, dc);
  return misfit;
}

// An entry of a drop-down list as its box shows it when chosen: beside the arrow button, within
// the box's edges and a pixel of margin either side. Empty when it fits, else what it needs.
inline std::string ListEntryMisfit(HWND box, const std::wstring& entry) {
  COMBOBOXINFO parts = {};
  parts.cbSize = sizeof parts;
  if (!GetComboBoxInfo(box, &parts)) return "not a combo box";
  const int room = parts.rcItem.right - parts.rcItem.left - 2;
  HWND dialog = GetParent(box);
  HDC dc = GetDC(dialog);
  HGDIOBJ previous = SelectObject(dc,
                                  reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
  SIZE size = {};
  GetTextExtentPoint32W(dc, entry.c_str(), static_cast<int>(entry.size()), &size);
  SelectObject(dc, previous);
  ReleaseDC(dialog, dc);
  if (size.cx <= room) return {};
  char utf8[512] = {};
  WideCharToMultiByte(CP_UTF8, 0, entry.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
  return "list " + std::to_string(GetDlgCtrlID(box)) + " entry \"" + utf8 + "\" needs " +
         std::to_string(size.cx) + ", has " + std::to_string(room);
}

// The texts of a dialog's controls that do not fit them.
inline std::vector<std::string> TextsThatDoNotFit(HWND dialog) {
  std::vector<std::string> misfits;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    std::string misfit = TextMisfit(child);
    if (!misfit.empty()) misfits.push_back(misfit);
  }
  return misfits;
}

// Group boxes frame other controls by design; everything else that shows has a place of its own.
inline bool TakesAPlace(HWND control) {
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (!(style & WS_VISIBLE)) return false;
  if (IsClass(control, L"Button") && (style & BS_TYPEMASK) == BS_GROUPBOX) return false;
  RECT rect;
  GetWindowRect(control, &rect);
  return !IsRectEmpty(&rect);
}

// An up-down control sits on the edge of the box it steps.
inline bool IsBuddyOf(HWND spin, HWND box) {
  return IsClass(spin, UPDOWN_CLASSW) &&
         reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)) == box;
}

// "controls 1201 (Static) and 1202 (Edit)" for each pair of sibling controls that cover each
// other by more than the pixel that rounding dialog units may give two neighbours.
inline std::vector<std::string> OverlappingControls(HWND dialog) {
  std::vector<HWND> placed;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (TakesAPlace(child)) placed.push_back(child);
  std::vector<std::string> overlaps;
  for (size_t i = 0; i < placed.size(); ++i) {
    for (size_t j = i + 1; j < placed.size(); ++j) {
      RECT a, b, common;
      GetWindowRect(placed[i], &a);
      GetWindowRect(placed[j], &b);
      if (!IntersectRect(&common, &a, &b) || common.right - common.left <= 1 ||
          common.bottom - common.top <= 1 || IsBuddyOf(placed[i], placed[j]) ||
          IsBuddyOf(placed[j], placed[i]))
        continue;
      char first[32] = {}, second[32] = {};
      GetClassNameA(placed[i], first, sizeof first);
      GetClassNameA(placed[j], second, sizeof second);
      overlaps.push_back("controls " + std::to_string(GetDlgCtrlID(placed[i])) + " (" + first +
                         ") and " + std::to_string(GetDlgCtrlID(placed[j])) + " (" + second + ")");
    }
  }
  return overlaps;
}

}  // namespace dialogfit
