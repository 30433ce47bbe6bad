#include "editor/commands/ArrangeCommands.h"

#include "editor/TALVEX42View.h"
#include "editor/views/DocumentChange.h"
#include "framework/KeyState.h"
#include "model/blocks/Block.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/MatrixFactories.h"
#include "model/undo/UndoMoveRecord.h"
#include "model/undo/UndoOrderRecord.h"
#include "resources/Resource.h"

namespace {

const float kQuarterTurn = 90.0f;

CFRect Normalized(const CFRect& box) {
  CFRect copy = box;
  copy.Normalize();
  return copy;
}

float CentreX(const CFRect& box) { return (box.left + box.right) / 2; }
float CentreY(const CFRect& box) { return (box.top + box.bottom) / 2; }

}  // namespace

bool CArrangeCommands::Handles(UINT id) {
  return (id >= ID_ALIGN_LEFT && id <= ID_ALIGN_CENTRE) ||
         (id >= ID_PAGE_ALIGN_LEFT && id <= ID_PAGE_ALIGN_VCENTRE) || id == ID_PAGE_CENTRE ||
         id == ID_EDIT_TO_BACK || id == ID_EDIT_TO_FRONT || id == ID_TRANSFORM_ROTATE_90 ||
         id == ID_TRANSFORM_MIRROR_HORZ;
}

bool CArrangeCommands::Run(UINT id) {
  if (id >= ID_ALIGN_LEFT && id <= ID_ALIGN_CENTRE) {
    AlignSelection(id);
  } else if ((id >= ID_PAGE_ALIGN_LEFT && id <= ID_PAGE_ALIGN_VCENTRE) || id == ID_PAGE_CENTRE) {
    AlignToPage(id, AfxIsKeyDown(VK_SHIFT));
  } else if (id == ID_EDIT_TO_BACK) {
    SendToBack();
  } else if (id == ID_EDIT_TO_FRONT) {
    BringToFront();
  } else if (id == ID_TRANSFORM_ROTATE_90) {
    Rotate90();
  } else if (id == ID_TRANSFORM_MIRROR_HORZ) {
    MirrorHorizontally();
  } else {
    return false;
  }
  return true;
}

// ---- Alignment ----

FPOINT CArrangeCommands::AlignOffset(UINT id, const CFRect& reference, const CFRect& box) {
  const CFRect r = Normalized(reference);
  const CFRect b = Normalized(box);
  switch (id) {
    case ID_ALIGN_LEFT:
      return {r.left - b.left, 0};
    case ID_ALIGN_RIGHT:
      return {r.right - b.right, 0};
    case ID_ALIGN_TOP:
      return {0, r.top - b.top};
    case ID_ALIGN_BOTTOM:
      return {0, r.bottom - b.bottom};
    case ID_ALIGN_HCENTRE:
      return {CentreX(r) - CentreX(b), 0};
    case ID_ALIGN_VCENTRE:
      return {0, CentreY(r) - CentreY(b)};
    case ID_ALIGN_CENTRE:
      return {CentreX(r) - CentreX(b), CentreY(r) - CentreY(b)};
    default:
      return {0, 0};
  }
}

FPOINT CArrangeCommands::PageAlignOffset(UINT id, bool shift, const CFRect& box, float pageWidth,
                                         float pageHeight) {
  const float toLeft = -box.left, toRight = pageWidth - box.right;
  const float toTop = -box.top, toBottom = pageHeight - box.bottom;
  const float toCentreX = pageWidth / 2 - CentreX(box);
  const float toCentreY = pageHeight / 2 - CentreY(box);
  // With Shift the edge commands reach the corners: left top-left, right top-right, top
  // bottom-left and bottom bottom-right.
  switch (id) {
    case ID_PAGE_ALIGN_LEFT:
      return {toLeft, shift ? toTop : 0};
    case ID_PAGE_ALIGN_RIGHT:
      return {toRight, shift ? toTop : 0};
    case ID_PAGE_ALIGN_TOP:
      return shift ? FPOINT{toLeft, toBottom} : FPOINT{0, toTop};
    case ID_PAGE_ALIGN_BOTTOM:
      return shift ? FPOINT{toRight, toBottom} : FPOINT{0, toBottom};
    case ID_PAGE_ALIGN_HCENTRE:
      return {toCentreX, 0};
    case ID_PAGE_ALIGN_VCENTRE:
      return {0, toCentreY};
    case ID_PAGE_CENTRE:
      return {toCentreX, toCentreY};
    default:
      return {0, 0};
  }
}

void CArrangeCommands::AlignSelection(UINT id) {
  CSegArray* blocks = Blocks();
  if (!blocks || CountSelected() < 2) return;
  CDocumentChange change(Undo(), Document());
  Tracker().Hide(nullptr);
  CBlock* reference = nullptr;
  for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    if (!reference) {
      reference = block;
      continue;
    }
    FPOINT offset = AlignOffset(id, reference->m_box, block->m_box);
    if (offset.x == 0 && offset.y == 0) continue;
    block->Invalidate(m_view, TRUE);
    Record(new CUndoMoveRecord(block, offset.x, offset.y));
    block->Offset(offset.x, offset.y);
    block->Invalidate(m_view, TRUE);
  }
  Tracker().Recount();
  Tracker().Show(nullptr);
}

void CArrangeCommands::AlignToPage(UINT id, bool shift) {
  CTALVEX42Doc* document = Document();
  if (!document || CountSelected() == 0) return;
  CFRect box;
  Tracker().Recount(&box);
  const CPageSettings& page = document->GetPageSettings();
  FPOINT offset = PageAlignOffset(id, shift, box, page.m_width, page.m_height);
  CDocumentChange change(Undo(), document);
  Tracker().Hide(nullptr);
  Tracker().OffsetSelection(offset.x, offset.y);
  Tracker().Show(nullptr);
  Repaint();
}

// ---- Stacking order ----

void CArrangeCommands::MoveToEnd(int selected) {
  CSegArray* blocks = Blocks();
  if (!blocks || blocks->GetSize() < 2) return;
  CDocumentChange change(Undo(), Document());
  // Each moved block is taken from where it is now, so its order record undoes exactly this move
  // when the records are played back from the last.
  INT_PTR count = blocks->GetSize();
  for (INT_PTR i = 0, seen = 0; seen < count; ++seen) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || (block->m_selected == 1) != (selected == 1)) {
      ++i;
      continue;
    }
    Record(new CUndoOrderRecord(block, i));
    blocks->RemoveAt(i);
    blocks->AddBlock(block);
  }
  Repaint();
}

void CArrangeCommands::SendToBack() { MoveToEnd(1); }

void CArrangeCommands::BringToFront() { MoveToEnd(0); }

// ---- Turning ----

void CArrangeCommands::TransformSelection(bool rotate) {
  if (CountSelected() == 0) return;
  CFRect box;
  Tracker().Recount(&box);
  CDocumentChange change(Undo(), Document());
  Tracker().Hide(nullptr);
  CMatrix2D matrix = rotate
                         ? MakeRotationMatrixAboutBox(box.left, box.top, box.right, box.bottom,
                                                      kQuarterTurn)
                         : MakeMirrorMatrix(box.left, box.top, box.right, box.bottom, true, false);
  Tracker().TransformSelection(matrix);
  Tracker().Recount();
  Tracker().Show(nullptr);
}

void CArrangeCommands::Rotate90() { TransformSelection(true); }

void CArrangeCommands::MirrorHorizontally() { TransformSelection(false); }
