// Measures the controls of a dialog template as the dialog shows them: each label's, check box's,
// radio button's and push button's text in the dialog's own font against the room its control
// gives it, and the sibling controls that cover one another. Used on every template of a
// resource module, in each language.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

namespace dialogfit {

inline BOOL CALLBACK CollectDialogId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR data) {
  if (IS_INTRESOURCE(name))
    reinterpret_cast<std::set<UINT>*>(data)->insert(
        static_cast<UINT>(reinterpret_cast<UINT_PTR>(name)));
  return TRUE;
}

inline std::set<UINT> DialogIds(HMODULE module) {
  std::set<UINT> ids;
  EnumResourceNamesW(module, MAKEINTRESOURCEW(5), CollectDialogId,
                     reinterpret_cast<LONG_PTR>(&ids));
  return ids;
}

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

inline std::wstring ClassOf(HWND control) {
  wchar_t name[32] = {};
  GetClassNameW(control, name, 32);
  return name;
}

inline bool IsClass(HWND control, const wchar_t* name) {
  return lstrcmpiW(ClassOf(control).c_str(), name) == 0;
}

inline std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(control, &text[0], static_cast<int>(text.size()))));
  return text;
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

inline int LineWidth(HDC dc, const std::wstring& line) {
  SIZE size = {};
  GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
  return size.cx;
}

// The rectangle a wrapping text needs within a width: as wide as its widest line (a word wider
// than the width stands out), as high as its lines.
inline SIZE WrappedSize(HDC dc, const std::wstring& text, int width, bool prefixes) {
  RECT rect = {0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | (prefixes ? 0 : DT_NOPREFIX));
  return SIZE{rect.right, rect.bottom};
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
inline int WidthBesideText(HWND control, HDC dc, Kind kind) {
  if (kind == Kind::kBox) {
    int digit = 0;
    GetCharWidth32W(dc, L'0', L'0', &digit);
    return 12 * GetDeviceCaps(dc, LOGPIXELSX) / 96 + 1 + digit / 2 + 1;
  }
  if (kind == Kind::kPushButton) return 4 * GetSystemMetrics(SM_CXEDGE) + 2;
  (void)control;
  return 0;
}

// "control 1234 "Top:" needs 52 x 13, has 48 x 13" for a text that does not fit; empty when it
// does.
inline std::string Misfit(HWND control, HDC dc) {
  const Kind kind = KindOf(control);
  const std::wstring text = TextOf(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (kind == Kind::kOther || text.empty() || !(style & WS_VISIBLE)) return {};
  RECT client;
  GetClientRect(control, &client);
  const int width = client.right - WidthBesideText(control, dc, kind);
  const bool prefixes = kind != Kind::kLabel && kind != Kind::kWrappedLabel
                            ? true
                            : !(style & SS_NOPREFIX);
  const bool wraps = kind == Kind::kWrappedLabel ||
                     (kind != Kind::kLabel && (style & BS_MULTILINE) &&
                      IsClass(control, L"Button"));
  SIZE needed = {0, 0};
  if (wraps) {
    needed = WrappedSize(dc, text, width, prefixes);
  } else {
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    needed.cx = LineWidth(dc, prefixes ? WithoutMnemonics(text) : text);
    needed.cy = metrics.tmHeight;
  }
  const int height = client.bottom;
  if (needed.cx <= width && needed.cy <= height) return {};
  char utf8[512] = {};
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
  return "control " + std::to_string(GetDlgCtrlID(control)) + " \"" + utf8 + "\" needs " +
         std::to_string(needed.cx) + " x " + std::to_string(needed.cy) + ", has " +
         std::to_string(width) + " x " + std::to_string(height);
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

inline std::string Named(HWND control) {
  char kind[32] = {};
  GetClassNameA(control, kind, sizeof kind);
  return std::to_string(GetDlgCtrlID(control)) + " (" + kind + ")";
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
      overlaps.push_back("controls " + Named(placed[i]) + " and " + Named(placed[j]));
    }
  }
  return overlaps;
}

}  // namespace dialogfit
