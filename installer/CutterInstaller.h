// CCutterInstaller: the installing step (AddCutterDriver). It copies the driver's files from the
// program folder into the printer-driver folder, registers the driver with the spooler and adds
// a printer of the model's name on the chosen port: a RAW queue of the standard print processor,
// which passes the plotter data the editor and the job manager write to the port untouched. It
// installs all of it or nothing: a printer of that name that exists already stops it before
// anything is copied, and a failing step takes back what the steps before it did.
#pragma once

#include <windows.h>

#include "installer/CutterInfo.h"
#include "installer/InstallProblem.h"
#include "installer/PrintSpooler.h"

class CCutterInstaller {
public:
  static const char kPrintProcessor[];
  static const char kDataType[];

  explicit CCutterInstaller(CPrintSpooler& spooler) : m_spooler(spooler) {}

  // programFolder holds the files to copy; it ends with a backslash.
  bool AddCutterDriver(const CCutterInfo& info, LPCSTR programFolder, CInstallProblem* problem);

  // The files to copy: the dependent files and the driver's own four, each once.
  static void FilesToCopy(const CCutterInfo& info, CStringArray& names);

private:
  bool RegisterDriver(const CCutterInfo& info, CInstallProblem* problem);
  bool AddQueue(const CCutterInfo& info, CInstallProblem* problem);

  CPrintSpooler& m_spooler;
};
