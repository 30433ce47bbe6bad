// The plug-in as its callers see it: the four shipped builds (no cutter is plugged in under Wine)
// and the test builds, whose cutters in memory are plugged in by the digits of
// TALVEX_USB_TEST_DEVICES when they load. Records are checked byte for byte; a job is cut through
// the editor's output port and plug-in binding into the cutter in memory. Runs without windows.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "framework/ByteReader.h"
#include "media/DllModule.h"
#include "model/settings/ProgramPaths.h"
#include "output/CutterDevice.h"
#include "output/OutPort.h"
#include "output/PortingDlg.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"
#include "usbplugin/PlotFile.h"
#include "usbplugin/PlugInEntries.h"

namespace {

const char* const kEntries[] = {"GetPlotterCount",
                                "EnumUsbPlotterA",
                                "EnumUsbPlotterW",
                                "GetPlotterInfoA",
                                "GetPlotterInfoW",
                                "SelectPlotter",
                                "PlotFileA",
                                "PlotFileW",
                                "GetPlotInfo",
                                "CancelPlot",
                                "VuDraw_PlotFile",
                                "VuPlotQuery_DrawProgressFromIndexID",
                                "VuPlotQuery_BaseInfo",
                                "VuPlotTest",
                                "VuPlotQuery_DroppedCommands"};

std::string ProgramDir() {
  char folder[MAX_PATH];
  GetProgramDir(folder, sizeof folder);
  return folder;
}

template <class Entry>
Entry Bound(HMODULE module, const char* name) {
  return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// A plug-in loaded by path with its cutters in memory plugged in as the digits say.
class LoadedPlugIn {
public:
  LoadedPlugIn(const std::string& path, const char* plugged = "") {
    SetEnvironmentVariableA("TALVEX_USB_TEST_DEVICES", plugged);
    m_module = LoadLibraryA(path.c_str());
  }
  ~LoadedPlugIn() {
    if (m_module) FreeLibrary(m_module);
  }
  bool IsLoaded() const { return m_module != nullptr; }
  template <class Entry>
  Entry Get(const char* name) const {
    return Bound<Entry>(m_module, name);
  }

private:
  HMODULE m_module;
};

std::string TestBuild(int number) {
  return ProgramDir() + "UsbTestPlotter" + std::to_string(number) + ".upl";
}

std::wstring Widened(const std::string& text) {
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, MAX_PATH);
  return wide;
}

INT32 Int32At(const BYTE* bytes, size_t offset) {
  CByteReader reader(bytes + offset, 4);
  INT32 value = 0;
  reader.ReadInt32(value);
  return value;
}

TEST(ShippedPlugIns, ExportEveryEntryAndFindNoCutterUnderWine) {
  for (int number = 1; number <= 4; ++number) {
    std::string path = ProgramDir() + "program\\Brisvander" + std::to_string(number) + ".upl";
    LoadedPlugIn plugIn(path);
    ASSERT_TRUE(plugIn.IsLoaded()) << path;
    for (const char* entry : kEntries) EXPECT_NE(nullptr, plugIn.Get<FARPROC>(entry)) << entry;
    EXPECT_EQ(1, plugIn.Get<decltype(&GetPlotterCount)>("GetPlotterCount")());
    auto enumerate = plugIn.Get<decltype(&EnumUsbPlotterA)>("EnumUsbPlotterA");
    UsbPlotterInfoBuffer record = {};
    EXPECT_EQ(-1, enumerate(nullptr));
    EXPECT_EQ(-1, enumerate(&record.info));
    auto describe = plugIn.Get<decltype(&GetPlotterInfoA)>("GetPlotterInfoA");
    for (int other = 0; other <= 5; ++other) EXPECT_FALSE(describe(other, &record.info));
    EXPECT_EQ(0, record.info.plotterNumber);

    // A foreign plotter number is refused without touching the record.
    PlotInfo foreign = {};
    foreign.plotterNumber = number % 4 + 1;
    foreign.jobId = 77;
    PlotInfo before = foreign;
    EXPECT_FALSE(plugIn.Get<decltype(&PlotFileA)>("PlotFileA")("C:\\x.plt", &foreign));
    EXPECT_FALSE(plugIn.Get<decltype(&CancelPlot)>("CancelPlot")(&foreign));
    EXPECT_EQ(0, memcmp(&before, &foreign, sizeof before));

    // Cancel and progress before any job are safe; the cutter simply does not answer.
    PlotInfo own = {};
    own.plotterNumber = number;
    EXPECT_FALSE(plugIn.Get<decltype(&CancelPlot)>("CancelPlot")(&own));
    EXPECT_EQ(1, own.finished);
    EXPECT_TRUE(plugIn.Get<decltype(&GetPlotInfo)>("GetPlotInfo")(&own));
    EXPECT_EQ(0, own.threadHandle);
    EXPECT_EQ(8, plugIn.Get<decltype(&VuPlotTest)>("VuPlotTest")(number));
    EXPECT_EQ(0x10000, plugIn.Get<decltype(&VuPlotTest)>("VuPlotTest")(10));
  }
}

TEST(TestPlugIns, EachBuildListsOnlyTheCutterWithItsDigit) {
  TempFolder folder;
  for (int number = 1; number <= 4; ++number) {
    std::string name = "UsbTestPlotter" + std::to_string(number) + ".upl";
    ASSERT_TRUE(CopyFileA(TestBuild(number).c_str(), folder.File(name).c_str(), FALSE));
  }
  CPlotterPlugIn binding;
  CStringArray chinese, english;
  SetEnvironmentVariableA("TALVEX_USB_TEST_DEVICES", "2");
  ASSERT_EQ(1, binding.EnumeratePlotters(chinese, english, folder.Path().c_str()));
  EXPECT_EQ(CString("BrisvanderwolLetteringMachine USBDrv[UsbTestPlotter2.upl:02]"), english[0]);
  EXPECT_EQ(CString("沐石丰泽 刻字机 USB驱动[UsbTestPlotter2.upl:02]"), chinese[0]);
  SetEnvironmentVariableA("TALVEX_USB_TEST_DEVICES", "1234");
  EXPECT_EQ(4, binding.EnumeratePlotters(chinese, english, folder.Path().c_str()));

  for (int number = 1; number <= 4; ++number) {
    LoadedPlugIn plugIn(TestBuild(number), "1234");
    auto describe = plugIn.Get<decltype(&GetPlotterInfoA)>("GetPlotterInfoA");
    UsbPlotterInfoBuffer record = {};
    for (int asked = 1; asked <= 4; ++asked)
      EXPECT_EQ(asked == number, describe(asked, &record.info));
    auto enumerate = plugIn.Get<decltype(&EnumUsbPlotterW)>("EnumUsbPlotterW");
    UsbPlotterInfoW wide = {};
    EXPECT_EQ(-1, enumerate(nullptr));
    EXPECT_EQ(number, enumerate(&wide));
    EXPECT_EQ(-1, enumerate(&wide));  // one plotter per restart
  }
}

TEST(TestPlugIns, WriteTheirRecordsByteForByte) {
  LoadedPlugIn plugIn(TestBuild(2), "2");
  BYTE narrow[336];
  memset(narrow, 0xCC, sizeof narrow);
  ASSERT_TRUE(plugIn.Get<decltype(&GetPlotterInfoA)>(
      "GetPlotterInfoA")(2, reinterpret_cast<UsbPlotterInfoA*>(narrow)));
  BYTE wide[500];
  memset(wide, 0xCC, sizeof wide);
  ASSERT_TRUE(plugIn.Get<decltype(&GetPlotterInfoW)>(
      "GetPlotterInfoW")(2, reinterpret_cast<UsbPlotterInfoW*>(wide)));
  struct Layout {
    const BYTE* bytes;
    size_t names;  // field width
    size_t written;
    size_t total;
  };
  const Layout layouts[] = {{narrow, 100, 236, sizeof narrow}, {wide, 200, 436, sizeof wide}};
  for (const Layout& l : layouts) {
    EXPECT_EQ(static_cast<INT32>(0xCCCCCCCC), Int32At(l.bytes, 0));  // the caller's size word
    EXPECT_STREQ("沐石丰泽 刻字机 USB驱动[UsbTestPlotter2.upl:02]",
                 reinterpret_cast<const char*>(l.bytes + 4));
    EXPECT_STREQ("BrisvanderwolLetteringMachine USBDrv[UsbTestPlotter2.upl:02]",
                 reinterpret_cast<const char*>(l.bytes + 4 + l.names));
    size_t tail = 4 + 2 * l.names;
    for (size_t i = tail; i < tail + 20; ++i) EXPECT_EQ(0, l.bytes[i]) << i;
    EXPECT_EQ(2, Int32At(l.bytes, tail + 20));
    EXPECT_EQ(1016, Int32At(l.bytes, tail + 24));
    EXPECT_EQ(0, Int32At(l.bytes, tail + 28));
    EXPECT_EQ(l.written, tail + 32);
    for (size_t i = l.written; i < l.total; ++i) EXPECT_EQ(0xCC, l.bytes[i]) << i;
  }
}

// Cutting through the editor's output port: the dialog's calling order with the delete flag.
class CutThroughPortTest : public ::testing::Test {
protected:
  CutThroughPortTest() {
    SetEnvironmentVariableA("TALVEX_USB_TEST_DEVICES", "2");
    m_ini = m_folder.File("Cutters.INI");
    CopyFileA((ProgramDir() + "program\\Cutters.INI").c_str(), m_ini.c_str(), FALSE);
  }

  // The test square of a shipped model as its plot file.
  std::string TestSquare(const char* model, const std::string& name) {
    std::string plot = m_folder.File(name);
    CCutterDevice device;
    EXPECT_TRUE(device.ProfileFile().SetPath(m_ini.c_str()));
    device.LoadProfile(model);
    device.m_port.SetPortName(plot.c_str());
    CCutSettings settings;
    settings.m_testWidth = 20;
    settings.m_bladeOffset = device.m_bladeOffset;
    device.TestCut(nullptr, settings);
    return plot;
  }

  // Polls as the progress dialog does until the writer thread handle is 0.
  static bool PollUntilDone(CPlotterPlugIn& plugIn, PlotInfo& info) {
    for (int i = 0; i < 400; ++i) {
      if (plugIn.QueryPlotInfo(&info) && info.threadHandle == 0) return true;
      Sleep(5);
    }
    return false;
  }

  TempFolder m_folder;
  std::string m_ini;
  MessageBoxCapture m_boxes;
};

TEST_F(CutThroughPortTest, AJobReachesTheCutterInMemoryAndTheFileIsDeleted) {
  std::string plot = TestSquare("HP-GL 刻字机", "square.plt");
  CPlotFile file;
  ASSERT_EQ(CPlotFile::kOpened, file.Open(plot.c_str()));
  INT32 records = 0;
  DroppedCommands dropped;
  ASSERT_TRUE(file.CountRecords(records, dropped));
  file.Close();

  COutPort port;
  port.SetPortName("刻字机[UsbTestPlotter2.upl:02]");
  ASSERT_TRUE(port.Open());
  CPlotterPlugIn& plugIn = port.GetPlugIn();
  PlotInfo info = {};
  info.deleteFile = 1;
  ASSERT_TRUE(plugIn.PlotFile(plot.c_str(), &info));
  EXPECT_EQ(1, info.jobId);
  ASSERT_TRUE(PollUntilDone(plugIn, info));
  EXPECT_EQ(1, info.finished);
  EXPECT_EQ(100, info.percent);
  EXPECT_EQ(132, info.size);
  EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(plot.c_str()));

  HMODULE module = plugIn.GetModule();
  auto count = Bound<int(__cdecl*)(int)>(module, "UsbTest_ReceivedCount");
  auto running = Bound<BOOL(__cdecl*)()>(module, "UsbTest_WriterRunning");
  EXPECT_EQ(records, count(2));
  EXPECT_FALSE(running());
  EXPECT_EQ(0u, m_boxes.Count());

  // A path in the system's code page goes through the wide entry; one it cannot spell is refused.
  auto plotWide = Bound<decltype(&PlotFileW)>(module, "PlotFileW");
  std::string chinese = TestSquare("HP-GL 刻字机", "方形.plt");
  PlotInfo wide = {};
  wide.plotterNumber = 2;
  ASSERT_TRUE(plotWide((Widened(m_folder.Path()) + L"方形.plt").c_str(), &wide));
  EXPECT_EQ(2, wide.jobId);
  ASSERT_TRUE(PollUntilDone(plugIn, wide));
  EXPECT_EQ(2 * records, count(2));
  EXPECT_FALSE(plotWide((Widened(m_folder.Path()) + L"\x0E01.plt").c_str(), &wide));
}

TEST_F(CutThroughPortTest, CancelStopsAJobTheCutterHoldsBack) {
  COutPort port;
  port.SetPortName("Cutter[UsbTestPlotter2.upl:02]");
  ASSERT_TRUE(port.Open());
  CPlotterPlugIn& plugIn = port.GetPlugIn();
  auto pace = Bound<void(__cdecl*)(int, int)>(plugIn.GetModule(), "UsbTest_SetPace");
  pace(2, 0);  // the cutter carries nothing out
  PlotInfo info = {};
  ASSERT_TRUE(plugIn.PlotFile(TestSquare("HP-GL 刻字机", "held.plt").c_str(), &info));
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(plugIn.QueryPlotInfo(&info));
  EXPECT_EQ(0, info.finished);
  EXPECT_NE(0, info.threadHandle);
  EXPECT_LT(info.percent, 100);
  EXPECT_TRUE(plugIn.CancelJob(&info));
  EXPECT_EQ(1, info.finished);
  EXPECT_EQ(0, info.threadHandle);
  auto running = Bound<BOOL(__cdecl*)()>(plugIn.GetModule(), "UsbTest_WriterRunning");
  EXPECT_FALSE(running());
}

// The plotting dialog sending a job to a cutter that carries nothing out, stopped at the first
// progress it shows: it reports what the cutter took (nothing of the job), not the whole job.
class StoppedAtFirstProgress : public CPortingDlg {
protected:
  bool StartPlot(LPCSTR dataFile, PlotInfo* record) override {
    if (!CPortingDlg::StartPlot(dataFile, record)) return false;
    auto pace = Bound<void(__cdecl*)(int, int)>(GetPort().GetPlugIn().GetModule(),
                                                "UsbTest_SetPace");
    pace(2, 0);
    return true;
  }
  void ShowProgress(DWORD position) override {
    CPortingDlg::ShowProgress(position);
    Stop();
  }
};

TEST_F(CutThroughPortTest, AJobStoppedAtItsFirstProgressReportsWhatTheCutterTook) {
  const std::string plot = TestSquare("HP-GL 刻字机", "stopped.plt");
  WIN32_FILE_ATTRIBUTE_DATA size;
  ASSERT_TRUE(GetFileAttributesExA(plot.c_str(), GetFileExInfoStandard, &size));
  StoppedAtFirstProgress dialog;
  EXPECT_FALSE(dialog.SendData(plot.c_str(), "Cutter[UsbTestPlotter2.upl:02]", nullptr, 2052));
  EXPECT_EQ(CPortingDlg::kStopped, dialog.GetOutcome());
  EXPECT_EQ(size.nFileSizeLow, dialog.GetBytesTotal());
  EXPECT_EQ(0u, dialog.GetBytesSent()) << "the cutter carried none of it out";
  EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(CutThroughPortTest, TheShippedCutterModelsWriteOnlyWhatThePlugInTakes) {
  char list[4000] = {};
  GetPrivateProfileStringA("CutterDevices", nullptr, "", list, sizeof list, m_ini.c_str());
  int models = 0;
  for (const char* model = list; *model; model += strlen(model) + 1, ++models) {
    std::string plot = TestSquare(model, "model" + std::to_string(models) + ".plt");
    CPlotFile file;
    ASSERT_EQ(CPlotFile::kOpened, file.Open(plot.c_str())) << model;
    INT32 records = 0;
    DroppedCommands dropped = {1, 1, 1};
    ASSERT_TRUE(file.CountRecords(records, dropped));
    EXPECT_GE(records, 5) << model;
    EXPECT_EQ(0, dropped.relative + dropped.decimal + dropped.lowerCase) << model;
  }
  EXPECT_GE(models, 4);
}

}  // namespace
