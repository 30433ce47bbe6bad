// The plotting progress dialog sending plot files: pieces by length (binary data with NUL bytes
// arrives whole), files missing or empty, USB plug-in ports, and the stop button reaching a port
// that takes nothing. Runs with its window under Xvfb.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>
#include <thread>

#include "framework/Wnd.h"
#include "media/DllModule.h"
#include "output/PortingDlg.h"
#include "support/FileContents.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A port that records the size of every write it is handed, and can stall for good.
class RecordingPort : public COutPort {
public:
  explicit RecordingPort(const TempFolder& folder) {
    GetSettingsFile().SetPath(folder.File("UPort.Ini").c_str());
  }
  std::vector<DWORD> writes;
  bool stalls = false;

protected:
  DWORD TransferOnce(Transfer how, const char* data, DWORD length) override {
    if (stalls) {
      Sleep(20);
      return 0;
    }
    writes.push_back(length);
    return COutPort::TransferOnce(how, data, length);
  }
};

class PortingDlgTest : public ::testing::Test {
protected:
  PortingDlgTest() : m_plot(m_folder.File("job.plt")), m_target(m_folder.File("out.plt")) {}

  CPortingDlg* MakeDialog() {
    m_port = new RecordingPort(m_folder);
    return new CPortingDlg(std::unique_ptr<COutPort>(m_port));
  }

  TempFolder m_folder;
  std::string m_plot;
  std::string m_target;
  RecordingPort* m_port = nullptr;
  MessageBoxCapture m_boxes;
};

TEST_F(PortingDlgTest, BinaryDataGoesInPiecesByLength) {
  std::string data;
  for (int i = 0; i < 10001; ++i) data += static_cast<char>(i % 7 == 3 ? 0 : 'A' + i % 26);
  WriteText(m_plot, data);
  std::unique_ptr<CPortingDlg> dialog(MakeDialog());
  EXPECT_TRUE(dialog->SendData(m_plot.c_str(), m_target.c_str(), nullptr, 2052));
  EXPECT_EQ(data, ReadFileText(m_target));
  // The first block of 10000 bytes in 101 pieces of 99 and one of 1, the second in one of 1.
  ASSERT_EQ(103u, m_port->writes.size());
  EXPECT_EQ(99u, m_port->writes[0]);
  EXPECT_EQ(1u, m_port->writes[101]);
  EXPECT_EQ(1u, m_port->writes[102]);
  EXPECT_EQ(COutPort::kIdle, m_port->GetState());
}

TEST_F(PortingDlgTest, AnEmptyFileOpensAndClosesThePort) {
  WriteText(m_plot, "");
  std::unique_ptr<CPortingDlg> dialog(MakeDialog());
  EXPECT_TRUE(dialog->SendData(m_plot.c_str(), m_target.c_str(), nullptr, 1033));
  EXPECT_TRUE(Exists(m_target));
  EXPECT_TRUE(m_port->writes.empty());
  EXPECT_EQ(nullptr, m_port->GetHandle());
}

TEST_F(PortingDlgTest, AMissingPlotFileIsReported) {
  std::unique_ptr<CPortingDlg> dialog(MakeDialog());
  EXPECT_FALSE(dialog->SendData(m_plot.c_str(), m_target.c_str(), nullptr, 2052));
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("\n" + m_plot));
  EXPECT_TRUE(m_boxes.Last().type & MB_ICONERROR);
  EXPECT_FALSE(Exists(m_target));
}

// The plug-in takes the whole file (the test plug-in copies it beside itself as ".sent") and
// deletes it; a plug-in that does not start is reported.
TEST_F(PortingDlgTest, APlugInPortTakesTheWholeFile) {
  WriteText(m_plot, "IN;PU0,0;PD100,100;");
  std::unique_ptr<CPortingDlg> dialog(MakeDialog());
  EXPECT_TRUE(dialog->SendData(m_plot.c_str(), "TestCutter[TestPlotter.upl:03]", nullptr, 2052));
  EXPECT_EQ("IN;PU0,0;PD100,100;", ReadFileText(m_plot + ".sent"));
  EXPECT_FALSE(Exists(m_plot));
  EXPECT_EQ(0u, m_boxes.Count());

  WriteText(m_plot, "IN;");
  EXPECT_FALSE(dialog->SendData(m_plot.c_str(), "Nobody[Missing.upl:01]", nullptr, 2052));
  EXPECT_FALSE(dialog->SendData(m_plot.c_str(), "TestCutter[TestPlotter.upl:07]", nullptr, 2052));
  ASSERT_EQ(2u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("TestPlotter.upl:07"));
}

// A plug-in that never finishes its job on its own (it gives up after 20 queries): it counts the
// cancels it is asked for, and can fail a progress query.
class StuckPlugInDialog : public CPortingDlg {
public:
  explicit StuckPlugInDialog(const TempFolder& folder)
      : CPortingDlg(std::unique_ptr<COutPort>(new RecordingPort(folder))) {}
  int cancels = 0;
  int queries = 0;
  int failingQuery = -1;
  bool stopAtFirstProgress = false;
  bool cancelEndsTheWriter = false;
  bool endedThread = true;

protected:
  bool StartPlot(LPCSTR, PlotInfo* record) override {
    record->threadHandle = 1;
    return true;
  }
  bool QueryPlot(PlotInfo* record) override {
    if (++queries == failingQuery) return false;
    record->threadHandle = queries < 20 ? 1 : 0;
    record->percent = 40;
    return true;
  }
  void CancelPlot(PlotInfo* record) override {
    ++cancels;
    if (cancelEndsTheWriter) record->threadHandle = 0;
  }
  void EndPlot(bool threadEnded) override { endedThread = threadEnded; }
  void ShowProgress(DWORD position) override {
    CPortingDlg::ShowProgress(position);
    if (stopAtFirstProgress) Stop();
  }
};

// Stop passes one cancel to the plug-in, then waits for it a bounded time with messages pumped; the
// plug-in stays loaded, since its writer may still run. A progress query that fails is a failure
// the user is told of, never a finished job.
TEST_F(PortingDlgTest, AStoppedUsbJobIsCancelledOnceAndAFailedQueryIsAFailure) {
  WriteText(m_plot, "IN;");
  StuckPlugInDialog stopped(m_folder);
  stopped.SetCancelWait(300);
  stopped.stopAtFirstProgress = true;
  const DWORD start = GetTickCount();
  EXPECT_FALSE(stopped.SendData(m_plot.c_str(), "Cutter[Stuck.upl:01]", nullptr, 2052));
  const DWORD took = GetTickCount() - start;
  EXPECT_EQ(1, stopped.cancels);
  EXPECT_GE(took, 250u);
  EXPECT_LT(took, 3000u);
  EXPECT_FALSE(stopped.endedThread);
  EXPECT_EQ(0u, m_boxes.Count()) << "the user stopped it";
  // A plug-in whose cancel ends its writer is not waited for.
  StuckPlugInDialog ended(m_folder);
  ended.stopAtFirstProgress = ended.cancelEndsTheWriter = true;
  const DWORD again = GetTickCount();
  EXPECT_FALSE(ended.SendData(m_plot.c_str(), "Cutter[Stuck.upl:01]", nullptr, 2052));
  EXPECT_LT(GetTickCount() - again, 250u);
  EXPECT_TRUE(ended.endedThread);

  StuckPlugInDialog lost(m_folder);
  lost.failingQuery = 2;
  EXPECT_FALSE(lost.SendData(m_plot.c_str(), "Cutter[Stuck.upl:01]", nullptr, 2052));
  EXPECT_EQ(0, lost.cancels);
  EXPECT_FALSE(lost.endedThread);
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("Stuck.upl:01"));
}

// A device that takes nothing keeps the writer waiting; the stop button, pressed in the dialog's
// window, must end the send within a second all the same.
TEST_F(PortingDlgTest, TheStopButtonReachesAPortThatTakesNothing) {
  WriteText(m_plot, std::string(5000, 'x'));
  std::unique_ptr<CPortingDlg> dialog(MakeDialog());
  m_port->stalls = true;
  DWORD pressed = 0;
  std::thread presser([&pressed] {
    for (int i = 0; i < 500; ++i) {
      HWND window = FindWindowA(nullptr, "输出绘制中....");
      if (window) {
        Sleep(200);
        pressed = GetTickCount();
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(CPortingDlg::kStopButtonId, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(window, CPortingDlg::kStopButtonId)));
        return;
      }
      Sleep(10);
    }
  });
  bool sent = dialog->SendData(m_plot.c_str(), m_target.c_str(),
                               CWnd::FromHandle(GetDesktopWindow()), 2052);
  DWORD ended = GetTickCount();
  presser.join();
  EXPECT_FALSE(sent);
  ASSERT_NE(0u, pressed);
  EXPECT_LT(ended - pressed, 1000u);
  EXPECT_EQ(COutPort::kCancelled, m_port->GetState());
  EXPECT_EQ(0u, m_boxes.Count());
}

}  // namespace
