// CPolygonDlg: the polygon settings dialog (165): the corner count (3 to 360, with a spin), the
// line width and the star ("锐角多边形") switch that the regular polygon tool uses, with a preview
// of the polygon they make. OK stores them and makes no block.
//
// "PolygonWidth" is shown and stored as the text typed; without a stored value the dialog shows
// the tool's own default, so that what the dialog shows is what the tool draws.
#pragma once

#include "editor/dialogs/ViewDialog.h"

class CPolygonDlg : public CViewDialog {
  DECLARE_DYNAMIC(CPolygonDlg)
public:
  static constexpr UINT kTemplateId = 165;
  static constexpr int kWidthLength = 30;
  enum : int { kCorners = 1153, kSpin = 1154, kWidth = 1159, kSharp = 1160, kPreview = 1158 };

  CPolygonDlg(CTALVEX42View* view, const CAppProfile& profile);

  BOOL OnInitDialog() override;
  void OnOK() override;

protected:
  void OnSpin(NMHDR* header, LRESULT* result);
  void OnCornersChanged();
  void OnPreviewChanged();
  void OnPaint();
  DECLARE_MESSAGE_MAP()

private:
  void DrawPreview();
};
