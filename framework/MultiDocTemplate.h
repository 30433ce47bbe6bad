// CMultiDocTemplate: a template whose documents each open in their own MDI child frame.
#pragma once

#include "framework/DocTemplate.h"

class CMultiDocTemplate : public CDocTemplate {
  DECLARE_DYNAMIC(CMultiDocTemplate)
public:
  CMultiDocTemplate(UINT idResource, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                    CRuntimeClass* viewClass);
  ~CMultiDocTemplate() override;

  POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
  CDocument* GetNextDoc(POSITION& position) const override;
  void AddDocument(CDocument* document) override;
  void RemoveDocument(CDocument* document) override;
  CDocument* OpenDocumentFile(LPCSTR path, BOOL makeVisible = TRUE) override;
  void SetDefaultTitle(CDocument* document) override;

  CPtrList m_docList;
  UINT m_nUntitledCount = 0;
};
