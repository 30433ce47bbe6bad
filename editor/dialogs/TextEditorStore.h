// CTextEditorStore: the documents' text section through the main frame's text editor window
// (CTextEditorDlg): a save stores the window's text, an open adds its text to the window. It also
// lets a Ctrl+double-click in a text block take the window's selection. The editor's program
// objects build one, which installs itself for the program's life.
#pragma once

#include "model/document/DocumentTextStore.h"

class CTextEditorStore : public CDocumentTextStore {
public:
  CTextEditorStore();
  ~CTextEditorStore() override;

  bool SaveText(CString& text) override;
  bool LoadText(const std::vector<BYTE>& stored) override;

private:
  // The text blocks' copier of the editor's selection before this store was made.
  bool (*m_previousCopier)(HWND);
};
