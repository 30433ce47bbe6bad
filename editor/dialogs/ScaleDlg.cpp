#include "editor/dialogs/ScaleDlg.h"

#include <cmath>

#include "editor/TALVEX42View.h"
#include "editor/dialogs/TransformLayouts.h"
#include "editor/views/DocumentChange.h"
#include "model/document/TALVEX42Doc.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(CScaleDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CScaleDlg, CDialog)
  ON_BN_CLICKED(CScaleDlg::kProportional, OnProportional)
  ON_BN_CLICKED(CScaleDlg::kMillimetres, OnMillimetres)
  ON_BN_CLICKED(CScaleDlg::kRatioUnit, OnRatioUnit)
  ON_EN_UPDATE(CScaleDlg::kWidth, OnWidthChanged)
  ON_EN_UPDATE(CScaleDlg::kHeight, OnHeightChanged)
  ON_EN_UPDATE(CScaleDlg::kRatio, OnRatioChanged)
END_MESSAGE_MAP()
// clang-format on

namespace {

// The hints of the unit choices (the ratio's in each language's resources).
const char kMillimetreHint[] = "mm 2<n";
const char kRatioHint[] = "比例 0.01<n<15";

// Holds the guard for the length of a handler.
class Guard {
public:
  explicit Guard(bool& flag) : m_flag(flag) { m_flag = true; }
  ~Guard() { m_flag = false; }

private:
  bool& m_flag;
};

}  // namespace

CScaleDlg::CScaleDlg(CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile) {}

BOOL CScaleDlg::OnInitDialog() {
  Guard guard(m_guard);
  CViewDialog::OnInitDialog();
  if (CSelectTracker* tracker = Tracker()) m_box = tracker->GetBox();
  SetDlgItemText(kRatio, "1");
  m_proportional = false;
  CheckRadioButton(kRatioUnit, kMillimetres, kMillimetres);
  ShowSize();
  GotoDlgCtrl(GetDlgItem(kWidth));
  return FALSE;
}

void CScaleDlg::ShowSize() {
  ShowNumber(kWidth, "%-8.2f", std::fabs(m_box.right - m_box.left));
  ShowNumber(kHeight, "%-8.2f", std::fabs(m_box.bottom - m_box.top));
  SetDlgItemText(kHint, kMillimetreHint);
}

void CScaleDlg::OnProportional() { m_proportional = IsChecked(kProportional); }

void CScaleDlg::OnMillimetres() {
  Guard guard(m_guard);
  ShowSize();
}

void CScaleDlg::OnRatioUnit() {
  SetDlgItemText(kHint, AfxLoadString(IDS_SCALE_RATIO_HINT, kRatioHint));
}

void CScaleDlg::FromSize(int typed, int other, float boxTyped, float boxOther) {
  if (m_guard) return;
  ++m_handlerRuns;
  Guard guard(m_guard);
  float otherSize = 0, ratio = 0;
  if (!m_proportional ||
      !CTransformLayouts::RatioFromSize(ReadFloat(typed), boxTyped, boxOther, &otherSize, &ratio))
    return;
  ShowNumber(other, "%.2f", otherSize);
  ShowNumber(kRatio, "%.2f", ratio);
}

void CScaleDlg::OnWidthChanged() { FromSize(kWidth, kHeight, m_box.Width(), m_box.Height()); }

void CScaleDlg::OnHeightChanged() { FromSize(kHeight, kWidth, m_box.Height(), m_box.Width()); }

void CScaleDlg::OnRatioChanged() {
  if (m_guard) return;
  ++m_handlerRuns;
  Guard guard(m_guard);
  const float ratio = ReadFloat(kRatio);
  ShowNumber(kWidth, "%.2f", m_box.Width() * ratio);
  ShowNumber(kHeight, "%.2f", m_box.Height() * ratio);
}

void CScaleDlg::OnOK() {
  const float width = ReadFloat(kWidth), height = ReadFloat(kHeight);
  if (!(width > 0) || !(height > 0)) return;
  const CFRect target(m_box.left, m_box.top, m_box.left + width, m_box.top + height);
  if (CSelectTracker* tracker = Tracker()) {
    tracker->Hide(nullptr);
    if (tracker->Recount() != 0) {
      CDocumentChange change(*View()->GetUndoManager(), Document());
      tracker->ScaleSelection(m_box, target);
    }
    tracker->Recount();
    tracker->Show(nullptr);
  }
  EndDialog(IDOK);
}
