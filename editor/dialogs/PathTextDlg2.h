// CPathTextDlg2: the panel (260) of a second text layout effect, on the shared text-layout panel.
#pragma once

#include "editor/dialogs/PathTextPanel.h"

class CPathTextDlg2 : public CPathTextPanel {
  DECLARE_DYNAMIC(CPathTextDlg2)
public:
  static constexpr UINT kTemplateId = 260;
  CPathTextDlg2() : CPathTextPanel(kTemplateId) {}
};
