// CTableDlg: the table dialog (166). From the outer and inner line widths and the lists of column
// widths and row heights it makes one curve of the cells and the frame around them, placed at the
// drawing tool's start point, and adds it in one undo step.
//
// Both widths are checked before anything is stored, so a refused entry leaves the stored
// settings as they were; a table without a column or a row is refused with a message (a frame
// around nothing has no size to take). The dialog stays open in both cases.
#pragma once

#include "editor/dialogs/ViewDialog.h"

class CTableDlg : public CViewDialog {
  DECLARE_DYNAMIC(CTableDlg)
public:
  static constexpr UINT kTemplateId = 166;
  static constexpr int kListLength = 200;
  enum : int { kOuter = 1161, kInner = 1162, kWidths = 1144, kHeights = 1145 };

  // (x, y): where the table's top-left corner goes.
  CTableDlg(CTALVEX42View* view, const CAppProfile& profile, float x, float y);

  BOOL OnInitDialog() override;
  void OnOK() override;

private:
  float m_x;
  float m_y;
};
