#include "framework/DocTemplate.h"

#include "framework/CreateContext.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"
#include "framework/ResourceModule.h"
#include "framework/View.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

CDocTemplate::CDocTemplate(UINT idResource, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
                           CRuntimeClass* viewClass)
    : m_nIDResource(idResource),
      m_pDocClass(documentClass),
      m_pFrameClass(frameClass),
      m_pViewClass(viewClass) {}

CDocTemplate::~CDocTemplate() {
  if (m_hMenuShared) ::DestroyMenu(m_hMenuShared);
}

void CDocTemplate::LoadTemplate() {
  if (m_strDocStrings.IsEmpty()) m_strDocStrings.LoadString(m_nIDResource);
  HINSTANCE resources = AfxGetResourceHandle();
  if (!m_hMenuShared &&
      ::FindResourceA(resources, MAKEINTRESOURCEA(m_nIDResource), MAKEINTRESOURCEA(4)))
    m_hMenuShared = ::LoadMenuA(resources, MAKEINTRESOURCEA(m_nIDResource));
  if (!m_hAccelTable)
    m_hAccelTable = ::LoadAcceleratorsA(resources, MAKEINTRESOURCEA(m_nIDResource));
}

BOOL CDocTemplate::GetDocString(CString& text, DocStringIndex index) const {
  text.Empty();
  int start = 0;
  for (int part = 0; part < static_cast<int>(index); ++part) {
    int newline = m_strDocStrings.Find('\n', start);
    if (newline < 0) return FALSE;
    start = newline + 1;
  }
  int end = m_strDocStrings.Find('\n', start);
  text = end < 0 ? m_strDocStrings.Mid(start) : m_strDocStrings.Mid(start, end - start);
  return TRUE;
}

void CDocTemplate::AddDocument(CDocument* document) { document->m_pDocTemplate = this; }

void CDocTemplate::RemoveDocument(CDocument* document) { document->m_pDocTemplate = nullptr; }

CDocument* CDocTemplate::CreateNewDocument() {
  CObject* object = m_pDocClass ? m_pDocClass->CreateObject() : nullptr;
  if (!object) return nullptr;
  if (!object->IsKindOf(RUNTIME_CLASS(CDocument))) {
    delete object;
    return nullptr;
  }
  auto* document = static_cast<CDocument*>(object);
  AddDocument(document);
  return document;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* document, CFrameWnd* other) {
  CCreateContext context;
  context.m_pCurrentFrame = other;
  context.m_pCurrentDoc = document;
  context.m_pNewViewClass = m_pViewClass;
  context.m_pNewDocTemplate = this;
  CObject* object = m_pFrameClass ? m_pFrameClass->CreateObject() : nullptr;
  if (!object) return nullptr;
  if (!object->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
    delete object;
    return nullptr;
  }
  auto* frame = static_cast<CFrameWnd*>(object);
  // A frame that fails to load has destroyed (and deleted) itself.
  if (!frame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, &context))
    return nullptr;
  return frame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible) {
  frame->InitialUpdateFrame(document, makeVisible);
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCSTR path, CDocument*& match) {
  match = nullptr;
  POSITION position = GetFirstDocPosition();
  while (position) {
    CDocument* document = GetNextDoc(position);
    if (!document->GetPathName().IsEmpty() && document->GetPathName().CompareNoCase(path) == 0) {
      match = document;
      return yesAlreadyOpen;
    }
  }
  CString extension;
  if (GetDocString(extension, filterExt) && !extension.IsEmpty()) {
    CString name(path);
    int dot = name.ReverseFind('.');
    if (dot >= 0 && name.Mid(dot).CompareNoCase(extension) == 0) return yesAttemptNative;
  }
  return yesAttemptForeign;
}

BOOL CDocTemplate::SaveAllModified() {
  POSITION position = GetFirstDocPosition();
  while (position)
    if (!GetNextDoc(position)->SaveModified()) return FALSE;
  return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL) {
  // Closing a document changes the list: work from a copy.
  CPtrList documents;
  POSITION position = GetFirstDocPosition();
  while (position) documents.AddTail(GetNextDoc(position));
  while (!documents.IsEmpty()) {
    auto* document = static_cast<CDocument*>(documents.RemoveHead());
    bool stillOpen = false;
    for (position = GetFirstDocPosition(); position && !stillOpen;)
      stillOpen = GetNextDoc(position) == document;
    if (stillOpen) document->OnCloseDocument();
  }
}
