#include "editor/dialogs/PolygonDlg.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "editor/dialogs/ShapeLayouts.h"
#include "framework/Brush.h"
#include "framework/ClientDC.h"
#include "framework/PaintDC.h"
#include "framework/SpinButtonCtrl.h"
#include "model/blocks/CurveBlock.h"
#include "model/geometry/Matrix2D.h"
#include "model/geometry/ShapeCurves.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"

IMPLEMENT_DYNAMIC(CPolygonDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CPolygonDlg, CDialog)
  ON_NOTIFY(UDN_DELTAPOS, CPolygonDlg::kSpin, OnSpin)
  ON_EN_CHANGE(CPolygonDlg::kCorners, OnCornersChanged)
  ON_EN_CHANGE(CPolygonDlg::kWidth, OnPreviewChanged)
  ON_BN_CLICKED(CPolygonDlg::kSharp, OnPreviewChanged)
  ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kPreviewInset = 5;
const float kPreviewBand = 5.0f;

}  // namespace

CPolygonDlg::CPolygonDlg(CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile) {}

BOOL CPolygonDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  const int corners = Profile().GetInt(settings::kSystemParam, settings::kPolygonAmount,
                                       settings::kPolygonAmountDefault);
  ShowInt(kCorners, corners);
  if (auto* spin = static_cast<CSpinButtonCtrl*>(GetDlgItem(kSpin))) {
    spin->SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(kCorners)->m_hWnd), 0);
    spin->SetRange32(CShapeLayouts::kMinCorners, CShapeLayouts::kMaxCorners);
    spin->SetPos(corners);
  }
  char width[16];
  snprintf(width, sizeof width, "%.1f", settings::kPolygonWidthDefault);
  SetDlgItemText(kWidth,
                 Profile().GetString(settings::kSystemParam, settings::kPolygonWidth, width));
  SetChecked(kSharp, Profile().GetInt(settings::kSystemParam, settings::kSharpPolygon,
                                      settings::kSharpPolygonDefault) != 0);
  return TRUE;
}

void CPolygonDlg::OnSpin(NMHDR* header, LRESULT* result) {
  const auto* change = reinterpret_cast<const NMUPDOWN*>(header);
  const int next = CShapeLayouts::StepCorners(ReadInt(kCorners), change->iDelta);
  ShowInt(kCorners, next);
  // The spin's own change is suppressed: the field decides.
  *result = 1;
}

void CPolygonDlg::OnCornersChanged() {
  if (auto* spin = static_cast<CSpinButtonCtrl*>(GetDlgItem(kSpin)))
    spin->SetPos(ReadInt(kCorners));
  DrawPreview();
}

void CPolygonDlg::OnPreviewChanged() { DrawPreview(); }

void CPolygonDlg::OnPaint() {
  { CPaintDC dc(this); }
  DrawPreview();
}

void CPolygonDlg::DrawPreview() {
  CWnd* frame = GetDlgItem(kPreview);
  if (!frame || !frame->m_hWnd) return;
  RECT area;
  frame->GetClientRect(&area);
  CClientDC dc(frame);
  ::FillRect(dc.GetSafeHdc(), &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::FrameRect(dc.GetSafeHdc(), &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  const float w = static_cast<float>(area.right), h = static_cast<float>(area.bottom);
  const int corners = ReadInt(kCorners);
  const float band = ReadFloat(kWidth) != 0 ? kPreviewBand : 0.0f;
  const float inner = IsChecked(kSharp) ? std::min(h - 10, w - 10) / 8 : 0.0f;
  std::unique_ptr<CCurveBlock> polygon(MakeRegularPolygonCurve(
      kPreviewInset, kPreviewInset, w - kPreviewInset, h - kPreviewInset,
      std::min(std::max(corners, CShapeLayouts::kMinCorners), CShapeLayouts::kMaxCorners), band,
      inner));
  if (!polygon) return;
  CMatrix2D identity;
  polygon->DrawOutline(&dc, &identity, 0);
}

void CPolygonDlg::OnOK() {
  Profile().WriteInt(settings::kSystemParam, settings::kSharpPolygon, IsChecked(kSharp) ? 1 : 0);
  Profile().WriteString(settings::kSystemParam, settings::kPolygonWidth,
                        ReadText(kWidth, kWidthLength));
  Profile().WriteInt(settings::kSystemParam, settings::kPolygonAmount, ReadInt(kCorners));
  EndDialog(IDOK);
}
