// A stand-in for the job manager's main window in the test process: it has the manager's title,
// answers the hand-over messages and, when it accepts, reads the job file named by the atom and
// deletes the atom, as the manager does.
#pragma once

#include <windows.h>

#include <vector>

#include "output/JobFile.h"

class FakeJobManager {
public:
  FakeJobManager() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &FakeJobManager::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TalvexTestJobManager";
    RegisterClassA(&windowClass);
    m_window = CreateWindowA("TalvexTestJobManager", "镌图匠 - [切割管理程序]", WS_OVERLAPPED, 0, 0,
                             100, 50, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~FakeJobManager() { DestroyWindow(m_window); }

  bool accept = true;
  std::vector<UINT> messages;
  CJobFile queued;
  bool read = false;

private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<FakeJobManager*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self || message < WM_USER + 1 || message > WM_USER + 3)
      return DefWindowProcA(window, message, wParam, lParam);
    self->messages.push_back(message);
    if (message == WM_USER + 3 && self->accept) {
      char path[181] = {};
      if (GlobalGetAtomNameA(static_cast<ATOM>(wParam), path, sizeof path)) {
        GlobalDeleteAtom(static_cast<ATOM>(wParam));
        self->read = self->queued.Read(path);
      }
    }
    return TRUE;
  }

  HWND m_window;
};
