// CLibConvertDlg: the conversion of a mounted graphics library of an older format version (282):
// OK copies the library chosen in the list, kind by kind and graphic by graphic, into a new
// library of the version, magic, ratio (graphic size) and names given, in the output folder
// under the same file name; each kind is copied up to its first missing graphic. Cancel stores
// the output folder, magic, version and ratio ("LibConvert" of TALVEX42.INI) and closes. A
// conversion that would write over the library it reads is refused.
#pragma once

#include <windows.h>

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
  // Graphic numbers copied per kind.
  static constexpr int kGraphicsPerKind = 256;

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
  CString FieldText(int id) const;
  CString ChosenFileName() const;
  void Report(UINT message) const;
  // Copies every graphic of a source kind into the target kind; the number that could not be
  // stored.
  static int CopyKind(CPicLibrary& source, int kind, CPicLibrary& copy, int target);

  CIniFile& m_settings;
  CPicLibrary m_source;
};
