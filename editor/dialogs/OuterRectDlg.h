// COuterRectDlg: the outer frame dialog (167). Around every selected block it adds a rectangle
// curve (two for "双线") grown by the typed spaces and line widths, all in one undo step; the
// selected blocks themselves stay as they are.
#pragma once

#include "editor/dialogs/ViewDialog.h"

class COuterRectDlg : public CViewDialog {
  DECLARE_DYNAMIC(COuterRectDlg)
public:
  static constexpr UINT kTemplateId = 167;
  enum : int {
    kXWidth = 1164,
    kYWidth = 1165,
    kXSpace = 1169,
    kYSpace = 1166,
    kSingle = 1167,
    kDouble = 1168,
  };

  COuterRectDlg(CTALVEX42View* view, const CAppProfile& profile);

  BOOL OnInitDialog() override;
  void OnOK() override;
};
