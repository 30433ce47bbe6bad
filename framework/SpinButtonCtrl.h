// CSpinButtonCtrl: an up-down control.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/Wnd.h"

class CSpinButtonCtrl : public CWnd {
  DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create(UPDOWN_CLASSA, nullptr, style, rect, parent, id);
  }
  void SetRange(short lower, short upper) { SendMessage(UDM_SETRANGE, 0, MAKELONG(upper, lower)); }
  void SetRange32(int lower, int upper) {
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
  }
  DWORD GetRange() const { return static_cast<DWORD>(SendMessage(UDM_GETRANGE)); }
  void GetRange32(int& lower, int& upper) const {
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
  }
  int SetPos(int position) {
    return static_cast<short>(LOWORD(SendMessage(UDM_SETPOS, 0, MAKELONG(position, 0))));
  }
  // The position in the low word; the high word is non-zero when the buddy's text is no number.
  int GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS)); }
  int SetPos32(int position) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, position)); }
  int GetPos32(BOOL* error = nullptr) const {
    return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
  }
  CWnd* SetBuddy(CWnd* buddy) {
    return FromHandle(reinterpret_cast<HWND>(
        SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->m_hWnd : nullptr))));
  }
  CWnd* GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
  int SetBase(int base) {
    return static_cast<int>(SendMessage(UDM_SETBASE, static_cast<WPARAM>(base)));
  }
  BOOL SetAccel(int count, UDACCEL* accelerations) {
    return static_cast<BOOL>(SendMessage(UDM_SETACCEL, static_cast<WPARAM>(count),
                                         reinterpret_cast<LPARAM>(accelerations)));
  }
};
