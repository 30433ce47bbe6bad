#include "editor/commands/DrawingCommands.h"

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/bars/PropertyWnd.h"
#include "editor/commands/DrawingExport.h"
#include "editor/commands/LibraryCommands.h"
#include "editor/commands/OutlineOperations.h"
#include "editor/commands/SelectionEdits.h"
#include "editor/views/DocumentChange.h"
#include "editor/views/RulerManager.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"
#include "media/WeldDll.h"
#include "model/blocks/Block.h"
#include "model/blocks/GuideLine.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/IniFile.h"
#include "model/settings/ProgramPaths.h"
#include "output/StampAreaDlg.h"
#include "output/StampBlock.h"
#include "resources/Resource.h"
#include "text/TextBlock.h"

// clang-format off
BEGIN_MESSAGE_MAP(CDrawingCommands, CCmdTarget)
  ON_COMMAND_RANGE(ID_OUTLINE_WELD, ID_OUTLINE_XOR, OnCombine)
  ON_COMMAND(ID_OUTLINE_CONTOUR_CUT, OnContourCut)
  ON_COMMAND(ID_CUT_GUIDE, OnCutAlongGuide)
  ON_COMMAND(ID_OUTLINE_UNCROSS_TEXT, OnRemoveTextOverlaps)
  ON_COMMAND(ID_EDIT_SELECT_ALL_BLOCKS, OnSelectAll)
  ON_COMMAND(ID_EDIT_HOLLOW, OnHollow)
  ON_COMMAND_RANGE(ID_SPACE_HORZ, ID_SPACE_VERT, OnSpaceEvenly)
  ON_COMMAND(ID_FILE_EXPORT, OnFileExport)
  ON_COMMAND(CDrawingCommands::kArtworkRecord, OnArtworkRecord)
  ON_COMMAND(ID_PROPERTY_REFRESH, OnPropertyRefresh)
  ON_COMMAND(ID_STAMP_NEW, OnNewStamp)
END_MESSAGE_MAP()
// clang-format on

const char CDrawingCommands::kExportFilter[] =
    "纯文本文件(*.TXT;*.)|*. ; *.TXT|PLT File(*.plt)|*.PLT|Illustrator 88,3.0(*.EPS)|*.EPS|";
const char CDrawingCommands::kDefaultExportFolder[] = "C:\\TALVEX\\";

namespace {

const char kSystemSection[] = "SystemParam";
const char kExportFolderKey[] = "FilePath";
const UINT kExportTitle = 124;

}  // namespace

CDrawingCommands::CDrawingCommands(CTALVEX42View* view) : m_view(view) {}

CTALVEX42Doc* CDrawingCommands::Document() const {
  return m_view ? m_view->GetDocument() : nullptr;
}

// Only commands go through here: the view's table answers the menu's questions.
BOOL CDrawingCommands::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
  if (code != CN_COMMAND || info || !Document()) return FALSE;
  return CCmdTarget::OnCmdMsg(id, code, extra, info);
}

bool CDrawingCommands::Bind(CWeldDll& library) const {
  return library.Bind(m_libraryPath.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_libraryPath)) &&
         library.EntriesBound();
}

void CDrawingCommands::Refresh() {
  CSelectTracker& tracker = m_view->GetSelectTracker();
  tracker.Recount();
  tracker.Show(nullptr);
  if (m_view->m_hWnd) m_view->Invalidate(FALSE);
}

void CDrawingCommands::ReportFailure() const { AfxMessageBox(IDS_OUTLINE_FAILED, MB_ICONWARNING); }

void CDrawingCommands::OnCombine(UINT id) {
  CWaitCursor wait;
  CWeldDll library;
  if (!Bind(library)) return;
  static const COutlineOperations::Combination kByCommand[] = {COutlineOperations::kWeld,
                                                               COutlineOperations::kCut,
                                                               COutlineOperations::kIntersect,
                                                               COutlineOperations::kExclusiveOr};
  COutlineOperations::Result result;
  {
    CDocumentChange change(*m_view->GetUndoManager(), Document());
    m_view->GetSelectTracker().Hide(nullptr);
    COutlineOperations operations(m_view, Document()->GetBlockList(), library);
    result = operations.Combine(kByCommand[id - ID_OUTLINE_WELD]);
  }
  Refresh();
  if (result == COutlineOperations::kFailed) ReportFailure();
}

void CDrawingCommands::OnContourCut() {
  CWaitCursor wait;
  CWeldDll library;
  if (!Bind(library)) return;
  COutlineOperations::Result result;
  {
    CDocumentChange change(*m_view->GetUndoManager(), Document());
    m_view->GetSelectTracker().Hide(nullptr);
    COutlineOperations operations(m_view, Document()->GetBlockList(), library);
    result = operations.ContourCut();
  }
  Refresh();
  if (result == COutlineOperations::kFailed) ReportFailure();
}

void CDrawingCommands::OnCutAlongGuide() {
  CRulerManager* rulers = m_view->GetRulerManager();
  auto* guide = dynamic_cast<CGuideLine*>(rulers ? rulers->FirstSelectedGuide() : nullptr);
  if (!guide) return;
  CWaitCursor wait;
  CWeldDll library;
  if (!Bind(library)) return;
  COutlineOperations::Result result;
  {
    CDocumentChange change(*m_view->GetUndoManager(), Document());
    m_view->GetSelectTracker().Hide(nullptr);
    COutlineOperations operations(m_view, Document()->GetBlockList(), library);
    result = operations.CutAlongLine(guide->GetX(), guide->GetY(), guide->GetAngle());
  }
  Refresh();
  if (result == COutlineOperations::kFailed) ReportFailure();
}

void CDrawingCommands::OnRemoveTextOverlaps() {
  if (m_view->GetEditBlock()) return;
  CSegArray& blocks = Document()->GetBlockList();
  CTextBlock* text = nullptr;
  for (INT_PTR i = 0; i < blocks.GetSize() && !text; ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (block && block->m_selected == 1) {
      text = dynamic_cast<CTextBlock*>(block);
      if (!text) return;
    }
  }
  if (!text) return;
  CWaitCursor wait;
  CWeldDll library;
  if (!Bind(library)) return;
  COutlineOperations operations(m_view, blocks, library);
  COutlineOperations::Result result = operations.RemoveTextOverlaps(*text);
  if (m_view->m_hWnd) m_view->Invalidate(FALSE);
  if (result == COutlineOperations::kFailed) ReportFailure();
}

void CDrawingCommands::OnSelectAll() {
  CSegArray& blocks = Document()->GetBlockList();
  CDocumentChange change(*m_view->GetUndoManager(), Document());
  CSelectTracker& tracker = m_view->GetSelectTracker();
  tracker.Refresh(nullptr, TRUE);
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i)
    if (CBlock* block = blocks.GetBlock(i)) tracker.AddToSelection(block);
  Refresh();
}

void CDrawingCommands::OnHollow() {
  CDocumentChange change(*m_view->GetUndoManager(), Document());
  if (CBlock* edited = m_view->GetEditBlock()) {
    // Only the characters of a text under edit have a fill of their own to clear.
    if (edited->m_type == kTextBlock) edited->SetAttrBits(m_view, 0, kSolidAttr);
    return;
  }
  CSelectionEdits(m_view, Document()->GetBlockList()).ClearSolid();
}

void CDrawingCommands::OnSpaceEvenly(UINT id) {
  CDocumentChange change(*m_view->GetUndoManager(), Document());
  m_view->GetSelectTracker().Hide(nullptr);
  CSelectionEdits(m_view, Document()->GetBlockList()).SpaceEvenly(id == ID_SPACE_VERT);
  Refresh();
}

CString CDrawingCommands::EditorText() const { return CString(); }

bool CDrawingCommands::ExportTo(LPCSTR path) {
  CWaitCursor wait;
  CSegArray& blocks = Document()->GetBlockList();
  CDrawingExport::Result result = CDrawingExport::kNothingWritten;
  switch (CDrawingExport::KindOf(path)) {
    case CDrawingExport::kText:
      result = CDrawingExport::WriteText(blocks, EditorText(), path);
      break;
    case CDrawingExport::kPlot:
      result = CDrawingExport::WritePlot(blocks, path);
      break;
    case CDrawingExport::kIllustrator:
      result = CDrawingExport::WriteEps(blocks, path,
                                        m_epsSettingsPath.IsEmpty()
                                            ? nullptr
                                            : static_cast<LPCSTR>(m_epsSettingsPath));
      break;
    case CDrawingExport::kOther:
      // A name typed with another extension: say so rather than write nothing in silence.
      AfxMessageBox(IDS_EXPORT_KIND_UNAVAILABLE, MB_ICONWARNING);
      return false;
  }
  CIniFile().WriteString(kSystemSection, kExportFolderKey, CDrawingExport::FolderOf(path));
  if (result == CDrawingExport::kCannotWrite) AfxMessageBox(IDS_EXPORT_FAILED, MB_ICONWARNING);
  if (result == CDrawingExport::kNoResolution) AfxMessageBox(IDS_EPS_NO_RESOLUTION, MB_ICONWARNING);
  if (result == CDrawingExport::kBadTemplate) AfxMessageBox(IDS_EPS_BAD_TEMPLATE, MB_ICONWARNING);
  return result == CDrawingExport::kWritten;
}

void CDrawingCommands::OnFileExport() {
  CString title;
  title.LoadString(kExportTitle);
  CString folder = CIniFile().GetString(kSystemSection, kExportFolderKey, kDefaultExportFolder);
  CString filter;
  if (!filter.LoadString(IDS_EXPORT_FILTER)) filter = kExportFilter;
  CFileDialog dialog(FALSE, "TXT", nullptr, kExportDialogOptions, filter, m_view);
  dialog.m_ofn.lpstrInitialDir = folder;
  if (!title.IsEmpty()) dialog.m_ofn.lpstrTitle = title;
  if (dialog.DoModal() != IDOK) return;
  ExportTo(dialog.GetPathName());
}

int CDrawingCommands::WriteArtworkRecord(LPCSTR folder) {
  char programFolder[MAX_PATH] = {};
  if (!folder) {
    if (!GetProgramDir(programFolder, sizeof programFolder)) return 0;
    folder = programFolder;
  }
  CString path(folder);
  if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\') path += "\\";
  path += CDrawingExport::kArtworkFileName;
  return CDrawingExport::WriteArtworkRecord(Document()->GetBlockList(), path) ==
                 CDrawingExport::kWritten
             ? 1
             : 0;
}

void CDrawingCommands::OnArtworkRecord() { WriteArtworkRecord(); }

void CDrawingCommands::OnPropertyRefresh() {
  const bool requested = CWnd::GetCurrentMessage()->lParam == CPropertyWnd::kPanelRequested;
  if (!g_propertyWnd || !g_propertyWnd->m_hWnd || !g_propertyWnd->IsWindowVisible()) return;
  // A selected guide is the current object: the selection tool deselects the guides first.
  CRulerManager* rulers = m_view->GetRulerManager();
  if (rulers && rulers->ShowGuidePanel(g_propertyWnd->m_hWnd)) return;
  CSelectTracker& tracker = m_view->GetSelectTracker();
  // A stamp's panel is its dialog, which may change the stamp: that is one step of the document.
  tracker.Hide(nullptr);
  {
    CDocumentChange change(*m_view->GetUndoManager(), Document());
    tracker.ShowCurrentPanel(g_propertyWnd->m_hWnd, requested);
  }
  tracker.Recount();
  tracker.Show(nullptr);
}

void CDrawingCommands::OnNewStamp() {
  const CPageSettings& page = Document()->GetPageSettings();
  CStampAreaDlg dialog(page.m_width, page.m_height, m_view);
  if (dialog.DoModal() != IDOK) return;
  CLibraryCommands::PlaceBlock(m_view, dialog.TakeStamp());
}
