#include "editor/bars/AppDocumentSource.h"

#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/MDIChildWnd.h"
#include "framework/MDIFrameWnd.h"
#include "framework/View.h"
#include "framework/WinApp.h"

namespace {

// Calls visit with each open document in order until it answers true; the document it stopped
// at, or null.
template <class Visit>
CDocument* WalkDocuments(Visit visit) {
  CWinApp* app = AfxGetApp();
  if (!app) return nullptr;
  POSITION templates = app->GetFirstDocTemplatePosition();
  while (templates) {
    CDocTemplate* docTemplate = app->GetNextDocTemplate(templates);
    POSITION documents = docTemplate->GetFirstDocPosition();
    while (documents) {
      CDocument* document = docTemplate->GetNextDoc(documents);
      if (visit(document)) return document;
    }
  }
  return nullptr;
}

CMDIFrameWnd* MainFrame() {
  CWnd* main = AfxGetMainWnd();
  if (!main || !main->m_hWnd || !main->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd))) return nullptr;
  return static_cast<CMDIFrameWnd*>(main);
}

}  // namespace

int CAppDocumentSource::GetCount() const {
  int count = 0;
  WalkDocuments([&count](CDocument*) {
    ++count;
    return false;
  });
  return count;
}

CDocument* CAppDocumentSource::GetAt(int index) const {
  if (index < 0) return nullptr;
  int i = 0;
  return WalkDocuments([&i, index](CDocument*) { return i++ == index; });
}

CDocument* CAppDocumentSource::GetActive() const {
  CMDIFrameWnd* frame = MainFrame();
  CMDIChildWnd* child = frame ? frame->MDIGetActive() : nullptr;
  return child ? child->GetActiveDocument() : nullptr;
}

void CAppDocumentSource::Activate(CDocument* document) {
  CMDIFrameWnd* frame = MainFrame();
  if (!frame || !document) return;
  POSITION position = document->GetFirstViewPosition();
  CView* view = position ? document->GetNextView(position) : nullptr;
  if (!view || !view->m_hWnd) return;
  CFrameWnd* child = view->GetParentFrame();
  if (!child || !child->m_hWnd) return;
  view->SetActiveWindow();
  ::SendMessageA(frame->m_hWndMDIClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->m_hWnd),
                 0);
}

void CAppDocumentSource::CloseActive() {
  if (CWnd* main = AfxGetMainWnd()) {
    if (main->m_hWnd) main->SendMessage(WM_COMMAND, ID_FILE_CLOSE, 0);
  }
}
