#include "editor/commands/TextCommands.h"

#include <memory>

#include "editor/TALVEX42View.h"
#include "editor/views/DocumentChange.h"
#include "model/blocks/Block.h"
#include "model/document/SegArray.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoManager.h"
#include "resources/Resource.h"
#include "text/TextBlock.h"
#include "text/layout/DirectionEffect.h"
#include "text/undo/UndoTextEffectRecord.h"

// clang-format off
BEGIN_MESSAGE_MAP(CTextCommands, CCmdTarget)
  ON_COMMAND_RANGE(ID_TEXT_HORZ, ID_TEXT_HORZ, OnDirection)
  ON_COMMAND_RANGE(ID_TEXT_HORZ_REVERSE, ID_TEXT_HORZ_REVERSE, OnDirection)
  ON_COMMAND_RANGE(ID_TEXT_VERT_REVERSE, ID_TEXT_VERT, OnDirection)
END_MESSAGE_MAP()
// clang-format on

namespace {

bool IsHorizontalKind(int kind) { return kind < CTextEffect::kVertical; }

int KindOfCommand(UINT id) {
  switch (id) {
    case ID_TEXT_HORZ_REVERSE:
      return CTextEffect::kReversedHorizontal;
    case ID_TEXT_VERT:
      return CTextEffect::kVertical;
    case ID_TEXT_VERT_REVERSE:
      return CTextEffect::kReversedVertical;
    default:
      return CTextEffect::kHorizontal;
  }
}

}  // namespace

CTextCommands::CTextCommands(CTALVEX42View* view) : m_view(view) {}

// Only commands go through here: the view's table answers the menu's questions.
BOOL CTextCommands::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
  if (code != CN_COMMAND || info || !m_view || !m_view->GetDocument()) return FALSE;
  return CCmdTarget::OnCmdMsg(id, code, extra, info);
}

CFRect CTextCommands::TurnFrame(const CFRect& frame, int oldKind, int newKind) {
  CFRect turned = frame;
  if (IsHorizontalKind(oldKind) == IsHorizontalKind(newKind)) return turned;
  if (IsHorizontalKind(newKind))
    turned.right = frame.bottom + frame.left - frame.top;
  else
    turned.bottom = frame.right + frame.top - frame.left;
  return turned;
}

void CTextCommands::OnDirection(UINT id) { SetDirection(KindOfCommand(id)); }

int CTextCommands::SetDirection(int kind) {
  CSelectTracker& tracker = m_view->GetSelectTracker();
  CSegArray* blocks = m_view->GetBlockArray();
  if (!blocks) return 0;
  int changed = 0;
  {
    CDocumentChange change(*m_view->GetUndoManager(), m_view->GetDocument());
    for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
      CBlock* block = blocks->GetBlock(i);
      if (block && block->m_selected && block->m_type == kTextBlock &&
          ChangeDirection(static_cast<CTextBlock*>(block), kind))
        ++changed;
    }
  }
  tracker.Recount();
  tracker.Show(nullptr);
  return changed;
}

bool CTextCommands::ChangeDirection(CTextBlock* text, int kind) {
  // Only straight layouts can be turned; another layout keeps its own geometry.
  auto* straight = dynamic_cast<CDirectionEffect*>(text->GetEffect());
  if (!straight || straight->GetKind() == kind) return false;
  text->Invalidate(m_view, TRUE);
  CFRect frame = TurnFrame(straight->GetFrame(), straight->GetKind(), kind);
  auto turned = std::make_unique<CDirectionEffect>(frame.left, frame.top, frame.right, frame.bottom,
                                                   text->GetBoxArray(), &text->m_matrix);
  turned->SetKind(static_cast<BYTE>(kind));
  turned->SetAttributes(straight->GetAttributes());
  std::unique_ptr<CTextEffect> old = text->ReplaceEffect(std::move(turned));
  if (m_view->GetUndoDepth() != 0)
    m_view->GetUndoManager()->AppendRecord(new CUndoTextEffectRecord(text, std::move(old)));
  text->Relayout(m_view, -1);
  text->UpdateBox();
  text->Invalidate(m_view, TRUE);
  return true;
}
