// CParallelCutDlg: the parallel cut dialog (265): strips across the selection at an angle,
// equal ("等分切割" with a count) or with widths from a list, starting from the left (top) or
// the right (bottom) corner of the selection's box.
#pragma once

#include "editor/dialogs/CutPatternDlg.h"

class CParallelCutDlg : public CCutPatternDlg {
  DECLARE_DYNAMIC(CParallelCutDlg)
public:
  static constexpr UINT kTemplateId = 265;
  static constexpr int kListLength = 200;
  enum : int {
    kAngle = 1177,
    kWidths = 1156,
    kCount = 1168,
    kCountSpin = 1055,
    kFromLeft = 1179,
    kFromRight = 1180,
    kTotalLength = 1185,
  };

  CParallelCutDlg(CTALVEX42View* view, const CAppProfile& profile, bool maintenance);

  // The start point's offset from the box's top-left corner: from the left (top) corner or the
  // right (bottom) one, by the angle.
  static FPOINT StartOffset(float width, float height, float angle, bool fromRight);
  // The width of the region across the strips, as the dialog shows it.
  static double TotalLength(float width, float height, float angle, bool fromRight);
  // A pass of the pattern for the dialog's values; null (with the reason) when refused.
  CCurveBlock* BuildPattern(int pass, CCutPatterns::Problem* problem);

  BOOL OnInitDialog() override;
  void OnOK() override;

protected:
  void OnGeometryChanged();
  void OnEqualParts();
  DECLARE_MESSAGE_MAP()
};
