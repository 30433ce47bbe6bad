#include "editor/commands/TextCommands.h"

#include <cstring>
#include <memory>
#include <string>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/commands/CurvedTextCommands.h"
#include "editor/views/DocumentChange.h"
#include "model/blocks/Block.h"
#include "model/document/SegArray.h"
#include "model/document/TALVEX42Doc.h"
#include "model/geometry/Geometry.h"
#include "model/undo/UndoManager.h"
#include "resources/Resource.h"
#include "text/Language.h"
#include "text/TextBlock.h"
#include "text/layout/AttrBox.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"
#include "text/layout/DirectionEffect.h"
#include "text/layout/TextEffect.h"
#include "text/undo/UndoEffectAttrRecord.h"

// clang-format off
BEGIN_MESSAGE_MAP(CTextCommands, CCmdTarget)
  ON_COMMAND_RANGE(ID_TEXT_HORZ, ID_TEXT_HORZ, OnDirection)
  ON_COMMAND_RANGE(ID_TEXT_HORZ_REVERSE, ID_TEXT_HORZ_REVERSE, OnDirection)
  ON_COMMAND_RANGE(ID_TEXT_VERT_REVERSE, ID_TEXT_VERT, OnDirection)
  ON_COMMAND_RANGE(ID_TEXT_SIZE_ABSOLUTE, ID_TEXT_SIZE_UNIFORM, OnSizeMode)
  ON_COMMAND_RANGE(ID_TEXT_SIZE_NORMAL, ID_TEXT_SIZE_NORMAL, OnSizeMode)
  ON_COMMAND(ID_TEXT_HALF_WIDTH, OnHalfWidth)
  ON_COMMAND_RANGE(ID_TEXT_JUSTIFY, ID_TEXT_JUSTIFY, OnJustify)
  ON_COMMAND_RANGE(ID_TEXT_LEFT, ID_TEXT_LEFT, OnJustify)
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

void CTextCommands::OnSizeMode(UINT id) {
  SetSizeMode(id == ID_TEXT_SIZE_ABSOLUTE ? 2 : id == ID_TEXT_SIZE_UNIFORM ? 1 : 0);
}

int CTextCommands::SetSizeMode(WORD mode) {
  int changed = 0;
  {
    CDocumentChange change(*m_view->GetUndoManager(), m_view->GetDocument());
    CTextBlock* edited = dynamic_cast<CTextBlock*>(m_view->GetEditBlock());
    INT_PTR first = -1, last = -1;
    if (edited) {
      if (edited->GetBoxArray()->FindFirstSelected(&first) &&
          edited->GetBoxArray()->FindLastSelected(&last)) {
        edited->SetCharFlags(m_view, first, last, mode, kSizeModeMask);
        edited->UpdateBox();
      }
    } else if (CSegArray* blocks = m_view->GetBlockArray()) {
      for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
        auto* text = dynamic_cast<CTextBlock*>(blocks->GetBlock(i));
        if (!text || !text->m_selected) continue;
        text->Invalidate(m_view, TRUE);
        text->SetCharFlags(m_view, 0, text->GetBoxArray()->GetSize() - 1, mode, kSizeModeMask);
        text->UpdateBox();
        text->Invalidate(m_view, TRUE);
        ++changed;
      }
    }
  }
  // Characters typed from now on take the mode when no selected text did.
  if (changed == 0) {
    WORD& style = CTextDefaults::Global().styleWord;
    style = static_cast<WORD>((style & ~kSizeModeMask) | mode);
  }
  m_view->GetSelectTracker().Recount();
  m_view->GetSelectTracker().Show(nullptr);
  return changed;
}

void CTextCommands::OnHalfWidth() { CTextDefaults::Global().styleWord ^= kHalfWidth; }

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
  auto* straight = dynamic_cast<CDirectionEffect*>(text->GetEffect());
  if (!text->GetEffect() || (straight && straight->GetKind() == kind)) return false;
  text->Invalidate(m_view, TRUE);
  // A text on a curve comes back to straight lines that hold its lines, unspread.
  CFRect frame = straight ? TurnFrame(straight->GetFrame(), straight->GetKind(), kind)
                          : CCurvedTextCommands::StraightFrame(*text, kind);
  auto turned = std::make_unique<CDirectionEffect>(frame.left, frame.top, frame.right, frame.bottom,
                                                   text->GetBoxArray(), &text->m_matrix);
  turned->SetKind(static_cast<BYTE>(kind));
  turned->SetAttributes(straight ? straight->GetAttributes() : 0);
  text->TakeEffect(m_view, std::move(turned));
  text->Invalidate(m_view, TRUE);
  return true;
}

// ---- Spreading the lines ----

namespace {

// The arc layout's kind: it has no lines to spread.
const int kArcKind = 18;

}  // namespace

bool CTextCommands::SetSpread(bool spread) {
  if (m_view->GetEditBlock()) return false;
  CSelectTracker& tracker = m_view->GetSelectTracker();
  tracker.Recount();
  auto* text = dynamic_cast<CTextBlock*>(tracker.FindSelected(kTextBlock));
  CTextEffect* effect = text ? text->GetEffect() : nullptr;
  // Only the first selected block counts, and the arc has no lines to spread.
  if (!effect || text != tracker.GetCurrentBlock() || text->GetEffectKind() == kArcKind)
    return false;
  const WORD old = effect->GetAttributes();
  const WORD attributes = static_cast<WORD>(spread ? old | CTextEffect::kSpread
                                                   : old & ~CTextEffect::kSpread);
  if (attributes == old) return false;
  CDocumentChange change(*m_view->GetUndoManager(), m_view->GetDocument());
  tracker.Hide(nullptr);
  text->Invalidate(m_view, TRUE);
  if (m_view->GetUndoDepth() != 0)
    m_view->GetUndoManager()->AppendRecord(new CUndoEffectAttrRecord(text, old));
  effect->SetAttributes(attributes);
  text->Relayout(m_view, -1);
  text->UpdateBox();
  text->Invalidate(m_view, TRUE);
  tracker.Recount();
  tracker.Show(nullptr);
  return true;
}

void CTextCommands::OnJustify(UINT id) { SetSpread(id == ID_TEXT_JUSTIFY); }

// ---- Character parameters ----

CBlock* CTextCommands::ParameterSource(INT_PTR* first, INT_PTR* last) const {
  CBlock* source = m_view->GetEditBlock();
  if (source) {
    auto* text = dynamic_cast<CTextBlock*>(source);
    if (!text || text->GetSelectedCount() <= 0 || text->GetCaret() < 0 || text->GetAnchor() < 0)
      return nullptr;
  } else {
    CSelectTracker& tracker = m_view->GetSelectTracker();
    source = tracker.GetCount() > 0 ? tracker.GetCurrentBlock() : nullptr;
  }
  CBoxArray* boxes = source ? source->GetBoxArray() : nullptr;
  if (!boxes) return nullptr;
  *first = *last = -1;
  boxes->FindFirstSelected(first);
  boxes->FindLastSelected(last);
  if (*first < 0) *first = 0;
  // The walk ends with the selection; without one it takes the whole text.
  if (*last < 0) *last = boxes->GetSize() - 1;
  return source;
}

int CTextCommands::GetSelectedText(char* buffer, CTextDefaults* record, int size) {
  if (buffer && size > 0) buffer[0] = 0;
  INT_PTR first = 0, last = -1;
  CBlock* source = ParameterSource(&first, &last);
  if (!source || !record) return 0;
  bool editing = source == m_view->GetEditBlock();
  CBoxArray* boxes = source->GetBoxArray();
  record->boxGaps = record->lineGaps = 0;
  record->fontAngle = record->fontSkewX = record->fontSkewY = 0;
  bool boxGapSeen = false, lineGapSeen = false, firstCharSeen = false;
  bool languageSeen[CTextDefaults::kRowCount] = {};
  std::string text;
  int counted = 0;
  for (INT_PTR i = 0; i <= last && i < boxes->GetSize(); ++i) {
    CTextBox* box = boxes->GetBox(i);
    if (box && box->IsAttrBox()) {
      // Under edit the last marker in force wins; otherwise the first of each kind counts.
      const auto* attr = static_cast<const CAttrBox*>(box);
      if (attr->m_attrKind == CAttrBox::kBoxGaps && (editing || !boxGapSeen)) {
        record->boxGaps = attr->GetFloat();
        boxGapSeen = true;
      } else if (attr->m_attrKind == CAttrBox::kLineGaps && (editing || !lineGapSeen)) {
        record->lineGaps = attr->GetFloat();
        lineGapSeen = true;
      }
      continue;
    }
    auto* character = boxes->GetCharBox(i);
    if (!character || i < first) continue;
    int bytes = character->m_code > 0xFF ? 2 : 1;
    if (counted < size) {
      counted += bytes;
      if (counted < size) {
        if (bytes == 2) text += static_cast<char>(character->m_code >> 8);
        text += static_cast<char>(character->m_code & 0xFF);
      }
    }
    if (!firstCharSeen) {
      firstCharSeen = true;
      record->fontAngle = character->m_angle;
      record->fontSkewX = character->m_skewX;
      record->fontSkewY = character->m_skewY;
      record->fontCode = character->m_kind;
      const CMatrix2D& matrix = source->m_matrix;
      if (matrix.IsIdentity()) {
        record->fontSizeX = character->m_width;
        record->fontSizeY = character->m_height;
      } else {
        // Lengths on the page: the box's sides through the block's matrix.
        FPOINT origin = {0, 0}, across = {character->m_width, 0}, down = {0, character->m_height};
        matrix.TransformPoint(&origin);
        matrix.TransformPoint(&across);
        matrix.TransformPoint(&down);
        record->fontSizeX = Distance(origin.x, origin.y, across.x, across.y);
        record->fontSizeY = Distance(origin.x, origin.y, down.x, down.y);
      }
    }
    int language = g_language.FindIndex(character->Charset());
    if (language >= 0 && language < CTextDefaults::kRowCount && !languageSeen[language]) {
      languageSeen[language] = true;
      record->defaultSource[language] = static_cast<BYTE>(character->FontSource());
      record->defaultFontNumber[language] = character->m_fontNumber;
    }
  }
  if (buffer && size > 0) std::memcpy(buffer, text.c_str(), text.size() + 1);
  return 1;
}

int CTextCommands::ApplyFontToSelection(const CTextDefaults& record, int flags) {
  CTextDefaults format = record;
  format.fontCode = static_cast<WORD>(format.fontCode & 0x0FFF);
  CSelectTracker& tracker = m_view->GetSelectTracker();
  tracker.Hide(nullptr);
  int result = 0;
  {
    CDocumentChange change(*m_view->GetUndoManager(), m_view->GetDocument());
    if (CBlock* edited = m_view->GetEditBlock()) {
      auto* text = dynamic_cast<CTextBlock*>(edited);
      if (text && text->ApplyFormatToSelection(m_view, format, flags)) {
        text->UpdateBox();
        result = 1;
      }
    } else if (CSegArray* blocks = m_view->GetBlockArray()) {
      for (INT_PTR i = 0; i < blocks->GetSize(); ++i) {
        auto* text = dynamic_cast<CTextBlock*>(blocks->GetBlock(i));
        if (!text || !text->m_selected) continue;
        text->Invalidate(m_view, TRUE);
        text->ApplyFormat(m_view, format, flags, 0, text->GetBoxArray()->GetSize() - 1);
        text->UpdateBox();
        text->Invalidate(m_view, TRUE);
      }
    }
  }
  tracker.Recount();
  tracker.Show(nullptr);
  return result;
}
