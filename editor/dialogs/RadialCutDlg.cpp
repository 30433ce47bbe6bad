#include "editor/dialogs/RadialCutDlg.h"

#include "editor/TALVEX42View.h"
#include "editor/commands/CutPatternCommands.h"
#include "framework/ComboBox.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(CRadialCutDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CRadialCutDlg, CDialog)
  ON_CBN_SELCHANGE(CRadialCutDlg::kCentre, OnCentreChosen)
  ON_BN_CLICKED(CRadialCutDlg::kCounterClockwise, OnCentreChosen)
  ON_BN_CLICKED(CCutPatternDlg::kEqualParts, OnEqualParts)
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kPartsDialogDefault = 5;
const char kRadialListDefault[] = "2";
// Written under this name, read back under "CutParts": the profile ignores case.
const char kPartsKey[] = "CUTPARTS";

}  // namespace

CRadialCutDlg::CRadialCutDlg(CTALVEX42View* view, const CAppProfile& profile, bool maintenance,
                             bool rings)
    : CCutPatternDlg(rings ? kRingTemplateId : kTemplateId, view, profile, maintenance),
      m_rings(rings) {}

LPCSTR CRadialCutDlg::Section() const {
  return m_rings ? settings::kCircleCut : settings::kRadiationCut;
}

BOOL CRadialCutDlg::OnInitDialog() {
  namespace s = settings;
  const LPCSTR section = Section();
  if (m_rings) {
    SetDlgItemText(kDistances,
                   Profile().GetString(section, s::kCutDistance, s::kCutDistanceDefault));
  } else {
    SetDlgItemText(kStartAngle, Profile().GetString(section, s::kStartAngle, s::kAngleDefault));
    SetDlgItemText(kEndAngle, Profile().GetString(section, s::kEndAngle, s::kAngleDefault));
    SetDlgItemText(kGapsAngle, Profile().GetString(section, s::kGapsAngle, s::kGapsAngleDefault));
    SetDlgItemText(kAngles, Profile().GetString(section, s::kCutAngle, kRadialListDefault));
    SetChecked(kKeepBorder, Profile().GetInt(section, s::kKeepBorder, s::kKeepBorderDefault) != 0);
  }
  SetUpSpin(kCountSpin, kCount, Profile().GetInt(section, s::kCutParts, kPartsDialogDefault));
  SetChecked(kEqualParts,
             Profile().GetInt(section, s::kBisectrixCut, s::kBisectrixCutDefault) != 0);
  SetChecked(kNoCut, Profile().GetInt(section, s::kNoCut, s::kNoCutDialogDefault) != 0);
  SetChecked(kCounterClockwise,
             Profile().GetInt(section, s::kThrowBack, s::kThrowBackDefault) != 0);
  if (auto* combo = static_cast<CComboBox*>(GetDlgItem(kCentre))) {
    for (int i = 0; i < CCutPatternCommands::kCentreCount; ++i)
      combo->AddString(ResourceLine(IDS_CUT_CENTRE_ITEMS, i));
    const int origin = Profile().GetInt(section, s::kOrigin, s::kOriginDefault);
    combo->SetCurSel(origin >= 0 && origin < CCutPatternCommands::kCentreCount ? origin : 0);
  }
  CCutPatternDlg::OnInitDialog();
  OnEqualParts();
  OnCentreChosen();
  return TRUE;
}

int CRadialCutDlg::ChosenCentre() const {
  auto* combo = static_cast<CComboBox*>(GetDlgItem(kCentre));
  const int index = combo ? combo->GetCurSel() : CB_ERR;
  return index == CB_ERR ? 0 : index;
}

void CRadialCutDlg::OnCentreChosen() {
  if (m_rings) return;
  const int index = ChosenCentre();
  if (index == CCutPatternCommands::kMouseCentre) {
    SetDlgItemText(kStartAngle, "");
    SetDlgItemText(kEndAngle, "");
    return;
  }
  const CCutPatternCommands::Centre centre = CCutPatternCommands::CentreFor(index, Box());
  const bool swapped = IsChecked(kCounterClockwise);
  ShowNumber(kStartAngle, "%.1f", swapped ? centre.end : centre.start);
  ShowNumber(kEndAngle, "%.1f", swapped ? centre.start : centre.end);
}

void CRadialCutDlg::OnEqualParts() {
  FollowEqualParts(kCount, kCountSpin, m_rings ? kDistances : kAngles);
}

CCurveBlock* CRadialCutDlg::BuildPattern(int pass, CCutPatterns::Problem* problem) {
  const CFRect& box = Box();
  const CCutPatternCommands::Centre centre = CCutPatternCommands::CentreFor(ChosenCentre(), box);
  WORD flags = pass ? CCutPatterns::kSecondPass : 0;
  if (IsChecked(kCounterClockwise)) flags |= CCutPatterns::kCounterClockwise;
  const bool equal = IsChecked(kEqualParts);
  if (m_rings) {
    if (equal)
      return CCutPatterns::MakeRings(box.left, box.top, box.right, box.bottom, centre.x, centre.y,
                                     ReadInt(kCount), flags, problem);
    return CCutPatterns::MakeRingsFromList(box.left, box.top, box.right, box.bottom, centre.x,
                                           centre.y, ReadText(kDistances, kListLength), flags,
                                           problem);
  }
  if (equal)
    return CCutPatterns::MakeRadialSectors(box.left, box.top, box.right, box.bottom, centre.x,
                                           centre.y, centre.start, centre.end, ReadInt(kCount),
                                           flags, problem);
  return CCutPatterns::MakeRadialSectorsFromList(box.left, box.top, box.right, box.bottom, centre.x,
                                                 centre.y, centre.start, centre.end,
                                                 ReadText(kAngles, kListLength), flags, problem);
}

void CRadialCutDlg::WriteSettings() const {
  namespace s = settings;
  const LPCSTR section = Section();
  if (m_rings) {
    Profile().WriteString(section, s::kCutDistance, ReadText(kDistances, kListLength));
  } else {
    Profile().WriteString(section, s::kStartAngle, ReadText(kStartAngle));
    Profile().WriteString(section, s::kEndAngle, ReadText(kEndAngle));
    Profile().WriteString(section, s::kCutAngle, ReadText(kAngles, kListLength));
    Profile().WriteInt(section, s::kKeepBorder, IsChecked(kKeepBorder) ? 1 : 0);
  }
  Profile().WriteInt(section, kPartsKey, ReadInt(kCount));
  Profile().WriteInt(section, s::kBisectrixCut, IsChecked(kEqualParts) ? 1 : 0);
  Profile().WriteInt(section, s::kOrigin, ChosenCentre());
  Profile().WriteInt(section, s::kNoCut, NoCut() ? 1 : 0);
  Profile().WriteInt(section, s::kThrowBack, IsChecked(kCounterClockwise) ? 1 : 0);
}

void CRadialCutDlg::OnOK() {
  if (!CheckParts(kCount)) return;
  WriteSettings();
  if (ChosenCentre() == CCutPatternCommands::kMouseCentre) {
    if (CTALVEX42View* view = View()) {
      view->SetCurrentTool(m_rings ? CCutPatternCommands::kRing : CCutPatternCommands::kRadial);
      view->SetFeedbackBlock(nullptr);
    }
    EndDialog(IDOK);
    return;
  }
  CCutPatterns::Problem first = CCutPatterns::kNoProblem, second = CCutPatterns::kNoProblem;
  CCurveBlock* pass0 = BuildPattern(0, &first);
  CCurveBlock* pass1 = BuildPattern(1, &second);
  if (Apply(pass0, first, pass1, second)) EndDialog(IDOK);
}
