#include "output/CutProgressWnd.h"

#include <commctrl.h>

#include "framework/DialogTemplate.h"
#include "output/OutputTexts.h"

CCutProgressWnd::CCutProgressWnd(LPCSTR title, int* stopFlag, CWnd* owner) : m_stopFlag(stopFlag) {
  CDialogTemplate dialogTemplate(title, WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_CENTER, 0, 0, 200,
                                 62);
  dialogTemplate.AddControl(CDialogTemplate::staticText, "", WS_CHILD | WS_VISIBLE | SS_NOPREFIX, 8,
                            6, 184, 10, kStepText);
  dialogTemplate.AddControl(PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 8, 20, 184, 10,
                            kProgressBar);
  dialogTemplate.AddControl(CDialogTemplate::button, OutputText::Load(OutputText::kCancel),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP, 75, 40, 50, 14, IDCANCEL);
  if (CreateIndirect(dialogTemplate.Get(), owner)) UpdateWindow();
}

BOOL CCutProgressWnd::OnInitDialog() {
  CDialog::OnInitDialog();
  AttachBar();
  return TRUE;
}

void CCutProgressWnd::OnCancel() {
  if (m_stopFlag) *m_stopFlag = 1;
}
