// CAppDocumentSource: the application's open documents for the document tab bar, walked through
// the document templates, and the main window that activates and closes them.
#pragma once

#include "editor/bars/DocumentSource.h"

class CAppDocumentSource : public CDocumentSource {
public:
  int GetCount() const override;
  CDocument* GetAt(int index) const override;
  CDocument* GetActive() const override;
  void Activate(CDocument* document) override;
  void CloseActive() override;
};
