// An application object whose main window keeps the WM_COMMAND messages sent to it (command and
// the text its lParam points at), for the status protocol of blocks and the undo manager.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/WinApp.h"
#include "framework/Wnd.h"

class MainWindowCapture {
public:
  struct Command {
    UINT id;
    std::string text;
  };

  MainWindowCapture() : m_app("ModelTest") {
    static ATOM registered = Register();
    (void)registered;
    s_current = this;
    HWND window = ::CreateWindowExA(0, kClassName, "main", WS_OVERLAPPED, 0, 0, 50, 50, nullptr,
                                    nullptr, ::GetModuleHandleA(nullptr), nullptr);
    m_window.Attach(window);
    m_app.m_pMainWnd = &m_window;
  }
  ~MainWindowCapture() {
    m_app.m_pMainWnd = nullptr;
    ::DestroyWindow(m_window.Detach());
    s_current = nullptr;
  }
  MainWindowCapture(const MainWindowCapture&) = delete;
  MainWindowCapture& operator=(const MainWindowCapture&) = delete;

  const std::vector<Command>& Commands() const { return m_commands; }

private:
  static constexpr const char* kClassName = "TalvexModelTestMainWindow";
  static ATOM Register() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    return ::RegisterClassA(&windowClass);
  }
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && s_current) {
      const char* text = reinterpret_cast<const char*>(lParam);
      s_current->m_commands.push_back({LOWORD(wParam), text ? text : ""});
      return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
  }

  static inline MainWindowCapture* s_current = nullptr;
  CWinApp m_app;
  CWnd m_window;
  std::vector<Command> m_commands;
};
