// CDocumentTextStore: where the text section of a document goes and comes from: the editor's one
// text editor window, whose text every saved document carries and to which every opened document
// adds its own. The editor's program objects install one; while none is installed, or the store
// has no window to hold the text, a document keeps the section as it was read and writes it back
// unchanged. Installations nest: the destructor brings back the one installed before.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"

class CDocumentTextStore {
public:
  CDocumentTextStore();
  virtual ~CDocumentTextStore();
  CDocumentTextStore(const CDocumentTextStore&) = delete;
  CDocumentTextStore& operator=(const CDocumentTextStore&) = delete;

  // The installed store, null when none is.
  static CDocumentTextStore* Installed();

  // The text a save stores (the document cuts it to the section's limit); false when the store has
  // no text window.
  virtual bool SaveText(CString& text) = 0;
  // Hands an opened document's stored bytes (the text and its zero) to the text window; false
  // when there is none to take them.
  virtual bool LoadText(const std::vector<BYTE>& stored) = 0;

private:
  CDocumentTextStore* m_previous;
};
