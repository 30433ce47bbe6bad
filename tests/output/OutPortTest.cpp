#include <gtest/gtest.h>

#include <string>

#include "framework/File.h"
#include "model/settings/IniFile.h"
#include "output/OutPort.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

std::string ReadAll(const std::string& path) {
  CFile file;
  if (!file.Open(path.c_str(), CFile::modeRead | CFile::shareDenyNone)) return "<missing>";
  std::string text(static_cast<size_t>(file.GetLength()), '\0');
  if (!text.empty()) file.Read(&text[0], static_cast<UINT>(text.size()));
  return text;
}

// A port whose settings live in a test folder and whose save dialog answers with a given file.
class TestPort : public COutPort {
public:
  explicit TestPort(const TempFolder& folder) {
    GetSettingsFile().SetPath(folder.File("UPort.Ini").c_str());
    LoadSettings();
  }
  std::string chosenFile;  // empty: the user cancels
  int dialogs = 0;

protected:
  bool AskForPlotFile(CString& path) override {
    ++dialogs;
    if (chosenFile.empty()) return false;
    path = chosenFile.c_str();
    return true;
  }
};

TEST(COutPortSettings, DefaultsAndRoundTrip) {
  TempFolder folder;
  {
    TestPort port(folder);
    EXPECT_EQ(9600u, port.TranSpeed);
    EXPECT_EQ(0, port.OECheck);
    EXPECT_EQ(8, port.DataWidth);
    EXPECT_EQ(0, port.StopBits);
    EXPECT_EQ(1, port.RTSCTS);
    EXPECT_EQ(0, port.DTRDSR);
    EXPECT_EQ(0, port.XONXOFF);
    EXPECT_EQ(2, port.OutMethod);
    EXPECT_TRUE(port.FilePath.IsEmpty());
    port.TranSpeed = 115200;  // above 16 bits: kept whole
    port.OECheck = 2;
    port.DataWidth = 7;
    port.StopBits = 2;
    port.RTSCTS = 0;
    port.DTRDSR = 1;
    port.XONXOFF = 1;
    port.OutMethod = 3;
    port.FilePath = "C:\\绘图\\";
    port.SaveSettings();
  }
  TestPort port(folder);
  EXPECT_EQ(115200u, port.TranSpeed);
  EXPECT_EQ(2, port.OECheck);
  EXPECT_EQ(7, port.DataWidth);
  EXPECT_EQ(2, port.StopBits);
  EXPECT_EQ(0, port.RTSCTS);
  EXPECT_EQ(1, port.DTRDSR);
  EXPECT_EQ(1, port.XONXOFF);
  EXPECT_EQ(2, port.OutMethod);  // read only: never written
  EXPECT_EQ(CString("C:\\绘图\\"), port.FilePath);

  CIniFile ini;
  ini.SetPath(folder.File("UPort.Ini").c_str());
  EXPECT_EQ(CString("NONE"), ini.GetString("PortInfo", "OutMethod", "NONE"));
  ini.WriteInt("PortInfo", "OutMethod", 1);
  port.FilePath.Empty();
  port.SaveSettings();  // an empty folder deletes the key
  EXPECT_EQ(CString("NONE"), ini.GetString("PortInfo", "FilePath", "NONE"));
  port.SetPortName("COM2");  // a new name reads the settings again
  EXPECT_EQ(1, port.OutMethod);
  EXPECT_EQ(2, port.GetPortKind());
}

TEST(COutPortFile, WritesAJobToAFilePath) {
  TempFolder folder;
  TestPort port(folder);
  std::string target = folder.File("job.plt");
  port.SetPortName(target.c_str());
  ASSERT_TRUE(port.Open());
  EXPECT_EQ(COutPort::kOpened, port.GetState());
  EXPECT_TRUE(port.WriteString("IN;"));
  EXPECT_EQ(COutPort::kWriting, port.GetState());
  EXPECT_TRUE(port.WriteString("PU0,0;PD400,0;"));
  EXPECT_TRUE(port.WriteString(""));
  port.Close();
  EXPECT_EQ(nullptr, port.GetHandle());
  EXPECT_EQ("IN;PU0,0;PD400,0;", ReadAll(target));
  EXPECT_FALSE(port.WriteString("more"));  // closed

  // Opening again starts the file anew.
  ASSERT_TRUE(port.Open());
  EXPECT_TRUE(port.WriteBytewise("AB"));
  EXPECT_TRUE(port.WriteOverlapped("CD"));
  EXPECT_TRUE(port.WriteChunked("EF"));
  EXPECT_TRUE(port.WriteBios("GH"));
  EXPECT_FALSE(port.WritePrinterData("IJ"));  // no printer behind a file
  port.Close();
  EXPECT_EQ("ABCDEFGH", ReadAll(target));
}

TEST(COutPortFile, ANameThatIsNoPortIsAFileInTheCurrentFolder) {
  TempFolder folder;
  char saved[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, saved);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
  {
    TestPort port(folder);
    port.SetPortName("job.plt");
    ASSERT_TRUE(port.Open());
    EXPECT_EQ(COutPort::kMethodBytewise, port.OutMethod);
    EXPECT_TRUE(port.WriteString("PU;"));
    port.Close();
  }
  SetCurrentDirectoryA(saved);
  EXPECT_EQ("PU;", ReadAll(folder.File("job.plt")));
}

TEST(COutPortFile, TheFilePortAsksForTheFileAndKeepsItsFolder) {
  TempFolder folder("plots");
  TestPort port(folder);
  port.SetPortName("FILE");
  EXPECT_FALSE(port.Open());  // cancelled
  EXPECT_EQ(1, port.dialogs);
  EXPECT_FALSE(port.WriteString("x"));

  port.chosenFile = folder.File("chosen.plt");
  ASSERT_TRUE(port.Open());
  EXPECT_TRUE(port.WriteString("IN;"));
  port.Close();
  EXPECT_EQ("IN;", ReadAll(port.chosenFile));
  EXPECT_EQ(CString(folder.Path().c_str()), port.FilePath);
  TestPort reread(folder);
  EXPECT_EQ(CString(folder.Path().c_str()), reread.FilePath);
}

TEST(COutPortFile, AFileThatCannotBeCreatedFailsTheOpen) {
  TempFolder folder;
  TestPort port(folder);
  port.SetPortName(folder.File("missing\\job.plt").c_str());
  EXPECT_FALSE(port.Open());
  EXPECT_EQ(nullptr, port.GetHandle());
  EXPECT_FALSE(port.WriteString("IN;"));
  port.SetPortName("NoPrinterHere @ LPT1:");
  EXPECT_FALSE(port.Open());
}

TEST(COutPortCancel, ACancelledPortWritesNothingAndReportsFailure) {
  TempFolder folder;
  TestPort port(folder);
  std::string target = folder.File("job.plt");
  port.SetPortName(target.c_str());
  ASSERT_TRUE(port.Open());
  EXPECT_TRUE(port.WriteString("IN;"));
  port.Cancel();
  EXPECT_EQ(COutPort::kCancelled, port.GetState());
  EXPECT_FALSE(port.WriteString("PD;"));
  EXPECT_FALSE(port.WriteBytewise("PD;"));
  EXPECT_FALSE(port.WriteChunked("PD;"));
  EXPECT_FALSE(port.WriteOverlapped("PD;"));
  EXPECT_FALSE(port.WriteBios("PD;"));
  port.Close();
  EXPECT_EQ("IN;", ReadAll(target));
  EXPECT_EQ(COutPort::kCancelled, port.GetState());  // kept until the next open
  ASSERT_TRUE(port.Open());
  EXPECT_TRUE(port.WriteString("PU;"));
}

TEST(COutPortCancel, AnOwnersStopFlagReachesTheWriter) {
  TempFolder folder;
  TestPort port(folder);
  port.SetPortName(folder.File("job.plt").c_str());
  bool stop = false;
  port.SetStopCheck([&stop] { return stop; });
  ASSERT_TRUE(port.Open());
  EXPECT_TRUE(port.WriteString("IN;"));
  stop = true;
  EXPECT_FALSE(port.WriteString("PD;"));
  EXPECT_EQ(COutPort::kCancelled, port.GetState());
}

// The server end of a pipe that goes away once the port is connected: every write then fails.
class BrokenPipe {
public:
  explicit BrokenPipe(const char* name) : m_name(std::string("\\\\.\\pipe\\") + name) {
    m_server = CreateNamedPipeA(m_name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1,
                                0, 0, 0, nullptr);
  }
  ~BrokenPipe() { Break(); }
  const std::string& Name() const { return m_name; }
  bool Valid() const { return m_server != INVALID_HANDLE_VALUE; }
  void Break() {
    if (m_server != INVALID_HANDLE_VALUE) CloseHandle(m_server);
    m_server = INVALID_HANDLE_VALUE;
  }

private:
  std::string m_name;
  HANDLE m_server;
};

TEST(COutPortRetry, FailingWritesGiveUpAfterTheRetryLimit) {
  TempFolder folder;
  BrokenPipe pipe("talvex-output-retry");
  ASSERT_TRUE(pipe.Valid());
  TestPort port(folder);
  port.SetPortName(pipe.Name().c_str());
  ASSERT_TRUE(port.Open());
  pipe.Break();
  port.SetRetryLimit(1);
  EXPECT_FALSE(port.WriteString("IN;"));
  EXPECT_FALSE(port.WriteBytewise("IN;"));
  EXPECT_FALSE(port.WriteChunked("IN;"));
  EXPECT_FALSE(port.WriteOverlapped("IN;"));
  port.SetRetryLimit(-1);
  EXPECT_EQ(COutPort::kDefaultRetryLimit, port.GetRetryLimit());

  // A stop pressed while the writer keeps retrying ends it at once.
  int checks = 0;
  port.SetStopCheck([&checks] { return ++checks > 3; });
  EXPECT_FALSE(port.WriteChunked("IN;"));
  EXPECT_EQ(COutPort::kCancelled, port.GetState());
}

// A slow device: every other attempt it takes nothing (a stall), the others one byte, which
// reaches the port's file. Always stalling, it takes nothing at all.
class StallingPort : public TestPort {
public:
  explicit StallingPort(const TempFolder& folder) : TestPort(folder) {}
  bool alwaysStalls = false;
  int attempts = 0;
  std::string transfers;  // 'P' plain, 'O' overlapped, 'R' printer, one per attempt

protected:
  DWORD TransferOnce(Transfer how, const char* data, DWORD length) override {
    transfers += how == kPlainTransfer ? 'P' : how == kOverlappedTransfer ? 'O' : 'R';
    if (alwaysStalls || ++attempts % 2 == 1 || length == 0) return 0;
    return COutPort::TransferOnce(kPlainTransfer, data, 1);
  }
};

// The retry limit counts stalls in a row: a device that keeps taking bytes between its stalls
// gets the whole text, however many stalls it has in all; one that only stalls is given up after
// the limit.
TEST(COutPortRetry, ProgressBetweenStallsStartsTheCountAgainInEveryWriter) {
  struct Writer {
    const char* name;
    bool (COutPort::*write)(LPCSTR);
    char transfer;
  };
  const Writer writers[] = {
      {"WriteString", &COutPort::WriteString, 'P'},
      {"WriteBytewise", &COutPort::WriteBytewise, 'P'},
      {"WriteChunked", &COutPort::WriteChunked, 'P'},
      {"WriteOverlapped", &COutPort::WriteOverlapped, 'O'},
      {"WritePrinterData", &COutPort::WritePrinterData, 'R'},
      {"WriteBios", &COutPort::WriteBios, 'P'},
  };
  TempFolder folder;
  std::string target = folder.File("job.plt");
  for (const Writer& writer : writers) {
    SCOPED_TRACE(writer.name);
    StallingPort port(folder);
    port.SetPortName(target.c_str());
    ASSERT_TRUE(port.Open());
    port.SetRetryLimit(1);
    // Stall, byte, stall, byte: two stalls against a limit of one.
    EXPECT_TRUE((port.*writer.write)("AB"));
    EXPECT_EQ(std::string(4, writer.transfer), port.transfers);

    port.alwaysStalls = true;
    port.transfers.clear();
    EXPECT_FALSE((port.*writer.write)("CD"));
    EXPECT_EQ(std::string(2, writer.transfer), port.transfers);  // the limit, then one more
    port.Close();
    EXPECT_EQ("AB", ReadAll(target));
  }
}

TEST(COutPortPlugIn, AUsbPortLoadsItsPlugInButTakesNoPlainWrites) {
  TempFolder folder;
  MessageBoxCapture boxes;
  TestPort port(folder);
  port.SetPortName("TestCutter[TestPlotter.upl:03]");
  EXPECT_EQ(128, port.GetPortKind());
  ASSERT_TRUE(port.Open());
  EXPECT_TRUE(port.GetPlugIn().IsLoaded());
  EXPECT_EQ(3, port.GetPlugIn().GetPlotterNumber());
  EXPECT_EQ(nullptr, port.GetHandle());
  EXPECT_FALSE(port.WriteString("IN;"));
  EXPECT_EQ(nullptr, port.OpenDevice());
  port.Close();  // holds no handle: nothing to do

  port.SetPortName("TestCutter[Missing.upl:03]");
  EXPECT_FALSE(port.Open());
  port.SetPortName("TestCutter[TestPlotter.upl]");
  EXPECT_FALSE(port.Open());
  EXPECT_EQ(0u, boxes.Count());
}

}  // namespace
