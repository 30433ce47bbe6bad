#include "framework/DocManager.h"

#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "framework/FileDialog.h"
#include "framework/FrameWnd.h"
#include "framework/View.h"
#include "framework/WinApp.h"

CDocManager::~CDocManager() {
  while (!m_templateList.IsEmpty()) delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
}

void CDocManager::AddDocTemplate(CDocTemplate* docTemplate) {
  if (!docTemplate || m_templateList.Find(docTemplate)) return;
  docTemplate->LoadTemplate();
  m_templateList.AddTail(docTemplate);
}

CDocTemplate* CDocManager::GetNextDocTemplate(POSITION& position) const {
  return static_cast<CDocTemplate*>(const_cast<CPtrList&>(m_templateList).GetNext(position));
}

int CDocManager::GetOpenDocumentCount() const {
  int count = 0;
  POSITION position = GetFirstDocTemplatePosition();
  while (position) {
    CDocTemplate* docTemplate = GetNextDocTemplate(position);
    POSITION documents = docTemplate->GetFirstDocPosition();
    while (documents) {
      docTemplate->GetNextDoc(documents);
      ++count;
    }
  }
  return count;
}

CDocument* CDocManager::OpenDocumentFile(LPCSTR path) {
  if (!path || !*path) return nullptr;
  char full[MAX_PATH * 4];
  DWORD length = ::GetFullPathNameA(path, sizeof full, full, nullptr);
  CString fullPath = (length > 0 && length < sizeof full) ? CString(full) : CString(path);

  CDocTemplate* best = nullptr;
  CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
  CDocument* open = nullptr;
  POSITION position = GetFirstDocTemplatePosition();
  while (position) {
    CDocTemplate* docTemplate = GetNextDocTemplate(position);
    CDocument* match = nullptr;
    CDocTemplate::Confidence confidence = docTemplate->MatchDocType(fullPath, match);
    if (confidence > bestMatch) {
      bestMatch = confidence;
      best = docTemplate;
      open = match;
    }
    if (confidence == CDocTemplate::yesAlreadyOpen) break;
  }
  if (open) {
    POSITION views = open->GetFirstViewPosition();
    if (views) {
      CView* view = open->GetNextView(views);
      if (CFrameWnd* frame = view->GetParentFrame()) frame->ActivateFrame();
    }
    return open;
  }
  return best ? best->OpenDocumentFile(fullPath) : nullptr;
}

BOOL CDocManager::DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openDialog,
                                   CDocTemplate* docTemplate) {
  CString filter, defaultExtension;
  auto addTemplateFilter = [&](CDocTemplate* each) {
    CString name, extension;
    if (each->GetDocString(name, CDocTemplate::filterName) && !name.IsEmpty() &&
        each->GetDocString(extension, CDocTemplate::filterExt) && !extension.IsEmpty()) {
      filter += name + "|*" + extension + "|";
      if (defaultExtension.IsEmpty()) defaultExtension = extension.Mid(extension[0] == '.' ? 1 : 0);
    }
  };
  if (docTemplate) {
    addTemplateFilter(docTemplate);
  } else {
    POSITION position = GetFirstDocTemplatePosition();
    while (position) addTemplateFilter(GetNextDocTemplate(position));
  }
  CString allFilter;
  if (!allFilter.LoadString(AFX_IDS_ALLFILTER)) allFilter = "All Files (*.*)";
  filter += allFilter + "|*.*||";

  CFileDialog dialog(openDialog,
                     defaultExtension.IsEmpty() ? nullptr : static_cast<LPCSTR>(defaultExtension),
                     fileName, flags, filter, AfxGetMainWnd());
  CString title;
  if (titleId && title.LoadString(titleId)) dialog.m_ofn.lpstrTitle = title;
  if (dialog.DoModal() != IDOK) return FALSE;
  fileName = dialog.GetPathName();
  return TRUE;
}

BOOL CDocManager::SaveAllModified() {
  POSITION position = GetFirstDocTemplatePosition();
  while (position)
    if (!GetNextDocTemplate(position)->SaveAllModified()) return FALSE;
  return TRUE;
}

void CDocManager::CloseAllDocuments(BOOL endSession) {
  POSITION position = GetFirstDocTemplatePosition();
  while (position) GetNextDocTemplate(position)->CloseAllDocuments(endSession);
}

void CDocManager::OnFileNew() {
  POSITION position = GetFirstDocTemplatePosition();
  if (position) GetNextDocTemplate(position)->OpenDocumentFile(nullptr);
}

void CDocManager::OnFileOpen() {
  CString fileName;
  if (!DoPromptFileName(fileName, 0, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr)) return;
  if (CWinApp* app = AfxGetApp()) app->OpenDocumentFile(fileName);
}

namespace {

void SetClassesValue(LPCSTR keyName, LPCSTR value) {
  CString path = CString("Software\\Classes\\") + keyName;
  HKEY key = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  ::RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                   static_cast<DWORD>(lstrlenA(value) + 1));
  ::RegCloseKey(key);
}

}  // namespace

void CDocManager::RegisterShellFileTypes(BOOL) {
  char module[MAX_PATH * 4];
  DWORD length = ::GetModuleFileNameA(nullptr, module, sizeof module);
  if (length == 0 || length >= sizeof module) return;
  CString openCommand = CString("\"") + module + "\" \"%1\"";
  POSITION position = GetFirstDocTemplatePosition();
  while (position) {
    CDocTemplate* docTemplate = GetNextDocTemplate(position);
    CString typeId, typeName, extension;
    if (!docTemplate->GetDocString(typeId, CDocTemplate::regFileTypeId) || typeId.IsEmpty())
      continue;
    docTemplate->GetDocString(typeName, CDocTemplate::regFileTypeName);
    SetClassesValue(typeId, typeName);
    SetClassesValue(typeId + "\\shell\\open\\command", openCommand);
    if (docTemplate->GetDocString(extension, CDocTemplate::filterExt) && !extension.IsEmpty())
      SetClassesValue(extension, typeId);
  }
}
