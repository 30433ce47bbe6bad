// CCutOptionsPage: the job-options page (dialog 187) of the cut option bar: paper saving, colour
// separation with its colour list, automatic feed, text line, page frame, sorting, hand-over to
// the job manager, half cut, curve precision, scale, feed gap, length limit, and the mirror and
// rotate buttons. Check boxes write the cut settings at once; the number fields are taken when
// they lose the focus or by ReadBack, which the cut device bar calls before it cuts or exits.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/String.h"

class CCutJobHost;
class CIniFile;
struct CCutSettings;

class CCutOptionsPage : public CDialog {
public:
  enum ControlId : UINT {
    kDialogId = 187,
    kSavePaper = 1312,
    kColourSeparation = 1303,
    kColourList = 1310,
    kAutoFeed = 1304,
    kTextLine = 1306,
    kPageRect = 1074,
    kSort = 1075,
    kRemoteCut = 1089,
    kHalfCut = 1305,
    kHalfCutSettings = 1307,
    kPrecision = 1286,
    kZoom = 1093,
    kPageGap = 1313,
    kLengthLimit = 1374,
    kMirror = 1101,
    kRotate = 1100,
  };
  // The marker bitmap drawn beside the chosen colour.
  static const UINT kMarkerBitmap = 182;
  static constexpr float kLowestPrecision = 0.5f;
  static const WORD kLargestPageGap = 500;
  static const WORD kPageGapOutOfRange = 20;
  static const int kShortestLengthLimit = 100;

  // profile is the file whose "CutInfo" the half-cut dialog edits.
  CCutOptionsPage(CCutSettings& settings, const CIniFile& profile, CCutJobHost* host);

  BOOL Create(CWnd* parent);
  using CDialog::Create;
  // Shows the settings in the controls.
  void FillControls();
  // Enables "hand over to the job manager" for a device port; for any other port it is cleared.
  void ShowPortKind();
  // Takes the check boxes, the feed gap and the length limit into the settings.
  void ReadBack();
  HWND GetColourList() const { return ::GetDlgItem(m_hWnd, kColourList); }

  // What the page makes of typed numbers.
  static WORD PageGapFromText(LPCSTR text);
  static int LengthLimitFromText(LPCSTR text);

protected:
  BOOL OnInitDialog() override;
  // Enter and Escape in a field must not end the page.
  void OnOK() override {}
  void OnCancel() override {}

  void OnAutoFeed();
  void OnPageRect();
  void OnRemoteCut();
  void OnSort();
  void OnTextLine();
  void OnSavePaper();
  void OnColourSeparation();
  void OnColourChosen();
  void OnHalfCut();
  void OnHalfCutSettings();
  void OnPrecisionDone();
  void OnZoomDone();
  void OnMirror();
  void OnRotate();
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  DECLARE_MESSAGE_MAP()

private:
  bool Checked(UINT id) const;
  void Check(UINT id, int on);
  CString Text(UINT id) const;
  void SetNumber(UINT id, LPCSTR format, double value);
  void ShowColourList(bool show);
  void DrawColourItem(const DRAWITEMSTRUCT& item);

  CCutSettings& m_settings;
  const CIniFile& m_profile;
  CCutJobHost* m_host;
};
