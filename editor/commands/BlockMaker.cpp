#include "editor/commands/BlockMaker.h"

#include <memory>

#include "editor/TALVEX42View.h"
#include "editor/views/DocumentChange.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoInsertRecord.h"

namespace {

CFRect NormalizedRect(const DrawStroke& stroke) {
  CFRect rect(stroke.start.x, stroke.start.y, stroke.end.x, stroke.end.y);
  rect.Normalize();
  return rect;
}

}  // namespace

CBlock* CBlockMaker::Insert(CBlock* block) {
  std::unique_ptr<CBlock> owned(block);
  CTALVEX42Doc* document = Document();
  if (!document) return nullptr;
  CDocumentChange change(Undo(), document);
  Record(new CUndoInsertRecord(block));
  document->AddBlock(owned.release());
  return block;
}

CBlock* CBlockMaker::AddLineBlock(DrawStroke& stroke) {
  auto* line = new CLineBlock;
  line->m_start = stroke.start;
  line->m_end = stroke.end;
  line->m_box = NormalizedRect(stroke);
  stroke.multiClick = 0;
  return Insert(line);
}

CBlock* CBlockMaker::AddRectBlock(DrawStroke& stroke) {
  auto* rect = new CRectBlock;
  rect->m_rect = NormalizedRect(stroke);
  rect->m_box = rect->m_rect;
  return Insert(rect);
}

CBlock* CBlockMaker::AddEllipseBlock(DrawStroke& stroke) {
  auto* ellipse = new CCircleBlock;
  ellipse->m_rect = CFRect(stroke.start.x, stroke.start.y, stroke.end.x, stroke.end.y);
  ellipse->m_box = ellipse->m_rect;
  ellipse->m_arcMode = CCircleBlock::kOpenArc;
  return Insert(ellipse);
}

void CBlockMaker::AddPolylinePoint(DrawStroke& stroke) {
  CBlock* feedback = m_view->GetFeedbackBlock();
  if (feedback && feedback->m_type == kCurveBlock) {
    auto* curve = static_cast<CCurveBlock*>(feedback);
    curve->TrimEndMarks();
    curve->OpenLastSubpath();
    curve->AddPoint(stroke.end.x, stroke.end.y, kPointOpenEnd | kPointOnCurve);
    curve->EndCurve();
  } else {
    auto* curve = new CCurveBlock;
    curve->AddPoint(stroke.start.x, stroke.start.y, kPointStart | kPointOnCurve);
    curve->AddPoint(stroke.end.x, stroke.end.y, kPointOpenEnd | kPointOnCurve);
    curve->EndCurve();
    m_view->SetFeedbackBlock(curve);
  }
  stroke.start = stroke.end;
}

CBlock* CBlockMaker::CommitFeedbackBlock(DrawStroke& stroke) {
  CBlock* block = m_view->ReleaseFeedbackBlock();
  m_view->SetEditBlock(nullptr);
  stroke.multiClick = 0;
  return block ? Insert(block) : nullptr;
}

CBlock* CBlockMaker::CommitFeedbackCurve(DrawStroke& stroke) {
  std::unique_ptr<CBlock> block(m_view->ReleaseFeedbackBlock());
  stroke.multiClick = 0;
  if (!block || block->m_type != kCurveBlock) return nullptr;
  static_cast<CCurveBlock*>(block.get())->CloseLastSubpath();
  return Insert(block.release());
}
