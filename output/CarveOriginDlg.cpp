#include "output/CarveOriginDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "framework/MessageBox.h"
#include "framework/ScrollBar.h"
#include "output/CarveTexts.h"
#include "output/PortNames.h"

// clang-format off
BEGIN_MESSAGE_MAP(CCarveOriginDlg, CDialog)
  ON_EN_CHANGE(CCarveOriginDlg::kXEdit, OnXChanged)
  ON_EN_CHANGE(CCarveOriginDlg::kYEdit, OnYChanged)
  ON_BN_CLICKED(CCarveOriginDlg::kPenDown, OnPenDown)
  ON_WM_HSCROLL()
  ON_WM_VSCROLL()
  ON_WM_LBUTTONUP()
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()
// clang-format on

namespace {

const char kCarveInfo[] = "CarveInfo";
const int kPageStep = 10;

float ParseValue(HWND dialog, UINT edit) {
  char text[64] = {};
  ::GetDlgItemTextA(dialog, static_cast<int>(edit), text, sizeof text);
  return static_cast<float>(std::atof(text));
}

// value / range along length pixels; the start where the range is empty.
int Along(float value, int range, int length) {
  if (range <= 0) return 0;
  return static_cast<int>(value / static_cast<float>(range) * static_cast<float>(length));
}

}  // namespace

CCarveOriginDlg::CCarveOriginDlg(const CIniFile& profile, CWnd* parent)
    : CDialog(kDialogId, parent), m_x(0.0f), m_y(0.0f), m_stop(0), m_guard(false), m_online(false) {
  m_device.ProfileFile().SetPath(profile.GetPath());
}

POINT CCarveOriginDlg::CrossPosition(const RECT& inner, float x, float y, int width, int height) {
  return POINT{inner.left + Along(x, width, inner.right - inner.left),
               inner.top + Along(y, height, inner.bottom - inner.top)};
}

BOOL CCarveOriginDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CIniFile& profile = m_device.ProfileFile();
  char model[80] = {};
  profile.ReadString(kCarveInfo, "Device", model, sizeof model, "");
  m_device.LoadProfile(model);
  m_port.SetPortName(profile.GetString(kCarveInfo, "PORT", ""));
  ::SetScrollRange(::GetDlgItem(m_hWnd, kXScroll), SB_CTL, 0, m_device.m_maxWidth, FALSE);
  ::SetScrollRange(::GetDlgItem(m_hWnd, kYScroll), SB_CTL, 0, m_device.m_maxHeight, FALSE);
  m_x = m_device.m_originX;
  m_y = m_device.m_originY;
  m_guard = true;
  ShowValue(kXEdit, m_x);
  ShowValue(kYEdit, m_y);
  m_guard = false;
  ::SetScrollPos(::GetDlgItem(m_hWnd, kXScroll), SB_CTL, static_cast<int>(m_x), TRUE);
  ::SetScrollPos(::GetDlgItem(m_hWnd, kYScroll), SB_CTL, static_cast<int>(m_y), TRUE);
  Connect();
  return TRUE;
}

// Opens the port and starts the device; a device that does not answer leaves the dialog offline.
void CCarveOriginDlg::Connect() {
  m_port.SetRetryLimit(kPortRetries);
  m_port.LoadSettings();
  m_online = false;
  CString problem = m_device.GetProfileProblem();
  // "File" would ask for a plot file: a file is no device to move.
  const int kind = m_port.GetPortKind();
  if (problem.IsEmpty() && kind != kPortFileDialog && kind != kPortUsbPlotter) {
    m_device.Bind(&m_port, m_hWnd, &m_stop);
    m_online = m_port.Open(m_hWnd) && m_device.SendInit() != 0;
  }
  if (m_online) return;
  m_device.Bind(nullptr, m_hWnd, &m_stop);
  m_port.Close();
  MessageBeep(MB_ICONEXCLAMATION);
  CString text = CarveText::LoadOr(CarveText::kNotOnlineId, CarveText::kNotOnline);
  if (!problem.IsEmpty()) {
    CString format = CarveText::LoadOr(CarveText::kProfileUnusableId, CarveText::kProfileUnusable);
    text.Format(format, m_device.m_modelName, problem.GetString());
  }
  AfxShowMessageBox(m_hWnd, text,
                    CarveText::LoadOr(CarveText::kErrorCaptionId, CarveText::kErrorCaption),
                    MB_OK | MB_ICONERROR);
}

void CCarveOriginDlg::ShowValue(UINT edit, float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  ::SetDlgItemTextA(m_hWnd, static_cast<int>(edit), text);
}

RECT CCarveOriginDlg::PreviewInner() const {
  RECT rect = {};
  HWND preview = ::GetDlgItem(m_hWnd, kPreview);
  ::GetWindowRect(preview, &rect);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
  ::InflateRect(&rect, -1, -1);
  return rect;
}

bool CCarveOriginDlg::TakeValue(UINT edit, int limit, float* value, UINT scroll) {
  float typed = ParseValue(m_hWnd, edit);
  if (!(typed >= 0.0f && typed <= static_cast<float>(limit))) {
    MessageBeep(MB_OK);
    return false;
  }
  *value = typed;
  ::InvalidateRect(::GetDlgItem(m_hWnd, kPreview), nullptr, FALSE);
  if (::IsDlgButtonChecked(m_hWnd, kMoveOnline) == BST_CHECKED) MoveDevice();
  if (!m_guard) ::SetScrollPos(::GetDlgItem(m_hWnd, scroll), SB_CTL, static_cast<int>(typed), TRUE);
  return true;
}

void CCarveOriginDlg::OnXChanged() { TakeValue(kXEdit, m_device.m_maxWidth, &m_x, kXScroll); }
void CCarveOriginDlg::OnYChanged() { TakeValue(kYEdit, m_device.m_maxHeight, &m_y, kYScroll); }

void CCarveOriginDlg::Scroll(UINT scroll, UINT code, int position, int limit, UINT edit) {
  HWND bar = ::GetDlgItem(m_hWnd, scroll);
  int value = ::GetScrollPos(bar, SB_CTL);
  switch (code) {
    case SB_LINELEFT:
      value -= 1;
      break;
    case SB_LINERIGHT:
      value += 1;
      break;
    case SB_PAGELEFT:
      value -= kPageStep;
      break;
    case SB_PAGERIGHT:
      value += kPageStep;
      break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
      value = position;
      break;
    default:
      return;
  }
  value = std::max(0, std::min(limit, value));
  ::SetScrollPos(bar, SB_CTL, value, TRUE);
  if (m_guard) return;
  m_guard = true;
  ShowValue(edit, static_cast<float>(value));
  m_guard = false;
}

void CCarveOriginDlg::OnHScroll(UINT code, UINT position, CScrollBar* bar) {
  if (bar && bar->m_hWnd == ::GetDlgItem(m_hWnd, kXScroll))
    Scroll(kXScroll, code, static_cast<int>(position), m_device.m_maxWidth, kXEdit);
}

void CCarveOriginDlg::OnVScroll(UINT code, UINT position, CScrollBar* bar) {
  if (bar && bar->m_hWnd == ::GetDlgItem(m_hWnd, kYScroll))
    Scroll(kYScroll, code, static_cast<int>(position), m_device.m_maxHeight, kYEdit);
}

void CCarveOriginDlg::OnLButtonUp(UINT, CPoint point) {
  RECT inner = PreviewInner();
  if (!::PtInRect(&inner, point)) return;
  const float width = static_cast<float>(std::max(1L, inner.right - inner.left));
  const float height = static_cast<float>(std::max(1L, inner.bottom - inner.top));
  ShowValue(kXEdit, static_cast<float>(point.x - inner.left) / width * m_device.m_maxWidth);
  ShowValue(kYEdit, static_cast<float>(point.y - inner.top) / height * m_device.m_maxHeight);
}

void CCarveOriginDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id != static_cast<int>(kPreview) || !item) return;
  HDC dc = item->hDC;
  RECT frame = item->rcItem;
  FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RECT inner = frame;
  InflateRect(&inner, -1, -1);
  FillRect(dc, &inner, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  POINT cross = CrossPosition(inner, m_x, m_y, m_device.m_maxWidth, m_device.m_maxHeight);
  HGDIOBJ kept = SelectObject(dc, GetStockObject(BLACK_PEN));
  const int half = kCrossPixels / 2;
  MoveToEx(dc, cross.x - half, cross.y, nullptr);
  LineTo(dc, cross.x + half, cross.y);
  MoveToEx(dc, cross.x, cross.y - half, nullptr);
  LineTo(dc, cross.x, cross.y + half);
  SelectObject(dc, kept);
}

void CCarveOriginDlg::OnPenDown() {
  if (::IsDlgButtonChecked(m_hWnd, kPenDown) == BST_CHECKED)
    m_device.SendPenDown();
  else
    m_device.SendPenUp();
}

// The device goes to the origin at once with its own move command, which every model takes on
// its own and which places the point as the fill does. A move raises the pen on most models: a
// pen the user has lowered goes down again.
void CCarveOriginDlg::MoveDevice() {
  if (!m_online || !(m_device.m_resolution > 0.0f)) return;
  m_stop = 0;
  m_device.SendPoint(m_x / m_device.m_resolution, m_y / m_device.m_resolution);
  if (::IsDlgButtonChecked(m_hWnd, kPenDown) == BST_CHECKED) m_device.SendPenDown();
}

void CCarveOriginDlg::Leave(int result, bool save) {
  if (save) {
    m_device.m_originX = m_x;
    m_device.m_originY = m_y;
    m_device.SaveOrigin();
  }
  m_device.SendPenUp();
  m_device.Finish();
  m_port.Close();
  EndDialog(result);
}

void CCarveOriginDlg::OnOK() { Leave(IDOK, true); }
void CCarveOriginDlg::OnCancel() { Leave(IDCANCEL, false); }
