// CTALVEX42Frame: the MDI child window of a drawing document. Every document window opens
// maximised, cannot be resized by its border and has no minimise box.
#pragma once

#include "framework/MDIChildWnd.h"

class CTALVEX42Frame : public CMDIChildWnd {
  DECLARE_DYNCREATE(CTALVEX42Frame)
public:
  static constexpr UINT kPaletteSettingsCommand = 40058;

  CTALVEX42Frame() = default;

  BOOL Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect, CMDIFrameWnd* parent,
              CCreateContext* context) override;
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;

protected:
  // The palette settings item stays enabled while a drawing is active and does nothing.
  void OnPaletteSettings() {}
  DECLARE_MESSAGE_MAP()
};
