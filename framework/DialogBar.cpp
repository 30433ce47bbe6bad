#include "framework/DialogBar.h"

#include "framework/FrameWnd.h"
#include "framework/ResourceModule.h"
#include "framework/WndCreationHook.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

namespace {

// The dialog procedure answers nothing: the message map runs first, then the default dialog
// processing.
INT_PTR CALLBACK DialogBarProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

LPCDLGTEMPLATEA FindTemplate(LPCSTR name) {
  HINSTANCE resources = AfxGetResourceHandle();
  HRSRC found = ::FindResourceA(resources, name, MAKEINTRESOURCEA(5));
  HGLOBAL loaded = found ? ::LoadResource(resources, found) : nullptr;
  return loaded ? static_cast<LPCDLGTEMPLATEA>(::LockResource(loaded)) : nullptr;
}

}  // namespace

CDialogBar::CDialogBar() { SetBorders(0, 0, 0, 0); }

BOOL CDialogBar::Create(CWnd* parent, LPCSTR templateName, UINT style, UINT id) {
  LPCDLGTEMPLATEA dialogTemplate = FindTemplate(templateName);
  if (!parent || !dialogTemplate) return FALSE;
  m_dwStyle = style & CBRS_ALL;
  HWND hwnd;
  {
    CWndCreationHook hook(this);
    hwnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), dialogTemplate, parent->m_hWnd,
                                        &DialogBarProc, 0);
  }
  if (!hwnd) return FALSE;
  SetDlgCtrlID(static_cast<int>(id));
  CRect rect;
  GetWindowRect(rect);
  m_sizeDefault = rect.Size();
  ModifyStyle(0, WS_CLIPSIBLINGS);
  // The frame's layout gives the bar its place.
  SetWindowPos(nullptr, 0, 0, 0, 0,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
  return TRUE;
}

BOOL CDialogBar::Create(CWnd* parent, UINT templateId, UINT style, UINT id) {
  return Create(parent, MAKEINTRESOURCEA(templateId), style, id);
}

CSize CDialogBar::CalcFixedLayout(BOOL stretch, BOOL horz) {
  if (stretch) return CSize(horz ? 32767 : m_sizeDefault.cx, horz ? m_sizeDefault.cy : 32767);
  return m_sizeDefault;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler) {
  UpdateDialogControls(target, disableIfNoHandler);
}

BOOL CDialogBar::PreTranslateMessage(MSG* msg) {
  if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
  if (msg->hwnd != m_hWnd && !::IsChild(m_hWnd, msg->hwnd)) return FALSE;
  // The dialog keys would swallow the frames' accelerators; those come first.
  for (CFrameWnd* frame = GetCommandTarget(); frame; frame = frame->GetParentFrame())
    if (frame->PreTranslateMessage(msg)) return TRUE;
  return ::IsDialogMessageW(m_hWnd, msg);
}
