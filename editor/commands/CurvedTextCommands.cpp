#include "editor/commands/CurvedTextCommands.h"

#include <algorithm>
#include <memory>

#include "editor/TALVEX42View.h"
#include "editor/commands/TextCommands.h"
#include "editor/views/DocumentChange.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/SegArray.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoDeleteRecord.h"
#include "model/undo/UndoManager.h"
#include "resources/Resource.h"
#include "text/TextBlock.h"
#include "text/layout/ArcEffect.h"
#include "text/layout/ArchEffect.h"
#include "text/layout/AttrBox.h"
#include "text/layout/CharBox.h"
#include "text/layout/PathTextEffect.h"

// clang-format off
BEGIN_MESSAGE_MAP(CCurvedTextCommands, CCmdTarget)
  ON_COMMAND(ID_TEXT_ARC, OnArc)
  ON_COMMAND(ID_TEXT_ARCH, OnArch)
  ON_COMMAND(ID_TEXT_ALONG_PATH, OnAlongPath)
END_MESSAGE_MAP()
// clang-format on

namespace {

// A straight line of this much more than its characters still holds them all.
const float kFrameSlack = 1.0f;

// Gives the text the layout in the step, keeping the old one for undo, and lays it out.
void GiveLayout(CTALVEX42View* view, CTextBlock* text, std::unique_ptr<CTextEffect> layout) {
  text->Invalidate(view, TRUE);
  text->TakeEffect(view, std::move(layout));
  text->Invalidate(view, TRUE);
}

}  // namespace

CCurvedTextCommands::CCurvedTextCommands(CTALVEX42View* view) : m_view(view) {}

BOOL CCurvedTextCommands::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
  if (code != CN_COMMAND || info || !m_view || !m_view->GetDocument()) return FALSE;
  return CCmdTarget::OnCmdMsg(id, code, extra, info);
}

CFRect CCurvedTextCommands::ArcRect(const CFRect& extent) {
  CFRect rect = extent;
  if (rect.top == rect.bottom) rect.bottom = rect.top + (rect.right - rect.left) / 2;
  if (rect.left == rect.right) rect.right = rect.left + (rect.bottom - rect.top) / 2;
  return rect;
}

bool CCurvedTextCommands::TextExtent(CTextBlock& text, CFRect* extent) {
  bool any = false;
  CBoxArray* boxes = text.GetBoxArray();
  for (INT_PTR i = 0; i < boxes->GetSize(); ++i) {
    const CCharBox* box = boxes->GetCharBox(i);
    if (!box || box->IsLineBreak() || box->m_rect.top == box->m_rect.bottom) continue;
    const CFRect& r = box->m_rect;
    *extent = any ? CFRect(std::min(extent->left, r.left), std::min(extent->top, r.top),
                           std::max(extent->right, r.right), std::max(extent->bottom, r.bottom))
                  : r;
    any = true;
  }
  return any;
}

CFRect CCurvedTextCommands::StraightFrame(CTextBlock& text, int kind) {
  CFRect extent(0, 0, 0, 0);
  TextExtent(text, &extent);
  // The longest line: advances and the spacing between its characters.
  CBoxArray* boxes = text.GetBoxArray();
  float longest = 0, line = 0, gaps = 0;
  bool lineStarted = false;
  for (INT_PTR i = 0; i < boxes->GetSize(); ++i) {
    CTextBox* any = boxes->GetBox(i);
    if (any && any->IsAttrBox()) {
      const auto* attr = static_cast<const CAttrBox*>(any);
      if (attr->m_attrKind == CAttrBox::kBoxGaps) gaps = attr->GetFloat();
      continue;
    }
    CCharBox* box = boxes->GetCharBox(i);
    if (!box) continue;
    if (box->IsLineBreak()) {
      line = 0;
      lineStarted = false;
      continue;
    }
    line += box->GetAdvance(0) + (lineStarted ? gaps : 0);
    lineStarted = true;
    longest = std::max(longest, line);
  }
  CFRect frame(extent.left, extent.top,
               extent.left + std::max(extent.right - extent.left, longest + kFrameSlack),
               extent.bottom);
  return CTextCommands::TurnFrame(frame, CTextEffect::kHorizontal, kind);
}

CTextBlock* CCurvedTextCommands::FirstSelectedText(BYTE notKind) const {
  if (m_view->GetEditBlock()) return nullptr;
  CSegArray* blocks = m_view->GetBlockArray();
  for (INT_PTR i = 0; blocks && i < blocks->GetSize(); ++i) {
    CBlock* block = blocks->GetBlock(i);
    if (!block || block->m_selected != 1) continue;
    auto* text = dynamic_cast<CTextBlock*>(block);
    return text && text->GetEffect() && text->GetEffectKind() != notKind ? text : nullptr;
  }
  return nullptr;
}

bool CCurvedTextCommands::SetOnArc() {
  CTextBlock* text = FirstSelectedText(CTextEffect::kArc);
  CFRect extent;
  if (!text || !TextExtent(*text, &extent)) return false;
  CSelectTracker& tracker = m_view->GetSelectTracker();
  tracker.Hide(nullptr);
  {
    CDocumentChange change(*m_view->GetUndoManager(), m_view->GetDocument());
    CFRect rect = ArcRect(extent);
    GiveLayout(m_view, text,
               std::make_unique<CArcEffect>(rect.left, rect.top, rect.right, rect.bottom,
                                            text->GetBoxArray(), &text->m_matrix));
  }
  tracker.Recount();
  tracker.Show(nullptr);
  return true;
}

bool CCurvedTextCommands::SetOnArch() {
  CTextBlock* text = FirstSelectedText(CTextEffect::kArch);
  if (!text) return false;
  // Across the whole width of the page, standing on the text's bottom; in the text's own units.
  float pageWidth = m_view->GetDocument()->GetPageSettings().m_width;
  CFRect rect(0, text->m_box.bottom - pageWidth / 4, pageWidth, text->m_box.bottom);
  if (!text->m_matrix.IsIdentity()) {
    bool invertible = false;
    CMatrix2D toText = text->m_matrix.Inverted(&invertible);
    if (!invertible) return false;
    toText.TransformRect(&rect);
  }
  CSelectTracker& tracker = m_view->GetSelectTracker();
  tracker.Hide(nullptr);
  {
    CDocumentChange change(*m_view->GetUndoManager(), m_view->GetDocument());
    GiveLayout(m_view, text,
               std::make_unique<CArchEffect>(rect.left, rect.top, rect.right, rect.bottom,
                                             text->GetBoxArray(), &text->m_matrix));
  }
  tracker.Recount();
  tracker.Show(nullptr);
  return true;
}

bool CCurvedTextCommands::SetAlongPath() {
  CSelectTracker& tracker = m_view->GetSelectTracker();
  auto* text = dynamic_cast<CTextBlock*>(tracker.FindSelected(kTextBlock));
  auto* curve = dynamic_cast<CCurveBlock*>(tracker.FindSelected(kCurveBlock));
  if (!text || !curve || !text->GetEffect() || text->GetEffectKind() == CTextEffect::kPath)
    return false;
  bool invertible = true;
  CMatrix2D toText = text->m_matrix.Inverted(&invertible);
  if (!invertible) return false;
  // The layout's own copy of the curve, in the text's units; the curve itself leaves the drawing.
  std::unique_ptr<CCurveBlock> path(static_cast<CCurveBlock*>(curve->Clone()));
  if (!path) return false;
  path->ApplyMatrix();
  if (!text->m_matrix.IsIdentity()) path->Transform(toText);
  path->m_attributes &= static_cast<WORD>(~kSolidAttr);
  path->m_selected = 0;
  tracker.Hide(nullptr);
  {
    CDocumentChange change(*m_view->GetUndoManager(), m_view->GetDocument());
    curve->Invalidate(m_view, TRUE);
    GiveLayout(m_view, text,
               std::make_unique<CPathTextEffect>(path.release(), text->GetBoxArray(),
                                                 &text->m_matrix));
    INT_PTR index = m_view->GetDocument()->RemoveBlock(curve);
    if (m_view->GetUndoDepth() != 0)
      m_view->GetUndoManager()->AppendRecord(new CUndoDeleteRecord(curve, index));
    else
      delete curve;
  }
  tracker.Recount();
  tracker.Show(nullptr);
  return true;
}
