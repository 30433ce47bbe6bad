// CLatinParamDlg: the Latin text parameters dialog (175). Latin characters set inside East-Asian
// text sit on a base line of their own (a fraction of the em above the cell's foot) and may be
// drawn at a size ratio in percent; both are program-wide values of the Windows font table. The
// dialog edits copies with two spins and a preview, and OK makes them the program's values and
// stores them in the profile. A ratio below 50 percent is refused and draws no preview.
#pragma once

#include "framework/Dialog.h"

class CWinFontTable;

class CLatinParamDlg : public CDialog {
  DECLARE_DYNAMIC(CLatinParamDlg)
public:
  static constexpr UINT kTemplateId = 175;
  static constexpr float kBaselineStep = 0.05f;
  static constexpr float kLowestBaseline = -0.5f;
  static constexpr float kHighestBaseline = 0.5f;
  static constexpr int kLowestRatio = 50;
  static constexpr int kHighestRatio = 200;
  static constexpr float kPreviewSize = 50.0f;

  // The value after one spin step (a delta of 0 or below raises it); the value itself when the
  // step would leave the range.
  static float StepBaseline(float baseline, int delta);
  static int StepRatio(int ratio, int delta);
  static bool AcceptsRatio(int ratio) { return ratio >= kLowestRatio; }

  CLatinParamDlg(CWinFontTable& fonts, CWnd* parent = nullptr);

  BOOL OnInitDialog() override;
  void OnOK() override;

protected:
  void OnBaselineSpin(NMHDR* header, LRESULT* result);
  void OnRatioSpin(NMHDR* header, LRESULT* result);
  void OnValueEdited() { DrawPreview(); }
  void OnPaint();
  DECLARE_MESSAGE_MAP()

private:
  float ReadBaseline() const;
  int ReadRatio() const;
  void DrawPreview();

  CWinFontTable& m_fonts;
};
