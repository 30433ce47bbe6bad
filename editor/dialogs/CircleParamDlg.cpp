#include "editor/dialogs/CircleParamDlg.h"

#include <cstdlib>

#include "framework/String.h"
#include "model/blocks/CircleConstruction.h"
#include "model/blocks/CurveBlock.h"
#include "model/geometry/ShapeCurves.h"
#include "model/settings/TextParsing.h"

IMPLEMENT_DYNAMIC(CCircleParamDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CCircleParamDlg, CDialog)
  ON_BN_CLICKED(CCircleParamDlg::kCircleRadio, OnKindChosen)
  ON_BN_CLICKED(CCircleParamDlg::kArcRadio, OnKindChosen)
  ON_BN_CLICKED(CCircleParamDlg::kPieRadio, OnKindChosen)
  ON_BN_CLICKED(CCircleParamDlg::kChordRadio, OnKindChosen)
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kFieldSize = 45;
const double kRadiansPerDegree = 3.1415926 / 180.0;

double FieldOf(const char* list, int index) {
  char field[kFieldSize] = {};
  if (!list || !GetField(list, index, field, kFieldSize, ',')) return 0.0;
  return std::atof(field);
}

CCurveBlock* ArcPiece(CCircleParamDlg::Kind kind, const CFRect& box, const FPOINT& centre,
                      float start, float end) {
  CCurveBlock* arc = MakeArcCurve(box.left, box.top, box.right, box.bottom, start, end);
  if (!arc) return nullptr;
  if (kind == CCircleParamDlg::kPie) {
    arc->TrimEndMarks();
    arc->OpenLastSubpath();
    arc->AddPoint(centre.x, centre.y, kPointOnCurve);
    arc->CloseLastSubpath();
    arc->EndCurve();
  } else if (kind == CCircleParamDlg::kChord) {
    arc->OpenLastSubpath();
    arc->CloseLastSubpath();
    arc->EndCurve();
  }
  return arc;
}

}  // namespace

CCircleParamDlg::CCircleParamDlg(const FPOINT& centre, CWnd* parent)
    : CDialog(kTemplateId, parent), m_centre(centre) {}

CCircleParamDlg::~CCircleParamDlg() = default;

BOOL CCircleParamDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CheckRadioButton(kCircleRadio, kChordRadio, kCircleRadio);
  SetDlgItemText(kRadiiX, "200");
  SetDlgItemText(kRadiiY, "0");
  SetDlgItemText(kStartAngle, "-40");
  SetDlgItemText(kEndAngle, "220");
  OnKindChosen();
  return TRUE;
}

CCircleParamDlg::Kind CCircleParamDlg::ChosenKind() const {
  if (IsDlgButtonChecked(kArcRadio)) return kArc;
  if (IsDlgButtonChecked(kPieRadio)) return kPie;
  if (IsDlgButtonChecked(kChordRadio)) return kChord;
  return kCircle;
}

void CCircleParamDlg::OnKindChosen() {
  // The angles matter only for the arc kinds.
  BOOL angles = ChosenKind() != kCircle;
  for (int id : {static_cast<int>(kStartAngle), static_cast<int>(kEndAngle)})
    if (HWND control = ::GetDlgItem(m_hWnd, id)) ::EnableWindow(control, angles);
}

CCurveBlock* CCircleParamDlg::MakeShape(Kind kind, const FPOINT& centre, const char* radiiX,
                                        const char* radiiY, double startDegrees,
                                        double endDegrees) {
  if (kind == kCircle) return BuildConcentricCircles(centre.x, centre.y, radiiX, radiiY);
  if (!radiiX || !*radiiX) return nullptr;
  float start = static_cast<float>(startDegrees * kRadiansPerDegree);
  float end = static_cast<float>(endDegrees * kRadiansPerDegree);
  CCurveBlock* result = nullptr;
  int count = CountFields(radiiX, ',');
  for (int i = 0; i < count; ++i) {
    double rx = FieldOf(radiiX, i);
    if (!(rx > 0.0)) continue;
    double ry = FieldOf(radiiY, i);
    if (!(ry > 0.0)) ry = rx;
    CFRect box(static_cast<float>(centre.x - rx), static_cast<float>(centre.y - ry),
               static_cast<float>(centre.x + rx), static_cast<float>(centre.y + ry));
    std::unique_ptr<CCurveBlock> piece(ArcPiece(kind, box, centre, start, end));
    if (!piece) continue;
    if (!result)
      result = piece.release();
    else
      result->AppendCurve(*piece);
  }
  return result;
}

void CCircleParamDlg::OnOK() {
  CString radiiX, radiiY, start, end;
  GetDlgItemText(kRadiiX, radiiX);
  GetDlgItemText(kRadiiY, radiiY);
  GetDlgItemText(kStartAngle, start);
  GetDlgItemText(kEndAngle, end);
  m_result.reset(
      MakeShape(ChosenKind(), m_centre, radiiX, radiiY, std::atof(start), std::atof(end)));
  CDialog::OnOK();
}
