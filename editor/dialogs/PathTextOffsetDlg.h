// CPathTextOffsetDlg: the panel (268) of the layout along a path at a distance, on the shared
// text-layout panel.
#pragma once

#include "editor/dialogs/PathTextPanel.h"

class CPathTextOffsetDlg : public CPathTextPanel {
  DECLARE_DYNAMIC(CPathTextOffsetDlg)
public:
  static constexpr UINT kTemplateId = 268;
  CPathTextOffsetDlg() : CPathTextPanel(kTemplateId) {}
};
