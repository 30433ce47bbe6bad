// The job file handed to the job manager, byte for byte, read back as the manager reads it, and the
// hand-over itself against a stand-in manager window in this process (no window of the real
// manager is involved). Runs with windows under Xvfb.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "FakeJobManager.h"
#include "model/CurveTestSupport.h"
#include "output/JobFile.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

std::vector<BYTE> Text(const std::string& text) {
  std::vector<BYTE> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return bytes;
}

std::vector<BYTE> Zeros(size_t count) { return std::vector<BYTE>(count, 0); }

// The header written out field by field from the layout.
std::vector<BYTE> ExpectedJob(short method, const std::string& port, const std::string& document,
                              const std::string& data) {
  std::vector<BYTE> portField(200, 0);
  std::memcpy(portField.data(), port.data(), port.size());
  return GoldenBytes()
      .Bytes(Text("ODSINFO"))
      .Bytes(Zeros(8))
      .Float(6.0f)
      .Bytes(Zeros(5))
      .Word(static_cast<WORD>(method))
      .Bytes(portField)
      .DWord(255)
      .DWord(0)
      .DWord(static_cast<DWORD>(255 + document.size() + 1))
      .Bytes(Zeros(16))
      .Bytes(Text(document))
      .Bytes(Text(data))
      .Get();
}

std::vector<BYTE> ReadBytes(const std::string& path) {
  std::vector<BYTE> bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  BYTE buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
    bytes.insert(bytes.end(), buffer, buffer + got);
  CloseHandle(file);
  return bytes;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Two names of one file: their long full forms agree.
bool SameFile(const std::string& first, const std::string& second) {
  char a[MAX_PATH * 2] = {}, b[MAX_PATH * 2] = {};
  GetLongPathNameA(first.c_str(), a, sizeof a);
  GetLongPathNameA(second.c_str(), b, sizeof b);
  return lstrcmpiA(a, b) == 0 && a[0] != '\0';
}

TEST(JobFile, IsWrittenByteForByteAsTheLayoutSays) {
  CJobFile job;
  job.SetOutputMethod(3);
  job.SetPortName("COM2:");
  job.SetDocumentName("招牌.T42");
  job.SetDataPath("C:\\TEMP\\OSD1A.TMP");
  EXPECT_EQ(ExpectedJob(3, "COM2:", "招牌.T42", "C:\\TEMP\\OSD1A.TMP"), job.BuildBytes());

  // A job as built carries output method 1 and empty names.
  EXPECT_EQ(ExpectedJob(1, "", "", ""), CJobFile().BuildBytes());

  ASSERT_TRUE(job.WriteToFile());
  std::string path = job.GetPath().GetString();
  EXPECT_NE(std::string::npos, path.find("OSI"));
  EXPECT_EQ(job.BuildBytes(), ReadBytes(path));
  DeleteFileA(path.c_str());
}

// The names are cut to their places; the data path is kept whole so that a job whose path does
// not fit can be refused (the hand-over does), and only its file image is cut.
TEST(JobFile, FieldsAreCutToTheirPlacesAndReadBackAsTheManagerDoes) {
  CJobFile job;
  job.SetPortName(std::string(250, 'P').c_str());
  job.SetDocumentName(std::string(300, 'D').c_str());
  job.SetDataPath(std::string(300, 'F').c_str());
  EXPECT_EQ(199, job.GetPortName().GetLength());
  EXPECT_EQ(119, job.GetDocumentName().GetLength());
  EXPECT_EQ(300, job.GetDataPath().GetLength());
  std::vector<BYTE> bytes = job.BuildBytes();
  EXPECT_EQ(255u + 120 + 150, bytes.size());

  CJobFile read;
  ASSERT_TRUE(read.ReadBytes(bytes.data(), bytes.size()));
  EXPECT_EQ(job.GetPortName(), read.GetPortName());
  EXPECT_EQ(job.GetDocumentName(), read.GetDocumentName());
  EXPECT_EQ(std::string(149, 'F'), read.GetDataPath().GetString());
  EXPECT_EQ(1, read.GetOutputMethod());
}

TEST(JobFile, TheReaderRefusesDamagedFiles) {
  CJobFile job;
  job.SetPortName("COM1");
  job.SetDocumentName("doc");
  job.SetDataPath("C:\\data.plt");
  const std::vector<BYTE> good = job.BuildBytes();
  CJobFile read;
  ASSERT_TRUE(read.ReadBytes(good.data(), good.size()));

  struct Damage {
    const char* what;
    size_t offset;
    std::vector<BYTE> bytes;
    size_t keep;  // bytes kept of the file (0: all)
  };
  const Damage damages[] = {
      {"another signature", 0, {'O', 'D', 'S', 'I', 'N', 'F', 'X'}, 0},
      {"version 5.9", 16, GoldenBytes().Float(5.9f).Get(), 0},
      {"document offset past the end", 227, GoldenBytes().DWord(100000).Get(), 0},
      {"data offset past the end", 235, GoldenBytes().DWord(0xFFFFFFF0).Get(), 0},
      {"a header cut short", 0, {}, 200},
      {"nothing at all", 0, {}, 1},
  };
  for (const Damage& damage : damages) {
    std::vector<BYTE> bytes = good;
    std::copy(damage.bytes.begin(), damage.bytes.end(), bytes.begin() + damage.offset);
    if (damage.keep) bytes.resize(damage.keep);
    EXPECT_FALSE(read.ReadBytes(bytes.data(), bytes.size())) << damage.what;
  }
  // The data path names the file the manager cuts and deletes: one cut off inside it (which would
  // name a shorter path), an empty one and one without its zero within 150 bytes are refused.
  const size_t dataAt = 255 + 4;
  std::vector<BYTE> cutOff = good;
  cutOff.resize(cutOff.size() - 3);
  EXPECT_FALSE(read.ReadBytes(cutOff.data(), cutOff.size())) << "C:\\data.p";
  std::vector<BYTE> empty = good;
  empty.resize(dataAt + 1);
  empty[dataAt] = 0;
  EXPECT_FALSE(read.ReadBytes(empty.data(), empty.size()));
  std::vector<BYTE> overlong = good;
  overlong.resize(dataAt);
  overlong.insert(overlong.end(), 150, 'F');
  overlong.push_back(0);
  EXPECT_FALSE(read.ReadBytes(overlong.data(), overlong.size()));
  overlong.erase(overlong.begin() + dataAt);  // 149 characters and the zero fit
  EXPECT_TRUE(read.ReadBytes(overlong.data(), overlong.size()));
  EXPECT_FALSE(read.Read("C:\\no such folder\\OSI1.TMP"));
}

class HandOverTest : public ::testing::Test {
protected:
  HandOverTest() : m_data(m_folder.File("OSD1.TMP")) {
    HANDLE file = CreateFileA(m_data.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    m_job.SetOutputMethod(2);
    m_job.SetPortName("COM1");
    m_job.SetDocumentName("Sign");
    m_job.SetDataPath(m_data.c_str());
    m_job.SetStartWait(300);
  }

  TempFolder m_folder;
  std::string m_data;
  CJobFile m_job;
  MessageBoxCapture m_boxes;
};

TEST_F(HandOverTest, AQueuedJobBelongsToTheManager) {
  FakeJobManager manager;
  EXPECT_TRUE(m_job.SendToManager());
  EXPECT_EQ((std::vector<UINT>{WM_USER + 1, WM_USER + 3, WM_USER + 2}), manager.messages);
  ASSERT_TRUE(manager.read);
  EXPECT_STREQ("COM1", manager.queued.GetPortName());
  EXPECT_STREQ("Sign", manager.queued.GetDocumentName());
  EXPECT_EQ(2, manager.queued.GetOutputMethod());
  EXPECT_TRUE(Exists(m_job.GetPath().GetString()));
  EXPECT_TRUE(Exists(m_data));
  EXPECT_EQ(0u, m_boxes.Count());
  DeleteFileA(m_job.GetPath());
}

TEST_F(HandOverTest, AJobTheManagerDidNotQueueIsReportedAndRemoved) {
  FakeJobManager manager;
  manager.accept = false;
  EXPECT_FALSE(m_job.SendToManager());
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_EQ("数据发送失败!", m_boxes.Last().text);
  EXPECT_EQ("ERROR", m_boxes.Last().caption);
  EXPECT_EQ(0, GlobalFindAtomA(m_job.GetPath()));
  EXPECT_FALSE(Exists(m_job.GetPath().GetString()));
  EXPECT_FALSE(Exists(m_data));
  EXPECT_EQ(WM_USER + 2, manager.messages.back());
}

TEST_F(HandOverTest, AManagerThatCannotStartIsReported) {
  std::string program = m_folder.File("ORV.EXE");
  m_job.SetManagerProgram(program.c_str());
  EXPECT_FALSE(m_job.SendToManager());
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_EQ("运行 " + program + " 错误", m_boxes.Last().text);
  EXPECT_EQ("错误", m_boxes.Last().caption);
  EXPECT_FALSE(Exists(m_job.GetPath().GetString()));
  EXPECT_FALSE(Exists(m_data));
}

// The manager is started and waited for; one whose window shows late still gets the job, one whose
// window never shows is reported, never dropped silently.
TEST_F(HandOverTest, AStartedManagerIsWaitedForWithinALimit) {
  m_job.SetManagerProgram("cmd.exe /c exit");
  m_job.SetStartWait(5000);
  static FakeJobManager* late = nullptr;
  struct LateManager {
    static void CALLBACK Show(HWND, UINT, UINT_PTR, DWORD) {
      if (!late) late = new FakeJobManager;
    }
  };
  UINT_PTR timer = SetTimer(nullptr, 0, 200, LateManager::Show);
  EXPECT_TRUE(m_job.SendToManager());
  KillTimer(nullptr, timer);
  ASSERT_NE(nullptr, late);
  EXPECT_TRUE(late->read);
  delete late;
  late = nullptr;
  DeleteFileA(m_job.GetPath());

  CJobFile silent;
  silent.SetDataPath(m_data.c_str());
  silent.SetManagerProgram("cmd.exe /c exit");
  silent.SetStartWait(300);
  EXPECT_FALSE(silent.SendToManager());
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("cmd.exe /c exit"));
  EXPECT_FALSE(Exists(m_data));
}

// A data path longer than the manager reads (149 characters) is handed over in its short form
// when that fits; when it does not, the job is refused with a message before the manager hears of
// it, and its files go.
TEST_F(HandOverTest, ADataPathTheManagerCannotReadIsNeverHandedOver) {
  // Long names: the short form of the path fits.
  TempFolder longFolder(std::string(60, 'L') + "\\" + std::string(60, 'M'));
  std::string longData = longFolder.File("OSD" + std::string(40, 'N') + ".TMP");
  CloseHandle(CreateFileA(longData.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_GT(longData.size(), 149u);
  {
    FakeJobManager manager;
    m_job.SetDataPath(longData.c_str());
    ASSERT_TRUE(m_job.SendToManager());
    ASSERT_TRUE(manager.read);
    std::string handed = manager.queued.GetDataPath().GetString();
    EXPECT_LE(handed.size(), 149u);
    EXPECT_TRUE(SameFile(handed, longData)) << handed;
    DeleteFileA(m_job.GetPath());
  }
  // Names already short: nothing shorter exists.
  std::string deep = "a1234567";
  for (int i = 0; i < 16; ++i) deep += "\\b1234567";
  TempFolder deepFolder(deep);
  std::string deepData = deepFolder.File("OSD1.TMP");
  CloseHandle(CreateFileA(deepData.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(Exists(deepData));
  FakeJobManager manager;
  CJobFile job;
  job.SetPortName("COM1");
  job.SetDataPath(deepData.c_str());
  EXPECT_FALSE(job.SendToManager());
  EXPECT_TRUE(manager.messages.empty());
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("149")) << m_boxes.Last().text;
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find(deepData));
  EXPECT_FALSE(Exists(deepData));
  EXPECT_TRUE(job.GetPath().IsEmpty()) << "no job file was made";
}

TEST_F(HandOverTest, AJobFileThatCannotBeMadeIsReported) {
  char savedTmp[MAX_PATH] = {}, savedTemp[MAX_PATH] = {};
  DWORD hadTmp = GetEnvironmentVariableA("TMP", savedTmp, sizeof savedTmp);
  DWORD hadTemp = GetEnvironmentVariableA("TEMP", savedTemp, sizeof savedTemp);
  std::string missing = m_folder.File("missing\\");
  SetEnvironmentVariableA("TMP", missing.c_str());
  SetEnvironmentVariableA("TEMP", missing.c_str());
  FakeJobManager manager;
  EXPECT_FALSE(m_job.SendToManager());
  SetEnvironmentVariableA("TMP", hadTmp ? savedTmp : nullptr);
  SetEnvironmentVariableA("TEMP", hadTemp ? savedTemp : nullptr);
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("切割任务文件"));
  EXPECT_TRUE(manager.messages.empty());
  EXPECT_FALSE(Exists(m_data));
}

}  // namespace
