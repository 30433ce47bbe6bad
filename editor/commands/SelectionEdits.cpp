#include "editor/commands/SelectionEdits.h"

#include "model/blocks/Block.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/SegArray.h"
#include "model/undo/UndoManager.h"
#include "model/undo/UndoMoveRecord.h"

namespace {

// A group that only lends its list to sorting: the blocks stay the caller's.
class BorrowingGroup : public CGroupBlock {
public:
  ~BorrowingGroup() override { GetChildren().RemoveAll(); }
};

}  // namespace

CSelectionEdits::CSelectionEdits(CBlockView* view, CSegArray& blocks)
    : m_view(view), m_blocks(blocks) {}

bool CSelectionEdits::Recording() const { return m_view && m_view->GetUndoDepth() != 0; }

void CSelectionEdits::Record(CUndoRecord* record) const {
  m_view->GetUndoManager()->AppendRecord(record);
}

int CSelectionEdits::ClearSolid() {
  int changed = 0;
  for (INT_PTR i = 0; i < m_blocks.GetSize(); ++i) {
    CBlock* block = m_blocks.GetBlock(i);
    if (!block || block->m_selected != 1 || !(block->m_attributes & kSolidAttr)) continue;
    block->SetAttrBits(m_view, 0, kSolidAttr);
    block->Invalidate(m_view, FALSE);
    ++changed;
  }
  return changed;
}

bool CSelectionEdits::SpaceEvenly(bool vertical) {
  BorrowingGroup group;
  float sum = 0.0f;
  for (INT_PTR i = 0; i < m_blocks.GetSize(); ++i) {
    CBlock* block = m_blocks.GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    group.AddChild(block);
    sum += vertical ? block->m_box.Height() : block->m_box.Width();
  }
  const INT_PTR count = group.GetChildCount();
  if (count < kMinimumToSpace) return false;
  if (vertical)
    group.SortByTop();
  else
    group.SortByLeft();
  const float span = vertical ? group.m_box.Height() : group.m_box.Width();
  const float gap = (span - sum) / static_cast<float>(count - 1);
  const CFRect& first = group.GetChild(0)->m_box;
  float previousEnd = vertical ? first.bottom : first.right;
  for (INT_PTR i = 1; i < count; ++i) {
    CBlock* block = group.GetChild(i);
    float shift = previousEnd + gap - (vertical ? block->m_box.top : block->m_box.left);
    float dx = vertical ? 0.0f : shift, dy = vertical ? shift : 0.0f;
    block->Invalidate(m_view, FALSE);
    if (Recording()) Record(new CUndoMoveRecord(block, dx, dy));
    block->Offset(dx, dy);
    block->Invalidate(m_view, FALSE);
    previousEnd = vertical ? block->m_box.bottom : block->m_box.right;
  }
  return true;
}
