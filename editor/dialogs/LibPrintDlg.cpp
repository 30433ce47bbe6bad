#include "editor/dialogs/LibPrintDlg.h"

#include "editor/ProgramObjects.h"
#include "framework/MessageBox.h"
#include "framework/PrintDialog.h"
#include "framework/WinApp.h"
#include "media/library/MountLibList.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CLibPrintDlg, CDialog)
  ON_BN_CLICKED(IDC_PRINT_SETUP, OnPrintSetup)
  ON_CBN_SELCHANGE(IDC_PRINT_LIBRARY, OnLibraryChosen)
END_MESSAGE_MAP()
// clang-format on

CLibPrintDlg::CLibPrintDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

CLibPrintDlg::~CLibPrintDlg() = default;

BOOL CLibPrintDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_setup.reset(new CPrintDialog(TRUE, PD_ALLPAGES | PD_NOSELECTION | PD_HIDEPRINTTOFILE, this));
  m_setup->m_pd.nMinPage = m_setup->m_pd.nMaxPage = 1;
  m_setup->m_pd.nFromPage = m_setup->m_pd.nToPage = 1;
  m_hasPrinter = m_setup->GetDefaults() != FALSE;
  ShowPrinter();
  HWND libraries = ::GetDlgItem(m_hWnd, IDC_PRINT_LIBRARY);
  CString title;
  for (int n = 0; g_mountLibList.GetTitle(n, title); ++n)
    ::SendMessageA(libraries, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(static_cast<LPCSTR>(title)));
  ::SendMessageA(libraries, CB_SETCURSEL, 0, 0);
  OnLibraryChosen();
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
  int chosen = static_cast<int>(
      ::SendDlgItemMessageA(m_hWnd, IDC_PRINT_LIBRARY, CB_GETCURSEL, 0, 0));
  if (chosen < 0 || !m_library.OpenByNumber(chosen)) return;
  for (int kind = 0; kind < m_library.GetKindCount(); ++kind)
    ::SendMessageA(kinds, CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(static_cast<LPCSTR>(m_library.GetKindName(kind))));
  ::SendMessageA(kinds, CB_SETCURSEL, 0, 0);
}

void CLibPrintDlg::OnOK() {
  CString text;
  text.LoadString(IDS_PRINT_NOT_YET);
  AfxShowMessageBox(m_hWnd, text, AfxGetAppName(), MB_OK | MB_ICONINFORMATION);
  CDialog::OnOK();
}
