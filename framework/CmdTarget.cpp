#include "framework/CmdTarget.h"

#include "framework/CmdUI.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
  static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
  static const AFX_MSGMAP map = {nullptr, entries};
  return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

bool EntryMatches(const AFX_MSGMAP_ENTRY& entry, UINT message, UINT code, UINT nID,
                  BOOL matchCode) {
  if (entry.pRegisteredMessage) {
    if (entry.nMessage != 0xC000 || *entry.pRegisteredMessage != message) return false;
  } else if (entry.nMessage != message) {
    return false;
  }
  if (!matchCode) return true;
  // Notification codes are compared in 16 bits, as WM_NOTIFY routing carries them.
  UINT entryCode = message == WM_NOTIFY ? static_cast<WORD>(entry.nCode) : entry.nCode;
  return entryCode == code && nID >= entry.nID && nID <= entry.nLastID;
}

}  // namespace

const AFX_MSGMAP_ENTRY* CCmdTarget::FindEntry(UINT message, UINT code, UINT nID,
                                              BOOL matchCode) const {
  for (const AFX_MSGMAP* map = GetMessageMap(); map;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn; ++entry)
      if (EntryMatches(*entry, message, code, nID, matchCode)) return entry;
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  UINT message = WM_COMMAND;
  UINT code = static_cast<UINT>(nCode);
  if (nCode != CN_UPDATE_COMMAND_UI && HIWORD(nCode) == WM_NOTIFY) {
    message = WM_NOTIFY;
    code = LOWORD(nCode);
  }
  for (const AFX_MSGMAP* map = GetMessageMap(); map;
       map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
    for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn; ++entry) {
      if (!EntryMatches(*entry, message, code, nID, TRUE)) continue;
      if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = entry;
        return TRUE;
      }
      // An update handler that continues the routing (a frame's bar item whose bar belongs to
      // the frame further out) leaves the item to the next target.
      auto* ui = nCode == CN_UPDATE_COMMAND_UI ? static_cast<CCmdUI*>(pExtra) : nullptr;
      if (ui) ui->m_bContinueRouting = FALSE;
      AFX_MSGCALL call = {message, 0, 0, nID, nCode, pExtra, 0, TRUE};
      entry->pfn(this, call);
      if (ui && ui->m_bContinueRouting) return FALSE;
      if (call.handled) return TRUE;
    }
  }
  return FALSE;
}

void CCmdTarget::BeginWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(1) : void(); }
void CCmdTarget::EndWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(-1) : void(); }
void CCmdTarget::RestoreWaitCursor() { AfxGetApp() ? AfxGetApp()->DoWaitCursor(0) : void(); }
