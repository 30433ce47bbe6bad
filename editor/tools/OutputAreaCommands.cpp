#include "editor/tools/OutputAreaCommands.h"

#include "editor/views/TALVEXView.h"
#include "framework/CmdUI.h"
#include "model/blocks/Block.h"
#include "model/document/SegArray.h"
#include "model/document/TALVEX42Doc.h"

// clang-format off
BEGIN_MESSAGE_MAP(COutputAreaCommands, CCmdTarget)
  ON_COMMAND(COutputAreaCommands::kAreaMode, OnAreaMode)
  ON_COMMAND(COutputAreaCommands::kDrawTool, OnDrawTool)
  ON_COMMAND(COutputAreaCommands::kSelectTool, OnSelectTool)
  ON_COMMAND(COutputAreaCommands::kClearAll, OnClearAll)
  ON_COMMAND(COutputAreaCommands::kSolid, OnSolid)
  ON_COMMAND(COutputAreaCommands::kHollow, OnHollow)
  ON_COMMAND(COutputAreaCommands::kDelete, OnDelete)
  ON_UPDATE_COMMAND_UI(COutputAreaCommands::kAreaMode, OnUpdateTool)
  ON_UPDATE_COMMAND_UI(COutputAreaCommands::kDrawTool, OnUpdateTool)
  ON_UPDATE_COMMAND_UI(COutputAreaCommands::kSelectTool, OnUpdateTool)
  ON_UPDATE_COMMAND_UI(COutputAreaCommands::kClearAll, OnUpdateClearAll)
  ON_UPDATE_COMMAND_UI(COutputAreaCommands::kSolid, OnUpdateSelection)
  ON_UPDATE_COMMAND_UI(COutputAreaCommands::kHollow, OnUpdateSelection)
  ON_UPDATE_COMMAND_UI(COutputAreaCommands::kDelete, OnUpdateSelection)
END_MESSAGE_MAP()
// clang-format on

COutputAreaCommands::COutputAreaCommands(CTALVEXView* view)
    : m_view(view), m_tracker(view), m_drawTool(view, &m_tracker) {}

CTALVEX42Doc* COutputAreaCommands::Document() const {
  CDocument* document = m_view ? m_view->GetDocument() : nullptr;
  return document && document->IsKindOf(RUNTIME_CLASS(CTALVEX42Doc))
             ? static_cast<CTALVEX42Doc*>(document)
             : nullptr;
}

bool COutputAreaCommands::Attach() {
  CTALVEX42Doc* document = Document();
  m_tracker.SetDocument(document);
  return document != nullptr;
}

bool COutputAreaCommands::IsOutputAreaToolActive() const {
  int tool = m_view ? m_view->GetCurrentTool() : 0;
  return tool == kDrawTool || tool == kSelectTool;
}

// Flagging and deleting are the areas' only while an area tool is current; otherwise the view's
// own commands of the same ids act on blocks.
BOOL COutputAreaCommands::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* info) {
  if ((id == kSolid || id == kHollow || id == kDelete) && !IsOutputAreaToolActive()) return FALSE;
  if (!Attach()) return FALSE;
  return CCmdTarget::OnCmdMsg(id, code, extra, info);
}

void COutputAreaCommands::Draw(CDC* dc, CMatrix2D* matrix) {
  if (Attach()) m_tracker.DrawSelected(dc, matrix);
}

BOOL COutputAreaCommands::OnLButtonDown(const Event& event) {
  return OnLButtonDown(event.flags, event.x, event.y);
}

BOOL COutputAreaCommands::OnMouseMove(const Event& event) {
  return OnMouseMove(event.flags, event.x, event.y);
}

BOOL COutputAreaCommands::OnLButtonUp(const Event& event) {
  return OnLButtonUp(event.flags, event.x, event.y);
}

bool COutputAreaCommands::OnLButtonDown(UINT flags, float x, float y) {
  if (!IsOutputAreaToolActive() || !Attach()) return false;
  return m_tracker.OnLButtonDown(flags, x, y) != 0 || m_drawTool.OnLButtonDown(x, y);
}

bool COutputAreaCommands::OnMouseMove(UINT flags, float x, float y) {
  if (!IsOutputAreaToolActive() || !Attach()) return false;
  return m_tracker.OnMouseMove(flags, x, y) != 0 || m_drawTool.OnMouseMove(x, y);
}

bool COutputAreaCommands::OnLButtonUp(UINT flags, float x, float y) {
  if (!IsOutputAreaToolActive() || !Attach()) return false;
  return m_tracker.OnLButtonUp(flags, x, y) != 0 || m_drawTool.OnLButtonUp(x, y);
}

void COutputAreaCommands::SetTool(int tool) {
  m_drawTool.Cancel();
  m_view->SetCurrentTool(tool);
}

void COutputAreaCommands::OnAreaMode() {
  CSegArray& blocks = Document()->GetBlockList();
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i)
    if (CBlock* block = blocks.GetBlock(i)) block->m_selected = 0;
  SetTool(kSelectTool);
  m_view->Invalidate(FALSE);
}

void COutputAreaCommands::OnDrawTool() { SetTool(kDrawTool); }
void COutputAreaCommands::OnSelectTool() { SetTool(kSelectTool); }
void COutputAreaCommands::OnClearAll() { m_tracker.ClearAll(); }
void COutputAreaCommands::OnSolid() { m_tracker.SetSolid(1); }
void COutputAreaCommands::OnHollow() { m_tracker.SetSolid(0); }
void COutputAreaCommands::OnDelete() { m_tracker.DeleteSelected(); }

void COutputAreaCommands::OnUpdateTool(CCmdUI* cmdUI) {
  int tool = m_view->GetCurrentTool();
  bool current = cmdUI->m_nID == kAreaMode ? IsOutputAreaToolActive()
                                           : tool == static_cast<int>(cmdUI->m_nID);
  cmdUI->Enable(TRUE);
  cmdUI->SetRadio(current);
}

void COutputAreaCommands::OnUpdateClearAll(CCmdUI* cmdUI) {
  cmdUI->Enable(Document() && Document()->GetOutputAreas().GetSize() > 0);
}

void COutputAreaCommands::OnUpdateSelection(CCmdUI* cmdUI) {
  cmdUI->Enable(m_tracker.GetSelectedCount() > 0);
}
