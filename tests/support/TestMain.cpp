// The main function of every test program. Before any test runs it installs a message-box handler
// that fails the running test with the box's caption and text, so that a box nobody expected is
// reported at once instead of waiting on a modal window until the test run times out. A test
// that expects boxes answers them with a MessageBoxCapture, which replaces this handler while it
// is in scope.
#include <gtest/gtest.h>

#include "framework/MessageBox.h"

namespace {

// The answer that lets the code go on without repeating what raised the box: never "retry".
int AnswerThatGoesOn(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OK:
      return IDOK;
    case MB_YESNO:
      return IDNO;
    case MB_ABORTRETRYIGNORE:
      return IDABORT;
    default:  // every other set of buttons has a cancel button
      return IDCANCEL;
  }
}

int FailOnUnexpectedBox(HWND, LPCSTR text, LPCSTR caption, UINT type) {
  ADD_FAILURE() << "unexpected message box \"" << (caption ? caption : "")
                << "\": " << (text ? text : "");
  return AnswerThatGoesOn(type);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  AfxSetMessageBoxHandler(FailOnUnexpectedBox);
  return RUN_ALL_TESTS();
}
