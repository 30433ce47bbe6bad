// CCutAdjustPage: the adjustments page (dialog 196) of the cut option bar: plot mode, blade
// offset, closing overcut and the X and Y ratios of the cutter profile, and the controls for
// cutting a job larger than the media part by part: page overlap, four arrow buttons that step
// the media, pause between pages and the port settings. ReadBack takes the profile's values; a
// value out of its range is refused there (the field shows the profile's value again and the
// user is told), never silently replaced.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/ImageList.h"
#include "framework/String.h"

class CCutJobHost;
class CCutterDevice;
struct CCutSettings;

class CCutAdjustPage : public CDialog {
public:
  enum ControlId : UINT {
    kDialogId = 196,
    kPlotMode = 1420,
    kBladeOffset = 1421,
    kOvercut = 1240,
    kRatioX = 1297,
    kRatioY = 1298,
    kOverlap = 1320,
    kStepUp = 1135,
    kStepDown = 1137,
    kStepLeft = 1136,
    kStepRight = 1134,
    kPauseCut = 1095,
    kPortSettings = 1294,
  };
  enum : UINT { kArrowBitmap = 208, kPressedArrowBitmap = 209 };
  // A blade offset is 0 (none) or within these millimetres.
  static constexpr float kSmallestOffset = 0.1f;
  static constexpr float kLargestOffset = 0.99f;
  // A ratio corrects a cutter's scale: far from 1 it is a typing error.
  static constexpr float kSmallestRatio = 0.5f;
  static constexpr float kLargestRatio = 2.0f;

  CCutAdjustPage(CCutSettings& settings, CCutterDevice& device, CCutJobHost* host);

  BOOL Create(CWnd* parent);
  using CDialog::Create;
  // Shows the profile's and the settings' values in the controls.
  void FillControls();
  // Takes the fields into the profile (the program's, or the one given); false, after telling the
  // user and taking none of them, when one is out of its range.
  bool ReadBack(CCutterDevice* profile = nullptr);

  static bool IsBladeOffset(float value);
  static bool IsRatio(float value);

protected:
  BOOL OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}

  void OnPlotMode();
  void OnOffsetDone();
  void OnOverlapDone();
  void OnPauseCut();
  void OnStepUp();
  void OnStepDown();
  void OnStepLeft();
  void OnStepRight();
  void OnPortSettings();
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  DECLARE_MESSAGE_MAP()

private:
  bool Checked(UINT id) const;
  CString Text(UINT id) const;
  void SetNumber(UINT id, LPCSTR format, double value);
  // The field shows the profile's value again, and the user hears it.
  void Refuse(UINT id, LPCSTR format, double value);
  bool ParseFloat(UINT id, float* value) const;

  CCutSettings& m_settings;
  CCutterDevice& m_device;
  CCutJobHost* m_host;
  CImageList m_arrows;
  CImageList m_pressedArrows;
};
