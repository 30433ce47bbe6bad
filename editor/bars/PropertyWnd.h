// CPropertyWnd: the floating window that holds the parameter panel of the current object (a
// block's or a guide line's). There is one at a time; the program keeps it through a pointer
// slot, which the window clears when it goes, so that the next request makes a new one.
#pragma once

#include "framework/MiniFrameWnd.h"

class CPropertyWnd : public CMiniFrameWnd {
  DECLARE_DYNAMIC(CPropertyWnd)
public:
  // The caption and style of the window the main frame makes.
  static const char kTitle[];
  static constexpr DWORD kStyle = 0x80C81180;
  // The lParam of the refresh command (32819) when the user asked for the properties by showing
  // the window; 0 when the window only follows the view (activated, another tool).
  static constexpr LPARAM kPanelRequested = 1;

  // slot: where the program keeps this window; cleared by the destructor when it still points here.
  explicit CPropertyWnd(CPropertyWnd** slot);
  ~CPropertyWnd() override;

  // The window at rect (screen coordinates), owned by owner, on the light grey background.
  BOOL CreateFor(CWnd* owner, const RECT& rect);

private:
  CPropertyWnd** m_slot;
};
