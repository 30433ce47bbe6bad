// CCutterCatalogue: the installer's reading of its setup catalogue. [MARK] gives the language
// (LanguageID 1 is English) and the texts of the dialog; [Manufacturer] names the manufacturers'
// sections, one per line written between '%' characters, of which the first is used; that
// section lists the cutter models, one per line "<name>" = <cutter section>[, ...]; a cutter
// section names the driver's files (CopyFiles) and the section of the driver's scripts
// (DataSection: DriverFile, ConfigFile, HelpFile). Everything it reads is checked before anything
// is installed: model names must fit a device mode's 31 bytes and be printer names, file names
// must be plain names in the program folder. Failures are reported as CInstallProblem facts.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "framework/StringArray.h"
#include "installer/CutterInfo.h"
#include "installer/InstallProblem.h"
#include "installer/SetupCatalogue.h"

class CCutterCatalogue {
public:
  // A device mode's device name holds 32 bytes with its terminating zero.
  static const int kMaxNameBytes = CCHDEVICENAME - 1;
  // The dependent-file list with its zero bytes, bounded like a section.
  static const int kMaxFileListChars = CSetupCatalogue::kMaxSectionChars;
  static const int kEnglishLanguageId = 1;
  static const LANGID kChineseSystemLanguage = 2052;

  // A model line of the manufacturer's section.
  struct Entry {
    CString name;
    CString section;
  };

  // The catalogue a command line names: a bare name is taken from the program folder (a full
  // path as it is); without one, tlvcut.inf on a Chinese system, else tlvcutE.inf. The folder
  // ends with a backslash.
  static CString CataloguePath(LPCSTR commandLine, LPCSTR programFolder, LANGID systemLanguage);

  bool Load(LPCSTR path, CInstallProblem* problem);
  // The catalogue from text in memory (its tests); false when it is no catalogue text.
  bool LoadText(const char* text, size_t length);

  int GetLanguageId() const;
  bool IsEnglish() const { return GetLanguageId() == kEnglishLanguageId; }
  // Title, Company or WebSite of [MARK]; false when the catalogue has none.
  bool GetMarkText(LPCSTR key, CString* text) const;

  // Finds the first manufacturer's section; it must exist.
  bool ReadManufacturer(CInstallProblem* problem);
  const CString& GetManufacturerSection() const { return m_manufacturer; }
  // The models of the manufacturer's section in file order, as the list shows them (the text
  // between the quotes; a line that cannot be read shows what it holds and fails to install).
  void GetModelNames(CStringArray& names) const;
  // The model line of the model with this index (0 for the first).
  bool GetCutterEntry(int index, Entry* entry, CInstallProblem* problem) const;
  // The installation record of a model; the port is left for the caller. programFolder ends with
  // a backslash.
  bool FillCutterInfo(const Entry& entry, LPCSTR programFolder, CCutterInfo* info,
                      CInstallProblem* problem) const;

  // True for a plain file name: not empty, no folder, drive or wildcard, not "." or "..".
  static bool IsPlainFileName(const CString& name);
  // Reads "<name>" = <section>[, ...]; false when the line is not of that form.
  static bool ParseModelLine(const CString& line, Entry* entry);

private:
  bool GetModelLines(CStringArray& lines, CInstallProblem* problem) const;
  // The section's lines; missing is the problem when the section is not there.
  bool ReadSection(LPCSTR name, CStringArray& lines, const CInstallProblem& missing,
                   CInstallProblem* problem) const;
  bool CheckName(const CString& name, CInstallProblem* problem) const;
  // The dependent files and the data file from the cutter section's CopyFiles.
  bool CollectFiles(const CString& section, CStringArray& files, CString* dataFile,
                    CInstallProblem* problem) const;
  bool AddFile(const CString& file, CStringArray& files, CInstallProblem* problem) const;
  bool ReadScript(const CString& dataSection, LPCSTR key, CInstallProblem::Kind missing,
                  CString* file, CInstallProblem* problem) const;

  CSetupCatalogue m_catalogue;
  CString m_manufacturer;
};
