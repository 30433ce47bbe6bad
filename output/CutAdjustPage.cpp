#include "output/CutAdjustPage.h"

#include <cmath>
#include <cstdlib>

#include "framework/MessageBox.h"
#include "output/CutJobHost.h"
#include "output/CutSettings.h"
#include "output/CutterDevice.h"
#include "output/OutputTexts.h"
#include "output/PortSetupDlg.h"

// clang-format off
BEGIN_MESSAGE_MAP(CCutAdjustPage, CDialog)
  ON_BN_CLICKED(CCutAdjustPage::kPlotMode, OnPlotMode)
  ON_EN_KILLFOCUS(CCutAdjustPage::kBladeOffset, OnOffsetDone)
  ON_EN_KILLFOCUS(CCutAdjustPage::kOverlap, OnOverlapDone)
  ON_BN_CLICKED(CCutAdjustPage::kPauseCut, OnPauseCut)
  ON_BN_CLICKED(CCutAdjustPage::kStepUp, OnStepUp)
  ON_BN_CLICKED(CCutAdjustPage::kStepDown, OnStepDown)
  ON_BN_CLICKED(CCutAdjustPage::kStepLeft, OnStepLeft)
  ON_BN_CLICKED(CCutAdjustPage::kStepRight, OnStepRight)
  ON_BN_CLICKED(CCutAdjustPage::kPortSettings, OnPortSettings)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kArrowWidth = 14;
const COLORREF kArrowMask = RGB(192, 192, 192);

// The arrow images in the order "<", ">", "^", "V".
int ArrowImage(int id) {
  switch (id) {
    case CCutAdjustPage::kStepLeft:
      return 0;
    case CCutAdjustPage::kStepRight:
      return 1;
    case CCutAdjustPage::kStepUp:
      return 2;
    case CCutAdjustPage::kStepDown:
      return 3;
    default:
      return -1;
  }
}

}  // namespace

CCutAdjustPage::CCutAdjustPage(CCutSettings& settings, CCutterDevice& device, CCutJobHost* host)
    : m_settings(settings), m_device(device), m_host(host) {}

BOOL CCutAdjustPage::Create(CWnd* parent) { return CDialog::Create(kDialogId, parent); }

BOOL CCutAdjustPage::OnInitDialog() {
  CDialog::OnInitDialog();
  m_arrows.Create(kArrowBitmap, kArrowWidth, 4, kArrowMask);
  m_pressedArrows.Create(kPressedArrowBitmap, kArrowWidth, 4, kArrowMask);
  FillControls();
  return TRUE;
}

bool CCutAdjustPage::Checked(UINT id) const {
  return ::IsDlgButtonChecked(m_hWnd, static_cast<int>(id)) == BST_CHECKED;
}

CString CCutAdjustPage::Text(UINT id) const {
  CString text;
  GetDlgItemText(static_cast<int>(id), text);
  return text;
}

void CCutAdjustPage::SetNumber(UINT id, LPCSTR format, double value) {
  SetDlgItemNumber(static_cast<int>(id), value, format);
}

void CCutAdjustPage::FillControls() {
  if (!m_hWnd) return;
  ::SetDlgItemInt(m_hWnd, kOverlap, static_cast<UINT>(m_settings.m_pageGaps), TRUE);
  ::CheckDlgButton(m_hWnd, kPauseCut, m_settings.m_pauseCut ? BST_CHECKED : BST_UNCHECKED);
  SetNumber(kBladeOffset, "%.2f", m_device.m_bladeOffset);
  ::SetDlgItemInt(m_hWnd, kOvercut, static_cast<UINT>(m_device.m_overcut), TRUE);
  SetNumber(kRatioX, "%.4f", m_device.m_ratioX);
  SetNumber(kRatioY, "%.4f", m_device.m_ratioY);
  // A head that offsets the blade itself can plot only with a plot command of its own.
  const bool plotMode = m_device.m_hardOffset == 0 || !m_device.m_plotCmd.IsEmpty();
  ::CheckDlgButton(m_hWnd, kPlotMode, plotMode && m_device.m_penMode ? BST_CHECKED : BST_UNCHECKED);
  ::EnableWindow(::GetDlgItem(m_hWnd, kPlotMode), plotMode);
  ::EnableWindow(::GetDlgItem(m_hWnd, kBladeOffset), m_device.m_hardOffset == 0);
}

bool CCutAdjustPage::IsBladeOffset(float value) {
  return value == 0.0f || (value >= kSmallestOffset && value <= kLargestOffset);
}

bool CCutAdjustPage::IsRatio(float value) {
  return value >= kSmallestRatio && value <= kLargestRatio;
}

// The whole field must be a number: "0.3mm" or an empty field is not one.
bool CCutAdjustPage::ParseFloat(UINT id, float* value) const {
  CString text = Text(id);
  const char* start = text.GetString();
  char* end = nullptr;
  double parsed = strtod(start, &end);
  if (end == start) return false;
  while (*end == ' ') ++end;
  if (*end || !std::isfinite(parsed)) return false;
  *value = static_cast<float>(parsed);
  return true;
}

void CCutAdjustPage::Refuse(UINT id, LPCSTR format, double value) {
  ::MessageBeep(MB_ICONEXCLAMATION);
  SetNumber(id, format, value);
}

bool CCutAdjustPage::ReadBack(CCutterDevice* profile) {
  if (!m_hWnd) return true;
  CCutterDevice& target = profile ? *profile : m_device;
  float offset = 0.0f, ratioX = 0.0f, ratioY = 0.0f;
  if (!ParseFloat(kBladeOffset, &offset) || !IsBladeOffset(offset)) {
    Refuse(kBladeOffset, "%.2f", target.m_bladeOffset);
    AfxMessageBox(OutputText::Load(OutputText::kOffsetRefused), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  if (!ParseFloat(kRatioX, &ratioX) || !IsRatio(ratioX) || !ParseFloat(kRatioY, &ratioY) ||
      !IsRatio(ratioY)) {
    SetNumber(kRatioX, "%.4f", target.m_ratioX);
    SetNumber(kRatioY, "%.4f", target.m_ratioY);
    AfxMessageBox(OutputText::Load(OutputText::kRatioRefused), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  BOOL isNumber = FALSE;
  int overcut = static_cast<int>(::GetDlgItemInt(m_hWnd, kOvercut, &isNumber, TRUE));
  if (!isNumber || overcut < 0) {
    ::SetDlgItemInt(m_hWnd, kOvercut, static_cast<UINT>(target.m_overcut), TRUE);
    AfxMessageBox(OutputText::Load(OutputText::kOvercutRefused), MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  target.m_overcut = overcut;
  target.m_bladeOffset = offset;
  target.m_penMode = Checked(kPlotMode);
  target.m_ratioX = ratioX;
  target.m_ratioY = ratioY;
  return true;
}

void CCutAdjustPage::OnPlotMode() { m_settings.m_penMode = Checked(kPlotMode); }

void CCutAdjustPage::OnOffsetDone() {
  float offset = 0.0f;
  if (!ParseFloat(kBladeOffset, &offset) || !IsBladeOffset(offset))
    Refuse(kBladeOffset, "%.2f", m_device.m_bladeOffset);
}

void CCutAdjustPage::OnOverlapDone() { m_settings.m_pageGaps = atoi(Text(kOverlap)); }

void CCutAdjustPage::OnPauseCut() { m_settings.m_pauseCut = Checked(kPauseCut); }

void CCutAdjustPage::OnStepUp() {
  if (m_host) m_host->StepMedia(CCutPreview::kStepUp);
}
void CCutAdjustPage::OnStepDown() {
  if (m_host) m_host->StepMedia(CCutPreview::kStepDown);
}
void CCutAdjustPage::OnStepLeft() {
  if (m_host) m_host->StepMedia(CCutPreview::kStepLeft);
}
void CCutAdjustPage::OnStepRight() {
  if (m_host) m_host->StepMedia(CCutPreview::kStepRight);
}

void CCutAdjustPage::OnPortSettings() {
  CPortSetupDlg dialog(this);
  // The same "PortInfo" as the port the jobs go through.
  dialog.GetPort().GetSettingsFile().SetPath(m_device.m_port.GetSettingsFile().GetPath());
  dialog.DoModal();
}

void CCutAdjustPage::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  int image = ArrowImage(id);
  if (image < 0 || !item) return;
  if (!(item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return;
  CImageList& images = item->itemState & ODS_SELECTED ? m_pressedArrows : m_arrows;
  ::FillRect(item->hDC, &item->rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
  ImageList_Draw(images, image, item->hDC, 0, 0, ILD_NORMAL);
}
