// CLibCreaterDlg: the building of a graphics library from a folder tree of drawings (317), a
// maintenance tool of the library menu. Every subfolder of the source folder (names beginning with
// "." left out) becomes a kind of the target library, and every drawing in it that the import
// filter reads (EPS, Illustrator, HP-GL plot and DXF files) one graphic: the whole drawing as one
// outline, normalised to 30000 units on its larger side, 2 units from the origin. Subfolders and
// files go in name order. The source folder and the target library are fields the user sees and
// changes ("LibBuild" of TALVEX42.INI; by default the library folder and "FOLDERS.LIB" in it); a
// target that does not exist is made (version 6.0, graphic size 30000), one that exists must be a
// version 6 library and keeps its kinds. A drawing that does not read, or has no extent, is skipped
// and counted. The two frames show the last drawing read and the outline stored.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Dialog.h"
#include "framework/String.h"
#include "model/geometry/Matrix2D.h"

class CContour;
class CFRect;
class CIniFile;
class CPicLibrary;

class CLibCreaterDlg : public CDialog {
  DECLARE_DYNAMIC(CLibCreaterDlg)
public:
  static constexpr UINT kTemplateId = 317;
  static constexpr char kSection[] = "LibBuild";
  static constexpr char kDefaultTarget[] = "FOLDERS.LIB";
  static constexpr WORD kGraphicSize = 30000;
  // Units between the library's origin and a graphic.
  static constexpr float kOriginGap = 2.0f;
  static constexpr int kSourceLength = 199;
  // Units per inch the import filter reads the drawings in; the mapping below sizes them anyway.
  static constexpr float kFilterScale = 1181.1024f;

  struct Summary {
    int kinds = 0;
    int added = 0;
    int unread = 0;
  };

  explicit CLibCreaterDlg(CWnd* parent = nullptr, CIniFile* settings = nullptr);

  BOOL OnInitDialog() override;
  // Builds the library; the dialog stays open.
  void OnOK() override;
  void OnCancel() override;

  // The whole build; false when nothing was built (the user was told why).
  bool Build(Summary* summary = nullptr);

  // The mapping of a drawing's box into library units: the larger side becomes 30000 units and
  // the box's top left corner comes to (2, 2); false (identity) for a box of no extent.
  static bool LibraryMapping(const CFRect& box, CMatrix2D& matrix);
  // The subfolders of the folder (not beginning with "."), in name order.
  static std::vector<CString> Subfolders(const CString& folder);
  // The files of the folder the import filter reads, in name order.
  static std::vector<CString> Drawings(const CString& folder);
  // Where the target library lies: a bare file name in the library folder, ".LIB" added to a
  // name without an extension.
  CString TargetPath() const;

private:
  CString FieldText(int id) const;
  void StoreFields() const;
  void Tell(UINT message) const;
  bool OpenTarget(CPicLibrary& target, const CString& source);
  // Draws the outline fitted into the frame (the outline is moved there).
  void Preview(int frame, CContour* outline) const;

  CIniFile& m_settings;
};
