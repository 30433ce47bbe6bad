#include "output/FigureClip.h"

#include <memory>

#include "media/WeldRecord.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/geometry/ShapeCurves.h"

namespace {

// The children of a group built by the library join the inside group; a lone curve joins itself.
void MoveIntoGroup(CBlock* block, CGroupBlock* into) {
  if (block->m_type != kGroupBlock) {
    into->AddChild(block);
    return;
  }
  std::unique_ptr<CGroupBlock> group(static_cast<CGroupBlock*>(block));
  group->FlattenNested();
  for (INT_PTR i = 0; i < group->GetChildCount(); ++i) into->AddChild(group->GetChild(i));
  group->GetChildren().RemoveAll();
}

// One straddling child: its inside part (clones of the inside children of a group, and what the
// library cut of the rest) as one group, or null when nothing of it lies inside.
CGroupBlock* CutChild(CBlock* child, const CFRect& box, const WeldOperand& window,
                      const CWeldDll& library) {
  std::unique_ptr<CGroupBlock> inside;
  CGroupBlock cut;  // borrows the blocks to be cut: they stay the caller's
  struct Release {
    CGroupBlock& group;
    ~Release() { group.GetChildren().RemoveAll(); }
  } release{cut};
  if (child->m_type == kGroupBlock) {
    CGroupBlock* group = static_cast<CGroupBlock*>(child);
    group->FlattenNested();
    inside.reset(new CGroupBlock);
    for (INT_PTR i = 0; i < group->GetChildCount(); ++i) {
      CBlock* part = group->GetChild(i);
      if (part->m_box.IsInside(box.left, box.top, box.right, box.bottom))
        inside->AddChild(part->Clone());
      else
        cut.AddChild(part);
    }
  } else {
    cut.AddChild(child);
  }
  if (cut.GetChildCount() > 0) {
    CWeldRecord record(cut);
    CBlock* result = record.IsValid() ? CWeldRecord::TakeBlock(
                                            library.FigureCut(record.Operand(cut.m_box), window, 0))
                                      : nullptr;
    if (result) {
      if (!inside) inside.reset(new CGroupBlock);
      MoveIntoGroup(result, inside.get());
    }
  }
  return inside && inside->GetChildCount() > 0 ? inside.release() : nullptr;
}

}  // namespace

CGroupBlock* FigureClipGroup(CGroupBlock* group, float left, float top, float right, float bottom,
                             CWeldDll* library) {
  std::unique_ptr<CWeldDll> own;
  if (!library) {
    own.reset(new CWeldDll);
    if (!own->Bind()) return nullptr;
    library = own.get();
  }
  if (!library->EntriesBound()) return nullptr;
  if (!group || group->GetChildCount() == 0) return nullptr;
  CFRect box(left, top, right, bottom);
  std::unique_ptr<CCurveBlock> frame(MakeRectCurveFromFRect(box));
  CWeldRecord frameRecord(*frame);
  const WeldOperand window = frameRecord.Operand(frame->m_box);

  std::unique_ptr<CGroupBlock> result(new CGroupBlock);
  for (INT_PTR i = 0; i < group->GetChildCount(); ++i) {
    CBlock* child = group->GetChild(i);
    const CFRect& childBox = child->m_box;
    if (childBox.IsInside(left, top, right, bottom))
      result->AddChild(child->Clone());
    else if (!childBox.IsOutside(left, top, right, bottom))
      result->AddChild(CutChild(child, box, window, *library));
  }
  return result.release();
}
