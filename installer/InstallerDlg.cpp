#include "installer/InstallerDlg.h"

#include "framework/MessageBox.h"
#include "framework/PaintDC.h"
#include "framework/ResourceModule.h"
#include "framework/WaitCursor.h"
#include "installer/CutterInstaller.h"
#include "installer/InstallerTexts.h"
#include "resources/installer/InstallerResource.h"

const char CInstallerDlg::kDefaultPort[] = "COM2:";

BEGIN_MESSAGE_MAP(CInstallerDlg, CDialog)
  ON_WM_PAINT()
  ON_MESSAGE(WM_QUERYDRAGICON, OnQueryDragIcon)
  ON_LBN_DBLCLK(IDC_MODEL_LIST, OnOK)
END_MESSAGE_MAP()

CInstallerDlg::CInstallerDlg(const CCutterCatalogue& catalogue, CPrintSpooler& spooler,
                             LPCSTR programFolder, CWnd* parent)
    : CDialog(IDD_INSTALLER, parent),
      m_catalogue(catalogue),
      m_spooler(spooler),
      m_programFolder(programFolder) {}

BOOL CInstallerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
  SetIcon(m_icon, TRUE);
  SetIcon(m_icon, FALSE);
  SetTexts();
  FillModels();
  FillPorts();
  return TRUE;
}

void CInstallerDlg::SetTexts() {
  CString text;
  if (m_catalogue.GetMarkText("Title", &text)) SetWindowText(text);
  if (m_catalogue.GetMarkText("Company", &text)) SetDlgItemText(IDC_COMPANY_TEXT, text);
  if (m_catalogue.GetMarkText("WebSite", &text)) SetDlgItemText(IDC_WEBSITE_TEXT, text);
  if (m_catalogue.IsEnglish()) {
    SetDlgItemText(IDOK, InstallerText::kOkEnglish);
    SetDlgItemText(IDCANCEL, InstallerText::kCancelEnglish);
  }
}

void CInstallerDlg::FillModels() {
  CStringArray names;
  m_catalogue.GetModelNames(names);
  HWND list = ::GetDlgItem(m_hWnd, IDC_MODEL_LIST);
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (INT_PTR i = 0; i < names.GetSize(); ++i)
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(names[i].GetString()));
}

void CInstallerDlg::FillPorts() {
  CStringArray ports;
  m_spooler.ListPorts(ports);
  HWND combo = ::GetDlgItem(m_hWnd, IDC_PORT_COMBO);
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  int chosen = 0;
  for (INT_PTR i = 0; i < ports.GetSize(); ++i) {
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ports[i].GetString()));
    if (ports[i].CompareNoCase(kDefaultPort) == 0) chosen = static_cast<int>(i);
  }
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
}

CString CInstallerDlg::SelectedPort() const {
  HWND combo = ::GetDlgItem(m_hWnd, IDC_PORT_COMBO);
  LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return CString();
  LRESULT length = ::SendMessageA(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return CString();
  CString port;
  ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(port.GetBufferSetLength(static_cast<int>(length))));
  port.ReleaseBuffer();
  return port;
}

void CInstallerDlg::SetStep(LPCSTR step) {
  SetDlgItemText(IDC_STEP_TEXT, step);
  if (HWND text = ::GetDlgItem(m_hWnd, IDC_STEP_TEXT)) ::UpdateWindow(text);
}

void CInstallerDlg::ShowError(LPCSTR text) {
  LPCSTR caption = m_catalogue.IsEnglish() ? InstallerText::kErrorCaptionEnglish
                                           : InstallerText::kErrorCaption;
  AfxShowMessageBox(m_hWnd, text, caption, MB_OK | MB_ICONSTOP);
}

void CInstallerDlg::OnOK() {
  CWaitCursor wait;
  int index = static_cast<int>(::SendDlgItemMessageA(m_hWnd, IDC_MODEL_LIST, LB_GETCURSEL, 0, 0));
  if (index < 0) {
    ShowError(m_catalogue.IsEnglish() ? InstallerText::kSelectCutterEnglish
                                      : InstallerText::kSelectCutter);
    return;
  }
  CInstallProblem problem;
  CCutterInfo installed;
  if (Install(index, &installed, &problem)) {
    ReportInstalled(installed);
    EndDialog(IDOK);
    return;
  }
  ShowError(problem.Describe());
}

// The dialog closes after an install: the user is told what went where before it does.
void CInstallerDlg::ReportInstalled(const CCutterInfo& installed) {
  CString format, text, caption;
  if (!format.LoadString(IDS_INSTALLED)) return;
  text.Format(format, installed.name.GetString(), installed.portName.GetString());
  GetWindowText(caption);
  AfxShowMessageBox(m_hWnd, text, caption, MB_OK | MB_ICONINFORMATION);
}

bool CInstallerDlg::Install(int index, CCutterInfo* info, CInstallProblem* problem) {
  SetStep(InstallerText::kStepGetCutterEntry);
  CCutterCatalogue::Entry entry;
  if (!m_catalogue.GetCutterEntry(index, &entry, problem)) return false;
  SetStep(InstallerText::kStepFillCutterInfo);
  if (!m_catalogue.FillCutterInfo(entry, m_programFolder, info, problem)) return false;
  info->portName = SelectedPort();
  SetStep(InstallerText::kStepAddCutterDriver);
  return CCutterInstaller(m_spooler).AddCutterDriver(*info, m_programFolder, problem);
}

void CInstallerDlg::OnPaint() {
  if (!IsIconic()) {
    Default();
    return;
  }
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  int x = (client.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
  int y = (client.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
  dc.DrawIcon(x, y, m_icon);
}

LRESULT CInstallerDlg::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_icon); }
