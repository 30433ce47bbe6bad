#include "editor/commands/FontCommands.h"

#include "editor/TALVEX42View.h"
#include "editor/dialogs/FontFromScreenDlg.h"
#include "editor/dialogs/FontPathDlg.h"
#include "model/document/TALVEX42Doc.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CFontCommands, CCmdTarget)
  ON_COMMAND(ID_FONT_PATHS, OnFontPaths)
  ON_COMMAND(ID_FONT_FROM_SCREEN, OnFontFromScreen)
END_MESSAGE_MAP()
// clang-format on

void CFontCommands::OnFontPaths() {
  CFontPathDlg dialog(m_view);
  dialog.DoModal();
}

void CFontCommands::OnFontFromScreen() {
  CTALVEX42Doc* document = m_view->GetDocument();
  if (!document) return;
  CFontFromScreenDlg dialog(&document->GetBlockList(), m_view);
  // A complete build ends the dialog; what it wrote into a mount folder is listed from now on.
  if (dialog.DoModal() == IDOK) CFontPathDlg::MountFontsAgain();
}
