#include <gtest/gtest.h>

#include <vector>

#include "framework/Wnd.h"
#include "model/editing/DragTracker.h"
#include "model/editing/MessageHelpers.h"

namespace {

struct ReceivedCommand {
  HWND window;
  WPARAM command;
  LPARAM data;
};

std::vector<ReceivedCommand>& Received() {
  static std::vector<ReceivedCommand> received;
  return received;
}

// A drop target answers the query with the value kept in its user data.
LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    Received().push_back({window, wParam, lParam});
    return wParam == CDragTracker::kQueryDropCommand ? GetWindowLongPtrA(window, GWLP_USERDATA) : 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// Drop targets are children of one visible top-level window, made once: showing a top-level
// window under Xvfb takes Wine a while.
class DragTrackerTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TargetProc;
    windowClass.lpszClassName = "TalvexDropTarget";
    RegisterClassA(&windowClass);
    hostWindow_ = CreateWindowExA(0, "TalvexDropTarget", "", WS_POPUP | WS_VISIBLE, 100, 100, 400,
                                  100, nullptr, nullptr, nullptr, nullptr);
  }
  static void TearDownTestSuite() { DestroyWindow(hostWindow_); }

  void SetUp() override {
    ASSERT_TRUE(hostWindow_);
    m_accepting = MakeTarget(0, 1);
    m_refusing = MakeTarget(200, 0);
    m_accept = LoadCursorA(nullptr, IDC_ARROW);
    m_refuse = LoadCursorA(nullptr, IDC_NO);
    Received().clear();
  }
  void TearDown() override {
    DestroyWindow(m_accepting);
    DestroyWindow(m_refusing);
  }
  static HWND MakeTarget(int x, LONG_PTR answer) {
    HWND window = CreateWindowExA(0, "TalvexDropTarget", "", WS_CHILD | WS_VISIBLE, x, 0, 100, 100,
                                  hostWindow_, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, answer);
    return window;
  }

  static HWND hostWindow_;
  HWND m_accepting = nullptr, m_refusing = nullptr;
  HCURSOR m_accept = nullptr, m_refuse = nullptr;
};

HWND DragTrackerTest::hostWindow_ = nullptr;

TEST_F(DragTrackerTest, WindowAtPoint) {
  CWnd* found = GetWindowAtPoint({110, 130});
  ASSERT_TRUE(found);
  EXPECT_EQ(m_accepting, found->GetSafeHwnd());
}

TEST_F(DragTrackerTest, AcceptingWindowGetsTheDrop) {
  CDragTracker tracker;
  EXPECT_FALSE(tracker.IsActive());
  tracker.Begin(m_accept, m_refuse);
  EXPECT_TRUE(tracker.IsActive());
  EXPECT_EQ(1, tracker.Track(150, 150));
  EXPECT_TRUE(tracker.IsAccepted());
  EXPECT_EQ(m_accept, GetCursor());
  EXPECT_EQ(150, tracker.GetLastPoint().x);
  ASSERT_EQ(1u, Received().size());
  EXPECT_EQ(m_accepting, Received()[0].window);
  EXPECT_EQ(reinterpret_cast<LPARAM>(&tracker), Received()[0].data);

  int dropped = 7;
  tracker.SetDropData(&dropped);
  tracker.Drop(32800);
  ASSERT_EQ(2u, Received().size());
  EXPECT_EQ(32800u, Received()[1].command);
  EXPECT_EQ(reinterpret_cast<LPARAM>(&tracker), Received()[1].data);
  EXPECT_EQ(&dropped, reinterpret_cast<CDragTracker*>(Received()[1].data)->GetDropData());
  tracker.End();
  EXPECT_FALSE(tracker.IsActive());
  EXPECT_FALSE(tracker.IsAccepted());
  // What was dropped is not kept for the next drag.
  EXPECT_EQ(nullptr, tracker.GetDropData());
}

TEST_F(DragTrackerTest, RefusingWindowGetsNothing) {
  CDragTracker tracker;
  tracker.Begin(m_accept, m_refuse);
  EXPECT_EQ(1, tracker.Track(150, 150));
  EXPECT_EQ(0, tracker.Track(350, 150));  // moved on to a window that says no
  EXPECT_FALSE(tracker.IsAccepted());
  EXPECT_EQ(m_refuse, GetCursor());
  Received().clear();
  tracker.Drop(32800);
  EXPECT_TRUE(Received().empty());
}

TEST_F(DragTrackerTest, AWindowDisabledByAModalDialogStillPassesTheQueryToItsChild) {
  EnableWindow(hostWindow_, FALSE);
  CDragTracker tracker;
  tracker.Begin(m_accept, m_refuse);
  int answer = tracker.Track(150, 150);
  EnableWindow(hostWindow_, TRUE);
  EXPECT_EQ(1, answer);
  ASSERT_EQ(1u, Received().size());
  EXPECT_EQ(m_accepting, Received()[0].window);
}

TEST_F(DragTrackerTest, TargetDestroyedBeforeTheDrop) {
  CDragTracker tracker;
  tracker.Begin(m_accept, m_refuse);
  ASSERT_EQ(1, tracker.Track(150, 150));
  DestroyWindow(m_accepting);
  Received().clear();
  tracker.Drop(32800);
  EXPECT_TRUE(Received().empty());
}

}  // namespace
