// Runs the application's message loop until nothing is pending, then its idle processing, so that
// a test sees what a user would see after the program settles. WM_QUIT is dropped.
#pragma once

#include "framework/WinApp.h"

inline void PumpMessages(int rounds = 3) {
  CWinApp* app = AfxGetApp();
  for (int round = 0; round < rounds; ++round) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      if (!app || !app->PreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    }
    if (app)
      for (LONG count = 0; app->OnIdle(count); ++count) {
      }
  }
}
