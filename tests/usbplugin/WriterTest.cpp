// The plug-in's job queue and writer against cutters in memory, without windows: what reaches the
// cutter (scaled steps in batches of at most 8192 records, within the room it reports), back-off,
// rollback of a failed write, a cutter that stalls or is unplugged in the middle of a job, progress
// and cancel. Writer passes are run by the test itself except where the thread is the point.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/TempFolder.h"
#include "usbplugin/MemoryDevice.h"
#include "usbplugin/SectionLock.h"
#include "usbplugin/UsbPlotter.h"

namespace {

// A plot file of count pen-down points (i, 2i), i = 1..count, after a move to 0,0.
std::string Lines(int count) {
  std::string text = "IN;PU0,0;";
  for (int i = 1; i <= count; ++i)
    text += "PD" + std::to_string(i) + "," + std::to_string(2 * i) + ";";
  return text;
}

class WriterTest : public ::testing::Test {
protected:
  WriterTest() : m_device(new CMemoryDevice(1)) {
    m_slot.reset(new CDeviceSlot(1, std::unique_ptr<CDeviceLink>(m_device)));
  }

  INT32 Queue(const std::string& text, bool deleteFile = false, const char* name = "job.plt") {
    std::string path = m_folder.File(name);
    std::ofstream(path, std::ios::binary) << text;
    std::unique_ptr<CPlotJob> job(new CPlotJob(path.c_str(), deleteFile));
    EXPECT_EQ(CPlotFile::kOpened, job->file.Open(path.c_str()));
    EXPECT_TRUE(job->file.CountRecords(job->recordCount, job->dropped));
    return m_slot->Queue(std::move(job));
  }
  void Pass(int times = 1) {
    for (int i = 0; i < times; ++i) {
      CSectionLock lock(m_slot->DeviceLock());
      m_slot->ServeWriterPass();
    }
  }
  int Writes() const {
    int writes = 0;
    for (int command : m_device->Commands()) writes += command == ScsiCommand::kWriteRecords;
    return writes;
  }
  // The device points the received steps lead to.
  std::vector<std::pair<int, int>> Points() const {
    std::vector<std::pair<int, int>> points;
    int x = 0, y = 0;
    for (const WireRecord& r : m_device->Received()) {
      x += r.xStep;
      y += r.yStep;
      points.push_back({x, y});
    }
    return points;
  }
  int Permille(INT32 job) {
    int permille = -1;
    EXPECT_EQ(0, m_slot->Progress(job, permille));
    return permille;
  }

  TempFolder m_folder;
  CMemoryDevice* m_device;
  std::unique_ptr<CDeviceSlot> m_slot;
};

TEST_F(WriterTest, AJobReachesTheCutterAsScaledStepsAndIsFinished) {
  std::string path = m_folder.File("job.plt");
  INT32 job = Queue("PU0,0;PD1000,0,1000,1000;PU;", true);
  EXPECT_EQ(1, job);
  Pass();
  std::vector<WireRecord> received = m_device->Received();
  ASSERT_EQ(3u, received.size());
  EXPECT_EQ(WireRecord::kMove, received[0].kind);
  EXPECT_EQ(WireRecord::kLine, received[1].kind);
  EXPECT_EQ(808, received[1].xStep);  // 1000 plot units with the default scales
  EXPECT_EQ(0, received[1].yStep);
  EXPECT_EQ(808, received[2].yStep);
  EXPECT_EQ(1616, m_slot->PathLength());
  EXPECT_FALSE(m_slot->HasQueuedJob());
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.c_str()));  // delete flag
  EXPECT_EQ(ScsiCommand::kStatusCommand, m_device->Commands().back());
  EXPECT_EQ(1000, Permille(job));

  // A cutter that reports its scales is plotted with them, and the plug-in says it took them.
  m_device->SetScales(CDeviceScale(100000, 100000, 100000, 100000));
  Queue("PU0,0;PD1000,0;");
  Pass();
  EXPECT_EQ(1000, m_device->Received().back().xStep);
  EXPECT_EQ(DeviceStatus::kScalesTaken, m_slot->Status().acknowledged);
}

// The cutter starts every job at its origin: the steps of a second job in the same session count
// from 0,0, not from where the first job ended.
TEST_F(WriterTest, ASecondJobOfTheSessionStepsFromTheOrigin) {
  Queue("PU0,0;PD1000,2000;", false, "first.plt");
  Pass();
  const size_t first = m_device->Received().size();
  ASSERT_EQ(2u, first);
  Queue("PU500,300;PD500,1000;", false, "second.plt");
  Pass();
  std::vector<WireRecord> received = m_device->Received();
  ASSERT_EQ(first + 2, received.size());
  EXPECT_EQ(WireRecord::kMove, received[first].kind);
  EXPECT_EQ(404, received[first].xStep);  // 500 and 300 plot units, scaled, from 0,0
  EXPECT_EQ(242, received[first].yStep);
  EXPECT_EQ(0, received[first + 1].xStep);
  EXPECT_EQ(808 - 242, received[first + 1].yStep);
}

TEST_F(WriterTest, LargeJobsGoOutInWritesOf8192RecordsWithinTheRoom) {
  m_device->SetCapacity(20000);
  m_device->SetPace(0);  // carries nothing out until told
  INT32 job = Queue(Lines(30000));
  Pass();
  EXPECT_EQ(20000u, m_device->Received().size());
  EXPECT_EQ(3, Writes());  // 8192 + 8192 + 3616
  EXPECT_EQ(CDeviceSlot::kBackOffPasses, m_slot->BackOff());
  EXPECT_EQ(0, Permille(job));  // all 20000 still pending

  // A full cutter: after the back-off the slot asks for the status again and waits once more.
  Pass(CDeviceSlot::kBackOffPasses + 1);
  EXPECT_EQ(20000u, m_device->Received().size());
  EXPECT_EQ(ScsiCommand::kStatusCommand, m_device->Commands().back());

  m_device->SetPace(-1);
  Pass(2 * CDeviceSlot::kBackOffPasses + 2);
  EXPECT_EQ(30001u, m_device->Received().size());
  EXPECT_EQ(1000, Permille(job));
  std::vector<std::pair<int, int>> points = Points();
  EXPECT_EQ(std::make_pair(24255, 48510), points.back());  // 30000 and 60000 scaled
}

TEST_F(WriterTest, ARoomOfOneRecordMakesTheSlotWaitAndAskForTheStatus) {
  m_device->SetCapacity(1);
  Queue(Lines(5));
  Pass();
  EXPECT_TRUE(m_device->Received().empty());
  EXPECT_EQ(CDeviceSlot::kBackOffPasses, m_slot->BackOff());
  EXPECT_EQ(ScsiCommand::kStatusCommand, m_device->Commands().back());
}

TEST_F(WriterTest, AFailedWriteIsSentAgainFromTheSamePointAndNotCounted) {
  INT32 job = Queue(Lines(100));
  m_device->FailWrites(1);
  Pass();
  EXPECT_TRUE(m_device->Received().empty());
  EXPECT_EQ(0, Permille(job));  // nothing counted as sent
  EXPECT_TRUE(m_slot->HasQueuedJob());
  Pass(CDeviceSlot::kBackOffPasses + 1);
  ASSERT_EQ(101u, m_device->Received().size());
  std::vector<std::pair<int, int>> points = Points();
  for (int i = 1; i <= 100; ++i)
    EXPECT_EQ(std::make_pair(i * 8085 / 10000, 2 * i * 8085 / 10000), points[i]) << i;
}

TEST_F(WriterTest, ACutterUnpluggedInTheMiddleOfAJobGetsTheRestOnceItIsBack) {
  INT32 job = Queue(Lines(20000));
  m_device->UnplugAfter(10000);  // takes the first write of 8192, loses the second
  Pass();
  EXPECT_EQ(8192u, m_device->Received().size());
  Pass(3 * CDeviceSlot::kBackOffPasses);
  EXPECT_EQ(8192u, m_device->Received().size());
  EXPECT_LT(Permille(job), 1000);
  m_device->SetPlugged(true);
  Pass(3 * CDeviceSlot::kBackOffPasses);
  ASSERT_EQ(20001u, m_device->Received().size());
  EXPECT_EQ(std::make_pair(16170, 32340), Points().back());  // no record lost or sent twice
  EXPECT_EQ(1000, Permille(job));
}

TEST_F(WriterTest, ProgressSaysAllDoneOnlyAfterTheWritersEndOfJobWork) {
  m_device->SetCapacity(11);  // the batch fills exactly at the last record
  INT32 job = Queue(Lines(10));
  Pass();
  EXPECT_EQ(11u, m_device->Received().size());
  EXPECT_TRUE(m_slot->HasQueuedJob());
  EXPECT_EQ(999, Permille(job));
  Pass(CDeviceSlot::kBackOffPasses + 1);
  EXPECT_FALSE(m_slot->HasQueuedJob());
  EXPECT_EQ(1000, Permille(job));
  int unknown = -1;
  EXPECT_EQ(0x20000, m_slot->Progress(99, unknown));
}

TEST_F(WriterTest, CancelFinishesTheJobResetsTheCutterAndNeverHangsOnAStalledOne) {
  m_device->SetCapacity(5);
  m_device->SetPace(0);
  Queue(Lines(100));
  Queue(Lines(10), false, "second.plt");
  Pass();
  EXPECT_TRUE(m_slot->Cancel());
  EXPECT_FALSE(m_slot->HasQueuedJob());
  std::vector<int> commands = m_device->Commands();
  EXPECT_NE(commands.end(), std::find(commands.begin(), commands.end(), ScsiCommand::kReset));
  EXPECT_EQ(WireRecord::kMarker, m_device->Received().back().kind);
  EXPECT_EQ(WireRecord::kCancelMarkerY, m_device->Received().back().yStep);
  EXPECT_FALSE(m_device->IsOpen());

  Queue(Lines(10));
  m_device->SetReady(false);
  m_slot->SetCancelWait(200);
  DWORD start = GetTickCount();
  EXPECT_TRUE(m_slot->Cancel());
  EXPECT_LT(GetTickCount() - start, 2000u);

  m_device->SetPlugged(false);
  EXPECT_FALSE(m_slot->Cancel());  // no answer to the reset
}

// The engine with its thread: results of queuing, every slot served alike, and the writer ended
// only when no slot has work.
class EngineTest : public ::testing::Test {
protected:
  EngineTest()
      : m_plotter([this](int slot) {
          m_devices[slot] = new CMemoryDevice(slot);
          return std::unique_ptr<CDeviceLink>(m_devices[slot]);
        }) {}

  std::string Write(const std::string& name, const std::string& text) {
    std::string path = m_folder.File(name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  bool WaitFor(int slot, INT32 job) {
    for (int i = 0; i < 200; ++i) {
      int permille = 0;
      if (m_plotter.Progress(slot, job, permille) == 0 && permille == 1000) return true;
      Sleep(10);
    }
    return false;
  }

  TempFolder m_folder;
  CMemoryDevice* m_devices[CUsbPlotter::kSlotCount] = {};
  CUsbPlotter m_plotter;
};

TEST_F(EngineTest, QueuingRefusesWhatCannotBePlotted) {
  struct Case {
    int slot;
    std::string path;
    int result;
  };
  const Case cases[] = {
      {10, Write("a.plt", Lines(3)), CUsbPlotter::kNoSuchSlot},
      {-1, Write("a.plt", Lines(3)), CUsbPlotter::kNoSuchSlot},
      {1, m_folder.File("missing.plt"), CUsbPlotter::kNoSuchFile},
      {1, Write("short.plt", "PU;"), CUsbPlotter::kShortFile},
      {1, Write("none.plt", "IN;SP1;PU;"), CUsbPlotter::kNoPlotRecords},
  };
  for (const Case& c : cases) {
    INT32 job = -1, count = -1;
    EXPECT_EQ(c.result, m_plotter.PlotFile(c.slot, c.path.c_str(), false, job, count)) << c.path;
    EXPECT_EQ(0, job);
    EXPECT_EQ(0, count);
  }
  EXPECT_FALSE(m_plotter.IsWriterRunning());
  EXPECT_TRUE(m_plotter.Cancel(3));  // before any job: nothing to finish, the cutter is reset
}

TEST_F(EngineTest, EverySlotIsServedAndTheWriterEndsWhenNoSlotHasWork) {
  INT32 first = 0, second = 0, count = 0;
  ASSERT_EQ(0, m_plotter.PlotFile(9, Write("a.plt", Lines(50)).c_str(), false, first, count));
  EXPECT_EQ(51, count);
  m_devices[2]->SetReady(false);
  m_plotter.Slot(2).SetCancelWait(100);
  ASSERT_EQ(0, m_plotter.PlotFile(2, Write("b.plt", Lines(5)).c_str(), false, second, count));
  EXPECT_EQ(1, first);
  EXPECT_EQ(1, second);  // identifiers count per slot
  EXPECT_TRUE(m_plotter.IsWriterRunning());
  ASSERT_TRUE(WaitFor(9, first));
  EXPECT_EQ(51u, m_devices[9]->Received().size());
  m_plotter.EndSlot(9);
  EXPECT_FALSE(m_devices[9]->IsOpen());
  EXPECT_TRUE(m_plotter.IsWriterRunning());  // slot 2 still waits for its cutter
  EXPECT_TRUE(m_plotter.Cancel(2));
  EXPECT_FALSE(m_plotter.IsWriterRunning());
  EXPECT_EQ(nullptr, m_plotter.WriterHandle());
}

}  // namespace
