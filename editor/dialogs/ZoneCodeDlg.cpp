#include "editor/dialogs/ZoneCodeDlg.h"

#include <commctrl.h>

#include <string>

#include "framework/FrameWnd.h"
#include "framework/GbkText.h"
#include "framework/View.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"

namespace {

const int kZoneControl = 1362;
const int kPageControl = 1363;
const int kCodeControl = 1364;
const int kListControl = 1098;
const int kZoneOffset = 160;

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CZoneCodeDlg, CDialog)
  ON_NOTIFY(UDN_DELTAPOS, kZoneControl, OnZoneSpin)
  ON_NOTIFY(UDN_DELTAPOS, kPageControl, OnPageSpin)
  ON_LBN_SELCHANGE(kListControl, OnCharChosen)
  ON_LBN_DBLCLK(kListControl, OnCharDoubleClicked)
  ON_WM_SIZE()
END_MESSAGE_MAP()
// clang-format on

int CZoneCodeDlg::StepZone(int zone, int delta) {
  if (delta > 0) return zone > kLastZone - 1 ? zone : zone + 1;
  return zone < kFirstZone + 1 ? zone : zone - 1;
}

int CZoneCodeDlg::StepPage(int top, int page, int delta) {
  if (delta < 0) return top + page > kPositions - 1 ? kPositions - page : top + page;
  return top - page < 0 ? 0 : top - page;
}

std::string CZoneCodeDlg::GbkCharacter(int position) const {
  return {static_cast<char>(m_zone), static_cast<char>(position)};
}

CString CZoneCodeDlg::CodeText(int zone, int position) {
  CString text;
  text.Format("%02d%02d", zone - kZoneOffset, position - kZoneOffset);
  return text;
}

BOOL CZoneCodeDlg::Create(CWnd* parent) { return CDialog::Create(kTemplateId, parent); }

BOOL CZoneCodeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_zone = kFirstZone;
  m_position = kFirstPosition;
  ::SendDlgItemMessageA(m_hWnd, kListControl, LB_SETCOLUMNWIDTH, kColumnWidth, 0);
  FillZone();
  return TRUE;
}

void CZoneCodeDlg::FillZone() {
  HWND list = ::GetDlgItem(m_hWnd, kListControl);
  ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (int i = 0; i < kPositions; ++i) {
    AfxAddGbkEntry(list, LB_ADDSTRING, GbkCharacter(kFirstPosition + i).c_str());
  }
}

void CZoneCodeDlg::ShowCode(int position) {
  ::SetDlgItemTextA(m_hWnd, kCodeControl, CodeText(m_zone, position));
}

void CZoneCodeDlg::OnZoneSpin(NMHDR* header, LRESULT* result) {
  m_zone = StepZone(m_zone, reinterpret_cast<NMUPDOWN*>(header)->iDelta);
  FillZone();
  ShowCode(kFirstPosition);
  *result = 1;
}

void CZoneCodeDlg::OnPageSpin(NMHDR* header, LRESULT* result) {
  HWND list = ::GetDlgItem(m_hWnd, kListControl);
  RECT client;
  ::GetClientRect(list, &client);
  int page = (client.right - client.left) / kColumnWidth - 1;
  int top = static_cast<int>(::SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  ::SendMessageA(list, LB_SETTOPINDEX,
                 StepPage(top, page, reinterpret_cast<NMUPDOWN*>(header)->iDelta), 0);
  *result = 1;
}

void CZoneCodeDlg::OnCharChosen() {
  int chosen = static_cast<int>(::SendDlgItemMessageA(m_hWnd, kListControl, LB_GETCURSEL, 0, 0));
  if (chosen < 0) return;
  m_position = kFirstPosition + chosen;
  ShowCode(m_position);
  if (HWND parent = ::GetParent(m_hWnd)) ::SetFocus(parent);
}

void CZoneCodeDlg::OnCharDoubleClicked() {
  auto* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
  CFrameWnd* child = main ? main->GetActiveFrame() : nullptr;
  CView* view = child ? child->GetActiveView() : nullptr;
  if (!view || !view->GetSafeHwnd()) return;
  ::SetFocus(view->GetSafeHwnd());
  // One whole character, as an input method hands it over, in wide form: two single bytes would
  // be taken as two Latin characters wherever the keyboard is not a Chinese one, and GBK posted
  // as 8-bit text would be read through the system's code page.
  const std::wstring wide = CGbkText::ToWide(GbkCharacter(m_position).c_str());
  if (wide.size() == 1)
    ::PostMessageW(view->GetSafeHwnd(), WM_IME_CHAR, static_cast<WPARAM>(wide[0]), 0);
}

void CZoneCodeDlg::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  HWND list = ::GetDlgItem(m_hWnd, kListControl);
  if (list && ::GetDlgItem(m_hWnd, kCodeControl))
    ::MoveWindow(list, 0, kStripHeight, cx, cy > kStripHeight ? cy - kStripHeight : 0, TRUE);
}
