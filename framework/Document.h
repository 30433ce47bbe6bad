// CDocument: the data of one open file, shown by one or more views. The framework creates,
// opens, saves and closes documents through their template; the document deletes itself when its
// last view goes (m_bAutoDelete).
#pragma once

#include "framework/AfxRes.h"
#include "framework/CmdTarget.h"
#include "framework/PtrList.h"
#include "framework/String.h"

class CDocTemplate;
class CFileException;
class CFrameWnd;
class CView;

class CDocument : public CCmdTarget {
  DECLARE_DYNAMIC(CDocument)
public:
  CDocument() = default;
  ~CDocument() override;

  BOOL m_bAutoDelete = TRUE;
  BOOL m_bEmbedded = FALSE;

  const CString& GetTitle() const { return m_strTitle; }
  virtual void SetTitle(LPCSTR title);
  const CString& GetPathName() const { return m_strPathName; }
  // Takes the full path, makes the file name the title and adds the file to the recent-file list.
  virtual void SetPathName(LPCSTR path, BOOL addToRecentFiles = TRUE);
  void ClearPathName() { m_strPathName.Empty(); }
  CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

  virtual BOOL IsModified() { return m_bModified; }
  virtual void SetModifiedFlag(BOOL modified = TRUE) { m_bModified = modified; }

  // Views
  void AddView(CView* view);
  void RemoveView(CView* view);
  POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
  CView* GetNextView(POSITION& position) const;
  // Calls OnUpdate of every view except the sender.
  void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);
  // Numbers the frames of a document shown in several windows (":1", ":2").
  virtual void UpdateFrameCounts();

  // Life cycle; the framework calls these.
  virtual BOOL OnNewDocument();
  // The standard open step: the file must open for reading; the contents are emptied and the
  // modified flag cleared. Derived documents read the file after calling it.
  virtual BOOL OnOpenDocument(LPCSTR path);
  // The standard save step: the file must be creatable; the modified flag is cleared.
  virtual BOOL OnSaveDocument(LPCSTR path);
  // Destroys every frame showing the document, empties it and deletes it.
  virtual void OnCloseDocument();
  virtual void DeleteContents() {}
  virtual void OnChangedViewList();
  // Asks "save changes?" when modified; false when the user cancels or the save fails.
  virtual BOOL SaveModified();
  virtual BOOL CanCloseFrame(CFrameWnd* frame);
  virtual void PreCloseFrame(CFrameWnd*) {}
  // Saves to the path, or asks for one when null; replace: the path becomes the document's.
  virtual BOOL DoSave(LPCSTR path, BOOL replace = TRUE);
  virtual BOOL DoFileSave();
  virtual void ReportSaveLoadException(LPCSTR path, CFileException* e, BOOL saving,
                                       UINT defaultPromptId);

  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  void OnFileClose();
  void OnFileSave();
  void OnFileSaveAs();

protected:
  CString m_strTitle;
  CString m_strPathName;
  CDocTemplate* m_pDocTemplate = nullptr;
  CPtrList m_viewList;
  BOOL m_bModified = FALSE;

  friend class CDocTemplate;
  DECLARE_MESSAGE_MAP()
};
