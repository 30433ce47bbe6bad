#include "editor/dialogs/FontReplacePrompt.h"

#include "editor/dialogs/FontReplaceDlg.h"
#include "framework/WinApp.h"

bool CFontReplacePrompt::Resolve(CFontRebinding& fonts) {
  CFontReplaceDlg dialog(fonts, m_language, AfxGetMainWnd());
  return dialog.DoModal() == IDOK;
}
