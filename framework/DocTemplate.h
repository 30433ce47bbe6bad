// CDocTemplate: ties a document class, its frame and view classes and resource id together and
// creates them. The resource string of the id holds seven '\n'-separated parts (see
// DocStringIndex); the menu and accelerators of the id are shared by the template's frames.
#pragma once

#include "framework/CmdTarget.h"
#include "framework/PtrList.h"
#include "framework/String.h"

class CDocument;
class CFrameWnd;

class CDocTemplate : public CCmdTarget {
  DECLARE_DYNAMIC(CDocTemplate)
public:
  ~CDocTemplate() override;

  enum DocStringIndex {
    windowTitle,
    docName,
    fileNewName,
    filterName,
    filterExt,
    regFileTypeId,
    regFileTypeName
  };
  enum Confidence {
    noAttempt,
    maybeAttemptForeign,
    maybeAttemptNative,
    yesAttemptForeign,
    yesAttemptNative,
    yesAlreadyOpen
  };

  UINT m_nIDResource;
  CRuntimeClass* m_pDocClass;
  CRuntimeClass* m_pFrameClass;
  CRuntimeClass* m_pViewClass;
  HMENU m_hMenuShared = nullptr;
  HACCEL m_hAccelTable = nullptr;
  CString m_strDocStrings;

  virtual void LoadTemplate();
  virtual BOOL GetDocString(CString& text, DocStringIndex index) const;

  virtual POSITION GetFirstDocPosition() const = 0;
  virtual CDocument* GetNextDoc(POSITION& position) const = 0;
  virtual void AddDocument(CDocument* document);
  virtual void RemoveDocument(CDocument* document);
  // A new empty document (null path) or the given file, in a new frame; null on failure.
  virtual CDocument* OpenDocumentFile(LPCSTR path, BOOL makeVisible = TRUE) = 0;
  virtual void SetDefaultTitle(CDocument* document) = 0;

  virtual CDocument* CreateNewDocument();
  virtual CFrameWnd* CreateNewFrame(CDocument* document, CFrameWnd* other);
  virtual void InitialUpdateFrame(CFrameWnd* frame, CDocument* document, BOOL makeVisible = TRUE);
  virtual Confidence MatchDocType(LPCSTR path, CDocument*& match);
  virtual BOOL SaveAllModified();
  virtual void CloseAllDocuments(BOOL endSession);

protected:
  CDocTemplate(UINT idResource, CRuntimeClass* documentClass, CRuntimeClass* frameClass,
               CRuntimeClass* viewClass);
};
