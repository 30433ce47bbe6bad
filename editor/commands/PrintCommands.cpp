#include "editor/commands/PrintCommands.h"

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42View.h"
#include "editor/dialogs/CardCopyDlg.h"
#include "framework/MessageBox.h"
#include "model/document/TALVEX42Doc.h"
#include "output/OutputTexts.h"
#include "output/PrintOutputDlg.h"
#include "output/PrintPreviewDlg.h"
#include "output/PrinterChoice.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CPrintCommands, CCmdTarget)
  ON_COMMAND(CPrintCommands::kPrint, OnPrint)
  ON_COMMAND(CPrintCommands::kPrintPreview, OnPrintPreview)
  ON_COMMAND(CPrintCommands::kCardCopy, OnCardCopy)
END_MESSAGE_MAP()
// clang-format on

PrintPage CPrintCommands::PageOf(CTALVEX42View* view) {
  PrintPage page;
  CTALVEX42Doc* document = view ? view->GetDocument() : nullptr;
  if (!document) return page;
  page.blocks = &document->GetBlockList();
  page.width = document->GetPageSettings().m_width;
  page.height = document->GetPageSettings().m_height;
  page.title = document->GetPathName();
  if (page.title.IsEmpty()) page.title.LoadString(IDS_UNTITLED_PRINT);
  return page;
}

void CPrintCommands::OnPrint() {
  CPrintOutputDlg dialog(PageOf(m_view), g_appProfile, m_view);
  dialog.DoModal();
}

void CPrintCommands::OnPrintPreview() {
  if (!CPrinterChoice().IsAvailable()) {
    AfxShowMessageBox(m_view->m_hWnd, OutputText::Load(OutputText::kNoPrinter),
                      OutputText::Load(OutputText::kErrorCaption), MB_OK | MB_ICONERROR);
    return;
  }
  CPrintPreviewDlg preview(PageOf(m_view), g_appProfile, m_view);
  if (preview.DoModal() == IDOK) OnPrint();
}

void CPrintCommands::OnCardCopy() {
  CCardCopyDlg dialog(m_view, g_settings, g_appProfile);
  dialog.DoModal();
}
