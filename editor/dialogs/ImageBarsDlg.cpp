#include "editor/dialogs/ImageBarsDlg.h"

#include <commctrl.h>

#include <cmath>
#include <memory>

#include "editor/TALVEX42View.h"
#include "editor/views/DocumentChange.h"
#include "model/blocks/BarHalftone.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/RasterImageInfo.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(CImageBarsDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CImageBarsDlg, CDialog)
  ON_EN_CHANGE(CImageBarsDlg::kBarHeight, OnBarHeightChanged)
  ON_EN_CHANGE(CImageBarsDlg::kBarCount, OnBarCountChanged)
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kFewestPercent = 1;
const int kMostPercent = 99;
const int kFewestGreyLevels = 1;
const int kMostGreyLevels = 10;
// The bar conversion takes images of this many bits per pixel only; the dialog opens from 4.
const WORD kBarBits = 8;
const WORD kFewestBits = 4;
// A bar height below this does nothing.
const float kLowestBar = 1.0f;

}  // namespace

CImageBarsDlg::CImageBarsDlg(CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile) {}

float CImageBarsDlg::ImageHeight() const {
  return m_image ? std::fabs(m_image->m_box.bottom - m_image->m_box.top) : 0.0f;
}

void CImageBarsDlg::EnableConvert(bool enable) { EnableControl(IDOK, m_convertible && enable); }

BOOL CImageBarsDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  m_okButton.TakeOver(IDOK, this);
  using namespace settings;
  m_image = SelectedImage();
  RasterImageInfo info;
  m_convertible = m_image && m_image->ReadImage(&info) && info.bitsPerPixel >= kFewestBits;
  if (!m_image) EnableControl(kImageGroup, false);
  if (m_image) {
    ShowNumber(kImageWidth, "%.2f", std::fabs(m_image->m_box.right - m_image->m_box.left));
    ShowNumber(kImageHeight, "%.2f", ImageHeight());
  }
  SendDlgItemMessage(kMinHeightSpin, UDM_SETRANGE32, kFewestPercent, kMostPercent);
  SendDlgItemMessage(kMaxHeightSpin, UDM_SETRANGE32, kFewestPercent, kMostPercent);
  SendDlgItemMessage(kThresholdSpin, UDM_SETRANGE32, kFewestGreyLevels, kMostGreyLevels);
  ShowInt(kMinHeight, Profile().GetInt(kImage, kBarMinHeight, kMinHeightDefault));
  ShowInt(kMaxHeight, Profile().GetInt(kImage, kBarMaxHeight, kMaxHeightDefault));
  ShowInt(kThreshold, Profile().GetInt(kImage, kGrayThreshold, kGrayThresholdDefault));
  ShowNumber(kBarHeight, "%.2f",
             Profile().GetFloat(kImage, settings::kBarHeight, kBarHeightDefault));
  EnableConvert(true);
  OnBarHeightChanged();
  if (CWnd* height = GetDlgItem(kBarHeight)) height->SetFocus();
  return FALSE;
}

void CImageBarsDlg::OnBarHeightChanged() {
  if (m_updating) return;
  const float barHeight = ReadFloat(kBarHeight);
  if (!(barHeight > 0.0f)) {
    EnableConvert(false);
    return;
  }
  EnableConvert(true);
  m_updating = true;
  ShowInt(kBarCount, static_cast<int>(ImageHeight() / barHeight));
  m_updating = false;
}

void CImageBarsDlg::OnBarCountChanged() {
  if (m_updating) return;
  const int count = ReadInt(kBarCount);
  if (count <= kFewestBars) {
    EnableConvert(false);
    return;
  }
  EnableConvert(true);
  m_updating = true;
  ShowNumber(kBarHeight, "%.2f", ImageHeight() / count);
  m_updating = false;
}

void CImageBarsDlg::WriteSettings() const {
  using namespace settings;
  CString height;
  height.Format("%.2f", ReadFloat(kBarHeight));
  Profile().WriteString(kImage, settings::kBarHeight, height);
  Profile().WriteInt(kImage, kBarMinHeight, ReadInt(kMinHeight));
  Profile().WriteInt(kImage, kBarMaxHeight, ReadInt(kMaxHeight));
  Profile().WriteInt(kImage, kGrayThreshold, ReadInt(kThreshold));
}

void CImageBarsDlg::OnOK() {
  // The greyed button does nothing however the command comes.
  CWnd* convert = GetDlgItem(IDOK);
  if (!m_image || !View() || (convert && !convert->IsWindowEnabled())) return;
  if (ReadFloat(kBarHeight) < kLowestBar) return;
  const int thinnest = ReadInt(kMinHeight), thickest = ReadInt(kMaxHeight);
  if (thinnest < kFewestPercent || thickest > kMostPercent || thinnest > thickest) {
    ShowMessage(IDS_BARS_PERCENT_RANGE, IDS_ERROR, MB_OK | MB_ICONWARNING);
    return;
  }
  WriteSettings();
  std::unique_ptr<CCurveBlock> curve(MakeBarHalftoneCurve(m_image));
  if (!curve) {
    RasterImageInfo info;
    bool eightBits = m_image->ReadImage(&info) && info.bitsPerPixel == kBarBits;
    ShowMessage(eightBits ? IDS_BARS_TOO_MANY_POINTS : IDS_BARS_NEED_8_BITS, IDS_ERROR,
                MB_OK | MB_ICONWARNING);
    // A taller bar gives fewer points; another image is another dialog.
    if (!eightBits) EndDialog(IDCANCEL);
    return;
  }
  // Only an end record: the box is lower than one bar.
  if (curve->GetCount() <= 1) {
    ShowMessage(IDS_BARS_IMAGE_TOO_LOW, IDS_ERROR, MB_OK | MB_ICONWARNING);
    return;
  }
  CDocumentChange change(*View()->GetUndoManager(), Document());
  AddToDocument(curve.release());
  EndDialog(IDOK);
}
