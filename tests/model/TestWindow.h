// A top-level window of its own class, shown without activation unless asked not to,, for tests that check invalidation and cursors.
#pragma once

#include <windows.h>

class TestWindow {
public:
  explicit TestWindow(int width = 400, int height = 300, bool show = true) {
    static ATOM registered = Register();
    (void)registered;
    m_window = ::CreateWindowExA(0, kClassName, "test", WS_POPUP, 0, 0, width, height,
                                 nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    // Only a visible window keeps an update region.
    if (show) ::ShowWindow(m_window, SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_window);
    ValidateAll();
  }
  ~TestWindow() { ::DestroyWindow(m_window); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND Handle() const { return m_window; }
  void ValidateAll() { ::ValidateRect(m_window, nullptr); }
  // The bounding rectangle of what is waiting to be repainted (empty when nothing is).
  RECT UpdateRect() const {
    RECT rect = {0, 0, 0, 0};
    ::GetUpdateRect(m_window, &rect, FALSE);
    return rect;
  }
  HCURSOR ClassCursor() const {
    return reinterpret_cast<HCURSOR>(::GetClassLongPtrA(m_window, GCLP_HCURSOR));
  }

private:
  static constexpr const char* kClassName = "TalvexModelTestWindow";
  static ATOM Register() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    return ::RegisterClassA(&windowClass);
  }

  HWND m_window;
};
