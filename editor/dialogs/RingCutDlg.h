// CRingCutDlg: the ring cut dialog (276), the radial dialog's handling of the centre choices
// with ring widths in place of angles.
#pragma once

#include "editor/dialogs/RadialCutDlg.h"

class CRingCutDlg : public CRadialCutDlg {
public:
  CRingCutDlg(CTALVEX42View* view, const CAppProfile& profile, bool maintenance)
      : CRadialCutDlg(view, profile, maintenance, true) {}
};
