#include "framework/Document.h"

#include "framework/DocTemplate.h"
#include "framework/File.h"
#include "framework/FileException.h"
#include "framework/FormatString.h"
#include "framework/FrameWnd.h"
#include "framework/MessageBox.h"
#include "framework/View.h"
#include "framework/WaitCursor.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
  ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
  ON_COMMAND(ID_FILE_SAVE, OnFileSave)
  ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

CDocument::~CDocument() {
  // Views still attached lose their document rather than point at a deleted one.
  POSITION position = m_viewList.GetHeadPosition();
  while (position) static_cast<CView*>(m_viewList.GetNext(position))->m_pDocument = nullptr;
  if (m_pDocTemplate) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetTitle(LPCSTR title) {
  m_strTitle = title ? title : "";
  UpdateFrameCounts();
}

void CDocument::SetPathName(LPCSTR path, BOOL addToRecentFiles) {
  char full[MAX_PATH * 4];
  LPSTR filePart = nullptr;
  DWORD length = ::GetFullPathNameA(path, sizeof full, full, &filePart);
  m_strPathName = (length > 0 && length < sizeof full) ? CString(full) : CString(path);
  CString name = m_strPathName;
  int slash = name.ReverseFind('\\');
  if (slash >= 0) name = name.Mid(slash + 1);
  SetTitle(name);
  if (addToRecentFiles && AfxGetApp()) AfxGetApp()->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* view) {
  if (!view || m_viewList.Find(view)) return;
  m_viewList.AddTail(view);
  view->m_pDocument = this;
  OnChangedViewList();
}

void CDocument::RemoveView(CView* view) {
  POSITION position = m_viewList.Find(view);
  if (!position) return;
  m_viewList.RemoveAt(position);
  view->m_pDocument = nullptr;
  OnChangedViewList();
}

CView* CDocument::GetNextView(POSITION& position) const {
  return static_cast<CView*>(const_cast<CPtrList&>(m_viewList).GetNext(position));
}

void CDocument::OnChangedViewList() {
  if (m_viewList.IsEmpty() && m_bAutoDelete) {
    OnCloseDocument();
    return;
  }
  UpdateFrameCounts();
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject) {
  POSITION position = GetFirstViewPosition();
  while (position) {
    CView* view = GetNextView(position);
    if (view != sender) view->OnUpdate(sender, hint, hintObject);
  }
}

void CDocument::UpdateFrameCounts() {
  // Count the distinct frames, then number them in view order.
  CPtrList frames;
  POSITION position = GetFirstViewPosition();
  while (position) {
    CView* view = GetNextView(position);
    CFrameWnd* frame = view->m_hWnd && view->IsWindowVisible() ? view->GetParentFrame() : nullptr;
    if (frame && !frames.Find(frame)) frames.AddTail(frame);
  }
  int count = static_cast<int>(frames.GetCount());
  int number = 1;
  POSITION framePosition = frames.GetHeadPosition();
  while (framePosition) {
    auto* frame = static_cast<CFrameWnd*>(frames.GetNext(framePosition));
    frame->m_nWindow = count > 1 ? number++ : 0;
    frame->OnUpdateFrameTitle(TRUE);
  }
}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.Empty();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCSTR path) {
  CFile file;
  CFileException error;
  if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error)) {
    ReportSaveLoadException(path, &error, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
    return FALSE;
  }
  file.Close();
  DeleteContents();
  SetModifiedFlag(FALSE);
  return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCSTR path) {
  CFile file;
  CFileException error;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error)) {
    ReportSaveLoadException(path, &error, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
    return FALSE;
  }
  file.Close();
  SetModifiedFlag(FALSE);
  return TRUE;
}

void CDocument::ReportSaveLoadException(LPCSTR path, CFileException* e, BOOL saving, UINT defaultPromptId) {
  char reason[512] = {};
  if (e) e->GetErrorMessage(reason, sizeof reason);
  CString prompt;
  if (!prompt.LoadString(defaultPromptId)) {
    prompt = saving ? "Failed to save document." : "Failed to open document.";
  }
  if (reason[0]) prompt = prompt + "\n" + reason;
  else if (path) prompt = prompt + "\n" + path;
  AfxMessageBox(prompt, MB_ICONEXCLAMATION);
}

void CDocument::OnCloseDocument() {
  // Destroying the frames removes the views; keep the document alive until they are gone.
  BOOL autoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    auto* view = static_cast<CView*>(m_viewList.GetHead());
    CFrameWnd* frame = view->m_hWnd ? view->GetParentFrame() : nullptr;
    if (frame) {
      PreCloseFrame(frame);
      frame->DestroyWindow();
    } else if (view->m_hWnd) {
      view->DestroyWindow();
    } else {
      RemoveView(view);
    }
  }
  m_bAutoDelete = autoDelete;
  DeleteContents();
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::SaveModified() {
  if (!IsModified()) return TRUE;
  CString name = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName;
  int slash = name.ReverseFind('\\');
  if (slash >= 0) name = name.Mid(slash + 1);
  CString format;
  if (!format.LoadString(AFX_IDP_ASK_TO_SAVE)) format = "Save changes to %1?";
  switch (AfxMessageBox(AfxFormatString1(format, name), MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDCANCEL:
      return FALSE;
    case IDYES:
      return DoFileSave();
    default:
      return TRUE;
  }
}

BOOL CDocument::CanCloseFrame(CFrameWnd* frame) {
  POSITION position = GetFirstViewPosition();
  while (position) {
    CView* view = GetNextView(position);
    if (view->GetParentFrame() != frame) return TRUE;  // another window keeps showing it
  }
  return SaveModified();
}

BOOL CDocument::DoFileSave() {
  DWORD attributes = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
  bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
  if (m_strPathName.IsEmpty() || readOnly) return DoSave(nullptr);
  return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCSTR path, BOOL replace) {
  CString target = path ? path : "";
  if (target.IsEmpty()) {
    target = m_strPathName;
    if (replace && target.IsEmpty()) {
      target = m_strTitle;
      CString extension;
      if (m_pDocTemplate && m_pDocTemplate->GetDocString(extension, CDocTemplate::filterExt) &&
          !extension.IsEmpty() && target.Find('.') < 0)
        target += extension;
    }
    CWinApp* app = AfxGetApp();
    if (!app || !app->DoPromptFileName(target, 0, OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT,
                                       FALSE, m_pDocTemplate))
      return FALSE;
  }
  CWaitCursor wait;
  if (!OnSaveDocument(target)) return FALSE;
  if (replace) SetPathName(target);
  return TRUE;
}

void CDocument::OnFileClose() {
  if (!SaveModified()) return;
  OnCloseDocument();
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(nullptr); }

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocTemplate && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
