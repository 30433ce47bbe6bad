#include "framework/MultiDocTemplate.h"

#include "framework/AfxRes.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"

IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)

CMultiDocTemplate::CMultiDocTemplate(UINT idResource, CRuntimeClass* documentClass,
                                     CRuntimeClass* frameClass, CRuntimeClass* viewClass)
    : CDocTemplate(idResource, documentClass, frameClass, viewClass) {
  LoadTemplate();
}

CMultiDocTemplate::~CMultiDocTemplate() {
  // Documents still open belong to the program ending: delete them without views.
  while (!m_docList.IsEmpty()) {
    auto* document = static_cast<CDocument*>(m_docList.RemoveHead());
    RemoveDocument(document);
    delete document;
  }
}

CDocument* CMultiDocTemplate::GetNextDoc(POSITION& position) const {
  return static_cast<CDocument*>(const_cast<CPtrList&>(m_docList).GetNext(position));
}

void CMultiDocTemplate::AddDocument(CDocument* document) {
  CDocTemplate::AddDocument(document);
  if (!m_docList.Find(document)) m_docList.AddTail(document);
}

void CMultiDocTemplate::RemoveDocument(CDocument* document) {
  CDocTemplate::RemoveDocument(document);
  if (POSITION position = m_docList.Find(document)) m_docList.RemoveAt(position);
}

void CMultiDocTemplate::SetDefaultTitle(CDocument* document) {
  CString title;
  if (GetDocString(title, docName) && !title.IsEmpty()) {
    title.AppendFormat("%u", m_nUntitledCount + 1);
  } else if (!title.LoadString(AFX_IDS_UNTITLED)) {
    title = "Untitled";
  }
  document->SetTitle(title);
}

CDocument* CMultiDocTemplate::OpenDocumentFile(LPCSTR path, BOOL makeVisible) {
  CDocument* document = CreateNewDocument();
  if (!document) {
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    return nullptr;
  }
  // The document must outlive a frame that fails halfway.
  BOOL autoDelete = document->m_bAutoDelete;
  document->m_bAutoDelete = FALSE;
  CFrameWnd* frame = CreateNewFrame(document, nullptr);
  document->m_bAutoDelete = autoDelete;
  if (!frame) {
    AfxMessageBox(AFX_IDP_FAILED_TO_CREATE_DOC);
    delete document;
    return nullptr;
  }
  if (!path) {
    SetDefaultTitle(document);
    if (!makeVisible) document->m_bEmbedded = TRUE;
    if (!document->OnNewDocument()) {
      frame->DestroyWindow();  // takes the document with it
      return nullptr;
    }
    ++m_nUntitledCount;
  } else {
    CWaitCursor wait;
    if (!document->OnOpenDocument(path)) {
      frame->DestroyWindow();
      return nullptr;
    }
    document->SetPathName(path);
  }
  InitialUpdateFrame(frame, document, makeVisible);
  return document;
}
