#include "editor/tools/TextTool.h"

#include <memory>

#include "editor/TALVEX42View.h"
#include "model/blocks/Block.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoBeginEditRecord.h"
#include "model/undo/UndoDeleteRecord.h"
#include "model/undo/UndoInsertRecord.h"
#include "model/undo/UndoManager.h"
#include "text/TextBlock.h"
#include "text/layout/CharBox.h"
#include "text/layout/UndoArrayItemRecord.h"
#include "text/undo/UndoTextInsertRecord.h"
#include "text/undo/UndoTextRecord.h"

CTextBlock* CTextTool::EditBlock() const {
  return dynamic_cast<CTextBlock*>(m_view->GetEditBlock());
}

CTextBlock* CTextTool::HitTextBlock(float x, float y, int filter, INT_PTR* charIndex) const {
  CTALVEX42Doc* document = m_view->GetDocument();
  if (!document) return nullptr;
  CSegArray& blocks = document->GetBlockList();
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    auto* text = dynamic_cast<CTextBlock*>(block);
    if (!text) continue;
    const CFRect& box = block->m_box;
    if (x < box.left || x > box.right || y < box.top || y > box.bottom) continue;
    if (text->HitTestChars(x, y, filter, charIndex)) return text;
  }
  return nullptr;
}

void CTextTool::RemoveBlock(CTextBlock* block) {
  CTALVEX42Doc* document = m_view->GetDocument();
  if (m_view->GetEditBlock() == block) m_view->SetEditBlock(nullptr);
  if (m_drop == block) m_drop = nullptr;
  INT_PTR index = document ? document->RemoveBlock(block) : -1;
  block->Invalidate(m_view, TRUE);
  // Kept by its undo record, so that no other record of the step is left pointing at nothing.
  if (index >= 0 && m_view->GetUndoDepth() != 0)
    m_view->GetUndoManager()->AppendRecord(new CUndoDeleteRecord(block, index));
  else
    delete block;
}

bool CTextTool::FinishEditBlock() {
  CTextBlock* edit = EditBlock();
  if (!edit) return true;
  if (!edit->EndEdit(m_view)) return false;
  if (edit->IsEmpty())
    RemoveBlock(edit);
  else
    edit->Invalidate(m_view, FALSE);
  m_view->SetEditBlock(nullptr);
  return true;
}

void CTextTool::BeginEditAt(CTextBlock* block, INT_PTR index, float x, float y) {
  m_view->SetEditBlock(block);
  block->SetAnchor(index);
  block->SetCaretIndex(index);
  if (block->m_editMode != kTextTool) block->BeginEdit(kTextTool, m_view);
  RecordBeginEdit(block);
  block->PlaceCaretAtPoint(m_view, index, x, y);
}

void CTextTool::RecordBeginEdit(CTextBlock* block) {
  // Undo takes the block out of edit before anything of the step can delete it, so that the view
  // never keeps a block under edit that is gone.
  if (m_view->GetUndoDepth() != 0)
    m_view->GetUndoManager()->AppendRecord(new CUndoBeginEditRecord(block));
}

CTextBlock* CTextTool::NewBlockAt(float x, float y, bool withHeight) {
  CTALVEX42Doc* document = m_view->GetDocument();
  if (!document) return nullptr;
  const CPageSettings& page = document->GetPageSettings();
  CTextBlock* block = CTextBlock::CreateAt(0, x, y, x + page.m_width,
                                           withHeight ? y + page.m_height : y);
  document->AddBlock(block);
  if (m_view->GetUndoDepth() != 0)
    m_view->GetUndoManager()->AppendRecord(new CUndoInsertRecord(block));
  RecordBeginEdit(block);
  return block;
}

BOOL CTextTool::OnLButtonDown(const Event& event) {
  INT_PTR index = -1;
  if (CTextBlock* selected = HitTextBlock(event.x, event.y, CTextBlock::kSelectedChar, &index)) {
    selected->HideCaret(m_view);
    selected->SetCaretIndex(-1);
    m_state = kDragging;
    m_drop = selected->UpdateCursor(m_view, event.flags, event.x, event.y) ? selected : nullptr;
    return TRUE;
  }
  if (!FinishEditBlock()) return TRUE;
  if (CTextBlock* hit = HitTextBlock(event.x, event.y, CTextBlock::kUnselectedChar, &index))
    BeginEditAt(hit, index, event.x, event.y);
  return TRUE;
}

BOOL CTextTool::OnMouseMove(const Event& event) {
  if (!(event.flags & MK_LBUTTON)) return FALSE;
  INT_PTR index = -1;
  CTextBlock* hit = HitTextBlock(event.x, event.y, CTextBlock::kAnyChar, &index);
  if (m_state == kDragging) {
    // The drop mark follows the pointer; off every text, nothing is marked any more.
    if (m_drop && m_drop != hit) m_drop->HideCaret(m_view);
    m_drop = hit;
    if (hit) hit->PlaceCaretAtPoint(m_view, index, event.x, event.y);
    return TRUE;
  }
  CTextBlock* edit = EditBlock();
  if (!edit || hit != edit || edit->GetAnchor() < 0) return TRUE;
  edit->DrawSelection(m_view, true);
  edit->PlaceCaretAtPoint(m_view, index, event.x, event.y);
  edit->SelectRange(edit->GetAnchor(), index);
  edit->DrawSelection(m_view, false);
  return TRUE;
}

BOOL CTextTool::OnLButtonUp(const Event& event) {
  if (m_state == kDragging) {
    Drop(event);
    return TRUE;
  }
  INT_PTR index = -1;
  CTextBlock* hit = HitTextBlock(event.x, event.y, CTextBlock::kAnyChar, &index);
  // A release on the block the press put under edit keeps its caret and selection.
  if (hit && hit == EditBlock()) return TRUE;
  if (!FinishEditBlock()) return TRUE;
  if (hit) {
    BeginEditAt(hit, index, event.x, event.y);
    return TRUE;
  }
  CTextBlock* block = NewBlockAt(event.x, event.y, false);
  if (!block) return TRUE;
  m_view->SetEditBlock(block);
  block->BeginEdit(kTextTool, m_view);
  block->ShowCaret(m_view);
  return TRUE;
}

CBoxArray* CTextTool::TakeDragged(CTextBlock* source, bool copy) {
  CBoxArray* taken = nullptr;
  if (copy) {
    taken = source->CopySelectedBoxes();
    source->DrawSelection(m_view, true);
  } else {
    RecordCut(source);
    taken = source->CutSelectedBoxes(m_view, nullptr);
    if (taken && source != m_drop) {
      if (source->IsEmpty()) {
        RemoveBlock(source);
      } else {
        source->Relayout(m_view, -1);
        source->EndEdit(m_view);
        if (m_view->GetEditBlock() == source) m_view->SetEditBlock(nullptr);
      }
    }
  }
  if (taken) ScaleBoxSizes(taken, source->m_matrix);
  return taken;
}

void CTextTool::RecordCut(CTextBlock* source) {
  if (m_view->GetUndoDepth() == 0) return;
  CUndoManager* undo = m_view->GetUndoManager();
  undo->AppendRecord(new CUndoTextRecord(source, -1));
  // Copies go back where the characters were; the characters themselves go on to the drop, whose
  // own records take them out again, so that undo moves them back without owning them twice.
  CBoxArray* boxes = source->GetBoxArray();
  INT_PTR removed = 0;
  for (INT_PTR i = 0; i < boxes->GetSize(); ++i) {
    CTextBox* box = boxes->GetBox(i);
    if (!box->IsSelected()) continue;
    undo->AppendRecord(new CUndoArrayItemRecord(boxes, box->Clone(), i - removed, source));
    ++removed;
  }
}

void CTextTool::FormatLikeCaret(CTextBlock* target, CBoxArray& taken) {
  const CCharBox* model = target->GetBoxArray()->GetCharBox(target->GetCaret());
  if (!model) return;
  CTextDefaults format = CTextDefaults::Global();
  float width = model->m_width, height = model->m_height;
  target->GetCharSize(target->GetCaret(), &width, &height);
  format.fontSizeX = width;
  format.fontSizeY = height;
  format.fontCode = model->FontKey();
  format.fontAngle = model->m_angle;
  format.fontSkewX = model->m_skewX;
  format.fontSkewY = model->m_skewY;
  taken.ApplyCharFormat(format,
                        CBoxArray::kApplySize | CBoxArray::kApplyAngle | CBoxArray::kApplySkew);
  // The font goes with the character only where the charsets agree.
  for (INT_PTR i = 0; i < taken.GetSize(); ++i) {
    CCharBox* box = taken.GetCharBox(i);
    if (!box || box->Charset() != model->Charset()) continue;
    box->m_kind = static_cast<WORD>((box->m_kind & 0xF000) | model->FontKey());
    box->m_fontNumber = model->m_fontNumber;
    box->m_colour = model->m_colour;
    box->ForgetGlyph();
  }
}

void CTextTool::InsertDropped(CTextBlock* target, CBoxArray& taken, bool format) {
  if (format) FormatLikeCaret(target, taken);
  target->HideCaret(m_view);
  if (!target->m_matrix.IsIdentity()) {
    bool invertible = false;
    CMatrix2D inverse = target->m_matrix.Inverted(&invertible);
    if (invertible) ScaleBoxSizes(&taken, inverse);
  }
  if (m_view->GetUndoDepth() != 0)
    for (INT_PTR i = 0; i < taken.GetSize(); ++i)
      m_view->GetUndoManager()->AppendRecord(
          new CUndoTextInsertRecord(target, static_cast<CTextBox*>(taken.GetAt(i))));
  target->InsertBoxesAtCaret(taken);
  target->Relayout(m_view, -1);
}

void CTextTool::Drop(const Event& event) {
  m_state = kIdle;
  INT_PTR index = -1;
  if (CTextBlock* same = HitTextBlock(event.x, event.y, CTextBlock::kSelectedChar, &index)) {
    same->ResetCursor(m_view);
    m_drop = nullptr;
    BeginEditAt(same, index, event.x, event.y);
    m_view->SetToolCursor(kTextTool);
    return;
  }
  // The drop goes where the pointer is now, whatever was marked on the way.
  m_drop = HitTextBlock(event.x, event.y, CTextBlock::kAnyChar, &index);
  CTextBlock* source = EditBlock();
  if (!source) {
    m_drop = nullptr;
    m_view->SetToolCursor(kTextTool);
    return;
  }
  CTextBlock* target = m_drop;
  // The character the drop lands before, found again after the cut has shifted the indices.
  CTextBox* landing = target ? target->GetBoxArray()->GetBox(index) : nullptr;
  bool copy = (event.flags & MK_CONTROL) != 0;
  std::unique_ptr<CBoxArray> taken(TakeDragged(source, copy));
  if (!taken) {
    m_drop = nullptr;
    m_view->SetToolCursor(kTextTool);
    return;
  }
  if (target) {
    if (target->m_editMode != kTextTool) target->BeginEdit(kTextTool, m_view);
    RecordBeginEdit(target);
    if (landing) {
      target->SetCaretIndex(target->GetBoxArray()->IndexOf(landing));
      target->PlaceCaretAtPoint(m_view, target->GetCaret(), event.x, event.y);
    }
    InsertDropped(target, *taken, (event.flags & MK_SHIFT) != 0);
    target->RefreshCaret(m_view);
  } else {
    target = NewBlockAt(event.x, event.y, true);
    if (target) {
      INT_PTR count = taken->GetSize();
      InsertDropped(target, *taken, false);
      target->BeginEdit(kTextTool, m_view);
      target->UpdateBox();
      target->SetCaret(m_view, count - 1, 0);
    }
  }
  if (target) {
    m_view->SetEditBlock(target);
    target->DrawSelection(m_view, false);
  }
  taken->RemoveAll();
  m_drop = nullptr;
  m_view->SetToolCursor(kTextTool);
}
