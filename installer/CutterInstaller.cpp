#include "installer/CutterInstaller.h"

#include <vector>

#include "installer/DriverFileCopy.h"

const char CCutterInstaller::kPrintProcessor[] = "WinPrint";
const char CCutterInstaller::kDataType[] = "RAW";

namespace {

const DWORD kDriverVersion = 3;
const DWORD kPrinterPriority = 1;

bool Fail(CInstallProblem* problem, const CInstallProblem& what) {
  if (problem) *problem = what;
  return false;
}

CString FileNameOf(const CString& path) { return path.Mid(path.ReverseFind('\\') + 1); }

void AddOnce(CStringArray& names, const CString& name) {
  for (INT_PTR i = 0; i < names.GetSize(); ++i)
    if (names[i].CompareNoCase(name) == 0) return;
  names.Add(name);
}

CString FolderOf(LPCSTR folderWithBackslash) {
  CString folder(folderWithBackslash);
  folder.TrimRight('\\');
  return folder;
}

}  // namespace

void CCutterInstaller::FilesToCopy(const CCutterInfo& info, CStringArray& names) {
  names.RemoveAll();
  for (INT_PTR i = 0; i < info.dependentFiles.GetSize(); ++i)
    AddOnce(names, info.dependentFiles[i]);
  // The spooler looks for the driver's own files in the driver folder too.
  for (const CString* path : {&info.driverPath, &info.dataPath, &info.configPath, &info.helpPath})
    AddOnce(names, FileNameOf(*path));
}

bool CCutterInstaller::AddCutterDriver(const CCutterInfo& info, LPCSTR programFolder,
                                       CInstallProblem* problem) {
  if (info.portName.IsEmpty()) return Fail(problem, CInstallProblem(CInstallProblem::kNoPort));
  // Checked first so that a second install of a model changes nothing.
  if (m_spooler.PrinterExists(info.name))
    return Fail(problem, CInstallProblem::SystemError(ERROR_PRINTER_ALREADY_EXISTS));
  CString driverFolder;
  CStringArray names;
  FilesToCopy(info, names);
  if (!m_spooler.GetDriverDirectory(&driverFolder) || names.GetSize() == 0)
    return Fail(problem, CInstallProblem(CInstallProblem::kCopyFileFail));
  for (INT_PTR i = 0; i < names.GetSize(); ++i)
    if (driverFolder.GetLength() + 1 + names[i].GetLength() >= MAX_PATH)
      return Fail(problem, CInstallProblem(CInstallProblem::kPathTooLong, 0, names[i]));

  CDriverFileCopy copy(FolderOf(programFolder), driverFolder);
  CString failedName;
  DWORD error = ERROR_SUCCESS;
  if (!copy.CopyAll(names, &failedName, &error))
    return Fail(problem, CInstallProblem::SystemError(error, failedName));
  const bool driverExisted = m_spooler.DriverExists(info.name);
  if (!RegisterDriver(info, problem)) {
    if (!driverExisted) m_spooler.DeleteDriver(info.name);
    return false;  // the copy takes itself back
  }
  if (!AddQueue(info, problem)) {
    if (!driverExisted) m_spooler.DeleteDriver(info.name);
    return false;
  }
  copy.Commit();
  return true;
}

bool CCutterInstaller::RegisterDriver(const CCutterInfo& info, CInstallProblem* problem) {
  std::vector<char> dependentFiles = info.DependentFileList();
  DRIVER_INFO_3A driver = {};
  driver.cVersion = kDriverVersion;
  driver.pName = const_cast<LPSTR>(info.name.GetString());
  driver.pEnvironment = nullptr;  // the system's own
  driver.pDriverPath = const_cast<LPSTR>(info.driverPath.GetString());
  driver.pDataFile = const_cast<LPSTR>(info.dataPath.GetString());
  driver.pConfigFile = const_cast<LPSTR>(info.configPath.GetString());
  driver.pHelpFile = const_cast<LPSTR>(info.helpPath.GetString());
  driver.pDependentFiles = dependentFiles.data();
  driver.pMonitorName = nullptr;
  driver.pDefaultDataType = nullptr;
  if (m_spooler.AddDriver(&driver)) return true;
  return Fail(problem, CInstallProblem::SystemError(GetLastError()));
}

bool CCutterInstaller::AddQueue(const CCutterInfo& info, CInstallProblem* problem) {
  DEVMODEA mode = info.DefaultDevMode();
  PRINTER_INFO_2A printer = {};
  printer.pPrinterName = const_cast<LPSTR>(info.name.GetString());
  printer.pDriverName = const_cast<LPSTR>(info.name.GetString());
  printer.pPortName = const_cast<LPSTR>(info.portName.GetString());
  printer.pPrintProcessor = const_cast<LPSTR>(kPrintProcessor);
  printer.pDatatype = const_cast<LPSTR>(kDataType);
  printer.pDevMode = &mode;
  printer.Attributes = PRINTER_ATTRIBUTE_DEFAULT;
  printer.Priority = kPrinterPriority;
  if (m_spooler.AddPrinterQueue(&printer)) return true;
  return Fail(problem, CInstallProblem::SystemError(GetLastError()));
}
