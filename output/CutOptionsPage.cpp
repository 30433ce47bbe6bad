#include "output/CutOptionsPage.h"

#include <cstdlib>

#include "framework/Bitmap.h"
#include "framework/DC.h"
#include "output/CutJobHost.h"
#include "output/CutSettings.h"
#include "output/HalfCutDlg.h"

// clang-format off
BEGIN_MESSAGE_MAP(CCutOptionsPage, CDialog)
  ON_BN_CLICKED(CCutOptionsPage::kAutoFeed, OnAutoFeed)
  ON_BN_CLICKED(CCutOptionsPage::kPageRect, OnPageRect)
  ON_BN_CLICKED(CCutOptionsPage::kRemoteCut, OnRemoteCut)
  ON_BN_CLICKED(CCutOptionsPage::kSort, OnSort)
  ON_BN_CLICKED(CCutOptionsPage::kTextLine, OnTextLine)
  ON_BN_CLICKED(CCutOptionsPage::kSavePaper, OnSavePaper)
  ON_BN_CLICKED(CCutOptionsPage::kColourSeparation, OnColourSeparation)
  ON_CBN_SELCHANGE(CCutOptionsPage::kColourList, OnColourChosen)
  ON_BN_CLICKED(CCutOptionsPage::kHalfCut, OnHalfCut)
  ON_BN_CLICKED(CCutOptionsPage::kHalfCutSettings, OnHalfCutSettings)
  ON_EN_KILLFOCUS(CCutOptionsPage::kPrecision, OnPrecisionDone)
  ON_EN_KILLFOCUS(CCutOptionsPage::kZoom, OnZoomDone)
  ON_BN_CLICKED(CCutOptionsPage::kMirror, OnMirror)
  ON_BN_CLICKED(CCutOptionsPage::kRotate, OnRotate)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()
// clang-format on

namespace {

// The check box of colour separation beside the colour list, and alone.
const int kNarrowCheckWidth = 15;
const int kWideCheckWidth = 120;
const int kMarkerSpace = 18;

// Colour numbers keep red in their high byte; a COLORREF keeps it in the low one.
COLORREF SwapRedBlue(DWORD colour) {
  return RGB((colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

}  // namespace

CCutOptionsPage::CCutOptionsPage(CCutSettings& settings, const CIniFile& profile, CCutJobHost* host)
    : m_settings(settings), m_profile(profile), m_host(host) {}

BOOL CCutOptionsPage::Create(CWnd* parent) { return CDialog::Create(kDialogId, parent); }

BOOL CCutOptionsPage::OnInitDialog() {
  CDialog::OnInitDialog();
  FillControls();
  return TRUE;
}

bool CCutOptionsPage::Checked(UINT id) const {
  return ::IsDlgButtonChecked(m_hWnd, static_cast<int>(id)) == BST_CHECKED;
}

void CCutOptionsPage::Check(UINT id, int on) {
  ::CheckDlgButton(m_hWnd, static_cast<int>(id), on ? BST_CHECKED : BST_UNCHECKED);
}

CString CCutOptionsPage::Text(UINT id) const {
  CString text;
  GetDlgItemText(static_cast<int>(id), text);
  return text;
}

void CCutOptionsPage::SetNumber(UINT id, LPCSTR format, double value) {
  SetDlgItemNumber(static_cast<int>(id), value, format);
}

void CCutOptionsPage::FillControls() {
  Check(kSavePaper, m_settings.m_savePaper);
  Check(kAutoFeed, m_settings.m_autoFeed);
  Check(kTextLine, m_settings.m_textLine);
  Check(kPageRect, m_settings.m_pageRect);
  Check(kSort, m_settings.m_sort);
  Check(kRemoteCut, m_settings.m_remoteCut);
  Check(kHalfCut, m_settings.m_halfCut);
  Check(kColourSeparation, m_settings.m_colorSeparation);
  ShowColourList(m_settings.m_colorSeparation != 0);
  ::SetDlgItemInt(m_hWnd, kLengthLimit, static_cast<UINT>(m_settings.m_shareOutLimit), TRUE);
  SetNumber(kPrecision, "%.2f", m_settings.m_curveAccurate);
  SetNumber(kZoom, "%.2f", m_settings.m_zoomCut);
  ::SetDlgItemInt(m_hWnd, kPageGap, m_settings.m_mmPageGap, FALSE);
  ShowPortKind();
}

// Only a device port can hand its jobs to the job manager.
void CCutOptionsPage::ShowPortKind() {
  if (!m_hWnd) return;
  const bool devicePort = m_settings.GetTargetKind() > 0;
  if (!devicePort) {
    Check(kRemoteCut, 0);
    m_settings.m_remoteCut = 0;
  }
  ::EnableWindow(::GetDlgItem(m_hWnd, kRemoteCut), devicePort);
}

WORD CCutOptionsPage::PageGapFromText(LPCSTR text) {
  unsigned long value = strtoul(text, nullptr, 10);
  WORD gap = static_cast<WORD>(value);
  return value > kLargestPageGap || gap > kLargestPageGap ? kPageGapOutOfRange : gap;
}

int CCutOptionsPage::LengthLimitFromText(LPCSTR text) {
  int value = atoi(text);
  if (value <= 0) return 0;
  return value < kShortestLengthLimit ? kShortestLengthLimit : value;
}

void CCutOptionsPage::ReadBack() {
  if (!m_hWnd) return;
  m_settings.m_remoteCut = Checked(kRemoteCut);
  m_settings.m_pageRect = Checked(kPageRect);
  m_settings.m_savePaper = Checked(kSavePaper);
  m_settings.m_autoFeed = Checked(kAutoFeed);
  m_settings.m_textLine = Checked(kTextLine);
  m_settings.m_sort = Checked(kSort);
  m_settings.m_halfCut = Checked(kHalfCut);
  m_settings.m_mmPageGap = PageGapFromText(Text(kPageGap));
  m_settings.m_shareOutLimit = LengthLimitFromText(Text(kLengthLimit));
}

void CCutOptionsPage::OnAutoFeed() { m_settings.m_autoFeed = Checked(kAutoFeed); }
void CCutOptionsPage::OnPageRect() { m_settings.m_pageRect = Checked(kPageRect); }
void CCutOptionsPage::OnRemoteCut() { m_settings.m_remoteCut = Checked(kRemoteCut); }
void CCutOptionsPage::OnSort() { m_settings.m_sort = Checked(kSort); }

void CCutOptionsPage::OnTextLine() {
  m_settings.m_textLine = Checked(kTextLine);
  if (m_host) m_host->RebuildJob();
}

void CCutOptionsPage::OnSavePaper() {
  if (m_host)
    m_host->SetSavePaper(Checked(kSavePaper));
  else
    m_settings.m_savePaper = Checked(kSavePaper);
}

void CCutOptionsPage::ShowColourList(bool show) {
  HWND check = ::GetDlgItem(m_hWnd, kColourSeparation);
  RECT rect;
  ::GetWindowRect(check, &rect);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
  ::SetWindowPos(check, nullptr, 0, 0, show ? kNarrowCheckWidth : kWideCheckWidth,
                 rect.bottom - rect.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(GetColourList(), show ? SW_SHOW : SW_HIDE);
}

void CCutOptionsPage::OnColourSeparation() {
  m_settings.m_colorSeparation = Checked(kColourSeparation);
  ShowColourList(m_settings.m_colorSeparation != 0);
  if (m_host) m_host->RebuildJob();
}

void CCutOptionsPage::OnColourChosen() {
  HWND list = GetColourList();
  LRESULT index = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
  char text[32] = {};
  if (index != CB_ERR &&
      ::SendMessageA(list, CB_GETLBTEXTLEN, index, 0) < static_cast<LRESULT>(sizeof text))
    ::SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  m_settings.m_colorNumber = atoi(text);
  if (m_host) m_host->RebuildJob();
}

void CCutOptionsPage::OnHalfCut() {
  m_settings.m_halfCut = Checked(kHalfCut);
  if (m_settings.m_halfCut) OnHalfCutSettings();
}

void CCutOptionsPage::OnHalfCutSettings() {
  CHalfCutDlg dialog(m_profile, this);
  if (dialog.DoModal() != IDOK) return;
  m_settings.m_solidCut = dialog.m_solidLength;
  m_settings.m_voidCut = dialog.m_voidLength;
}

void CCutOptionsPage::OnPrecisionDone() {
  float value = static_cast<float>(atof(Text(kPrecision)));
  if (value < kLowestPrecision) {
    value = kLowestPrecision;
    ::SetDlgItemTextA(m_hWnd, kPrecision, "0.5");
  }
  m_settings.m_curveAccurate = value;
}

// A zoom below 0 would mirror the job unasked: it is refused and the field shows the zoom again.
void CCutOptionsPage::OnZoomDone() {
  float zoom = static_cast<float>(atof(Text(kZoom)));
  if (zoom == 0.0f) {
    zoom = 1.0f;
    ::SetDlgItemTextA(m_hWnd, kZoom, "1");
  }
  bool taken = m_host ? m_host->ScaleJob(zoom) : zoom > 0.0f;
  if (!m_host && taken) m_settings.m_zoomCut = zoom;
  if (taken) return;
  ::MessageBeep(MB_ICONEXCLAMATION);
  SetNumber(kZoom, "%.2f", m_settings.m_zoomCut);
}

void CCutOptionsPage::OnMirror() {
  if (m_host) m_host->MirrorJob();
}

void CCutOptionsPage::OnRotate() {
  if (m_host) m_host->RotateJob();
}

void CCutOptionsPage::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id == static_cast<int>(kColourList) && item && item->itemID != static_cast<UINT>(-1))
    DrawColourItem(*item);
}

// Each entry is a colour number: a swatch of that colour, framed navy while chosen, with the
// marker in front of it.
void CCutOptionsPage::DrawColourItem(const DRAWITEMSTRUCT& item) {
  char text[32] = {};
  if (::SendMessageA(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0) <
      static_cast<LRESULT>(sizeof text))
    ::SendMessageA(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  RECT swatch = item.rcItem;
  HDC dc = item.hDC;
  ::FillRect(dc, &item.rcItem, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  if (selected) {
    CBitmap marker;
    if (marker.LoadBitmap(kMarkerBitmap)) {
      HDC source = ::CreateCompatibleDC(dc);
      HGDIOBJ previous = ::SelectObject(source, marker.m_hObject);
      BITMAP size = {};
      ::GetObjectA(marker.m_hObject, sizeof size, &size);
      ::BitBlt(dc, item.rcItem.left + 2, item.rcItem.top, size.bmWidth, size.bmHeight, source, 0, 0,
               SRCCOPY);
      ::SelectObject(source, previous);
      ::DeleteDC(source);
    }
    swatch.left += kMarkerSpace;
  }
  HBRUSH fill = ::CreateSolidBrush(SwapRedBlue(strtoul(text, nullptr, 10)));
  HPEN frame = ::CreatePen(PS_SOLID, 2, selected ? RGB(0, 0, 128) : RGB(255, 255, 255));
  HGDIOBJ oldBrush = ::SelectObject(dc, fill);
  HGDIOBJ oldPen = ::SelectObject(dc, frame);
  ::Rectangle(dc, swatch.left, swatch.top, swatch.right, swatch.bottom);
  ::SelectObject(dc, oldPen);
  ::SelectObject(dc, oldBrush);
  ::DeleteObject(frame);
  ::DeleteObject(fill);
}
