// CLibBuildDlg: the building of a graphics library from a clip-art collection (313), a maintenance
// tool of the library menu. The collection folder, the folder of the index text "newtuku.idx"
// (which receives the library) and the library's file name are fields the user sees and changes;
// they start from "LibBuild" of TALVEX42.INI, or the library folder and "CLIPART.LIB", and are
// stored whenever the dialog works or closes. "TestAmount" lists each collection file's count and
// the total; "Create" builds the library (never over an existing file), shows what it did and
// closes. The dialog stays painted between graphics but offers no cancel.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/String.h"

class CIniFile;

class CLibBuildDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 313;
  static constexpr char kSection[] = "LibBuild";
  static constexpr char kDefaultLibrary[] = "CLIPART.LIB";
  static constexpr int kFolderLength = 100;

  explicit CLibBuildDlg(CWnd* parent = nullptr, CIniFile* settings = nullptr);

  BOOL OnInitDialog() override;
  // Builds the library; closes unless the library file could not be made.
  void OnOK() override;
  void OnCancel() override;

  // The whole build; false when no library was made (the user was told why).
  bool Build();
  // Lists the collection's counts.
  int TestAmount();

protected:
  void OnTestAmount() { TestAmount(); }
  DECLARE_MESSAGE_MAP()

private:
  CString FieldText(int id) const;
  void StoreFields() const;
  void Tell(UINT message, LPCSTR detail = nullptr) const;

  CIniFile& m_settings;
};
