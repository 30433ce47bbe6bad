// CDialog: a dialog box from a resource template or an in-memory template, modal (DoModal) or
// modeless (Create). OK runs data exchange (UpdateData) before the dialog ends.
#pragma once

#include <functional>

#include "framework/Wnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
public:
  CDialog() = default;
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);
  explicit CDialog(LPCSTR templateName, CWnd* parent = nullptr);
  ~CDialog() override;

  // Modeless
  virtual BOOL Create(LPCSTR templateName, CWnd* parent = nullptr);
  virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
  virtual BOOL CreateIndirect(LPCDLGTEMPLATEA dialogTemplate, CWnd* parent = nullptr);
  virtual BOOL CreateIndirect(HGLOBAL dialogTemplate, CWnd* parent = nullptr);

  // Modal
  BOOL InitModalIndirect(LPCDLGTEMPLATEA dialogTemplate, CWnd* parent = nullptr);
  BOOL InitModalIndirect(HGLOBAL dialogTemplate, CWnd* parent = nullptr);
  // Returns the value given to EndDialog, or -1 when the dialog could not be created.
  virtual INT_PTR DoModal();
  void EndDialog(int result);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();

  void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
  void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
  void GotoDlgCtrl(CWnd* control);
  void SetDefID(UINT id) { ::SendMessageA(m_hWnd, DM_SETDEFID, id, 0); }
  DWORD GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }
  void MapDialogRect(LPRECT rect) const { ::MapDialogRect(m_hWnd, rect); }

  // The modal loop (also used by other modal windows).
  enum ModalLoopFlags { MLF_NOIDLEMSG = 1, MLF_NOKICKIDLE = 2, MLF_SHOWONIDLE = 4 };
  int RunModalLoop(DWORD flags = 0);
  void EndModalLoop(int result);
  BOOL ContinueModal() const { return m_bContinueModal; }

  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  LPCSTR m_lpszTemplateName = nullptr;
  LPCDLGTEMPLATEA m_lpDialogTemplate = nullptr;
  HGLOBAL m_hDialogTemplate = nullptr;
  CWnd* m_pParentWnd = nullptr;
  UINT m_nIDHelp = 0;

protected:
  LRESULT HandleInitDialog(WPARAM, LPARAM);
  BOOL CreateFromTemplate(LPCDLGTEMPLATEA dialogTemplate, HWND parent);
  LPCDLGTEMPLATEA ResolveTemplate();

  int m_nModalResult = -1;
  BOOL m_bContinueModal = FALSE;
  BOOL m_bInModalLoop = FALSE;

  DECLARE_MESSAGE_MAP()
};

// Called each time a modal loop (dialog or common dialog) becomes idle; idleCount is 0 the first
// time. Tests answer dialogs through it; an empty handler restores normal operation.
using AfxModalDialogHandler = std::function<void(CWnd* dialog, int idleCount)>;
AfxModalDialogHandler AfxSetModalDialogHandler(AfxModalDialogHandler handler);
const AfxModalDialogHandler& AfxGetModalDialogHandler();
