// The main function of every test program. Before any test runs it installs a message-box handler
// that fails the running test with the box's caption and text, so that a box nobody expected is
// reported at once instead of waiting on a modal window until the test run times out. A test
// that expects boxes answers them with a MessageBoxCapture, which replaces this handler while it
// is in scope. A crash ends the program at once with the running test's name and the fault's
// address, rather than waiting in Wine's crash debugger until the run times out.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>

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

LONG WINAPI ReportCrashAndExit(EXCEPTION_POINTERS* info) {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const EXCEPTION_RECORD* record = info->ExceptionRecord;
  std::fprintf(stderr, "\nCRASH in %s.%s: exception 0x%08lx at %p\n",
               test ? test->test_suite_name() : "(no test)", test ? test->name() : "",
               static_cast<unsigned long>(record->ExceptionCode), record->ExceptionAddress);
  std::fflush(stderr);
  TerminateProcess(GetCurrentProcess(), 3);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  SetUnhandledExceptionFilter(ReportCrashAndExit);
  AfxSetMessageBoxHandler(FailOnUnexpectedBox);
  return RUN_ALL_TESTS();
}
