#include "output/CutProgress.h"

#include <commctrl.h>

#include "framework/DialogTemplate.h"
#include "output/OutputTexts.h"

namespace {

const UINT kTextId = 1000;
const UINT kBarId = 1311;

}  // namespace

CCutProgressWnd::CCutProgressWnd(LPCSTR title, int* stopFlag, CWnd* owner)
    : m_stopFlag(stopFlag), m_position(0) {
  CDialogTemplate dialogTemplate(title, WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_CENTER, 0, 0, 200,
                                 62);
  dialogTemplate.AddControl(CDialogTemplate::staticText, "", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 8,
                            6, 184, 10, kTextId);
  dialogTemplate.AddControl(PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 8, 20, 184, 10,
                            kBarId);
  dialogTemplate.AddControl(CDialogTemplate::button, OutputText::kCancel,
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP, 75, 40, 50, 14, IDCANCEL);
  if (CreateIndirect(dialogTemplate.Get(), owner)) UpdateWindow();
}

CCutProgressWnd::~CCutProgressWnd() {
  if (m_hWnd) DestroyWindow();
}

BOOL CCutProgressWnd::OnInitDialog() {
  CDialog::OnInitDialog();
  m_bar.Attach(::GetDlgItem(m_hWnd, kBarId));
  return TRUE;
}

void CCutProgressWnd::OnCancel() {
  if (m_stopFlag) *m_stopFlag = 1;
}

void CCutProgressWnd::SetStepText(LPCSTR text) {
  if (!m_hWnd) return;
  ::SetDlgItemTextA(m_hWnd, kTextId, text);
  Pump();
}

void CCutProgressWnd::SetRange(int points) {
  m_position = 0;
  if (m_bar.m_hWnd) m_bar.SetRange32(0, points);
}

void CCutProgressWnd::Advance(int points) {
  m_position += points;
  if (m_bar.m_hWnd) m_bar.SetPos(m_position);
  Pump();
}

// The cancel button must be heard between blocks, whatever the port does meanwhile.
void CCutProgressWnd::Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (m_hWnd && ::IsDialogMessageA(m_hWnd, &msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}
