// The TWAIN connection against a source manager in memory: every state change up and down,
// a failure at each step of an acquisition, the images of one transfer ready event, cancelled and
// failing transfers, the source's close request and the chooser; and the real manager file's
// availability.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "media/scanning/Twain.h"
#include "support/FakeTwainManager.h"
#include "support/RasterFixtures.h"

namespace {

using Log = std::vector<std::string>;

class TestTwain : public CTwain {
public:
  explicit TestTwain(FakeTwainManager& manager) : m_manager(manager) {}
  ~TestTwain() override { DropToState(1); }

  std::vector<int> states;
  std::vector<int> errors;
  std::vector<std::vector<BYTE>> images;

protected:
  void OnStateChanged(int state) override { states.push_back(state); }
  void OnError(int code) override { errors.push_back(code); }
  void OnImage(HGLOBAL image) override {
    m_manager.log.push_back("image");
    auto* bytes = static_cast<BYTE*>(GlobalLock(image));
    images.emplace_back(bytes, bytes + GlobalSize(image));
    GlobalUnlock(image);
    GlobalFree(image);
  }

private:
  FakeTwainManager& m_manager;
};

std::vector<BYTE> Dib(int width) {
  raster::BmpSpec spec;
  spec.width = width;
  spec.height = 3;
  spec.bits = 1;
  std::vector<BYTE> file = raster::MakeBmp(spec);
  return std::vector<BYTE>(file.begin() + 14, file.end());
}

// Whether a delivered memory block (which may be rounded up) holds the bitmap.
bool Holds(const std::vector<BYTE>& block, const std::vector<BYTE>& dib) {
  return block.size() >= dib.size() && std::equal(dib.begin(), dib.end(), block.begin());
}

MSG Message(UINT id) {
  MSG message = {};
  message.message = id;
  return message;
}

class Twain : public ::testing::Test {
protected:
  FakeTwainManager manager;
};

TEST_F(Twain, AcquiresStepByStepAndDropsBackTheSameWay) {
  TestTwain scanner(manager);
  EXPECT_TRUE(scanner.IsTwainAvailable());
  EXPECT_TRUE(scanner.Acquire(HWND(0x1234)));
  EXPECT_EQ((std::vector<int>{2, 3, 4, 5}), scanner.states);
  EXPECT_EQ((Log{"open manager", "open source", "enable"}), manager.log);
  EXPECT_EQ(HWND(0x1234), manager.parent);
  EXPECT_EQ(1, manager.showInterface);
  EXPECT_STREQ("Fake Scanner", CTwain::CurrentSource().productName);
  // A second acquisition while enabled asks nothing.
  EXPECT_TRUE(scanner.Acquire());
  EXPECT_EQ(3u, manager.log.size());
  scanner.states.clear();
  manager.log.clear();
  EXPECT_TRUE(scanner.DropToState(1));
  EXPECT_EQ((std::vector<int>{4, 3, 2, 1}), scanner.states);
  EXPECT_EQ((Log{"disable", "close source", "close manager"}), manager.log);
  EXPECT_TRUE(scanner.errors.empty());
}

TEST_F(Twain, AFailedStepReportsItAndReturnsToTheStateItBeganIn) {
  struct Case {
    WORD dataType, message;
    int startState;
    int error;
    Log log;
  };
  const Case cases[] = {
      {twain::kParent, twain::kOpenManager, 1, CTwain::kManagerNotOpened, {"failed 769"}},
      {twain::kIdentity,
       twain::kOpenSource,
       1,
       CTwain::kSourceNotOpened,
       {"open manager", "failed 1025", "close manager"}},
      {twain::kUserInterface,
       twain::kEnableSource,
       3,
       CTwain::kSourceNotEnabled,
       {"open source", "failed 1282", "close source"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    FakeTwainManager fake;
    fake.Fail(c.dataType, c.message);
    TestTwain scanner(fake);
    if (c.startState == 3) {
      ASSERT_TRUE(scanner.OpenSourceManager(nullptr));
    }
    fake.log.clear();
    EXPECT_FALSE(scanner.Acquire());
    EXPECT_EQ(std::vector<int>{c.error}, scanner.errors);
    EXPECT_EQ(c.startState, scanner.GetState());
    EXPECT_EQ(c.log, fake.log);
  }
  // A failing step down stops the drop there, with the code kept.
  FakeTwainManager fake;
  fake.Fail(twain::kIdentity, twain::kCloseSource);
  TestTwain scanner(fake);
  ASSERT_TRUE(scanner.Acquire());
  EXPECT_FALSE(scanner.DropToState(2));
  EXPECT_EQ(4, scanner.GetState());
  EXPECT_EQ(twain::kFailure, scanner.GetLastCode());
  fake.failures.clear();
}

TEST_F(Twain, OneReadyEventDeliversEveryPendingImageAfterItsTransferEnds) {
  manager.images = {Dib(5), Dib(40), Dib(70)};
  TestTwain scanner(manager);
  MSG ready = Message(FakeTwainManager::ReadyMessage());
  // Before the source is enabled nothing is asked.
  EXPECT_FALSE(scanner.ProcessEvent(&ready));
  EXPECT_TRUE(manager.log.empty());
  ASSERT_TRUE(scanner.Acquire());
  manager.log.clear();
  scanner.states.clear();
  EXPECT_TRUE(scanner.ProcessEvent(&ready));
  EXPECT_EQ((Log{"get image", "end transfer", "image", "get image", "end transfer", "image",
                 "get image", "end transfer", "image"}),
            manager.log);
  EXPECT_EQ((std::vector<int>{6, 7, 6, 7, 6, 7, 5}), scanner.states);
  ASSERT_EQ(3u, scanner.images.size());
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(Holds(scanner.images[i], Dib(i == 0 ? 5 : 30 * i + 10)));
  // An ordinary message is the owner's.
  MSG paint = Message(WM_PAINT);
  EXPECT_FALSE(scanner.ProcessEvent(&paint));
}

TEST_F(Twain, ACancelledTransferEndsWithoutAnImage) {
  manager.images = {Dib(5), Dib(6)};
  manager.transferAnswers = {twain::kCancel, twain::kTransferDone};
  TestTwain scanner(manager);
  ASSERT_TRUE(scanner.Acquire());
  manager.log.clear();
  MSG ready = Message(FakeTwainManager::ReadyMessage());
  scanner.ProcessEvent(&ready);
  EXPECT_EQ((Log{"get image", "end transfer", "get image", "end transfer", "image"}), manager.log);
  ASSERT_EQ(1u, scanner.images.size());
  EXPECT_TRUE(Holds(scanner.images[0], Dib(6)));
  EXPECT_EQ(5, scanner.GetState());
}

TEST_F(Twain, ATransferThatKeepsFailingIsResetAndReported) {
  manager.images = {Dib(5)};
  manager.Fail(twain::kImageNativeTransfer, twain::kGet);
  TestTwain scanner(manager);
  ASSERT_TRUE(scanner.Acquire());
  MSG ready = Message(FakeTwainManager::ReadyMessage());
  scanner.ProcessEvent(&ready);
  EXPECT_EQ(CTwain::kTransferAttempts, manager.getCalls);
  EXPECT_EQ("reset", manager.log.back());
  EXPECT_EQ(5, scanner.GetState());
  EXPECT_EQ(std::vector<int>{CTwain::kTransferFailed}, scanner.errors);
  EXPECT_TRUE(scanner.images.empty());
  // A failure between good transfers starts the count again.
  FakeTwainManager second;
  second.images = {Dib(5), Dib(6)};
  second.transferAnswers = {twain::kFailure, twain::kFailure, twain::kTransferDone,
                            twain::kFailure, twain::kFailure, twain::kTransferDone};
  TestTwain other(second);
  ASSERT_TRUE(other.Acquire());
  other.ProcessEvent(&ready);
  EXPECT_EQ(2u, other.images.size());
  EXPECT_TRUE(other.errors.empty());
}

TEST_F(Twain, TheSourcesCloseRequestClosesIt) {
  TestTwain scanner(manager);
  ASSERT_TRUE(scanner.Acquire());
  scanner.states.clear();
  MSG close = Message(FakeTwainManager::CloseMessage());
  EXPECT_TRUE(scanner.ProcessEvent(&close));
  EXPECT_EQ((std::vector<int>{5, 4, 3}), scanner.states);
}

TEST_F(Twain, TheChooserOpensTheManagerForItselfAndLeavesAsItFoundIt) {
  TestTwain scanner(manager);
  EXPECT_TRUE(scanner.SelectSource());
  EXPECT_EQ((Log{"open manager", "get default", "user select", "close manager"}), manager.log);
  EXPECT_EQ(1, scanner.GetState());
  // Cancelled in the chooser; from an open manager it stays open.
  manager.userSelectAnswer = twain::kCancel;
  ASSERT_TRUE(scanner.OpenSourceManager(nullptr));
  EXPECT_FALSE(scanner.SelectSource());
  EXPECT_EQ(3, scanner.GetState());
  // Without a manager the chooser reports it.
  manager.Fail(twain::kParent, twain::kOpenManager);
  TestTwain other(manager);
  EXPECT_FALSE(other.SelectSource());
  EXPECT_EQ(std::vector<int>{CTwain::kManagerNotOpened}, other.errors);
  manager.failures.clear();
}

TEST(TwainManagerFile, AMissingManagerIsLookedForOnceAndTheRealOneLoads) {
  CTwain::UseSourceManager(nullptr);
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  std::string real = std::string(system) + "\\twain_32.dll";
  CTwain::SetManagerPath("C:\\no such folder\\TWAIN_32.DLL");
  {
    CTwain scanner;
    EXPECT_FALSE(scanner.IsTwainAvailable());
    CTwain::SetManagerPath(real.c_str());
    EXPECT_FALSE(scanner.IsTwainAvailable());
  }
  // Wine's own manager: loads, opens and closes.
  CTwain::UseSourceManager(nullptr);
  if (GetFileAttributesA(real.c_str()) != INVALID_FILE_ATTRIBUTES) {
    CTwain scanner;
    EXPECT_TRUE(scanner.IsTwainAvailable());
    EXPECT_EQ(2, scanner.GetState());
    HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(scanner.OpenSourceManager(window));
    EXPECT_TRUE(scanner.CloseSourceManager(window));
    EXPECT_TRUE(scanner.UnloadSourceManager());
    DestroyWindow(window);
  }
  CTwain::SetManagerPath(nullptr);
  CTwain::UseSourceManager(nullptr);
}

}  // namespace

// Wine's own manager on a machine without a scanner: its sources (SANE's, where Wine has one,
// and gPhoto's) open nothing, which is reported, and the connection returns to where it was.
TEST(TwainManagerFile, WinesManagerWithoutAScannerReportsTheSourceNotOpened) {
  CTwain::UseSourceManager(nullptr);
  struct RecordingTwain : CTwain {
    std::vector<int> errors;
    void OnError(int code) override { errors.push_back(code); }
  } scanner;
  if (!scanner.IsTwainAvailable()) GTEST_SKIP() << "no TWAIN manager here";
  HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  scanner.SetShowInterface(false);
  int before = scanner.GetState();
  bool acquired = scanner.Acquire(window);
  int after = scanner.GetState();
  scanner.DropToState(1, window);
  DestroyWindow(window);
  CTwain::UseSourceManager(nullptr);
  if (acquired) GTEST_SKIP() << "a scanner or camera is attached";
  EXPECT_EQ(std::vector<int>{CTwain::kSourceNotOpened}, scanner.errors);
  EXPECT_EQ(before, after);
  EXPECT_EQ(1, scanner.GetState());
}
