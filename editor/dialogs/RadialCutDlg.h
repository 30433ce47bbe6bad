// CRadialCutDlg (274) and, sharing its centre handling, CRingCutDlg (276): sectors around a
// centre and concentric rings, the centre chosen among the corners, edge middles and centre of
// the selection's box, or picked with the mouse ("鼠标确认"), which arms the view's tool of the
// pattern instead of making one.
#pragma once

#include "editor/dialogs/CutPatternDlg.h"

class CRadialCutDlg : public CCutPatternDlg {
  DECLARE_DYNAMIC(CRadialCutDlg)
public:
  static constexpr UINT kTemplateId = 274;
  static constexpr UINT kRingTemplateId = 276;
  static constexpr int kListLength = 200;
  enum : int {
    kStartAngle = 1278,
    kEndAngle = 1279,
    kGapsAngle = 1226,
    kAngles = 1225,
    kCount = 1228,
    kCountSpin = 1227,
    kDistances = 1229,
    kCentre = 1222,
    kCounterClockwise = 1223,
    kKeepBorder = 1171,
  };

  // rings: the ring dialog (276) instead of the radial one.
  CRadialCutDlg(CTALVEX42View* view, const CAppProfile& profile, bool maintenance,
                bool rings = false);

  CCurveBlock* BuildPattern(int pass, CCutPatterns::Problem* problem);

  BOOL OnInitDialog() override;
  void OnOK() override;

protected:
  void OnCentreChosen();
  void OnEqualParts();
  DECLARE_MESSAGE_MAP()

private:
  LPCSTR Section() const;
  int ChosenCentre() const;
  void WriteSettings() const;

  bool m_rings;
};
