#include "editor/commands/ClipboardCommands.h"

#include <memory>
#include <vector>

#include "editor/TALVEX42View.h"
#include "editor/dialogs/MergeFilePrompt.h"
#include "editor/dialogs/TextEditorDlg.h"
#include "editor/views/DocumentChange.h"
#include "framework/CmdUI.h"
#include "framework/GlobalLock.h"
#include "framework/WinApp.h"
#include "model/blocks/AuxObject.h"
#include "model/blocks/Block.h"
#include "model/document/BlockClipboard.h"
#include "model/document/SegArray.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoInsertRecord.h"
#include "model/undo/UndoMergeRecord.h"
#include "text/TextBlock.h"
#include "text/layout/BoxArray.h"

namespace {

const int kDrawAreaTool = 32792;
const int kSelectAreaTool = 32794;

std::vector<BYTE> BytesOf(HANDLE memory) {
  std::vector<BYTE> bytes;
  CGlobalLock lock(memory);
  if (lock.Data()) bytes.assign(lock.Data(), lock.Data() + lock.Size());
  return bytes;
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CClipboardCommands, CCmdTarget)
  ON_COMMAND(CClipboardCommands::kCopy, OnCopy)
  ON_COMMAND(CClipboardCommands::kCut, OnCut)
  ON_COMMAND(CClipboardCommands::kPaste, OnPaste)
  ON_COMMAND(CClipboardCommands::kMerge, OnMerge)
  ON_UPDATE_COMMAND_UI(CClipboardCommands::kCopy, OnUpdateCopy)
  ON_UPDATE_COMMAND_UI(CClipboardCommands::kCut, OnUpdateCut)
  ON_UPDATE_COMMAND_UI(CClipboardCommands::kPaste, OnUpdatePaste)
  ON_UPDATE_COMMAND_UI(CClipboardCommands::kMerge, OnUpdateMerge)
END_MESSAGE_MAP()
// clang-format on

CClipboardCommands::CClipboardCommands(CTALVEX42View* view) : m_view(view) {}

CTALVEX42Doc* CClipboardCommands::Document() const {
  return m_view ? m_view->GetDocument() : nullptr;
}

bool CClipboardCommands::OutputAreaToolActive() const {
  int tool = m_view->GetCurrentTool();
  return tool == kDrawAreaTool || tool == kSelectAreaTool;
}

bool CClipboardCommands::TextUnderEdit() const {
  CBlock* edited = m_view->GetEditBlock();
  return edited && edited->m_type == kTextBlock;
}

int CClipboardCommands::SelectedAreaCount() const {
  CTALVEX42Doc* document = Document();
  int count = 0;
  for (INT_PTR i = 0; document && i < document->GetOutputAreas().GetSize(); ++i) {
    CAuxObject* area = document->GetOutputAreas().GetObjectAt(i);
    if (area && area->GetState() == CAuxObject::kSelectedState) ++count;
  }
  return count;
}

int CClipboardCommands::SelectedBlockCount() const {
  CTALVEX42Doc* document = Document();
  int count = 0;
  for (INT_PTR i = 0; document && i < document->GetBlockList().GetSize(); ++i) {
    CBlock* block = document->GetBlockList().GetBlock(i);
    if (block && block->m_selected == 1) ++count;
  }
  return count;
}

void CClipboardCommands::OnUpdateCopy(CCmdUI* cmdUI) {
  if (OutputAreaToolActive())
    cmdUI->Enable(SelectedAreaCount() > 0);
  else
    cmdUI->Enable(TextUnderEdit() || SelectedBlockCount() > 0);
}

void CClipboardCommands::OnUpdateCut(CCmdUI* cmdUI) { cmdUI->Enable(CanCut()); }

bool CClipboardCommands::CanCut() const {
  if (TextUnderEdit()) return CharactersSelected();
  return OutputAreaToolActive() ? SelectedAreaCount() > 0 : SelectedBlockCount() > 0;
}

bool CClipboardCommands::CharactersSelected() const {
  auto* text = static_cast<CTextBlock*>(m_view->GetEditBlock());
  INT_PTR first = -1;
  return text->GetBoxArray()->FindFirstSelected(&first) != nullptr;
}

void CClipboardCommands::OnUpdatePaste(CCmdUI* cmdUI) {
  if (OutputAreaToolActive())
    cmdUI->Enable(::IsClipboardFormatAvailable(CAuxObjectList::GetClipboardFormat()));
  else
    cmdUI->Enable(TextUnderEdit() ? TextOnClipboard()
                                  : ::IsClipboardFormatAvailable(GetBlockListClipboardFormat()));
}

void CClipboardCommands::OnUpdateMerge(CCmdUI* cmdUI) { cmdUI->Enable(Document() != nullptr); }

void CClipboardCommands::OnCopy() {
  CTALVEX42Doc* document = Document();
  if (!document) return;
  if (OutputAreaToolActive()) {
    document->GetOutputAreas().CopySelectedToClipboard();
    return;
  }
  if (TextUnderEdit()) {
    static_cast<CTextBlock*>(m_view->GetEditBlock())->CopyToClipboard(m_view->GetSafeHwnd());
    return;
  }
  if (SelectedBlockCount() == 0) return;
  CopyBlocksAndTextToClipboard(m_view->GetSafeHwnd(), document->GetBlockList());
}

void CClipboardCommands::OnCut() {
  // Only selected characters go from a text under edit: the text's own delete, which takes them
  // out in one undo step, would otherwise delete the character at the caret.
  if (!CanCut()) return;
  OnCopy();
  // The view's delete, whoever carries it out for the current tool.
  m_view->OnCmdMsg(kDelete, CN_COMMAND, nullptr, nullptr);
}

void CClipboardCommands::OnPaste() {
  CTALVEX42Doc* document = Document();
  if (!document) return;
  CDocumentChange change(*m_view->GetUndoManager(), document);
  if (OutputAreaToolActive()) {
    if (document->GetOutputAreas().PasteFromClipboard()) m_view->Invalidate(FALSE);
    return;
  }
  if (TextUnderEdit()) {
    PasteTextFromClipboard();
    return;
  }
  PasteFromClipboard(nullptr);
}

bool CClipboardCommands::TextOnClipboard() {
  return ::IsClipboardFormatAvailable(CTextBlock::GetClipboardFormat()) ||
         ::IsClipboardFormatAvailable(CF_UNICODETEXT) || ::IsClipboardFormatAvailable(CF_TEXT);
}

int CClipboardCommands::PasteTextFromClipboard() {
  CBlock* edited = m_view->GetEditBlock();
  if (!edited || edited->m_type != kTextBlock) return 0;
  static_cast<CTextBlock*>(edited)->PasteFromClipboard(m_view);
  edited->UpdateBox();
  return 1;
}

int CClipboardCommands::PasteFromClipboard(const FPOINT* offset) {
  CTALVEX42Doc* document = Document();
  if (!document || !::OpenClipboard(m_view->GetSafeHwnd())) return 0;
  std::vector<BYTE> record;
  if (HANDLE data = ::GetClipboardData(GetBlockListClipboardFormat())) record = BytesOf(data);
  ::CloseClipboard();
  // A damaged record is reported by the list and pastes nothing.
  bool damaged = false;
  std::unique_ptr<CSegArray> blocks(LoadSegArray(record.data(), record.size(), &damaged));
  if (!blocks || damaged) return 0;
  CUndoManager* undo = m_view->GetUndoManager();
  for (INT_PTR i = blocks->GetSize() - 1; i >= 0; --i) {
    CBlock* block = blocks->GetBlock(i);
    if (offset) block->Offset(offset->x, offset->y);
    if (m_view->GetUndoDepth()) undo->AppendRecord(new CUndoInsertRecord(block));
  }
  document->AppendBlocks(*blocks);
  blocks->RemoveAll();
  return 1;
}

int CClipboardCommands::MergeBlocks(HGLOBAL record) {
  CTALVEX42Doc* document = Document();
  if (!document || !record) return 0;
  CDocumentChange change(*m_view->GetUndoManager(), document);
  std::vector<BYTE> bytes = BytesOf(record);
  // As on the clipboard, a damaged list is reported by the list and merges nothing.
  bool damaged = false;
  std::unique_ptr<CSegArray> blocks(LoadSegArray(bytes.data(), bytes.size(), &damaged));
  if (!blocks || damaged) return 0;
  document->AppendBlocks(*blocks);
  if (m_view->GetUndoDepth())
    m_view->GetUndoManager()->AppendRecord(new CUndoMergeRecord(blocks.release()));
  else
    blocks->RemoveAll();
  return 1;
}

bool CClipboardCommands::AppendToTextEditor(HGLOBAL text) {
  if (!text) return false;
  std::vector<BYTE> bytes = BytesOf(text);
  bytes.push_back(0);  // the block's own spare zero may be missing
  return CTextEditorDlg::AppendLine(reinterpret_cast<const char*>(bytes.data()));
}

void CClipboardCommands::OnMerge() {
  HGLOBAL blocks = nullptr;
  HGLOBAL text = nullptr;
  if (PromptMergeFile(&blocks, &text, m_view) < 0) return;
  if (blocks) {
    MergeBlocks(blocks);
    ::GlobalFree(blocks);
  }
  if (text) {
    AppendToTextEditor(text);
    ::GlobalFree(text);
  }
}
