// CPositionDlg: the position dialog (257). X and Y give where a chosen point of the selection's
// box (its origin: a corner or the centre) is to stand on the page; the alignment buttons fill
// them in from the page size and the margins, and choosing another origin rewrites them for the
// same place. On OK the margins are stored and the selection is moved there in one undo step.
#pragma once

#include "editor/dialogs/ViewDialog.h"
#include "model/geometry/FRect.h"

class CPositionDlg : public CViewDialog {
  DECLARE_DYNAMIC(CPositionDlg)
public:
  static constexpr UINT kTemplateId = 257;
  enum : int {
    kAlignLeft = 1131,
    kAlignHCentre = 1132,
    kAlignRight = 1133,
    kAlignTop = 1399,
    kAlignVCentre = 1135,
    kAlignBottom = 1136,
    kMarginX = 1332,
    kMarginY = 1142,
    kX = 1143,
    kY = 1144,
    kOrigin = 1145,
  };

  CPositionDlg(CTALVEX42View* view, const CAppProfile& profile);

  BOOL OnInitDialog() override;
  void OnOK() override;

protected:
  void OnMarginChanged();
  void OnAlign(UINT id);
  void OnAlignTop();
  void OnOriginChanged();
  DECLARE_MESSAGE_MAP()

private:
  int ChosenOrigin() const;

  CFRect m_box;
  float m_pageWidth = 0;
  float m_pageHeight = 0;
  float m_marginX = 0;
  float m_marginY = 0;
  int m_previousOrigin = 0;
};
