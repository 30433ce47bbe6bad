#include "editor/commands/OutlineOperations.h"

#include <cmath>
#include <memory>

#include "media/WeldRecord.h"
#include "model/blocks/Block.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/document/SegArray.h"
#include "model/editing/MainWindowNotice.h"
#include "model/geometry/Contour.h"
#include "model/geometry/ShapeCurves.h"
#include "model/undo/UndoDeleteRecord.h"
#include "model/undo/UndoInsertRecord.h"
#include "model/undo/UndoManager.h"
#include "text/TextBlock.h"
#include "text/layout/CharBox.h"

namespace {

const DWORD kEveryColour = 0xFFFFFFFF;
const double kPi = 3.14159265358979323846;
// The status text while a contour cut works through the knife's outlines.
const UINT kStatusText = 32850;
const char kContourCutProgress[] = "轮廓切割运算中... %d/%d";

void ShowContourCutProgress(INT_PTR outline, INT_PTR count) {
  char text[64];
  wsprintfA(text, kContourCutProgress, static_cast<int>(outline), static_cast<int>(count));
  SendToMainWindow(kStatusText, reinterpret_cast<LPARAM>(text));
}

// The curve copy of a block: a group's parts as one group without nested groups.
CBlock* CurveCopyOf(CBlock& block) {
  CBlock* copy = block.ToCurve(kEveryColour);
  if (copy && copy->m_type == kGroupBlock) static_cast<CGroupBlock*>(copy)->FlattenNested();
  return copy;
}

// A group's own blocks go into the list; a lone block goes in itself.
void CollectPieces(CBlock* result, std::vector<CBlock*>* pieces) {
  if (result->m_type != kGroupBlock) {
    pieces->push_back(result);
    return;
  }
  std::unique_ptr<CGroupBlock> group(static_cast<CGroupBlock*>(result));
  group->FlattenNested();
  const bool placed = group->m_matrix.IsIdentity();
  for (INT_PTR i = 0; i < group->GetChildCount(); ++i) {
    CBlock* child = group->GetChild(i);
    if (!placed) child->Transform(group->m_matrix);
    pieces->push_back(child);
  }
  group->GetChildren().RemoveAll();
}

}  // namespace

COutlineOperations::COutlineOperations(CBlockView* view, CSegArray& blocks, const CWeldDll& library)
    : m_view(view), m_blocks(blocks), m_library(library) {}

std::vector<CBlock*> COutlineOperations::SelectedOperands(const CSegArray& blocks) {
  std::vector<CBlock*> operands;
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (block && block->m_selected == 1 && block->m_type != kImageBlock) operands.push_back(block);
  }
  return operands;
}

bool COutlineOperations::Recording() const { return m_view && m_view->GetUndoDepth() != 0; }

CBlock* COutlineOperations::CombinePair(Combination combination, CBlock& first,
                                        CBlock& second) const {
  CWeldRecord a(first), b(second);
  if (!a.IsValid() || !b.IsValid()) return nullptr;
  HGLOBAL result = nullptr;
  switch (combination) {
    case kWeld:
      result = m_library.Weld(a.Operand(), b.Operand());
      break;
    case kCut:
      result = m_library.WeldCut(a.Operand(), b.Operand());
      break;
    case kIntersect:
      result = m_library.WeldAnd(a.Operand(), b.Operand());
      break;
    case kExclusiveOr:
      result = m_library.WeldXor(a.Operand(), b.Operand());
      break;
  }
  return CWeldRecord::TakeBlock(result);
}

CBlock* COutlineOperations::LineCut(CBlock& shape, CBlock& knife) const {
  CWeldRecord a(shape), b(knife);
  if (!a.IsValid() || !b.IsValid()) return nullptr;
  return CWeldRecord::TakeBlock(m_library.LineCut(a.Operand(), b.Operand(), 0));
}

void COutlineOperations::Replace(const std::vector<CBlock*>& removed,
                                 const std::vector<CBlock*>& added) {
  // From the end of the list towards its start, so that each recorded index is the one the
  // block had when the blocks before it were still in place; undo puts them back in reverse.
  for (INT_PTR i = m_blocks.GetSize() - 1; i >= 0; --i) {
    CBlock* block = m_blocks.GetBlock(i);
    bool taken = false;
    for (CBlock* candidate : removed) taken = taken || candidate == block;
    if (!taken) continue;
    m_blocks.RemoveAt(i);
    block->m_selected = 0;
    if (Recording())
      m_view->GetUndoManager()->AppendRecord(new CUndoDeleteRecord(block, i));
    else
      delete block;
  }
  for (CBlock* block : added) {
    block->m_selected = 1;
    m_blocks.AddBlock(block);
    if (Recording()) m_view->GetUndoManager()->AppendRecord(new CUndoInsertRecord(block));
  }
}

CBlock* COutlineOperations::CombineInTree(Combination combination,
                                          std::vector<CBlock*> blocks) const {
  std::vector<std::unique_ptr<CBlock>> level;
  for (CBlock* block : blocks) level.emplace_back(CurveCopyOf(*block));
  while (level.size() > 1) {
    std::vector<std::unique_ptr<CBlock>> next;
    for (size_t i = 0; i + 1 < level.size(); i += 2) {
      if (!level[i] || !level[i + 1]) return nullptr;
      next.emplace_back(CombinePair(combination, *level[i], *level[i + 1]));
    }
    if (level.size() % 2) next.push_back(std::move(level.back()));
    level.swap(next);
  }
  return level.empty() ? nullptr : level.front().release();
}

COutlineOperations::Result COutlineOperations::Combine(Combination combination) {
  std::vector<CBlock*> operands = SelectedOperands(m_blocks);
  if (operands.size() < 2) return kNothingToDo;
  std::unique_ptr<CBlock> result;
  if (combination == kWeld || combination == kCut) {
    // The last block of the list against all the others at once: the library unites the curves
    // of a group in one sweep.
    std::unique_ptr<CBlock> last(CurveCopyOf(*operands.back()));
    CGroupBlock others;
    for (size_t i = 0; i + 1 < operands.size(); ++i)
      if (CBlock* copy = CurveCopyOf(*operands[i])) others.AddChild(copy);
    others.FlattenNested();
    if (last && others.GetChildCount() > 0) {
      result.reset(CombinePair(combination, *last, others));
      // The others cover the last block wholly (a star drawn inside a circle: new blocks go
      // behind the old ones): rather than nothing, the last block is cut from them.
      if (!result && combination == kCut) result.reset(CombinePair(kCut, others, *last));
    }
  } else {
    result.reset(CombineInTree(combination, operands));
  }
  if (!result) return kFailed;
  Replace(operands, {result.release()});
  return kDone;
}

COutlineOperations::Result COutlineOperations::ContourCut() {
  std::vector<CBlock*> operands = SelectedOperands(m_blocks);
  if (operands.size() < 2) return kNothingToDo;
  CBlock* shape = operands[0];
  CBlock* knifeBlock = operands[1];
  std::unique_ptr<CBlock> result(CurveCopyOf(*shape));
  std::unique_ptr<CCurveBlock> knife;
  if (std::unique_ptr<CBlock> copy{CurveCopyOf(*knifeBlock)}) {
    if (copy->m_type == kGroupBlock)
      knife.reset(static_cast<CGroupBlock*>(copy.get())->MergeToCurve(kEveryColour));
    else if (copy->m_type == kCurveBlock)
      knife.reset(static_cast<CCurveBlock*>(copy.release()));
  }
  if (!result || !knife) return kFailed;
  // One outline of the knife at a time, so that outlines inside one another each cut.
  CGroupBlock outlines;
  knife->SplitSubpaths(&outlines);
  if (outlines.GetChildCount() == 0) return kFailed;
  for (INT_PTR i = 0; result && i < outlines.GetChildCount(); ++i) {
    ShowContourCutProgress(i + 1, outlines.GetChildCount());
    result.reset(LineCut(*result, *outlines.GetChild(i)));
  }
  if (!result) return kFailed;
  std::vector<CBlock*> pieces;
  CollectPieces(result.release(), &pieces);
  Replace({shape, knifeBlock}, pieces);
  return kDone;
}

void COutlineOperations::LineAcross(const CFRect& box, float x, float y, double angle, FPOINT* from,
                                    FPOINT* to) {
  // Bring the angle into [0, 180): a line is the same either way round.
  angle = std::fmod(angle, 180.0);
  if (angle < 0) angle += 180.0;
  double radians = angle * kPi / 180.0;
  // Counter-clockwise on the screen, where y grows downwards.
  double dx = std::cos(radians), dy = -std::sin(radians);
  if (angle < 45.0 || angle > 135.0) {
    double slope = dy / dx;
    *from = {box.left, static_cast<float>(y + (box.left - x) * slope)};
    *to = {box.right, static_cast<float>(y + (box.right - x) * slope)};
  } else {
    double slope = dx / dy;
    *from = {static_cast<float>(x + (box.top - y) * slope), box.top};
    *to = {static_cast<float>(x + (box.bottom - y) * slope), box.bottom};
  }
}

COutlineOperations::Result COutlineOperations::CutAlongLine(float x, float y, double angle) {
  std::vector<CBlock*> operands = SelectedOperands(m_blocks);
  if (operands.empty()) return kNothingToDo;
  std::vector<CBlock*> removed, pieces;
  for (CBlock* block : operands) {
    CFRect box = block->m_box;
    box.Inflate(kGuideMargin, kGuideMargin);
    FPOINT from, to;
    LineAcross(box, x, y, angle, &from, &to);
    CCurveBlock knife;
    knife.AddLine(from.x, from.y, to.x, to.y);
    knife.EndCurve();
    std::unique_ptr<CBlock> copy(CurveCopyOf(*block));
    // A block the library cannot cut stays as it is.
    CBlock* result = copy ? LineCut(*copy, knife) : nullptr;
    if (!result) continue;
    removed.push_back(block);
    CollectPieces(result, &pieces);
  }
  if (removed.empty()) return kFailed;
  Replace(removed, pieces);
  return kDone;
}

COutlineOperations::Result COutlineOperations::RemoveTextOverlaps(CTextBlock& text) {
  CBoxArray* boxes = text.GetBoxArray();
  bool asked = false, welded = false;
  for (INT_PTR i = 0; boxes && i < boxes->GetSize(); ++i) {
    CCharBox* box = boxes->GetCharBox(i);
    CContour* outline = box && !box->IsLineBreak() ? box->KeptOutline() : nullptr;
    if (!outline) continue;
    std::unique_ptr<CCurveBlock> curve(MakeCurveFromContour(*outline, 0));
    if (!curve) continue;
    CWeldRecord operand(*curve);
    if (!operand.IsValid()) continue;
    asked = true;
    std::unique_ptr<CBlock> result(CWeldRecord::TakeBlock(m_library.SelfWeld(operand.Operand())));
    CContour* weldedOutline = result ? result->GetContour(nullptr, 0) : nullptr;
    if (!weldedOutline) continue;
    box->ReplaceOutline(weldedOutline);
    welded = true;
  }
  if (!asked) return kNothingToDo;
  return welded ? kDone : kFailed;
}
