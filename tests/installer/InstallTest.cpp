// Installing a cutter queue with the real print spooler of the installer tests' own Wine prefix:
// the printer, its driver and files as the spooler lists them, the driver's configuration module
// answering the spooler, a raw job of the editor's output port reaching the queue's port byte for
// byte, and every failure leaving the system as it was.
#include <gtest/gtest.h>

#include <string>

#include "InstallerTestSystem.h"
#include "installer/CutterCatalogue.h"
#include "installer/CutterInstaller.h"
#include "installer/SystemSpooler.h"
#include "output/OutPort.h"
#include "output/PortNames.h"

namespace {

// The real spooler, with one of its calls failing.
class FailingSpooler : public CSystemSpooler {
public:
  enum Call { kAddDriver, kAddPrinter };
  explicit FailingSpooler(Call failing) : m_failing(failing) {}
  bool AddDriver(DRIVER_INFO_3A* driver) override {
    if (m_failing != kAddDriver) return CSystemSpooler::AddDriver(driver);
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return false;
  }
  bool AddPrinterQueue(PRINTER_INFO_2A* printer) override {
    if (m_failing != kAddPrinter) return CSystemSpooler::AddPrinterQueue(printer);
    SetLastError(ERROR_INVALID_PRINTER_NAME);  // after the driver was registered for real
    return false;
  }

private:
  Call m_failing;
};

class InstallTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!InInstallerPrefix()) GTEST_SKIP() << "runs only in the installer tests' own Wine prefix";
    ASSERT_TRUE(m_folder.Write("test.inf", TestCatalogue(1)));
  }
  void TearDown() override {
    for (const char* name : {"Test HP-GL Cutter", "Test DM/PL Cutter"})
      RemovePrinterAndDriver(name);
  }

  // Reads the model's record from the test catalogue and installs it on the port.
  bool Install(int model, const std::string& port, CPrintSpooler& spooler,
               CInstallProblem* problem) {
    CCutterCatalogue catalogue;
    CCutterCatalogue::Entry entry;
    CCutterInfo info;
    if (!catalogue.Load(m_folder.File("test.inf").c_str(), problem) ||
        !catalogue.ReadManufacturer(problem) || !catalogue.GetCutterEntry(model, &entry, problem) ||
        !catalogue.FillCutterInfo(entry, m_folder.Path().c_str(), &info, problem))
      return false;
    info.portName = port.c_str();
    return CCutterInstaller(spooler).AddCutterDriver(info, m_folder.Path().c_str(), problem);
  }

  InstallerFolder m_folder;
  CSystemSpooler m_spooler;
  CInstallProblem m_problem;
};

TEST_F(InstallTest, TheChosenModelBecomesAPrinterOnTheChosenPortWithItsOwnDriver) {
  ASSERT_TRUE(Install(1, "LPT2:", m_spooler, &m_problem)) << m_problem.Describe();
  EXPECT_EQ("LPT2:|Test DM/PL Cutter|Test DM/PL Cutter", Printers()["Test DM/PL Cutter"]);
  const std::string in = DriverFolder() + "\\3\\";
  // The driver, data, configuration and help files, then the dependent files.
  std::vector<std::string> files;
  for (const char* file : {"TLVCUT.DLL", "TLVDMPL.PCD", "TLVCUTUI.DLL", "TLVCUT.TXT", "TLVCUT.DLL",
                           "TLVCUTUI.DLL", "TLVDMPL.PCD", "TLVCUT.TXT"})
    files.push_back(in + file);
  EXPECT_EQ(files, Drivers()["Test DM/PL Cutter"]);
  EXPECT_EQ(FileText(m_folder.File("TLVDMPL.PCD")), FileText(in + "TLVDMPL.PCD"));

  // The configuration module gives the printer its device mode and capabilities. (Wine hands
  // the module the output's dmSize as the buffer's size.)
  wchar_t name[] = L"Test DM/PL Cutter";
  ASSERT_EQ(static_cast<LONG>(sizeof(DEVMODEW)),
            DocumentPropertiesW(nullptr, nullptr, name, nullptr, nullptr, 0));
  DEVMODEW mode = {};
  mode.dmSize = sizeof mode;
  mode.dmCopies = 9;
  ASSERT_EQ(IDOK, DocumentPropertiesW(nullptr, nullptr, name, &mode, nullptr, DM_OUT_BUFFER));
  EXPECT_STREQ(name, mode.dmDeviceName);
  EXPECT_EQ(1, mode.dmCopies);
  EXPECT_EQ(1, DeviceCapabilitiesA("Test DM/PL Cutter", "LPT2:", DC_COPIES, nullptr, nullptr));

  // A second model after the first; then the first again, which is refused untouched.
  ASSERT_TRUE(Install(0, "COM2:", m_spooler, &m_problem)) << m_problem.Describe();
  EXPECT_EQ("COM2:|Test HP-GL Cutter|Test HP-GL Cutter", Printers()["Test HP-GL Cutter"]);
  ASSERT_TRUE(m_folder.Write("TLVDMPL.PCD", "a newer data file"));
  const SpoolerPicture before;
  EXPECT_FALSE(Install(1, "LPT1:", m_spooler, &m_problem));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PRINTER_ALREADY_EXISTS), m_problem.GetError());
  EXPECT_TRUE(before == SpoolerPicture());
}

TEST_F(InstallTest, ARawJobOfTheOutputPortReachesTheQueuesPortByteForByte) {
  ASSERT_FALSE(FilePortName().empty()) << "the prefix has no file port";
  ASSERT_TRUE(Install(0, FilePortName(), m_spooler, &m_problem)) << m_problem.Describe();
  std::string data(5000, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + i / 256);
  COutPort port;
  port.SetPortName(("Test HP-GL Cutter @ " + FilePortName()).c_str());
  ASSERT_EQ(kPortPrinterQueue, port.GetPortKind());
  ASSERT_TRUE(port.Open());
  ASSERT_TRUE(port.WriteData(data.data(), 3000));
  ASSERT_TRUE(port.WriteString("PU0,0;"));
  ASSERT_TRUE(port.WriteData(data.data() + 3000, 2000));
  port.Close();
  std::string path = "Z:" + FilePortName();
  for (char& c : path) c = c == '/' ? '\\' : c;
  EXPECT_TRUE(FileText(path) == data.substr(0, 3000) + "PU0,0;" + data.substr(3000));
}

TEST_F(InstallTest, AFailingCopyLeavesTheSystemAsItWasAndKeepsTheFileItWouldHaveReplaced) {
  // An older driver file is in the driver folder; a file the catalogue names is missing.
  const std::string older = DriverFolder() + "\\TLVCUT.DLL";
  ASSERT_TRUE(CopyFileA(m_folder.File("TLVHPGL.PCD").c_str(), older.c_str(), FALSE));
  ASSERT_TRUE(DeleteFileA(m_folder.File("TLVCUT.TXT").c_str()));
  const SpoolerPicture before;
  EXPECT_FALSE(Install(0, "COM2:", m_spooler, &m_problem));
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), m_problem.GetError());
  EXPECT_EQ(CString("TLVCUT.TXT"), m_problem.GetSubject());
  EXPECT_TRUE(before == SpoolerPicture()) << "no copy and no temporary file is left";
  DeleteFileA(older.c_str());
}

TEST_F(InstallTest, ALaterFailingStepTakesBackTheDriverAndTheCopiedFiles) {
  const SpoolerPicture before;
  for (FailingSpooler::Call failing : {FailingSpooler::kAddDriver, FailingSpooler::kAddPrinter}) {
    FailingSpooler spooler(failing);
    EXPECT_FALSE(Install(0, "COM2:", spooler, &m_problem)) << failing;
    EXPECT_EQ(static_cast<DWORD>(failing == FailingSpooler::kAddDriver
                                     ? ERROR_INVALID_ENVIRONMENT
                                     : ERROR_INVALID_PRINTER_NAME),
              m_problem.GetError());
    EXPECT_TRUE(before == SpoolerPicture()) << failing;
  }
}

}  // namespace
