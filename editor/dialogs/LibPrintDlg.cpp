#include "editor/dialogs/LibPrintDlg.h"

#include <algorithm>

#include "editor/ProgramObjects.h"
#include "editor/dialogs/CataloguePages.h"
#include "editor/dialogs/LibraryMessage.h"
#include "editor/dialogs/LibrarySource.h"
#include "framework/PrintDialog.h"
#include "framework/WinApp.h"
#include "media/library/MountLibList.h"
#include "model/blocks/LibBlock.h"
#include "output/PagePrinter.h"
#include "output/PrinterChoice.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CLibPrintDlg, CDialog)
  ON_BN_CLICKED(IDC_PRINT_SETUP, OnPrintSetup)
  ON_CBN_SELCHANGE(IDC_PRINT_LIBRARY, OnLibraryChosen)
END_MESSAGE_MAP()
// clang-format on

namespace {

int Chosen(HWND dialog, int id) {
  return static_cast<int>(::SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

}  // namespace

CLibPrintDlg::CLibPrintDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

CLibPrintDlg::~CLibPrintDlg() {
  // The device names and mode the setup dialog chose are ours to free.
  if (!m_setup) return;
  if (m_setup->m_pd.hDevMode) ::GlobalFree(m_setup->m_pd.hDevMode);
  if (m_setup->m_pd.hDevNames) ::GlobalFree(m_setup->m_pd.hDevNames);
}

BOOL CLibPrintDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_printButton.TakeOver(IDOK, this);
  m_setup.reset(new CPrintDialog(TRUE, PD_ALLPAGES | PD_NOSELECTION | PD_HIDEPRINTTOFILE, this));
  m_setup->m_pd.nMinPage = m_setup->m_pd.nMaxPage = 1;
  m_setup->m_pd.nFromPage = m_setup->m_pd.nToPage = 1;
  m_hasPrinter = m_setup->GetDefaults() != FALSE;
  ShowPrinter();
  HWND libraries = ::GetDlgItem(m_hWnd, IDC_PRINT_LIBRARY);
  CLibrarySource::FillLibraries(libraries);
  // The library and kind the catalogue page last laid out.
  const int library = g_settings.GetInt(CLibBookDlg::kSection, "LibNo", 0);
  const int kind = g_settings.GetInt(CLibBookDlg::kSection, "KindNo", 0);
  if (!CLibrarySource::ChooseData(libraries, library))
    ::SendMessageA(libraries, CB_SETCURSEL, 0, 0);
  OnLibraryChosen();
  if (::SendDlgItemMessageA(m_hWnd, IDC_PRINT_KIND, CB_SETCURSEL, kind, 0) == CB_ERR)
    ::SendDlgItemMessageA(m_hWnd, IDC_PRINT_KIND, CB_SETCURSEL, 0, 0);
  return TRUE;
}

void CLibPrintDlg::ShowPrinter() {
  CString device;
  int width = 0, height = 0;
  if (m_hasPrinter) {
    device = m_setup->GetDeviceName();
    if (HDC printer = m_setup->CreatePrinterDC()) {
      width = ::GetDeviceCaps(printer, HORZSIZE);
      height = ::GetDeviceCaps(printer, VERTSIZE);
    }
  } else {
    device.LoadString(IDS_PRINT_NO_PRINTER);
  }
  ::SetDlgItemTextA(m_hWnd, IDC_PRINT_DEVICE, device);
  CString size;
  size.Format("%d", width);
  ::SetDlgItemTextA(m_hWnd, IDC_PRINT_WIDTH, m_hasPrinter ? static_cast<LPCSTR>(size) : "");
  size.Format("%d", height);
  ::SetDlgItemTextA(m_hWnd, IDC_PRINT_HEIGHT, m_hasPrinter ? static_cast<LPCSTR>(size) : "");
  ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), m_hasPrinter);
}

void CLibPrintDlg::OnPrintSetup() {
  m_setup->m_pd.Flags &= ~PD_RETURNDEFAULT;
  m_setup->m_pd.Flags |= PD_PRINTSETUP;
  if (m_setup->DoModal() != IDOK) return;
  m_hasPrinter = true;
  ShowPrinter();
}

void CLibPrintDlg::OnLibraryChosen() {
  HWND kinds = ::GetDlgItem(m_hWnd, IDC_PRINT_KIND);
  ::SendMessageA(kinds, CB_RESETCONTENT, 0, 0);
  int chosen = CLibrarySource::ChosenData(::GetDlgItem(m_hWnd, IDC_PRINT_LIBRARY));
  if (chosen < 0 || !m_library.OpenByNumber(chosen)) return;
  CLibrarySource::FillKinds(kinds, m_library);
  ::SendMessageA(kinds, CB_SETCURSEL, 0, 0);
}

CLibBookDlg::Settings CLibPrintDlg::PaperSettings(const CIniFile& file, int library, int kind,
                                                  float paperWidth, float paperHeight) {
  CLibBookDlg::Settings s = CLibBookDlg::Load(file, paperWidth, paperHeight);
  s.library = library;
  s.kind = kind;
  s.startNumber = 0;
  // Cells past the printable area would be cut off: they go to the next sheet instead.
  s.endX = std::min(s.endX, paperWidth);
  s.endY = std::min(s.endY, paperHeight);
  return s;
}

std::vector<std::unique_ptr<CSegArray>> CLibPrintDlg::KindPages(const CLibBookDlg::Settings& s) {
  std::vector<std::unique_ptr<CSegArray>> pages;
  const std::vector<FPOINT> cells = CLibBookDlg::Cells(s);
  if (cells.empty()) return pages;
  // The graphics that take a cell, as the catalogue page places them.
  std::vector<std::unique_ptr<CLibBlock>> graphics;
  std::vector<int> numbers;
  const int end = CLibBookDlg::NumberEnd(s);
  for (int number = 0; number < end; ++number) {
    std::unique_ptr<CLibBlock> graphic = CLibBookDlg::Graphic(s, number);
    if (!graphic) continue;
    CFRect unused;
    if (!CLibBookDlg::FitIntoCell(graphic->m_box, 0, 0, s, unused)) continue;
    graphics.push_back(std::move(graphic));
    numbers.push_back(number);
  }
  const CCataloguePages split(cells.size(), numbers);
  const CTextDefaults format = CLibBookDlg::NumberFormat(s);
  for (size_t page = 0; page < split.PageCount(); ++page) {
    auto blocks = std::make_unique<CSegArray>();
    for (const CCataloguePages::Entry& entry : split.Page(page)) {
      std::unique_ptr<CBlock> text;
      CLibBlock& graphic = *graphics[entry.graphic];
      if (!CLibBookDlg::FillCell(nullptr, graphic, entry.number, cells[entry.cell], s, format,
                                 text))
        continue;
      blocks->AddBlock(graphics[entry.graphic].release());
      if (text) blocks->AddBlock(text.release());
    }
    pages.push_back(std::move(blocks));
  }
  return pages;
}

CLibPrintDlg::Outcome CLibPrintDlg::PrintKind(int library, int kind, int* result) {
  if (library < 0 || kind < 0) return kNoLibrary;
  HDC dc = m_setup->CreatePrinterDC();
  if (!dc) {
    *result = CPagePrinter::kNoPrinter;
    return kPrintFailed;
  }
  const PrinterMetrics metrics = CPrinterChoice::MetricsOf(dc);
  const CLibBookDlg::Settings s = PaperSettings(g_settings, library, kind, metrics.paperWidth,
                                                metrics.paperHeight);
  if (CLibBookDlg::Cells(s).empty()) return kPaperTooSmall;
  std::vector<std::unique_ptr<CSegArray>> blocks = KindPages(s);
  if (blocks.empty()) return kEmptyKind;
  CString libraryTitle, format, title;
  g_mountLibList.GetTitle(library, libraryTitle);
  format.LoadString(IDS_LIBPRINT_TITLE);
  title.Format(format, static_cast<LPCSTR>(libraryTitle),
               static_cast<LPCSTR>(m_library.GetKindName(kind)));
  std::vector<PrintPage> pages;
  for (const std::unique_ptr<CSegArray>& page : blocks) {
    PrintPage printed;
    printed.blocks = page.get();
    printed.width = metrics.paperWidth;
    printed.height = metrics.paperHeight;
    printed.title = title;
    pages.push_back(printed);
  }
  // Page millimetres from the printable area's corner, one to one.
  PrintJob job;
  job.matrix.m[0] = metrics.pixelsPerMmX;
  job.matrix.m[4] = metrics.pixelsPerMmY;
  *result = CPagePrinter::PrintPagesOn(dc, title, pages, job);
  return *result == CPagePrinter::kPrinted ? kPrinted : kPrintFailed;
}

void CLibPrintDlg::Refuse(UINT message) { ShowLibraryMessage(m_hWnd, message); }

void CLibPrintDlg::OnOK() {
  // Without a printer the print button is off; its key does nothing either.
  if (!m_hasPrinter) return;
  int result = CPagePrinter::kPrinted;
  switch (PrintKind(CLibrarySource::ChosenData(::GetDlgItem(m_hWnd, IDC_PRINT_LIBRARY)),
                    Chosen(m_hWnd, IDC_PRINT_KIND), &result)) {
    case kNoLibrary:
      Refuse(IDS_LIBPRINT_NO_LIBRARY);
      return;
    case kEmptyKind:
      Refuse(IDS_LIBPRINT_EMPTY_KIND);
      return;
    case kPaperTooSmall:
      Refuse(IDS_LIBPRINT_NO_ROOM);
      return;
    case kPrintFailed:
      CPagePrinter::ShowFailure(m_hWnd, static_cast<CPagePrinter::Result>(result));
      break;
    case kPrinted:
      break;
  }
  CDialog::OnOK();
}
