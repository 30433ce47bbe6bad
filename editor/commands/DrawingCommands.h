// CDrawingCommands: the main view's commands on its drawing as a whole: the outline operations
// through the transform library (weld, cut, intersection, exclusive or, contour cut, cut along
// the selected guide line, the overlaps of a text's characters removed), select all, hollow, even
// spacing, the file output in its text, plot and EPS formats, the artwork record file, the
// refresh of the property window and a new stamp from the stamp maker. The view's command table
// decides whether a command is enabled; the view then hands the command here before its own
// message map.
//
// Each command is one undo step, with the selection tracker hidden while the blocks change and
// brought up to date afterwards; removing a text's overlaps only changes the outlines its
// characters keep for drawing and cutting, which no file holds, and leaves no step. A command whose
// library step gives nothing leaves the drawing as it was and says so.
#pragma once

#include <windows.h>

#include "framework/CmdTarget.h"
#include "framework/String.h"

class CTALVEX42Doc;
class CTALVEX42View;
class CWeldDll;

class CDrawingCommands : public CCmdTarget {
public:
  // The commands that only exist as ids: the artwork record file has no menu entry.
  enum : UINT { kArtworkRecord = 49010 };
  // Options of the export dialog: hide read-only, no change of folder, overwrite prompt,
  // explorer style.
  static constexpr DWORD kExportDialogOptions = 0x80026;
  // The export dialog's file kinds when the resources lack them; the user sees the resources'
  // texts in the interface's language.
  static const char kExportFilter[];
  static const char kDefaultExportFolder[];

  explicit CDrawingCommands(CTALVEX42View* view);

  // Null loads the transform library from the program folder; tests name the build's copy.
  void SetLibraryPath(LPCSTR path) { m_libraryPath = path ? path : ""; }
  // Null reads the EPS export's templates from ImExport.Ini in the program folder.
  void SetEpsSettingsPath(LPCSTR path) { m_epsSettingsPath = path ? path : ""; }

  // The file output's work once a name is chosen: writes by the name's kind and remembers its
  // folder; false when nothing was written.
  bool ExportTo(LPCSTR path);
  // The artwork record file in the given folder (the program folder when null); 1 when written.
  int WriteArtworkRecord(LPCSTR folder = nullptr);

  BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) override;

protected:
  void OnCombine(UINT id);
  void OnContourCut();
  void OnCutAlongGuide();
  void OnRemoveTextOverlaps();
  void OnSelectAll();
  void OnHollow();
  void OnSpaceEvenly(UINT id);
  void OnFileExport();
  void OnArtworkRecord();
  // The floating property window, when shown, takes the panel of the current selection; as the
  // user asked for it only when the command says so (CPropertyWnd::kPanelRequested).
  void OnPropertyRefresh();
  // The stamp maker's new stamp, centred on the page, added and selected in one undo step.
  void OnNewStamp();
  DECLARE_MESSAGE_MAP()

private:
  CTALVEX42Doc* Document() const;
  // Binds the command's own copy of the library; false (the library says why) when it is missing.
  bool Bind(CWeldDll& library) const;
  // After a change of the blocks: the tracker recounts and the view repaints.
  void Refresh();
  void ReportFailure() const;
  // The text of the text editor window, empty until it exists.
  CString EditorText() const;

  CTALVEX42View* m_view;
  CString m_libraryPath;
  CString m_epsSettingsPath;
};
