#include "editor/commands/EditCommands.h"

#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42App.h"
#include "editor/TALVEX42View.h"
#include "editor/views/DocumentChange.h"
#include "framework/Menu.h"
#include "framework/WinApp.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"
#include "model/undo/UndoDeleteRecord.h"
#include "model/undo/UndoDeselectRecord.h"
#include "model/undo/UndoGroupRecord.h"
#include "model/undo/UndoInsertRecord.h"
#include "model/undo/UndoTransformRecord.h"
#include "model/undo/UndoUngroupRecord.h"
#include "resources/Resource.h"

namespace {

const UINT kDeleteCommand = 57632;
// Converted blocks pass every colour filter.
const DWORD kEveryColour = 0xFFFFFFFF;
const DWORD kMergeMask = 0xFFFF;

}  // namespace

CEditCommands::CEditCommands(CTALVEX42View* view) : CViewCommandBase(view), m_arrange(view) {}

bool CEditCommands::Handles(UINT id) {
  switch (id) {
    case kDeleteCommand:
    case ID_EDIT_GROUP:
    case ID_EDIT_UNGROUP:
    case ID_CURVE_COMBINE:
    case ID_CURVE_CONVERT:
    case ID_CONTOUR_COMBINE:
    case ID_CONTOUR_SPLIT:
    case ID_EDIT_SOLID:
    case ID_TEXT_AUTO_FILL:
      return true;
    default:
      return CArrangeCommands::Handles(id);
  }
}

bool CEditCommands::Run(UINT id) {
  if (CArrangeCommands::Handles(id)) return m_arrange.Run(id);
  switch (id) {
    case kDeleteCommand:
      Delete();
      return true;
    case ID_EDIT_GROUP:
      GroupSelection();
      return true;
    case ID_EDIT_UNGROUP:
      UngroupSelection();
      return true;
    case ID_CURVE_COMBINE:
      CombineToCurve();
      return true;
    case ID_CURVE_CONVERT:
      ConvertToCurves();
      return true;
    case ID_CONTOUR_COMBINE:
      CombineContours();
      return true;
    case ID_CONTOUR_SPLIT:
      SplitContours();
      return true;
    case ID_EDIT_SOLID:
      SetSolid();
      return true;
    case ID_TEXT_AUTO_FILL:
      ToggleAutoFill();
      return true;
    default:
      return false;
  }
}

// ---- Delete ----

bool CEditCommands::CanDelete() const {
  if (CBlock* edit = m_view->GetEditBlock()) return edit->HasEditSelection() != FALSE;
  return CountSelected() > 0;
}

void CEditCommands::Delete() {
  if (CBlock* edit = m_view->GetEditBlock()) {
    CDocumentChange change(Undo(), Document());
    edit->EditDelete(m_view);
    return;
  }
  if (CountSelected() == 0) return;
  Tracker().Recount();
  Tracker().DeleteSelected();
}

// ---- Grouping ----

void CEditCommands::GroupSelection() {
  CSegArray* blocks = Blocks();
  if (!blocks || CountSelected() < 2) return;
  CDocumentChange change(Undo(), Document());
  Tracker().Hide(nullptr);
  auto* group = new CGroupBlock;
  CSegArray members;
  // From the last block to the first, each member in front: the group keeps the list order, and
  // undo puts the members back from the lowest index up.
  for (INT_PTR i = blocks->GetSize() - 1; i >= 0; --i) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    Record(new CUndoGroupRecord(block, i));
    Document()->RemoveBlockAt(i);
    block->m_selected = 0;
    members.InsertBlock(0, block);
  }
  group->AddChildren(members);
  members.RemoveAll();
  group->m_selected = 1;
  Document()->AddBlock(group);
  Tracker().Recount();
  Record(new CUndoGroupRecord(group, -1));
  AfterSelectionChange();
}

void CEditCommands::UngroupSelection() {
  CSegArray* blocks = Blocks();
  if (!blocks || CountSelected(kGroupBlock) == 0) return;
  CDocumentChange change(Undo(), Document());
  Tracker().Hide(nullptr);
  CSegArray children;
  for (INT_PTR i = 0; i < blocks->GetSize();) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || block->m_selected != 1 || block->m_type != kGroupBlock) {
      ++i;
      continue;
    }
    auto* group = static_cast<CGroupBlock*>(block);
    Document()->RemoveBlockAt(i);
    block->Invalidate(m_view, TRUE);
    // The record owns the group until its undo gives it back to the document.
    if (Recording()) Undo().AppendRecord(new CUndoUngroupRecord(group, i));
    // Children are kept in the group's coordinates: its matrix goes into them first.
    bool placed = !group->m_matrix.IsIdentity();
    for (INT_PTR c = 0; c < group->GetChildCount(); ++c) {
      CBlock* child = group->GetChild(c);
      if (!child) continue;
      if (placed) {
        Record(new CUndoTransformRecord(child, group->m_matrix));
        child->Transform(group->m_matrix);
      }
      child->m_selected = 1;
      children.AddBlock(child);
    }
    // Without an undo step nothing will give the group back: it goes now, without its children.
    if (!Recording()) {
      group->GetChildren().RemoveAll();
      delete group;
    }
  }
  for (INT_PTR c = children.GetSize() - 1; c >= 0; --c)
    Record(new CUndoUngroupRecord(children.GetBlock(c), -1));
  Document()->AppendBlocks(children);
  children.RemoveAll();
  AfterSelectionChange();
}

// ---- Curves ----

void CEditCommands::TakeCurveCopies(CGroupBlock* curves) {
  CSegArray* blocks = Blocks();
  for (INT_PTR i = 0; blocks && i < blocks->GetSize();) {
    CBlock* block = blocks->GetBlock(i);
    CBlock* curve = block && block->m_selected == 1 ? block->ToCurve(kEveryColour) : nullptr;
    if (!curve) {
      ++i;
      continue;
    }
    Document()->RemoveBlockAt(i);
    block->Invalidate(m_view, TRUE);
    RecordRemoval(block, i);
    curves->AddChild(curve);
  }
}

void CEditCommands::AppendSelected(CBlock* block) {
  Document()->AddBlock(block);
  Record(new CUndoInsertRecord(block));
  Tracker().AddToSelection(block);
}

void CEditCommands::CombineToCurve() {
  if (!Blocks() || CountSelected() == 0) return;
  CDocumentChange change(Undo(), Document());
  Tracker().Hide(nullptr);
  std::unique_ptr<CGroupBlock> curves(new CGroupBlock);
  TakeCurveCopies(curves.get());
  if (curves->GetChildCount() > 0) {
    Tracker().Refresh(nullptr, TRUE);
    CCurveBlock* merged = curves->MergeToCurve(kMergeMask);
    curves.reset();
    AppendSelected(merged);
  }
  AfterSelectionChange();
}

void CEditCommands::ConvertToCurves() {
  if (!Blocks() || CountSelected() == 0) return;
  CDocumentChange change(Undo(), Document());
  Tracker().Hide(nullptr);
  std::unique_ptr<CGroupBlock> curves(new CGroupBlock);
  TakeCurveCopies(curves.get());
  if (curves->GetChildCount() > 0) {
    Tracker().Refresh(nullptr, TRUE);
    CBlock* result = curves.get();
    // One curve stands for itself, not as a group of one.
    if (curves->GetChildCount() == 1) {
      result = curves->GetChild(0);
      curves->GetChildren().RemoveAll();
    } else {
      curves.release();
    }
    AppendSelected(result);
  }
  AfterSelectionChange();
}

// ---- Contours ----

void CEditCommands::CombineContours() {
  CSegArray* blocks = Blocks();
  if (!blocks || CountSelected(kCurveBlock) < 2) return;
  CDocumentChange change(Undo(), Document());
  Tracker().Hide(nullptr);
  CSegArray parts;
  for (INT_PTR i = blocks->GetSize() - 1; i >= 0; --i) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    block->m_selected = 0;
    Record(new CUndoDeselectRecord(block));
    if (block->m_type != kCurveBlock) continue;
    Document()->RemoveBlockAt(i);
    block->Invalidate(m_view, TRUE);
    if (Recording()) Undo().AppendRecord(new CUndoDeleteRecord(block, i));
    // In front: the merged curve's sub-paths follow the list order.
    parts.InsertBlock(0, block);
  }
  CGroupBlock group;
  group.AddChildren(parts);
  parts.RemoveAll();
  CCurveBlock* merged = group.MergeToCurve(kMergeMask);
  // While recording the removed curves live on in their delete records; otherwise the group
  // deletes them with itself.
  if (Recording()) group.GetChildren().RemoveAll();
  merged->m_selected = 1;
  Document()->AddBlock(merged);
  Record(new CUndoInsertRecord(merged));
  AfterSelectionChange();
}

void CEditCommands::SplitContours() {
  CSegArray* blocks = Blocks();
  if (!blocks || CountSelected(kCurveBlock) == 0) return;
  CDocumentChange change(Undo(), Document());
  Tracker().Hide(nullptr);
  CGroupBlock pieces;
  for (INT_PTR i = 0; i < blocks->GetSize();) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || block->m_selected != 1) {
      ++i;
      continue;
    }
    block->m_selected = 0;
    if (block->m_type != kCurveBlock) {
      Record(new CUndoDeselectRecord(block));
      ++i;
      continue;
    }
    Document()->RemoveBlockAt(i);
    block->Invalidate(m_view, TRUE);
    static_cast<CCurveBlock*>(block)->SplitSubpaths(&pieces);
    RecordRemoval(block, i);
  }
  CSegArray& split = pieces.GetChildren();
  for (INT_PTR c = 0; c < split.GetSize(); ++c) {
    split.GetBlock(c)->m_selected = 1;
    Record(new CUndoInsertRecord(split.GetBlock(c)));
  }
  Document()->AppendBlocks(split);
  split.RemoveAll();
  AfterSelectionChange();
}

// ---- Fill and switches ----

void CEditCommands::SetSolid() {
  if (CBlock* edit = m_view->GetEditBlock()) {
    if (edit->m_type != kTextBlock) return;
    CDocumentChange change(Undo(), Document());
    edit->SetAttrBits(m_view, kSolidAttr, kSolidAttr);
    edit->Invalidate(m_view, TRUE);
    return;
  }
  CSegArray* blocks = Blocks();
  if (!blocks || CountSelected() == 0) return;
  CDocumentChange change(Undo(), Document());
  for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    block->SetAttrBits(m_view, kSolidAttr, kSolidAttr);
    block->Invalidate(m_view, TRUE);
  }
}

void CEditCommands::ToggleAutoFill() {
  BOOL autoFill = !theApp.IsAutoFill();
  theApp.SetAutoFill(autoFill);
  g_appProfile.WriteInt(settings::kSystemParam, settings::kAutoFill, autoFill ? 1 : 0);
  // The menu's check mark follows the setting through the view's command table.
}

void CEditCommands::AfterSelectionChange() {
  Tracker().Recount();
  Tracker().Show(nullptr);
  Repaint();
}
