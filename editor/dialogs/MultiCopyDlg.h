// CMultiCopyDlg: the multiple-copies dialog (173). It lays copies of the selection out in
// columns and rows, with gaps typed as lists ("5,10": the first gap 5, every later one 10), or
// fills the page with cells of the selection's size plus a margin on each side. The copies are
// clones of the selected blocks, made inside the program, so the user's clipboard keeps what the
// user put there; all of them are one undo step. Counts beyond CTransformLayouts::kMaxCopies are
// refused with a message.
#pragma once

#include <vector>

#include "editor/dialogs/ViewDialog.h"
#include "model/geometry/FRect.h"

class CMultiCopyDlg : public CViewDialog {
  DECLARE_DYNAMIC(CMultiCopyDlg)
public:
  static constexpr UINT kTemplateId = 173;
  // Gap lists are read with this many characters.
  static constexpr int kListLength = 220;
  enum : int {
    kObjectWidth = 1144,
    kObjectHeight = 1145,
    kColumns = 1189,
    kRows = 1190,
    kGapX = 1191,
    kGapY = 1192,
    kFillPage = 1193,
    kGapXLabel = 1194,
    kGapYLabel = 1195,
  };

  CMultiCopyDlg(CTALVEX42View* view, const CAppProfile& profile);

  BOOL OnInitDialog() override;
  void OnOK() override;

protected:
  void OnFillPage();
  DECLARE_MESSAGE_MAP()

private:
  void ComputeFillCounts();
  // Clones of the selected blocks moved by each offset, added after the blocks.
  void PlaceCopies(const std::vector<FPOINT>& offsets);

  CFRect m_box;
  bool m_selected = false;
};
