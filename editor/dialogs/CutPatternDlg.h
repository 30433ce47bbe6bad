// CCutPatternDlg: the base of the three cut-pattern dialogs (parallel 265, radial 274, ring 276).
// It shows the selection's size (OK stays disabled without a selection), shows "不切割" only to a
// program started with the maintenance switch, checks the count of equal parts, and carries a
// command's two passes out through CCutPatternCommands, saying why when a pattern is refused
// (the dialog then stays open).
#pragma once

#include "editor/dialogs/ViewDialog.h"
#include "framework/TextButton.h"
#include "model/geometry/CutPatterns.h"
#include "model/geometry/FRect.h"

class CCurveBlock;

class CCutPatternDlg : public CViewDialog {
public:
  enum : int { kBoxWidth = 1144, kBoxHeight = 1145, kEqualParts = 1167, kNoCut = 1192 };
  // The largest count the spins offer.
  static constexpr int kMaxParts = CCutPatterns::kMaxPieces;

  CCutPatternDlg(UINT templateId, CTALVEX42View* view, const CAppProfile& profile,
                 bool maintenance);

  BOOL OnInitDialog() override;

protected:
  const CFRect& Box() const { return m_box; }
  bool NoCut() const { return m_maintenance && IsChecked(kNoCut); }
  // False (after the message, with the focus on the count) when equal parts are asked for with
  // a count below 2.
  bool CheckParts(int countControl);
  // Takes both passes; true when the dialog may close.
  bool Apply(CCurveBlock* first, CCutPatterns::Problem firstProblem, CCurveBlock* second,
             CCutPatterns::Problem secondProblem);
  // Enables the count and its spin with "等分切割", the list without it.
  void FollowEqualParts(int countControl, int spinControl, int listControl);
  void SetUpSpin(int spinControl, int buddyControl, int position);

private:
  CFRect m_box;
  bool m_maintenance;
  CTextButton m_okButton;  // greyed while nothing is selected
};
