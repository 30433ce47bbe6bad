#include "editor/dialogs/ViewDialog.h"

#include <cstdlib>

#include "editor/TALVEX42View.h"
#include "editor/views/SelectTracker.h"
#include "framework/MessageBox.h"
#include "model/blocks/Block.h"
#include "model/blocks/ImageBlock.h"
#include "model/document/TALVEX42Doc.h"
#include "model/undo/UndoInsertRecord.h"
#include "model/undo/UndoManager.h"

CViewDialog::CViewDialog(UINT templateId, CTALVEX42View* view, const CAppProfile& profile,
                         CWnd* parent)
    : CDialog(templateId, parent ? parent : view), m_view(view), m_profile(profile) {}

CTALVEX42Doc* CViewDialog::Document() const { return m_view ? m_view->GetDocument() : nullptr; }

CSelectTracker* CViewDialog::Tracker() const {
  return m_view ? &m_view->GetSelectTracker() : nullptr;
}

CImageBlock* CViewDialog::SelectedImage() const {
  CSelectTracker* tracker = Tracker();
  return tracker ? static_cast<CImageBlock*>(tracker->FindSelected(kImageBlock)) : nullptr;
}

CString CViewDialog::ReadText(int id, int length) const {
  CString text;
  GetDlgItemText(id, text);
  return text.GetLength() > length ? text.Left(length) : text;
}

float CViewDialog::ReadFloat(int id, int length) const {
  return static_cast<float>(atof(ReadText(id, length)));
}

int CViewDialog::ReadInt(int id) const { return atoi(ReadText(id)); }

void CViewDialog::ShowNumber(int id, LPCSTR format, double value) {
  SetDlgItemNumber(id, value, format);
}

bool CViewDialog::IsChecked(int id) const { return IsDlgButtonChecked(id) == BST_CHECKED; }

void CViewDialog::SetChecked(int id, bool checked) {
  CheckDlgButton(id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CViewDialog::EnableControl(int id, bool enable) {
  if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
}

void CViewDialog::AddToDocument(CBlock* block) {
  CTALVEX42Doc* document = Document();
  if (!block || !document) {
    delete block;
    return;
  }
  document->AddBlock(block);
  if (m_view->GetUndoDepth() != 0)
    m_view->GetUndoManager()->AppendRecord(new CUndoInsertRecord(block));
  block->Invalidate(m_view, FALSE);
}

CString CViewDialog::ResourceLine(UINT id, int index) {
  CString text;
  if (!text.LoadString(id)) return CString();
  int start = 0;
  for (int i = 0; i < index; ++i) {
    start = text.Find('\n', start);
    if (start < 0) return CString();
    ++start;
  }
  int end = text.Find('\n', start);
  return end < 0 ? text.Mid(start) : text.Mid(start, end - start);
}

int CViewDialog::ShowMessage(UINT textId, UINT captionId, UINT type) {
  CString text, caption;
  text.LoadString(textId);
  if (captionId) caption.LoadString(captionId);
  return AfxShowMessageBox(m_hWnd, text, captionId ? static_cast<LPCSTR>(caption) : nullptr, type);
}
