#include "editor/dialogs/ParallelCutDlg.h"

#include <cmath>

#include "model/geometry/Geometry.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"

IMPLEMENT_DYNAMIC(CParallelCutDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CParallelCutDlg, CDialog)
  ON_EN_CHANGE(CParallelCutDlg::kAngle, OnGeometryChanged)
  ON_BN_CLICKED(CParallelCutDlg::kFromLeft, OnGeometryChanged)
  ON_BN_CLICKED(CParallelCutDlg::kFromRight, OnGeometryChanged)
  ON_BN_CLICKED(CCutPatternDlg::kEqualParts, OnEqualParts)
END_MESSAGE_MAP()
// clang-format on

namespace {

const double kDegree = 0.017453292;

// The angle brought into 0 .. 180.
double HalfTurn(double angle) {
  double folded = std::fmod(angle, 180.0);
  return folded < 0 ? folded + 180 : folded;
}

}  // namespace

CParallelCutDlg::CParallelCutDlg(CTALVEX42View* view, const CAppProfile& profile, bool maintenance)
    : CCutPatternDlg(kTemplateId, view, profile, maintenance) {}

FPOINT CParallelCutDlg::StartOffset(float width, float height, float angle, bool fromRight) {
  const bool low = HalfTurn(angle) <= 90;
  if (fromRight) return {width, low ? height : 0.0f};
  return {0.0f, low ? 0.0f : height};
}

double CParallelCutDlg::TotalLength(float width, float height, float angle, bool fromRight) {
  const FPOINT start = StartOffset(width, height, angle, fromRight);
  const double dx = (width - start.x) - start.x, dy = (height - start.y) - start.y;
  const double diagonal = std::hypot(dx, dy);
  // Directions count counter-clockwise on the screen, where y runs down.
  const double diagonalAngle = std::atan2(-dy, dx);
  return std::fabs(std::sin(diagonalAngle - HalfTurn(angle) * kDegree) * diagonal);
}

BOOL CParallelCutDlg::OnInitDialog() {
  namespace s = settings;
  SetDlgItemText(kAngle,
                 Profile().GetString(s::kParallelCut, s::kCutAngle, s::kParallelCutAngleDefault));
  SetDlgItemText(kWidths,
                 Profile().GetString(s::kParallelCut, s::kCutLineWidth, s::kCutLineWidthDefault));
  SetUpSpin(kCountSpin, kCount,
            Profile().GetInt(s::kParallelCut, s::kCutLines, s::kCutLinesDialogDefault));
  SetChecked(kEqualParts,
             Profile().GetInt(s::kParallelCut, s::kBisectrixCut, s::kBisectrixCutDefault) != 0);
  SetChecked(kFromLeft, true);
  SetChecked(kNoCut, Profile().GetInt(s::kParallelCut, s::kNoCut, s::kNoCutDialogDefault) != 0);
  // The base keeps "不切割" only for the maintenance switch and reads the selection's box.
  CCutPatternDlg::OnInitDialog();
  OnEqualParts();
  OnGeometryChanged();
  GotoDlgCtrl(GetDlgItem(kAngle));
  return FALSE;
}

void CParallelCutDlg::OnGeometryChanged() {
  ShowNumber(kTotalLength, "%.4f",
             TotalLength(Box().Width(), Box().Height(), ReadFloat(kAngle), IsChecked(kFromRight)));
}

void CParallelCutDlg::OnEqualParts() { FollowEqualParts(kCount, kCountSpin, kWidths); }

CCurveBlock* CParallelCutDlg::BuildPattern(int pass, CCutPatterns::Problem* problem) {
  const CFRect& box = Box();
  const float angle = ReadFloat(kAngle);
  const FPOINT offset = StartOffset(box.Width(), box.Height(), angle, IsChecked(kFromRight));
  const float x = box.left + offset.x, y = box.top + offset.y;
  const WORD flags = pass ? CCutPatterns::kSecondPass : 0;
  if (IsChecked(kEqualParts))
    return CCutPatterns::MakeHatchLines(box.left, box.top, box.right, box.bottom, angle,
                                        ReadInt(kCount), x, y, flags, problem);
  return CCutPatterns::MakeHatchLinesFromList(box.left, box.top, box.right, box.bottom, angle, x, y,
                                              ReadText(kWidths, kListLength), flags, problem);
}

void CParallelCutDlg::OnOK() {
  if (!CheckParts(kCount)) return;
  namespace s = settings;
  Profile().WriteString(s::kParallelCut, s::kCutAngle, ReadText(kAngle));
  Profile().WriteString(s::kParallelCut, s::kCutLineWidth, ReadText(kWidths, kListLength));
  Profile().WriteInt(s::kParallelCut, s::kCutLines, ReadInt(kCount));
  Profile().WriteInt(s::kParallelCut, s::kBisectrixCut, IsChecked(kEqualParts) ? 1 : 0);
  Profile().WriteInt(s::kParallelCut, s::kOrigin, 0);
  Profile().WriteInt(s::kParallelCut, s::kNoCut, NoCut() ? 1 : 0);
  CCutPatterns::Problem first = CCutPatterns::kNoProblem, second = CCutPatterns::kNoProblem;
  CCurveBlock* pass0 = BuildPattern(0, &first);
  CCurveBlock* pass1 = BuildPattern(1, &second);
  if (Apply(pass0, first, pass1, second)) EndDialog(IDOK);
}
