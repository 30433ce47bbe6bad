#include "framework/Dialog.h"

#include "framework/ResourceModule.h"
#include "framework/WinApp.h"
#include "framework/WndCreationHook.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
  ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

namespace {

AfxModalDialogHandler& ModalHandler() {
  static AfxModalDialogHandler handler;
  return handler;
}

// The dialog procedure answers nothing itself: the window procedure (the message map) runs first
// and the default dialog processing comes after it.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

AfxModalDialogHandler AfxSetModalDialogHandler(AfxModalDialogHandler handler) {
  AfxModalDialogHandler previous = std::move(ModalHandler());
  ModalHandler() = std::move(handler);
  return previous;
}

const AfxModalDialogHandler& AfxGetModalDialogHandler() { return ModalHandler(); }

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCEA(templateId)),
      m_pParentWnd(parent),
      m_nIDHelp(templateId) {}

CDialog::CDialog(LPCSTR templateName, CWnd* parent)
    : m_lpszTemplateName(templateName), m_pParentWnd(parent) {}

CDialog::~CDialog() {
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

LPCDLGTEMPLATEA CDialog::ResolveTemplate() {
  if (m_lpDialogTemplate) return m_lpDialogTemplate;
  if (m_hDialogTemplate) return static_cast<LPCDLGTEMPLATEA>(::LockResource(m_hDialogTemplate));
  if (!m_lpszTemplateName) return nullptr;
  HINSTANCE resources = AfxGetResourceHandle();
  HRSRC found = ::FindResourceA(resources, m_lpszTemplateName, MAKEINTRESOURCEA(5));
  HGLOBAL loaded = found ? ::LoadResource(resources, found) : nullptr;
  return loaded ? static_cast<LPCDLGTEMPLATEA>(::LockResource(loaded)) : nullptr;
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATEA dialogTemplate, HWND parent) {
  if (!dialogTemplate) return FALSE;
  HWND hwnd;
  {
    CWndCreationHook hook(this);
    hwnd = ::CreateDialogIndirectParamA(AfxGetResourceHandle(), dialogTemplate, parent, &AfxDlgProc,
                                        0);
  }
  return hwnd != nullptr;
}

BOOL CDialog::Create(LPCSTR templateName, CWnd* parent) {
  m_lpszTemplateName = templateName;
  if (IS_INTRESOURCE(templateName) && m_nIDHelp == 0)
    m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(templateName));
  if (!parent) parent = AfxGetMainWnd();
  m_pParentWnd = parent;
  return CreateFromTemplate(ResolveTemplate(), parent ? parent->m_hWnd : nullptr);
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  return Create(MAKEINTRESOURCEA(templateId), parent);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEA dialogTemplate, CWnd* parent) {
  if (!parent) parent = AfxGetMainWnd();
  m_pParentWnd = parent;
  return CreateFromTemplate(dialogTemplate, parent ? parent->m_hWnd : nullptr);
}

BOOL CDialog::CreateIndirect(HGLOBAL dialogTemplate, CWnd* parent) {
  auto* locked = static_cast<LPCDLGTEMPLATEA>(::GlobalLock(dialogTemplate));
  BOOL created = CreateIndirect(locked, parent);
  ::GlobalUnlock(dialogTemplate);
  return created;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEA dialogTemplate, CWnd* parent) {
  m_lpDialogTemplate = dialogTemplate;
  m_pParentWnd = parent;
  return dialogTemplate != nullptr;
}

BOOL CDialog::InitModalIndirect(HGLOBAL dialogTemplate, CWnd* parent) {
  m_hDialogTemplate = dialogTemplate;
  m_pParentWnd = parent;
  return dialogTemplate != nullptr;
}

INT_PTR CDialog::DoModal() {
  LPCDLGTEMPLATEA dialogTemplate = ResolveTemplate();
  if (!dialogTemplate) return -1;
  // The owner is the top-level window of the parent (or of the main window), disabled meanwhile.
  CWnd* parent = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
  HWND owner = parent ? parent->m_hWnd : nullptr;
  while (owner && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
  if (owner && !::IsWindow(owner)) owner = nullptr;
  bool reenable = owner && ::IsWindowEnabled(owner);
  if (reenable) ::EnableWindow(owner, FALSE);

  m_nModalResult = -1;
  m_bContinueModal = TRUE;  // EndDialog in OnInitDialog ends the dialog before its loop starts
  if (CreateFromTemplate(dialogTemplate, owner) && m_bContinueModal) RunModalLoop(MLF_SHOWONIDLE);
  m_bContinueModal = FALSE;
  if (m_hWnd)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  if (reenable) ::EnableWindow(owner, TRUE);
  if (owner && m_hWnd && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(owner);
  DestroyWindow();
  return m_nModalResult;
}

int CDialog::RunModalLoop(DWORD flags) {
  BOOL outerLoop = m_bInModalLoop;
  m_bInModalLoop = TRUE;
  m_bContinueModal = TRUE;
  bool showOnIdle = (flags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
  HWND parent = ::GetParent(m_hWnd);
  int idleCount = 0;
  bool idle = true;
  MSG msg;
  while (m_bContinueModal) {
    while (idle && m_bContinueModal && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (showOnIdle) {
        ShowWindow(SW_SHOWNORMAL);
        UpdateWindow();
        showOnIdle = false;
      }
      if (!(flags & MLF_NOIDLEMSG) && parent && idleCount == 0)
        ::SendMessageA(parent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
      bool more = !(flags & MLF_NOKICKIDLE) && SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, idleCount);
      // With a handler installed the loop never waits: the handler is asked again at each idle
      // moment until the dialog ends.
      if (ModalHandler()) {
        ModalHandler()(this, idleCount);
        more = true;
      }
      ++idleCount;
      if (!more) idle = false;
    }
    if (!m_bContinueModal) break;
    if (!::GetMessageW(&msg, nullptr, 0, 0)) {
      ::PostQuitMessage(
          static_cast<int>(msg.wParam));  // the program is ending: let the outer loop see it
      m_nModalResult = -1;
      break;
    }
    CWinApp* app = AfxGetApp();
    bool translated = app ? app->PreTranslateMessage(&msg) != FALSE
                          : PreTranslateMessage(&msg) != FALSE;
    if (!translated) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (msg.message != WM_PAINT && msg.message != WM_TIMER && msg.message != 0x0118) {
      idle = true;
      idleCount = idleCount > 0 ? 1 : 0;
    }
  }
  m_bInModalLoop = outerLoop;
  return m_nModalResult;
}

void CDialog::EndModalLoop(int result) {
  m_nModalResult = result;
  if (m_bContinueModal) {
    m_bContinueModal = FALSE;
    PostMessage(WM_NULL);  // wake the loop
  }
}

void CDialog::EndDialog(int result) {
  if (m_bContinueModal) EndModalLoop(result);
  if (m_hWnd) ::EndDialog(m_hWnd, result);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;  // the system sets the focus to the first control
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::GotoDlgCtrl(CWnd* control) {
  if (control)
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE);
}

// The message comes from a wide loop (CWinApp::PumpMessage says why).
BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST && m_hWnd &&
      (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd)))
    return ::IsDialogMessageW(m_hWnd, msg);
  return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  // Program commands (not dialog control ids) that the dialog leaves go to its owner and the
  // application.
  if ((nCode != CN_COMMAND && nCode != CN_UPDATE_COMMAND_UI) || nID < 0x8000 || nID >= 0xF000)
    return FALSE;
  CWnd* owner = GetParent();
  if (owner && owner != this && owner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  CWinApp* app = AfxGetApp();
  return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
