// The job manager's reading of job files from disk, on what the editor's writer leaves and on
// damaged files: every field is read within its bounds and every offset is checked. No window.
#include <gtest/gtest.h>

#include <cstring>

#include "JobFiles.h"
#include "output/JobFile.h"
#include "support/TempFolder.h"

namespace {

TEST(JobFileRead, ReadsWhatTheEditorWrites) {
  CJobFile written;
  written.SetOutputMethod(3);
  written.SetPortName("招牌刻字机[Brisvander.upl:02]");
  written.SetDocumentName(std::string(200, 'D').c_str());
  written.SetDataPath("C:\\TEMP\\OSD7.TMP");
  ASSERT_TRUE(written.WriteToFile());
  CJobFile read;
  EXPECT_TRUE(read.Read(written.GetPath()));
  DeleteFileA(written.GetPath());
  EXPECT_STREQ("招牌刻字机[Brisvander.upl:02]", read.GetPortName());
  EXPECT_EQ(119, read.GetDocumentName().GetLength());
  EXPECT_STREQ("C:\\TEMP\\OSD7.TMP", read.GetDataPath());
  EXPECT_EQ(3, read.GetOutputMethod());
}

TEST(JobFileRead, DamagedFilesAreRefusedAndFieldsStayWithinTheirPlaces) {
  TempFolder folder;
  CJobFile job;
  job.SetPortName("COM1");
  job.SetDocumentName("Sign");
  job.SetDataPath("C:\\data.plt");
  const std::vector<BYTE> good = job.BuildBytes();
  auto dword = [](DWORD value) {
    return std::vector<BYTE>{BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
  };
  struct Damage {
    const char* what;
    size_t offset;
    std::vector<BYTE> bytes;
    size_t size;  // the file's size afterwards (0: unchanged)
  };
  const Damage refused[] = {
      {"document name inside the header", 227, dword(16), 0},
      {"data path inside the header", 235, dword(0), 0},
      {"data path past the end", 235, dword(400), 0},
      {"document name far past the end", 227, dword(0x7FFFFFFF), 0},
      {"cut inside the header", 0, {}, 254},
      {"empty", 0, {}, 0xFFFF},
      {"cut off inside the data path", 0, {}, good.size() - 1},
      {"an empty data path", 255 + 5, {0}, 255 + 6},
  };
  const std::string path = folder.File("OSI1.TMP");
  CJobFile read;
  for (const Damage& damage : refused) {
    std::vector<BYTE> bytes = good;
    std::copy(damage.bytes.begin(), damage.bytes.end(), bytes.begin() + damage.offset);
    if (damage.size) bytes.resize(damage.size == 0xFFFF ? 0 : damage.size);
    ASSERT_TRUE(WriteFileBytes(path, bytes));
    EXPECT_FALSE(read.Read(path.c_str())) << damage.what;
  }

  // A port name that fills its 200 bytes and a document name without its zero end within their
  // places; a data path must end within its 150 bytes; a file of megabytes is read only as far as
  // a job file reaches.
  std::vector<BYTE> unterminated = good;
  std::memset(&unterminated[27], 'P', 200);
  unterminated.resize(255 + 5);
  std::memset(&unterminated[255], 'D', 5);
  unterminated.insert(unterminated.end(), 3000000, 'F');
  std::vector<BYTE> offsets = dword(255 + 5);
  std::copy(offsets.begin(), offsets.end(), unterminated.begin() + 235);
  ASSERT_TRUE(WriteFileBytes(path, unterminated));
  EXPECT_FALSE(read.Read(path.c_str())) << "a data path that does not end";
  unterminated[255 + 5 + 149] = 0;
  ASSERT_TRUE(WriteFileBytes(path, unterminated));
  ASSERT_TRUE(read.Read(path.c_str()));
  EXPECT_EQ(199, read.GetPortName().GetLength());
  EXPECT_EQ(CString(std::string(5, 'D').append(114, 'F').c_str()), read.GetDocumentName());
  EXPECT_EQ(149, read.GetDataPath().GetLength());
}

}  // namespace
