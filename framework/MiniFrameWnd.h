// CMiniFrameWnd: a floating tool window with a small caption, owned by the main window.
#pragma once

#include "framework/FrameWnd.h"

// Mini-frame style bits (the low word of the style; removed before the window is made).
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_4THICKFRAME 0x00000200L
#define MFS_THICKFRAME 0x00000400L
#define MFS_MOVEFRAME 0x00000800L
#define MFS_BLOCKSYSMENU 0x00001000L

class CMiniFrameWnd : public CFrameWnd {
  DECLARE_DYNCREATE(CMiniFrameWnd)
public:
  CMiniFrameWnd() = default;

  virtual BOOL Create(LPCSTR className, LPCSTR title, DWORD style, const RECT& rect,
                      CWnd* parent = nullptr, UINT id = 0);
  virtual BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style,
                        const RECT& rect, CWnd* parent = nullptr, UINT id = 0);

  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
};
