// The run modes as a state machine, without a window: each mode with copies and marks, and what
// a user may do while a copy is being cut (stop, pause, hand a job over, delete). Invariants
// pinned: a run stops only where its mode says (after a copy, after a job, after the last marked
// job, each time with five beeps); a copy that did not go out is not counted; no row is removed
// while a copy is being cut.
#include <gtest/gtest.h>

#include "FakeJobQueue.h"

namespace {

using Paths = std::vector<std::string>;

TEST(JobRunner, EachModeCutsItsCopiesAndJobsAndStopsWithFiveBeeps) {
  struct Case {
    const char* what;
    CJobRunner::RunMode mode;
    int startRow;
    Paths expectedCuts;
    std::vector<int> expectedDone;
    int expectedBeeps;  // the start beep of modes 2 and 3, then the alert's five
  };
  const Case cases[] = {
      {"pause after each copy", CJobRunner::kPauseEachCopy, 0, {"A"}, {1, 0, 0, 0}, 6},
      {"pause after each job", CJobRunner::kPauseEachJob, 0, {"A", "A", "A"}, {3, 0, 0, 0}, 6},
      // B is not marked; D is marked but asks for nothing more once started.
      {"no pause", CJobRunner::kNoPause, 0, {"A", "A", "A", "C", "C"}, {3, 0, 2, 0}, 5},
      {"no pause from the last marked job", CJobRunner::kNoPause, 2, {"C", "C"}, {0, 0, 2, 0}, 5},
  };
  for (const Case& test : cases) {
    FakeJobQueue queue;
    queue.Add("A", 3);
    queue.Add("B", 1);
    queue.Add("C", 2, true);
    queue.Add("D", 0, true);
    CJobRunner runner(queue);
    queue.selected = test.startRow;
    runner.Start(test.mode);
    EXPECT_EQ(test.mode, runner.GetMode()) << test.what;
    EXPECT_TRUE(queue.Marked(test.startRow)) << test.what;
    queue.Pump(runner);
    EXPECT_EQ(test.expectedCuts, queue.cuts) << test.what;
    for (size_t row = 0; row < test.expectedDone.size(); ++row)
      EXPECT_EQ(test.expectedDone[row], queue.rows[row].done) << test.what << ", row " << row;
    EXPECT_EQ(test.expectedBeeps, queue.beeps) << test.what;
    EXPECT_EQ(1, queue.raised) << test.what;
    EXPECT_EQ(CJobRunner::kStopped, runner.GetMode()) << test.what;
    EXPECT_EQ(-1, runner.GetCurrentRow()) << test.what;
  }
}

TEST(JobRunner, AStartAsksForOneMoreCopyOnlyWhenAllAreDoneAndModeTwoGoesCopyByCopy) {
  FakeJobQueue queue;
  queue.Add("A", 2);
  queue.selected = 0;
  CJobRunner runner(queue);
  for (int copy = 1; copy <= 3; ++copy) {
    runner.Start(CJobRunner::kPauseEachCopy);
    queue.Pump(runner);
    EXPECT_EQ(copy, queue.rows[0].done);
  }
  EXPECT_EQ(3, queue.Requested(0));
  EXPECT_EQ(3u, queue.cuts.size());
}

TEST(JobRunner, AHandedOverJobStartsAtOnceOnlyWhenNothingIsBeingCut) {
  FakeJobQueue queue;
  queue.Add("A", 1, true);
  CJobRunner runner(queue);
  runner.JobHandedOver(0);
  EXPECT_EQ(CJobRunner::kPauseEachCopy, runner.GetMode());
  EXPECT_EQ(0, runner.GetCurrentRow());
  queue.duringCut = [&] {
    queue.duringCut = nullptr;
    runner.JobHandedOver(queue.Add("B", 1, true));
    EXPECT_EQ(0, runner.GetCurrentRow());
    EXPECT_EQ(CJobRunner::kPauseEachCopy, runner.GetMode());
  };
  queue.Pump(runner);
  EXPECT_EQ((Paths{"A"}), queue.cuts);
  EXPECT_EQ(0, queue.rows[1].done);
  EXPECT_EQ(CJobRunner::kStopped, runner.GetMode());
}

TEST(JobRunner, StoppingDuringACopyCancelsTheOutputAndDoesNotCountTheCopy) {
  FakeJobQueue queue;
  queue.Add("A", 3);
  queue.selected = 0;
  CJobRunner runner(queue);
  runner.Start(CJobRunner::kPauseEachJob);
  const int startBeeps = queue.beeps;
  queue.duringCut = [&] {
    runner.Stop();
    EXPECT_TRUE(runner.IsAborted());
  };
  queue.results = {CJobQueueHost::kStopped};
  queue.Pump(runner);
  EXPECT_EQ(1u, queue.cuts.size());
  EXPECT_EQ(0, queue.rows[0].done);
  EXPECT_EQ(1, queue.cancels);
  EXPECT_EQ(startBeeps, queue.beeps) << "a stop is no alert";
  EXPECT_EQ(-1, runner.GetCurrentRow());
}

// In every mode, a copy that fails is not counted, ends the run and is reported instead of the
// alert's beeps; the next marked job is not started, and a start tries the failed one again.
TEST(JobRunner, AFailedCopyIsNotCountedEndsTheRunAndIsReported) {
  for (CJobRunner::RunMode mode :
       {CJobRunner::kPauseEachCopy, CJobRunner::kPauseEachJob, CJobRunner::kNoPause}) {
    SCOPED_TRACE(mode);
    FakeJobQueue queue;
    queue.Add("A", 2, true);
    queue.Add("B", 1, true);
    queue.selected = 0;
    CJobRunner runner(queue);
    runner.Start(mode);
    const int startBeeps = queue.beeps;
    queue.results = {CJobQueueHost::kFailed};
    queue.Pump(runner);
    EXPECT_EQ((Paths{"A"}), queue.cuts);
    EXPECT_EQ(0, queue.rows[0].done);
    EXPECT_EQ(2, queue.Requested(0));
    EXPECT_EQ(CJobRunner::kStopped, runner.GetMode());
    EXPECT_EQ(-1, runner.GetCurrentRow());
    EXPECT_EQ(1, queue.failureReports);
    EXPECT_EQ(1, queue.raised);
    EXPECT_EQ(startBeeps, queue.beeps);
    EXPECT_EQ(0, queue.cancels) << "nothing was being sent";

    runner.Start(mode);
    queue.Pump(runner);
    EXPECT_EQ("A", queue.cuts[1]);
    EXPECT_EQ(1, queue.failureReports);
  }
}

TEST(JobRunner, APauseTakesEffectAfterTheJobAndAStartResumesWithTheNextMarkedJob) {
  FakeJobQueue queue;
  queue.Add("A", 2, true);
  queue.Add("B", 1, true);
  queue.selected = 0;
  CJobRunner runner(queue);
  runner.Start(CJobRunner::kNoPause);
  queue.duringCut = [&] {
    queue.duringCut = nullptr;
    runner.Pause();
  };
  queue.Pump(runner);
  EXPECT_EQ((Paths{"A", "A"}), queue.cuts);
  EXPECT_EQ(CJobRunner::kPaused, runner.GetMode());
  EXPECT_EQ(0, runner.GetCurrentRow());
  EXPECT_FALSE(runner.CanPause());
  EXPECT_TRUE(runner.CanStop());

  runner.Start(CJobRunner::kNoPause);
  queue.Pump(runner);
  EXPECT_EQ((Paths{"A", "A", "B"}), queue.cuts);
  EXPECT_EQ(CJobRunner::kStopped, runner.GetMode());
}

TEST(JobRunner, DeletesWaitForTheCopyBeingCutAndAreCarriedOutByPath) {
  FakeJobQueue queue;
  queue.Add("A", 1);
  queue.Add("B", 2);
  queue.Add("C", 1);
  queue.selected = 1;
  CJobRunner runner(queue);
  runner.Start(CJobRunner::kPauseEachJob);
  queue.duringCut = [&] {
    queue.duringCut = nullptr;
    runner.Delete(0);
    runner.Delete(2);
    EXPECT_EQ(3, queue.GetRowCount()) << "nothing goes while a copy is cut";
  };
  queue.Pump(runner);
  EXPECT_EQ((Paths{"A", "C"}), queue.removed);
  EXPECT_EQ((Paths{"B", "B"}), queue.cuts) << "the run goes on with its job, now row 0";
  EXPECT_EQ(2, queue.rows[0].done);

  // Deleting the job being cut ends the run once the copy is done, without the alert.
  queue.Add("D", 3);
  queue.selected = 1;
  queue.cuts.clear();
  runner.Start(CJobRunner::kPauseEachJob);
  const int beeps = queue.beeps;
  queue.duringCut = [&] { runner.Delete(1); };
  queue.Pump(runner);
  EXPECT_EQ((Paths{"D"}), queue.cuts);
  EXPECT_EQ((Paths{"A", "C", "D"}), queue.removed);
  EXPECT_EQ(CJobRunner::kStopped, runner.GetMode());
  EXPECT_EQ(beeps, queue.beeps);

  // Delete-all waits as well.
  queue.Add("E", 2);
  queue.selected = 1;
  runner.Start(CJobRunner::kPauseEachJob);
  queue.duringCut = [&] {
    runner.DeleteAll();
    EXPECT_EQ(2, queue.GetRowCount());
  };
  queue.Pump(runner);
  EXPECT_EQ(0, queue.GetRowCount());
  EXPECT_EQ(-1, runner.GetCurrentRow());
}

TEST(JobRunner, ARunCommandDuringARunWaitsForIt) {
  FakeJobQueue queue;
  queue.Add("A", 2);
  queue.Add("B", 1);
  queue.selected = 0;
  CJobRunner runner(queue);
  runner.Start(CJobRunner::kPauseEachJob);
  // Stopped, then started again on another row while the stopped copy is still ending.
  queue.duringCut = [&] {
    queue.duringCut = nullptr;
    runner.Stop();
    queue.selected = 1;
    runner.Start(CJobRunner::kPauseEachJob);
    runner.Run();
    EXPECT_EQ(1u, queue.cuts.size()) << "no copy is cut inside another";
  };
  queue.results = {CJobQueueHost::kStopped};
  queue.Pump(runner);
  EXPECT_EQ((Paths{"A", "B"}), queue.cuts);
  EXPECT_EQ(0, queue.rows[0].done);
  EXPECT_EQ(1, queue.rows[1].done);
}

TEST(JobRunner, CopiesAndMarksFollowTheirRules) {
  FakeJobQueue queue;
  queue.Add("A", 1);
  queue.Add("B", 2);
  queue.rows[1].done = 2;
  CJobRunner runner(queue);
  runner.AddCopy(0);
  EXPECT_EQ(2, queue.Requested(0));
  EXPECT_TRUE(runner.CanRemoveCopy(0));
  runner.RemoveCopy(0);
  runner.RemoveCopy(0);
  EXPECT_EQ(0, queue.Requested(0));
  EXPECT_FALSE(runner.CanRemoveCopy(1)) << "all copies are done";
  runner.RemoveCopy(1);
  EXPECT_EQ(2, queue.Requested(1));

  runner.ToggleMark(1);
  EXPECT_TRUE(queue.Marked(1));
  queue.selected = 1;
  runner.Start(CJobRunner::kPauseEachJob);
  runner.ToggleMark(1);
  EXPECT_TRUE(queue.Marked(1)) << "the current row keeps its mark";

  EXPECT_FALSE(runner.CanStart(CJobRunner::kPauseEachJob));
  EXPECT_TRUE(runner.CanStart(CJobRunner::kNoPause));
}

}  // namespace
