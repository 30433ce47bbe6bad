// CWndCreationHook: while alive, the next window created on this thread is attached to the given
// object and subclassed before its first message, so that WM_NCCREATE, WM_CREATE and
// WM_INITDIALOG reach the object's message map. Used by everything that creates windows.
#pragma once

#include <windows.h>

class CWnd;

class CWndCreationHook {
public:
  explicit CWndCreationHook(CWnd* wnd);
  ~CWndCreationHook();
  CWndCreationHook(const CWndCreationHook&) = delete;
  CWndCreationHook& operator=(const CWndCreationHook&) = delete;

private:
  static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam);

  CWnd* m_previous;
  static HHOOK s_hook;
  static CWnd* s_creating;
};
