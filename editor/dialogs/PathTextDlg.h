// CPathTextDlg: the panel (260) of one text layout effect, on the shared text-layout panel.
#pragma once

#include "editor/dialogs/PathTextPanel.h"

class CPathTextDlg : public CPathTextPanel {
  DECLARE_DYNAMIC(CPathTextDlg)
public:
  static constexpr UINT kTemplateId = 260;
  CPathTextDlg() : CPathTextPanel(kTemplateId) {}
};
