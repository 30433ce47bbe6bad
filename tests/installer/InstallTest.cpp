// Installing a cutter queue with the real print spooler of the installer tests' own Wine prefix
// (tests/installer/installer_prefix.sh): the printer, its driver and files as the spooler lists
// them, the driver's configuration module answering the spooler, a raw job written by the
// editor's output port reaching the queue's port byte for byte, and every failure leaving the
// system as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InstallerFolder.h"
#include "SpoolerState.h"
#include "installer/CutterCatalogue.h"
#include "installer/CutterInstaller.h"
#include "installer/SystemSpooler.h"
#include "output/OutPort.h"

namespace {

// The real spooler, with one of its calls failing on demand.
class FailingSpooler : public CSystemSpooler {
public:
  enum Call { kNone, kAddDriver, kAddPrinter };
  explicit FailingSpooler(Call failing) : m_failing(failing) {}
  bool AddDriver(DRIVER_INFO_3A* driver) override {
    if (m_failing != kAddDriver) return CSystemSpooler::AddDriver(driver);
    SetLastError(ERROR_INVALID_ENVIRONMENT);
    return false;
  }
  bool AddPrinterQueue(PRINTER_INFO_2A* printer) override {
    if (m_failing != kAddPrinter) return CSystemSpooler::AddPrinterQueue(printer);
    // The driver was registered for real just before.
    SetLastError(ERROR_INVALID_PRINTER_NAME);
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

  // Reads the model's record from the test catalogue and installs it on a port.
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
};

std::vector<BYTE> ReadBytes(const std::string& path) {
  std::vector<BYTE> bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  BYTE buffer[4096];
  DWORD got = 0;
  while (file != INVALID_HANDLE_VALUE && ReadFile(file, buffer, sizeof buffer, &got, nullptr) &&
         got)
    bytes.insert(bytes.end(), buffer, buffer + got);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return bytes;
}

TEST_F(InstallTest, TheChosenModelBecomesAPrinterOnTheChosenPortWithItsOwnDriver) {
  CSystemSpooler spooler;
  CInstallProblem problem;
  ASSERT_TRUE(Install(1, "LPT2:", spooler, &problem)) << problem.Describe();

  const auto printers = Printers();
  ASSERT_EQ(1u, printers.count("Test DM/PL Cutter"));
  const InstalledPrinter& printer = printers.at("Test DM/PL Cutter");
  EXPECT_EQ("LPT2:", printer.port);
  EXPECT_EQ("Test DM/PL Cutter", printer.driver);
  EXPECT_EQ("Test DM/PL Cutter", printer.deviceName);
  const auto drivers = Drivers();
  ASSERT_EQ(1u, drivers.count("Test DM/PL Cutter"));
  const InstalledDriver& driver = drivers.at("Test DM/PL Cutter");
  const std::string versionFolder = DriverFolder() + "\\3\\";
  EXPECT_EQ(versionFolder + "TLVCUT.DLL", driver.driverPath);
  EXPECT_EQ(versionFolder + "TLVDMPL.PCD", driver.dataPath);
  EXPECT_EQ(versionFolder + "TLVCUTUI.DLL", driver.configPath);
  EXPECT_EQ(versionFolder + "TLVCUT.TXT", driver.helpPath);
  EXPECT_EQ(4u, driver.dependentFiles.size());
  const auto files = DriverFolderFiles();
  for (const char* name : {"TLVCUT.DLL", "TLVCUTUI.DLL", "TLVDMPL.PCD", "TLVCUT.TXT"})
    EXPECT_EQ(1u, files.count(name)) << name;

  // The configuration module gives the printer its device mode and capabilities. (Wine hands
  // the module the output's dmSize as the buffer's size: the buffer says how large it is.)
  wchar_t name[] = L"Test DM/PL Cutter";
  LONG size = DocumentPropertiesW(nullptr, nullptr, name, nullptr, nullptr, 0);
  ASSERT_EQ(static_cast<LONG>(sizeof(DEVMODEW)), size);
  DEVMODEW mode = {};
  mode.dmSize = sizeof mode;
  mode.dmCopies = 9;
  ASSERT_EQ(IDOK, DocumentPropertiesW(nullptr, nullptr, name, &mode, nullptr, DM_OUT_BUFFER));
  EXPECT_STREQ(name, mode.dmDeviceName);
  EXPECT_EQ(1, mode.dmCopies);
  EXPECT_EQ(static_cast<DWORD>(DM_COPIES), mode.dmFields);
  EXPECT_EQ(1, DeviceCapabilitiesA("Test DM/PL Cutter", "LPT2:", DC_COPIES, nullptr, nullptr));

  // A second model, after the first, shares the driver files and gets its own data file.
  ASSERT_TRUE(Install(0, "COM2:", spooler, &problem)) << problem.Describe();
  EXPECT_EQ("COM2:", Printers().at("Test HP-GL Cutter").port);
  EXPECT_EQ(versionFolder + "TLVHPGL.PCD", Drivers().at("Test HP-GL Cutter").dataPath);
  EXPECT_EQ("LPT2:", Printers().at("Test DM/PL Cutter").port) << "the first stays as it was";
}

TEST_F(InstallTest, ARawJobOfTheOutputPortReachesTheQueuesPortByteForByte) {
  ASSERT_FALSE(FilePortName().empty()) << "the prefix has no file port";
  CSystemSpooler spooler;
  CInstallProblem problem;
  ASSERT_TRUE(Install(0, FilePortName(), spooler, &problem)) << problem.Describe();
  std::vector<char> data(5000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + i / 256);

  COutPort port;
  port.SetPortName(("Test HP-GL Cutter @ " + FilePortName()).c_str());
  ASSERT_EQ(256, port.GetPortKind()) << "a printer queue";
  ASSERT_TRUE(port.Open());
  ASSERT_TRUE(port.WriteData(data.data(), 3000));
  ASSERT_TRUE(port.WriteString("PU0,0;"));
  ASSERT_TRUE(port.WriteData(data.data() + 3000, 2000));
  port.Close();

  std::vector<BYTE> expected(data.begin(), data.begin() + 3000);
  for (char c : std::string("PU0,0;")) expected.push_back(static_cast<BYTE>(c));
  expected.insert(expected.end(), data.begin() + 3000, data.end());
  EXPECT_EQ(expected, ReadBytes(FilePortPath()));
}

TEST_F(InstallTest, AFailingCopyLeavesTheSystemAsItWasAndKeepsTheFilesItWouldHaveReplaced) {
  // An older driver file is in the driver folder; a file the catalogue names is missing.
  const std::string older = DriverFolder() + "\\TLVCUT.DLL";
  HANDLE file = CreateFileA(older.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, "older driver", 12, &written, nullptr);
  CloseHandle(file);
  ASSERT_TRUE(DeleteFileA(m_folder.File("TLVCUT.TXT").c_str()));
  const SpoolerPicture before;

  CSystemSpooler spooler;
  CInstallProblem problem;
  EXPECT_FALSE(Install(0, "COM2:", spooler, &problem));
  EXPECT_EQ(CInstallProblem::kSystemError, problem.GetKind());
  EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), problem.GetError());
  EXPECT_EQ(CString("TLVCUT.TXT"), problem.GetSubject());

  const SpoolerPicture after;
  EXPECT_EQ(before.driverFiles, after.driverFiles) << "no copy, no temporary file is left";
  EXPECT_EQ("older driver", after.driverFiles.at("TLVCUT.DLL"));
  EXPECT_EQ(before.driverNames, after.driverNames);
  EXPECT_EQ(before.PrinterNames(), after.PrinterNames());
  DeleteFileA(older.c_str());
}

TEST_F(InstallTest, ALaterFailingStepTakesBackTheDriverAndTheCopiedFiles) {
  const SpoolerPicture before;
  for (FailingSpooler::Call failing : {FailingSpooler::kAddDriver, FailingSpooler::kAddPrinter}) {
    FailingSpooler spooler(failing);
    CInstallProblem problem;
    EXPECT_FALSE(Install(0, "COM2:", spooler, &problem)) << failing;
    EXPECT_EQ(static_cast<DWORD>(failing == FailingSpooler::kAddDriver
                                     ? ERROR_INVALID_ENVIRONMENT
                                     : ERROR_INVALID_PRINTER_NAME),
              problem.GetError());
    const SpoolerPicture after;
    EXPECT_EQ(before.driverFiles, after.driverFiles) << failing;
    EXPECT_EQ(before.driverNames, after.driverNames) << failing;
    EXPECT_EQ(before.PrinterNames(), after.PrinterNames()) << failing;
  }
}

TEST_F(InstallTest, AModelInstalledAlreadyIsRefusedBeforeAnythingIsCopied) {
  CSystemSpooler spooler;
  CInstallProblem problem;
  ASSERT_TRUE(Install(0, "COM2:", spooler, &problem)) << problem.Describe();
  ASSERT_TRUE(m_folder.Write("TLVHPGL.PCD", "a newer data file"));
  const SpoolerPicture before;
  EXPECT_FALSE(Install(0, "LPT1:", spooler, &problem));
  EXPECT_EQ(static_cast<DWORD>(ERROR_PRINTER_ALREADY_EXISTS), problem.GetError());
  const SpoolerPicture after;
  EXPECT_EQ(before.driverFiles, after.driverFiles);
  EXPECT_EQ("COM2:", Printers().at("Test HP-GL Cutter").port);
}

}  // namespace
