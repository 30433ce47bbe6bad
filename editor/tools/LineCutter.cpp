#include "editor/tools/LineCutter.h"

#include <memory>

#include "media/WeldRecord.h"
#include "model/blocks/BlockView.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/ShapeBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoDeleteRecord.h"
#include "model/undo/UndoInsertRecord.h"
#include "model/undo/UndoManager.h"

namespace {

// The block's outlines as one group of curves without nested groups.
std::unique_ptr<CGroupBlock> OutlinesOf(CBlock& block) {
  CBlock* curves = block.ToCurve(CShapeBlock::kAnyColour);
  if (!curves) return nullptr;
  std::unique_ptr<CGroupBlock> group;
  if (curves->m_type == kGroupBlock) {
    group.reset(static_cast<CGroupBlock*>(curves));
  } else {
    group.reset(new CGroupBlock);
    group->AddChild(curves);
  }
  group->FlattenNested();
  return group;
}

}  // namespace

CLineCutter::CLineCutter(CBlockView* view, CTALVEX42Doc* document, CutFunction cut)
    : m_view(view), m_document(document), m_cut(std::move(cut)) {}

CLineCutter::CutFunction CLineCutter::ProgramLibrary() {
  // Bound for the one cut and released with it.
  auto library = std::make_shared<CWeldDll>();
  if (!library->Bind()) return {};
  return [library](const WeldOperand& shape, const WeldOperand& knife) {
    return library->LineCut(shape, knife, 0);
  };
}

CBlock* CLineCutter::SelectedBlock() const {
  CSegArray& blocks = m_document->GetBlockList();
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    if (block && block->m_selected == 1) return block->m_type == kImageBlock ? nullptr : block;
  }
  return nullptr;
}

bool CLineCutter::Cut(const FPOINT& from, const FPOINT& to) {
  if (!m_cut || !m_document) return false;
  CBlock* selected = SelectedBlock();
  if (!selected) return false;
  // The outlines are copied while the block is still whole and in the document.
  std::unique_ptr<CGroupBlock> outlines = OutlinesOf(*selected);
  if (!outlines) return false;
  CCurveBlock knife;
  knife.AddLine(from.x, from.y, to.x, to.y);
  knife.EndCurve();
  CWeldRecord shapeRecord(*outlines);
  CWeldRecord knifeRecord(knife);
  if (!shapeRecord.IsValid() || !knifeRecord.IsValid()) return false;
  std::unique_ptr<CBlock> pieces(CWeldRecord::TakeBlock(
      m_cut(shapeRecord.Operand(outlines->m_box), knifeRecord.Operand(knife.m_box))));
  // Nothing came back: the block stays as it was, still selected.
  if (!pieces) return false;

  bool recording = m_view && m_view->GetUndoDepth() != 0;
  INT_PTR index = m_document->RemoveBlock(selected);
  if (recording)
    m_view->GetUndoManager()->AppendRecord(new CUndoDeleteRecord(selected, index));
  else
    delete selected;
  CBlock* added = pieces.release();
  if (recording) m_view->GetUndoManager()->AppendRecord(new CUndoInsertRecord(added));
  added->m_selected = 1;
  m_document->AddBlock(added);
  return true;
}
