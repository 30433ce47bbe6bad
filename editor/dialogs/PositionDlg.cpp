#include "editor/dialogs/PositionDlg.h"

#include "editor/TALVEX42View.h"
#include "editor/dialogs/TransformLayouts.h"
#include "editor/views/DocumentChange.h"
#include "framework/ComboBox.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(CPositionDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CPositionDlg, CDialog)
  ON_EN_CHANGE(CPositionDlg::kMarginX, OnMarginChanged)
  ON_EN_CHANGE(CPositionDlg::kMarginY, OnMarginChanged)
  ON_COMMAND_RANGE(CPositionDlg::kAlignLeft, CPositionDlg::kAlignRight, OnAlign)
  ON_COMMAND_RANGE(CPositionDlg::kAlignVCentre, CPositionDlg::kAlignBottom, OnAlign)
  ON_COMMAND(CPositionDlg::kAlignTop, OnAlignTop)
  ON_CBN_SELCHANGE(CPositionDlg::kOrigin, OnOriginChanged)
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kOriginCount = 5;

}  // namespace

CPositionDlg::CPositionDlg(CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile) {}

BOOL CPositionDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  if (CSelectTracker* tracker = Tracker()) tracker->Recount(&m_box);
  if (CTALVEX42Doc* document = Document()) {
    m_pageWidth = document->GetPageSettings().m_width;
    m_pageHeight = document->GetPageSettings().m_height;
  }
  m_marginX = Profile().GetFloat(settings::kCoordinate, settings::kSpaceLeftRight,
                                 settings::kSpaceDefault);
  m_marginY = Profile().GetFloat(settings::kCoordinate, settings::kSpaceTopBottom,
                                 settings::kSpaceDefault);
  ShowNumber(kMarginX, "%.2f", m_marginX);
  ShowNumber(kMarginY, "%.2f", m_marginY);
  ShowNumber(kX, "%.2f", m_box.left);
  ShowNumber(kY, "%.2f", m_box.top);
  if (auto* combo = static_cast<CComboBox*>(GetDlgItem(kOrigin))) {
    for (int i = 0; i < kOriginCount; ++i)
      combo->AddString(ResourceLine(IDS_POSITION_ORIGIN_ITEMS, i));
    combo->SetCurSel(0);
  }
  m_previousOrigin = 0;
  GotoDlgCtrl(GetDlgItem(kX));
  return FALSE;
}

int CPositionDlg::ChosenOrigin() const {
  auto* combo = static_cast<CComboBox*>(GetDlgItem(kOrigin));
  return combo ? combo->GetCurSel() : CB_ERR;
}

void CPositionDlg::OnMarginChanged() {
  m_marginX = ReadFloat(kMarginX);
  m_marginY = ReadFloat(kMarginY);
}

void CPositionDlg::OnAlignTop() { OnAlign(kAlignTop); }

void CPositionDlg::OnAlign(UINT id) {
  using Layouts = CTransformLayouts;
  Layouts::Alignment alignment;
  switch (id) {
    case kAlignLeft:
      alignment = Layouts::kAlignLeft;
      break;
    case kAlignHCentre:
      alignment = Layouts::kAlignHCentre;
      break;
    case kAlignRight:
      alignment = Layouts::kAlignRight;
      break;
    case kAlignTop:
      alignment = Layouts::kAlignTop;
      break;
    case kAlignVCentre:
      alignment = Layouts::kAlignVCentre;
      break;
    default:
      alignment = Layouts::kAlignBottom;
      break;
  }
  const bool horizontal = alignment <= Layouts::kAlignRight;
  const int field = horizontal ? kX : kY;
  const Layouts::Page page = {m_pageWidth, m_pageHeight, m_marginX, m_marginY};
  ShowNumber(field, "%.2f",
             Layouts::Align(alignment, ChosenOrigin(), m_box.Width(), m_box.Height(), page,
                            ReadFloat(field)));
}

void CPositionDlg::OnOriginChanged() {
  const int origin = ChosenOrigin();
  if (origin == CB_ERR) return;
  FPOINT point = {ReadFloat(kX), ReadFloat(kY)};
  point = CTransformLayouts::ChangeOrigin(point, m_box.Width(), m_box.Height(), m_previousOrigin,
                                          origin);
  ShowNumber(kX, "%.2f", point.x);
  ShowNumber(kY, "%.2f", point.y);
  m_previousOrigin = origin;
}

void CPositionDlg::OnOK() {
  OnMarginChanged();
  Profile().WriteFloat(settings::kCoordinate, settings::kSpaceLeftRight, m_marginX);
  Profile().WriteFloat(settings::kCoordinate, settings::kSpaceTopBottom, m_marginY);
  CSelectTracker* tracker = Tracker();
  if (tracker && tracker->Recount(&m_box) != 0) {
    const FPOINT reference = CTransformLayouts::ReferencePoint(m_box, ChosenOrigin());
    const float dx = ReadFloat(kX) - reference.x, dy = ReadFloat(kY) - reference.y;
    {
      CDocumentChange change(*View()->GetUndoManager(), Document());
      tracker->OffsetSelection(dx, dy);
    }
    View()->Invalidate(FALSE);
  }
  EndDialog(IDOK);
}
