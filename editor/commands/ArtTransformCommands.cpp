#include "editor/commands/ArtTransformCommands.h"

#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/dialogs/ArtTransformDlg.h"
#include "editor/views/DocumentChange.h"
#include "framework/MessageBox.h"
#include "model/blocks/TransformBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoArtTransformRecord.h"
#include "model/undo/UndoBeginEditRecord.h"
#include "model/undo/UndoCancelArtTransformRecord.h"
#include "model/undo/UndoEndEditRecord.h"
#include "model/undo/UndoManager.h"
#include "model/undo/UndoTransformRecord.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CArtTransformCommands, CCmdTarget)
  ON_COMMAND(ID_ART_TRANSFORM, OnChooser)
  ON_COMMAND_RANGE(ID_ART_TRANSFORM + 1, ID_ART_TRANSFORM_LAST, OnEffect)
  ON_COMMAND(ID_ART_TRANSFORM_CANCEL, OnCancel)
END_MESSAGE_MAP()
// clang-format on

namespace {

bool TakesArtTransform(const CBlock* block) {
  return block && block->m_type != kImageBlock && block->m_type != kTransformBlock;
}

}  // namespace

CArtTransformCommands::CArtTransformCommands(CTALVEX42View* view) : m_view(view) {}

CTALVEX42Doc* CArtTransformCommands::Document() const {
  return m_view ? m_view->GetDocument() : nullptr;
}

// Only commands go through here: the view's table answers the menu's questions.
BOOL CArtTransformCommands::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
  if (code != CN_COMMAND || info || !Document()) return FALSE;
  return CCmdTarget::OnCmdMsg(id, code, extra, info);
}

CBlock* CArtTransformCommands::SingleSelected() const {
  CSegArray& blocks = Document()->GetBlockList();
  CBlock* found = nullptr;
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    if (found) return nullptr;
    found = block;
  }
  return found;
}

void CArtTransformCommands::EndEditing() {
  CBlock* edited = m_view->GetEditBlock();
  if (!edited) return;
  const int mode = edited->m_editMode ? edited->m_editMode : kNodeTool;
  if (!edited->EndEdit(m_view)) return;
  if (m_view->GetUndoDepth() != 0)
    m_view->GetUndoManager()->AppendRecord(new CUndoEndEditRecord(edited, mode));
  m_view->SetEditBlock(nullptr);
}

CArtTransformCommands::Result CArtTransformCommands::Apply(int transformation) {
  CTALVEX42Doc* document = Document();
  CBlock* source = document ? SingleSelected() : nullptr;
  if (!TakesArtTransform(source)) return kNotApplicable;
  // Made before anything changes: a library that refuses the block leaves the drawing alone.
  std::unique_ptr<CTransformBlock> block(new CTransformBlock(transformation, source));
  if (block->IsSourceOnly()) {
    block->ReleaseSource();
    AfxMessageBox(IDS_TRANSFORM_REFUSED, MB_ICONWARNING);
    return kRefused;
  }
  CUndoManager& undo = *m_view->GetUndoManager();
  {
    CDocumentChange change(undo, document);
    m_view->GetSelectTracker().Refresh(nullptr, TRUE);
    m_view->SetCurrentTool(kNodeTool);
    EndEditing();
    block->Invalidate(m_view, TRUE);
    INT_PTR index = document->RemoveBlock(source);
    CTransformBlock* added = block.release();
    if (m_view->GetUndoDepth() != 0) undo.AppendRecord(new CUndoArtTransformRecord(added, index));
    // In the source's place, so that it lies as high in the drawing as the source did.
    document->InsertBlockAt(added, index);
    m_view->SetEditBlock(added);
    added->BeginEdit(kNodeTool, m_view);
    if (m_view->GetUndoDepth() != 0) undo.AppendRecord(new CUndoBeginEditRecord(added));
    added->Invalidate(m_view, TRUE);
  }
  if (m_view->m_hWnd) m_view->Invalidate(FALSE);
  return kApplied;
}

bool CArtTransformCommands::Cancel() {
  CTALVEX42Doc* document = Document();
  CBlock* selected = document ? SingleSelected() : nullptr;
  if (!selected || selected->m_type != kTransformBlock) return false;
  auto* block = static_cast<CTransformBlock*>(selected);
  CBlock* source = block->GetSource();
  if (!source) return false;
  CUndoManager& undo = *m_view->GetUndoManager();
  {
    CDocumentChange change(undo, document);
    if (m_view->GetEditBlock() == block) EndEditing();
    CSelectTracker& tracker = m_view->GetSelectTracker();
    tracker.Refresh(nullptr, TRUE);
    block->Invalidate(m_view, TRUE);
    const CMatrix2D matrix = block->GetTransformMatrix();
    INT_PTR index = document->RemoveBlock(block);
    if (m_view->GetUndoDepth() != 0) {
      undo.AppendRecord(new CUndoCancelArtTransformRecord(block, index));
    } else {
      block->ReleaseSource();
      delete block;
    }
    // The source takes the place the transformation gave it; undo puts its own matrix back
    // before the transform block returns.
    if (!matrix.IsIdentity()) {
      if (m_view->GetUndoDepth() != 0) undo.AppendRecord(new CUndoTransformRecord(source, matrix));
      source->Transform(matrix);
    }
    document->InsertBlockAt(source, index);
    source->Invalidate(m_view, TRUE);
    tracker.AddToSelection(source);
  }
  if (m_view->m_hWnd) m_view->Invalidate(FALSE);
  return true;
}

void CArtTransformCommands::OnChooser() {
  const bool chinese = theApp.GetLanguage() == CTALVEX42App::kBuiltInLanguage;
  CArtTransformDlg dialog(*this, chinese, m_view);
  dialog.DoModal();
}

void CArtTransformCommands::OnEffect(UINT id) { Apply(static_cast<int>(id - ID_ART_TRANSFORM)); }

void CArtTransformCommands::OnCancel() { Cancel(); }
