// CPathTextDlg2: the panel (1159) of the arch layout: the shared text-layout buttons with the
// arch's width and height.
#pragma once

#include "editor/dialogs/PathTextPanel.h"

class CPathTextDlg2 : public CPathTextPanel {
  DECLARE_DYNAMIC(CPathTextDlg2)
public:
  static constexpr UINT kTemplateId = 1159;
  CPathTextDlg2() : CPathTextPanel(kTemplateId) {}
};
