// The undo scope: a command's level is closed on every way out of the command, and a cancelled
// command leaves no step behind while the commands before it stay undoable. No window.
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/undo/UndoManager.h"
#include "model/undo/UndoRecord.h"
#include "model/undo/UndoScope.h"
#include "model/undo/UndoStep.h"

namespace {

// Writes "name" into the log when undone and "~name" when destroyed.
class LoggedRecord : public CUndoRecord {
public:
  LoggedRecord(std::string name, std::vector<std::string>* log)
      : m_name(std::move(name)), m_log(log) {}
  ~LoggedRecord() override { m_log->push_back("~" + m_name); }
  BOOL Undo(CBlockView*) override {
    m_log->push_back(m_name);
    return TRUE;
  }

private:
  std::string m_name;
  std::vector<std::string>* m_log;
};

class UndoScopeTest : public ::testing::Test {
protected:
  void Record(const char* name) { manager.AppendRecord(new LoggedRecord(name, &log)); }

  // A command that records, then leaves early, by throwing or by cancelling, as told.
  enum Exit { kFinishes, kReturnsEarly, kThrows, kCancels };
  void Command(const char* name, Exit exit) {
    CUndoScope step(manager);
    Record(name);
    if (exit == kReturnsEarly) return;
    if (exit == kThrows) throw std::runtime_error(name);
    if (exit == kCancels) step.Cancel();
  }

  // The log outlives the manager: steps still held write into it when they are destroyed.
  std::vector<std::string> log;
  CUndoManager manager{10};
};

TEST_F(UndoScopeTest, EveryWayOutOfACommandClosesItsLevel) {
  const struct {
    Exit exit;
    INT_PTR newSteps;
  } cases[] = {{kFinishes, 1}, {kReturnsEarly, 1}, {kThrows, 1}, {kCancels, 0}};
  for (const auto& c : cases) {
    INT_PTR before = manager.GetStepCount();
    try {
      Command("c", c.exit);
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(0, manager.GetDepth()) << "exit " << c.exit;
    EXPECT_EQ(before + c.newSteps, manager.GetStepCount()) << "exit " << c.exit;
  }
}

TEST_F(UndoScopeTest, ACancelledCommandDropsItsRecordsUnplayedAndUndoReachesTheOneBefore) {
  Command("kept", kFinishes);
  Command("dropped", kCancels);
  EXPECT_EQ(std::vector<std::string>{"~dropped"}, log);  // destroyed, never undone
  ASSERT_EQ(1, manager.GetStepCount());
  manager.PlayLastStep(nullptr);
  EXPECT_EQ((std::vector<std::string>{"~dropped", "kept", "~kept"}), log);

  // A cancel that recorded nothing leaves the earlier steps alone.
  Command("kept again", kFinishes);
  {
    CUndoScope nothing(manager);
    nothing.Cancel();
    nothing.Cancel();
  }
  EXPECT_EQ(1, manager.GetStepCount());
  EXPECT_EQ(0, manager.GetDepth());
}

TEST_F(UndoScopeTest, AnInnerCancelClosesOnlyItsLevelAndTheOuterStepKeepsEverything) {
  {
    CUndoScope outer(manager, 1);
    Record("outer");
    Command("inner", kCancels);
    EXPECT_EQ(1, manager.GetDepth());
    Record("after");
  }
  ASSERT_EQ(1, manager.GetStepCount());
  CUndoStep* step = manager.GetStep(-1);
  ASSERT_EQ(4, step->GetSize());
  EXPECT_TRUE(step->BeginsWithRepaint());
  EXPECT_TRUE(log.empty());
}

TEST_F(UndoScopeTest, AScopeOpenedDuringPlaybackClosesNoLevelOfTheCommandAround) {
  CUndoScope command(manager);
  std::optional<CUndoScope> duringPlayback;
  manager.Suspend();
  duringPlayback.emplace(manager);
  manager.Resume();
  duringPlayback.reset();
  EXPECT_EQ(1, manager.GetDepth());
}

TEST_F(UndoScopeTest, ACancelAfterPlaybackTookTheStepLeavesTheOlderStepsAlone) {
  Command("older", kFinishes);
  {
    CUndoScope step(manager);
    Record("newer");
    manager.PlayLastStep(nullptr);
    step.Cancel();
  }
  ASSERT_EQ(1, manager.GetStepCount());
  manager.PlayLastStep(nullptr);
  EXPECT_EQ((std::vector<std::string>{"newer", "~newer", "older", "~older"}), log);
}

}  // namespace
