#include "framework/KeyState.h"

namespace {

AfxKeyStateHandler& Handler() {
  static AfxKeyStateHandler handler;
  return handler;
}

}  // namespace

AfxKeyStateHandler AfxSetKeyStateHandler(AfxKeyStateHandler handler) {
  AfxKeyStateHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}

SHORT AfxGetKeyState(int virtualKey) {
  return Handler() ? Handler()(virtualKey) : GetKeyState(virtualKey);
}

SHORT AfxGetAsyncKeyState(int virtualKey) {
  return Handler() ? Handler()(virtualKey) : GetAsyncKeyState(virtualKey);
}

bool AfxIsKeyDown(int virtualKey) { return (AfxGetKeyState(virtualKey) & 0x8000) != 0; }
