// CLibConvertDlg: the conversion of a mounted graphics library of an older format version (282):
// OK copies the library chosen in the list, kind by kind and graphic by graphic, into a new
// library of the version, magic, ratio (graphic size) and names given, in the output folder
// under the same file name. Each kind's graphics close up in their order, each scaled to the
// ratio (CPicLibrary::PutCopiedGraphic); the graphics that took a new number on the way (those
// after empty slots of a version 5 kind) are listed for the user, in the message that says the
// conversion has finished and what it wrote. Cancel stores the output
// folder, magic, version and ratio ("LibConvert" of TALVEX42.INI) and closes. A conversion that
// would write over the library it reads, write a library the program cannot open ("VLIB" of
// version 6.0 to 6.1 only) or take a ratio its header cannot hold (above 65535) is refused before
// anything is written.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Dialog.h"
#include "framework/String.h"
#include "media/library/PicLibrary.h"

class CIniFile;
class CWnd;

class CLibConvertDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 282;
  static constexpr char kSection[] = "LibConvert";
  static constexpr char kDefaultFolder[] = "C:\\TALVEX\\MOUNT";
  static constexpr char kDefaultMark[] = "VLIB";
  static constexpr float kDefaultVersion = 6.0f;
  static constexpr int kDefaultRatio = 1024;

  explicit CLibConvertDlg(CWnd* parent, CIniFile* settings = nullptr);

  BOOL OnInitDialog() override;
  // Converts the chosen library; the dialog stays open.
  void OnOK() override;
  void OnCancel() override;

  // The whole conversion; false when it did not happen (the user was told why, except for a
  // source that does not open).
  bool Convert();
  // Where the copy of the chosen library goes.
  CString TargetPath() const;

protected:
  void OnLibraryChosen();
  DECLARE_MESSAGE_MAP()

private:
  // A graphic copied under another number than its own.
  struct Renumbering {
    int from;
    int to;
  };
  struct KindCopy {
    // Graphics that could not be stored.
    int lost = 0;
    std::vector<Renumbering> moved;
  };

  CString FieldText(int id) const;
  CString ChosenFileName() const;
  void Report(UINT message) const;
  // The new library's header from the fields but the ratio; false for one the program would not
  // open.
  bool HeaderFromFields(library::LibraryHeader& header) const;
  // The ratio typed: a whole number 0-65535 (0 stores the graphics as they are); false for any
  // other text.
  bool RatioFromField(WORD& ratio) const;
  // Copies the kinds in order, each named on the OK button while it is copied, and tells the
  // user what was written, with the graphics that could not be stored and those that took new
  // numbers.
  void CopyKinds(CPicLibrary& source, CPicLibrary& copy);
  // The one message that ends a conversion.
  void ReportCopy(const CPicLibrary& copy, int graphics, int lost, const CString& renumbered) const;
  // Copies every graphic of a source kind into the target kind.
  static KindCopy CopyKind(CPicLibrary& source, int kind, CPicLibrary& copy, int target);
  // "name: 5->2, 7-9->3-5", a line of the message that lists the new numbers.
  static CString RenumberingLine(const CString& kindName, const std::vector<Renumbering>& moved);

  CIniFile& m_settings;
  CPicLibrary m_source;
};
