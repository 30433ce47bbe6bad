#include "editor/dialogs/TextEditorStore.h"

#include "editor/dialogs/TextEditorDlg.h"
#include "text/TextBlock.h"

CTextEditorStore::CTextEditorStore()
    : m_previousCopier(CTextBlock::SetEditorSelectionCopier(CTextEditorDlg::CopySelection)) {}

CTextEditorStore::~CTextEditorStore() { CTextBlock::SetEditorSelectionCopier(m_previousCopier); }

bool CTextEditorStore::SaveText(CString& text) { return CTextEditorDlg::SaveText(text); }

bool CTextEditorStore::LoadText(const std::vector<BYTE>& stored) {
  return CTextEditorDlg::LoadText(stored);
}
