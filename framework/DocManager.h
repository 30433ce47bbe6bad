// CDocManager: the application's document templates and the commands that work across them
// (new, open, close all, the file-name prompt, shell registration).
#pragma once

#include "framework/PtrList.h"
#include "framework/String.h"

class CDocTemplate;
class CDocument;

class CDocManager {
public:
  CDocManager() = default;
  virtual ~CDocManager();
  CDocManager(const CDocManager&) = delete;
  CDocManager& operator=(const CDocManager&) = delete;

  void AddDocTemplate(CDocTemplate* docTemplate);
  POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
  CDocTemplate* GetNextDocTemplate(POSITION& position) const;
  int GetOpenDocumentCount() const;

  // An open file is activated rather than opened twice.
  virtual CDocument* OpenDocumentFile(LPCSTR path);
  virtual BOOL DoPromptFileName(CString& fileName, UINT titleId, DWORD flags, BOOL openDialog,
                                CDocTemplate* docTemplate);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL endSession);
  virtual void OnFileNew();
  virtual void OnFileOpen();
  // Registers each template's file extension for this program under HKCU\Software\Classes.
  virtual void RegisterShellFileTypes(BOOL compatibility);

private:
  CPtrList m_templateList;
};
