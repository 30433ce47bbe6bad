#include "editor/commands/LibraryCommands.h"

#include <algorithm>
#include <memory>

#include "editor/MDIMainFrame.h"
#include "editor/TALVEX42View.h"
#include "editor/dialogs/LibBookDlg.h"
#include "editor/dialogs/LibBuildDlg.h"
#include "editor/dialogs/LibConvertDlg.h"
#include "editor/dialogs/LibCreaterDlg.h"
#include "editor/dialogs/LibInfoDlg.h"
#include "editor/dialogs/LibManageDlg.h"
#include "editor/dialogs/LibPrintDlg.h"
#include "editor/dialogs/LibSelectDlg.h"
#include "editor/views/DocumentChange.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/ShapeBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/Contour.h"
#include "model/undo/UndoInsertRecord.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CLibraryCommands, CCmdTarget)
  ON_COMMAND(ID_LIBRARY_CONVERT, OnConvert)
  ON_COMMAND(ID_LIBRARY_ADD_ARTWORK, OnAddArtwork)
  ON_COMMAND(ID_LIBRARY_MANAGE, OnManage)
  ON_COMMAND(ID_LIBRARY_BOOK, OnBook)
  ON_COMMAND(ID_LIBRARY_BUILD, OnBuildFromCollection)
  ON_COMMAND(ID_LIBRARY_FROM_FOLDER, OnBuildFromFolder)
  ON_COMMAND(ID_LIBRARY_PRINT, OnPrintLibrary)
END_MESSAGE_MAP()
// clang-format on

namespace {

const float kFirstVersion6 = 5.999999f;
const float kLastVersion6 = 6.999999f;

}  // namespace

bool CLibraryCommands::PlaceBlock(CTALVEX42View* view, CBlock* block) {
  CTALVEX42Doc* document = view ? view->GetDocument() : nullptr;
  if (!block) return false;
  if (!document) {
    delete block;
    return false;
  }
  CSelectTracker& tracker = view->GetSelectTracker();
  {
    CDocumentChange change(*view->GetUndoManager(), document);
    tracker.Refresh(nullptr, TRUE);
    if (view->GetUndoDepth() != 0)
      view->GetUndoManager()->AppendRecord(new CUndoInsertRecord(block));
    block->m_selected = 1;
    document->AddBlock(block);
    // The tracker goes on the screen whole: the repaint below covers only the block, and a
    // tracker drawn in part would leave handles behind when it is erased.
    tracker.Refresh(nullptr, FALSE);
    tracker.Show(nullptr);
  }
  block->Invalidate(view, TRUE);
  return true;
}

CFRect CLibraryCommands::PlacementBox(const CFRect& target, const CFRect& outlineBox,
                                      bool keepProportions, double scale) {
  CFRect box = target;
  box.Normalize();
  // A rectangle without extent cannot take the graphic: it is placed with its proportions.
  if (!keepProportions && box.Width() > 0 && box.Height() > 0) return box;
  float larger = kProportionalPixels * static_cast<float>(scale);
  float width = outlineBox.Width(), height = outlineBox.Height();
  float longer = std::max(width, height);
  float shareX = longer > 0 ? width / longer : 1.0f;
  float shareY = longer > 0 ? height / longer : 1.0f;
  return CFRect(box.left, box.top, box.left + larger * shareX, box.top + larger * shareY);
}

bool CLibraryCommands::PlaceDroppedGraphic(CTALVEX42View* view, DroppedGraphic& graphic, float x,
                                           float y) {
  CLibBlock* block = graphic.block.get();
  if (!view || !block) return false;
  if (graphic.ownSize) {
    block->Offset(x - block->m_box.left, y - block->m_box.top);
  } else {
    CFRect box = PlacementBox(CFRect(x, y, x, y), block->m_box, true, view->GetScale());
    block->SetBox(box.left, box.top, box.right, box.bottom);
  }
  return PlaceBlock(view, graphic.block.release());
}

CTALVEX42View* CLibraryCommands::ActiveView() {
  if (auto* view = dynamic_cast<CTALVEX42View*>(CBlockView::GetActive())) return view;
  auto* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
  CFrameWnd* child = main ? main->GetActiveFrame() : nullptr;
  return child ? dynamic_cast<CTALVEX42View*>(child->GetActiveView()) : nullptr;
}

INT_PTR CLibraryCommands::RunBrowser(CTALVEX42View* view, const CFRect& target) {
  CLibInfoDlg dialog(view, target);
  return dialog.DoModal();
}

void CLibraryCommands::OnConvert() {
  CLibConvertDlg dialog(m_view);
  dialog.DoModal();
}

void CLibraryCommands::OnManage() {
  CLibManageDlg dialog(m_view);
  dialog.DoModal();
  // The manager may have added libraries and kinds: the library page lists them.
  if (CLibSelectDlg* page = LibraryPage()) page->RefreshLibraries();
}

void CLibraryCommands::OnBook() {
  CLibBookDlg dialog(m_view);
  dialog.DoModal();
}

void CLibraryCommands::OnBuildFromCollection() {
  CLibBuildDlg dialog(m_view);
  dialog.DoModal();
}

void CLibraryCommands::OnBuildFromFolder() {
  CLibCreaterDlg dialog(m_view);
  dialog.DoModal();
}

void CLibraryCommands::OnPrintLibrary() {
  CLibPrintDlg dialog(m_view);
  dialog.DoModal();
}

CLibSelectDlg* CLibraryCommands::LibraryPage() const {
  auto* frame = dynamic_cast<CMDIMainFrame*>(AfxGetMainWnd());
  return frame ? frame->GetPropertyBar().GetLibraryPage() : nullptr;
}

void CLibraryCommands::Refuse(UINT message, UINT caption) const {
  m_view->SendMessage(WM_COMMAND, ID_TOOL_SELECT);
  ::MessageBeep(MB_OK);
  CString text, title;
  text.LoadString(message);
  if (caption) title.LoadString(caption);
  AfxShowMessageBox(m_view->m_hWnd, text, caption ? static_cast<LPCSTR>(title) : AfxGetAppName(),
                    MB_OK | MB_ICONWARNING);
}

bool CLibraryCommands::AddDrawingToLibrary() {
  m_view->SendMessage(WM_COMMAND, ID_TOOL_LIBRARY);
  CLibSelectDlg* page = LibraryPage();
  CLibrarySource* source = page ? &page->Source() : nullptr;
  int kind = page ? page->GetChosenKind() : -1;
  // Graphics go into a kind of a mounted library only, never into a font.
  if (!source || source->IsFontType() || !source->Library().IsOpen() || kind < 0) {
    Refuse(IDS_LIBRARY_NOT_WINDOWS, 0);
    return false;
  }
  CPicLibrary& library = source->Library();
  m_view->GetSelectTracker().Hide(nullptr);
  CGroupBlock curves;
  CSegArray& blocks = m_view->GetDocument()->GetBlockList();
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i)
    if (CBlock* block = blocks.GetBlock(i))
      curves.AddChild(block->ToCurve(CShapeBlock::kAnyColour));
  std::unique_ptr<CCurveBlock> merged(curves.MergeToCurve(CShapeBlock::kAnyColour));
  std::unique_ptr<CContour> contour(merged ? merged->GetContour(nullptr, 0) : nullptr);
  m_view->GetSelectTracker().Show(nullptr);
  float version = library.GetVersion();
  if (version < kFirstVersion6 || version > kLastVersion6) {
    Refuse(IDS_LIBRARY_NOT_V6, IDS_LIBRARY_ADD_FAILED);
    return false;
  }
  // The drawing is stored as copied graphics are, so that a library with stored sizes gives it
  // back at its size on the page; a drawing of no extent is refused by the library.
  WORD graphicSize = library.GetHeader().graphicSize;
  float size = graphicSize > 0 ? graphicSize : kArtworkSize;
  if (!contour || !library.PutGraphicScaledTo(kind, contour.get(), nullptr, size)) {
    Refuse(IDS_LIBRARY_ADD_FAILED, 0);
    return false;
  }
  page->RefreshGraphics();
  m_view->SendMessage(WM_COMMAND, ID_TOOL_SELECT);
  return true;
}
