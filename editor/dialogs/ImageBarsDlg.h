// CImageBarsDlg: the image to bars dialog (185). It works on the first selected image block of
// the document: shows its size and the "IMAGE" settings, keeps the bar height and the number of
// bars in step with each other, and on "条形化" stores the settings and adds the image's line
// halftone as a new curve, in one undo step. An image of fewer than 4 bits per pixel, or no image,
// leaves the button greyed; a curve that cannot be made is explained and nothing is added.
#pragma once

#include <windows.h>

#include "editor/dialogs/ViewDialog.h"
#include "framework/TextButton.h"

class CImageBlock;

class CImageBarsDlg : public CViewDialog {
  DECLARE_DYNAMIC(CImageBarsDlg)
public:
  static constexpr UINT kTemplateId = 185;
  enum : int {
    kBarHeight = 1048,
    kBarCount = 1044,
    kMinHeight = 1050,
    kMinHeightSpin = 1052,
    kMaxHeight = 1051,
    kMaxHeightSpin = 1053,
    kThreshold = 1054,
    kThresholdSpin = 1055,
    kImageWidth = 1278,
    kImageHeight = 1279,
    kImageGroup = 1134,
  };
  // The dialog's own defaults of the stroke percentages (the bars themselves default otherwise).
  static constexpr int kMinHeightDefault = 20;
  static constexpr int kMaxHeightDefault = 80;
  // A number of bars must be above this to be taken.
  static constexpr int kFewestBars = 5;

  CImageBarsDlg(CTALVEX42View* view, const CAppProfile& profile);

  // The image the dialog works on (null when the selection holds none).
  CImageBlock* GetImage() const { return m_image; }

  BOOL OnInitDialog() override;
  void OnOK() override;

protected:
  void OnBarHeightChanged();
  void OnBarCountChanged();
  DECLARE_MESSAGE_MAP()

private:
  float ImageHeight() const;
  void EnableConvert(bool enable);
  void WriteSettings() const;

  CImageBlock* m_image = nullptr;
  // The image can be converted at all (found, and of 4 bits per pixel or more).
  bool m_convertible = false;
  // Set while one linked edit fills the other.
  bool m_updating = false;
  CTextButton m_okButton;  // greyed for an image it cannot convert
};
