#include "editor/dialogs/CutPatternDlg.h"

#include <commctrl.h>

#include <memory>

#include "editor/TALVEX42View.h"
#include "editor/commands/CutPatternCommands.h"
#include "framework/SpinButtonCtrl.h"
#include "model/blocks/CurveBlock.h"
#include "resources/Resource.h"

CCutPatternDlg::CCutPatternDlg(UINT templateId, CTALVEX42View* view, const CAppProfile& profile,
                               bool maintenance)
    : CViewDialog(templateId, view, profile), m_maintenance(maintenance) {}

BOOL CCutPatternDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  m_okButton.TakeOver(IDOK, this);
  CSelectTracker* tracker = Tracker();
  if (tracker && tracker->Recount(&m_box) != 0) {
    ShowNumber(kBoxWidth, "%.2f", m_box.Width());
    ShowNumber(kBoxHeight, "%.2f", m_box.Height());
  } else {
    EnableControl(IDOK, false);
  }
  if (!m_maintenance) {
    SetChecked(kNoCut, false);
    if (CWnd* noCut = GetDlgItem(kNoCut)) noCut->ShowWindow(SW_HIDE);
  }
  return TRUE;
}

bool CCutPatternDlg::CheckParts(int countControl) {
  if (!IsChecked(kEqualParts) || ReadInt(countControl) > 1) return true;
  ShowMessage(IDS_EQUAL_PARTS_TOO_FEW);
  GotoDlgCtrl(GetDlgItem(countControl));
  return false;
}

bool CCutPatternDlg::Apply(CCurveBlock* first, CCutPatterns::Problem firstProblem,
                           CCurveBlock* second, CCutPatterns::Problem secondProblem) {
  std::unique_ptr<CCurveBlock> passes[2] = {std::unique_ptr<CCurveBlock>(first),
                                            std::unique_ptr<CCurveBlock>(second)};
  const CCutPatterns::Problem problem = firstProblem != CCutPatterns::kNoProblem ? firstProblem
                                                                                 : secondProblem;
  if (problem != CCutPatterns::kNoProblem) {
    CCutPatternCommands::ReportProblem(m_hWnd, problem);
    return false;
  }
  CCutPatternCommands::ApplyPasses(View(), passes[0].release(), passes[1].release(), NoCut());
  return true;
}

void CCutPatternDlg::FollowEqualParts(int countControl, int spinControl, int listControl) {
  const bool equal = IsChecked(kEqualParts);
  EnableControl(countControl, equal);
  EnableControl(spinControl, equal);
  EnableControl(listControl, !equal);
}

void CCutPatternDlg::SetUpSpin(int spinControl, int buddyControl, int position) {
  auto* spin = static_cast<CSpinButtonCtrl*>(GetDlgItem(spinControl));
  CWnd* buddy = GetDlgItem(buddyControl);
  if (!spin || !buddy) return;
  spin->SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy->m_hWnd), 0);
  spin->SetRange32(2, kMaxParts);
  ShowInt(buddyControl, position);
}
