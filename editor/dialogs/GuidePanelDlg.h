// CGuidePanelDlg: the parameter panel of a guide line (dialog 227) in the property window: the
// guide as a point and an angle, or as two points. The panel carries its dialog id in its
// user-data word, as every panel does, so that an object can tell its own panel. OK applies the
// panel to the first selected guide of the active view.
#pragma once

#include "framework/Dialog.h"

class CGuideLine;

class CGuidePanelDlg : public CDialog {
  DECLARE_DYNAMIC(CGuidePanelDlg)
public:
  static constexpr UINT kTemplateId = 227;
  enum : int {
    kPointSlope = 1123,
    kTwoPoints = 1124,
    kX1 = 1125,
    kY1 = 1126,
    kX2 = 1127,
    kY2 = 1128,
    kAngle = 1177,
  };
  // The second point lies this many pixels along the guide.
  static constexpr double kSecondPointPixels = 150.0;

  CGuidePanelDlg() = default;

  // A modeless child panel of parent that carries its id; null when it cannot be made.
  static HWND CreateIn(HWND parent);
  // Puts a guide panel in the property window host (replacing another object's panel, keeping
  // one already there), sizes the host to it with its bottom where it was, fills it with the
  // guide and shows the host. The panel, or null when it cannot be made.
  static HWND ShowIn(HWND host, const CGuideLine& guide, double scale);
  // Writes the guide into a panel of id 227 (others are left alone); scale is page units per
  // pixel of the view that shows the guide.
  static void Fill(HWND panel, const CGuideLine& guide, double scale);
  // Takes the panel's values into the guide, then fills the panel again; FALSE for a panel that
  // is not a guide panel.
  static BOOL Apply(HWND panel, CGuideLine& guide, double scale);

  BOOL OnInitDialog() override;
  // The active view's ruler manager applies the panel to its selected guide.
  void OnOK() override;
  void OnCancel() override {}
  void PostNcDestroy() override { delete this; }
};
