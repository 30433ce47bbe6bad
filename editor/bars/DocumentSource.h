// CDocumentSource: what the document tab bar needs of the open documents: them in order, the
// active one, and the two things a tab does with them (bring one to the front, close the active
// one). CAppDocumentSource answers from the application; tests answer with their own documents.
#pragma once

class CDocument;

class CDocumentSource {
public:
  virtual ~CDocumentSource() = default;

  // The open documents of every template, template by template, in their order.
  virtual int GetCount() const = 0;
  // Null out of range.
  virtual CDocument* GetAt(int index) const = 0;
  // The document of the main window's active document window, or null.
  virtual CDocument* GetActive() const = 0;
  // Brings the document's first view to the front; nothing for a document without a view.
  virtual void Activate(CDocument* document) = 0;
  // Closes the active document (the framework's ID_FILE_CLOSE to the main window).
  virtual void CloseActive() = 0;

  // The document's place in the walk, -1 when it is not open. Compares addresses only, so a
  // pointer to a document that was closed may be asked about.
  int IndexOf(const CDocument* document) const {
    for (int i = 0; i < GetCount(); ++i)
      if (GetAt(i) == document) return i;
    return -1;
  }
};
