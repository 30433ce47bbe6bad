#include "output/PortSetupDlg.h"

#include <cstdlib>
#include <cstring>

#include "framework/MessageBox.h"
#include "framework/String.h"
#include "output/OutputTexts.h"

BEGIN_MESSAGE_MAP(CPortSetupDlg, CDialog)
  ON_BN_CLICKED(CPortSetupDlg::kDefaultsButton, OnDefaults)
END_MESSAGE_MAP()

namespace {

const char* const kSpeeds[] = {"256000", "128000", "115200", "57600", "56000", "38400", "19200",
                               "14400",  "9600",   "4800",   "2400",  "1200",  "600"};
const char* const kDataBits[] = {"8", "7", "6", "5", "4"};
const char* const kStopBits[] = {"1", "1.5", "2"};
// A serial port sends 5 to 8 data bits.
const int kFewestDataBits = 5;
const int kMostDataBits = 8;

const char kParityItems[] = "无较验\n奇较验\n偶较验\n标记较验\n空格较验";
const char kFlowItems[] = "无\nXON/XOFF\n硬件";

template <size_t N>
void FillCombo(HWND combo, const char* const (&items)[N]) {
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const char* item : items)
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

// Entries one per line, from the resources in the interface language.
void FillComboFromLines(HWND combo, UINT stringId, LPCSTR fallback) {
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  CString lines = OutputText::LoadOr(stringId, fallback);
  int start = 0;
  while (start <= lines.GetLength()) {
    int end = lines.Find('\n', start);
    if (end < 0) end = lines.GetLength();
    CString item = lines.Mid(start, end - start);
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.GetString()));
    start = end + 1;
  }
}

CString ComboText(HWND dialog, UINT id) {
  char text[64] = {};
  ::GetDlgItemTextA(dialog, static_cast<int>(id), text, sizeof text);
  return text;
}

int Selection(HWND dialog, UINT id) {
  LRESULT index = ::SendDlgItemMessageA(dialog, static_cast<int>(id), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? 0 : static_cast<int>(index);
}

void Select(HWND dialog, UINT id, int index) {
  ::SendDlgItemMessageA(dialog, static_cast<int>(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

}  // namespace

CPortSetupDlg::CPortSetupDlg(CWnd* parent) : CDialog(kDialogId, parent) {}

BOOL CPortSetupDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  FillCombo(::GetDlgItem(m_hWnd, kSpeedCombo), kSpeeds);
  FillComboFromLines(::GetDlgItem(m_hWnd, kParityCombo), OutputText::kParityItemsId, kParityItems);
  FillCombo(::GetDlgItem(m_hWnd, kDataBitsCombo), kDataBits);
  FillCombo(::GetDlgItem(m_hWnd, kStopBitsCombo), kStopBits);
  FillComboFromLines(::GetDlgItem(m_hWnd, kFlowCombo), OutputText::kFlowItemsId, kFlowItems);
  m_port.LoadSettings();
  FillControls();
  return TRUE;
}

void CPortSetupDlg::FillControls() {
  char text[16];
  snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(m_port.TranSpeed));
  LRESULT speed = ::SendDlgItemMessageA(m_hWnd, kSpeedCombo, CB_FINDSTRINGEXACT,
                                        static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  // A speed outside the list selects nothing: its number stays visible to be corrected.
  if (speed == CB_ERR)
    ::SetDlgItemTextA(m_hWnd, kSpeedCombo, text);
  else
    Select(m_hWnd, kSpeedCombo, static_cast<int>(speed));
  Select(m_hWnd, kParityCombo, m_port.OECheck);
  snprintf(text, sizeof text, "%d", m_port.DataWidth);
  LRESULT bits = ::SendDlgItemMessageA(m_hWnd, kDataBitsCombo, CB_FINDSTRINGEXACT,
                                       static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text));
  Select(m_hWnd, kDataBitsCombo, bits == CB_ERR ? -1 : static_cast<int>(bits));
  Select(m_hWnd, kStopBitsCombo, m_port.StopBits);
  Select(m_hWnd, kFlowCombo,
         (m_port.XONXOFF & 1)  ? kXonXoffFlow
         : (m_port.RTSCTS & 1) ? kHardwareFlow
                               : kNoFlow);
  ::CheckDlgButton(m_hWnd, kRtsCtsCheck, (m_port.RTSCTS & 1) ? BST_CHECKED : BST_UNCHECKED);
  ::CheckDlgButton(m_hWnd, kDtrDsrCheck, (m_port.DTRDSR & 1) ? BST_CHECKED : BST_UNCHECKED);
}

void CPortSetupDlg::OnDefaults() {
  m_port.TranSpeed = 9600;
  m_port.OECheck = 0;
  m_port.DataWidth = 8;
  m_port.StopBits = 0;
  m_port.RTSCTS = 1;
  m_port.DTRDSR = 0;
  m_port.XONXOFF = 0;
  FillControls();
}

bool CPortSetupDlg::ReadControls() {
  CString speed = ComboText(m_hWnd, kSpeedCombo);
  bool listed = false;
  for (const char* entry : kSpeeds) listed = listed || speed == entry;
  CString text;
  if (!listed) {
    text.Format(OutputText::Load(OutputText::kUnlistedSpeed), speed.GetString());
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  CString bits = ComboText(m_hWnd, kDataBitsCombo);
  int dataWidth = atoi(bits);
  if (dataWidth < kFewestDataBits || dataWidth > kMostDataBits) {
    text.Format(OutputText::Load(OutputText::kUnsupportedDataBits), bits.GetString());
    AfxMessageBox(text, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  m_port.TranSpeed = static_cast<DWORD>(strtoul(speed, nullptr, 10));
  m_port.OECheck = Selection(m_hWnd, kParityCombo);
  m_port.DataWidth = dataWidth;
  m_port.StopBits = Selection(m_hWnd, kStopBitsCombo);
  m_port.RTSCTS = ::IsDlgButtonChecked(m_hWnd, kRtsCtsCheck) == BST_CHECKED;
  m_port.DTRDSR = ::IsDlgButtonChecked(m_hWnd, kDtrDsrCheck) == BST_CHECKED;
  // The flow-control list decides XON/XOFF; hardware flow control is the RTS/CTS handshake.
  int flow = Selection(m_hWnd, kFlowCombo);
  m_port.XONXOFF = flow == kXonXoffFlow;
  if (flow == kHardwareFlow) m_port.RTSCTS = 1;
  return true;
}

void CPortSetupDlg::OnOK() {
  if (!ReadControls()) return;
  m_port.SaveSettings();
  EndDialog(IDOK);
}
