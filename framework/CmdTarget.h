// CCmdTarget: an object that receives commands through its message map. OnCmdMsg looks the
// command up in the object's map and its base classes' maps; classes that pass commands on
// (views to documents, frames to views and to the application) override it.
#pragma once

#include "framework/MessageMap.h"
#include "framework/Object.h"

class CCmdUI;

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
public:
  CCmdTarget() = default;

  // nCode: CN_COMMAND, CN_UPDATE_COMMAND_UI (pExtra is the CCmdUI), a control notification code,
  // or MAKELONG(code, WM_NOTIFY) (pExtra is an AFX_NOTIFY). With pHandlerInfo the handler is only
  // found, not called.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

  void BeginWaitCursor();
  void EndWaitCursor();
  void RestoreWaitCursor();

protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;

  // Calls the first entry of this object's maps that matches; message entries ignore nID.
  const AFX_MSGMAP_ENTRY* FindEntry(UINT message, UINT code, UINT nID, BOOL matchCode) const;
  friend class CWnd;
};
