#include "editor/dialogs/LatinParamDlg.h"

#include <commctrl.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "editor/ProgramObjects.h"
#include "framework/DC.h"
#include "framework/PaintDC.h"
#include "model/blocks/BlockView.h"
#include "resources/Resource.h"
#include "text/WinFontTable.h"
#include "text/layout/SampleText.h"
#include "text/layout/TextDefaults.h"

IMPLEMENT_DYNAMIC(CLatinParamDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CLatinParamDlg, CDialog)
  ON_NOTIFY(UDN_DELTAPOS, IDC_LATIN_BASELINE_SPIN, OnBaselineSpin)
  ON_NOTIFY(UDN_DELTAPOS, IDC_LATIN_RATIO_SPIN, OnRatioSpin)
  ON_EN_CHANGE(IDC_LATIN_BASELINE, OnValueEdited)
  ON_EN_CHANGE(IDC_LATIN_RATIO, OnValueEdited)
  ON_WM_PAINT()
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kTextLength = 32;
// Chinese around the Latin word, so that the two base lines and sizes show side by side.
const char kSample[] = "中文Page字";
const int kPreviewLeft = 5;
const int kPreviewTop = 55;
// Steps of 0.05 are kept on the hundredths, so that the ends of the range are reached exactly.
const float kHundredths = 100.0f;

// Restores the program's Latin values however the preview ends.
class LatinValuesLent {
public:
  LatinValuesLent(CWinFontTable& fonts, float baseline, int ratio)
      : m_fonts(fonts), m_baseline(fonts.m_latinBaseline), m_ratio(fonts.m_latinZoom) {
    fonts.m_latinBaseline = baseline;
    fonts.m_latinZoom = ratio;
  }
  ~LatinValuesLent() {
    m_fonts.m_latinBaseline = m_baseline;
    m_fonts.m_latinZoom = m_ratio;
  }

private:
  CWinFontTable& m_fonts;
  float m_baseline;
  int m_ratio;
};

}  // namespace

float CLatinParamDlg::StepBaseline(float baseline, int delta) {
  // The arrow pointing up proposes a negative change: it raises the value.
  float next = baseline + (delta <= 0 ? kBaselineStep : -kBaselineStep);
  next = std::round(next * kHundredths) / kHundredths;
  const float tolerance = 0.5f / kHundredths;
  if (next < kLowestBaseline - tolerance || next > kHighestBaseline + tolerance) return baseline;
  return next;
}

int CLatinParamDlg::StepRatio(int ratio, int delta) {
  int next = ratio + (delta <= 0 ? 1 : -1);
  return next < kLowestRatio || next > kHighestRatio ? ratio : next;
}

CLatinParamDlg::CLatinParamDlg(CWinFontTable& fonts, CWnd* parent)
    : CDialog(kTemplateId, parent), m_fonts(fonts) {}

BOOL CLatinParamDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CString baseline = g_appProfile.GetString(CWinFontTable::kSystemParam,
                                            CWinFontTable::kLatinBaselineKey,
                                            CWinFontTable::kLatinBaselineDefault);
  ::SetDlgItemTextA(m_hWnd, IDC_LATIN_BASELINE, baseline);
  ::SetDlgItemInt(m_hWnd, IDC_LATIN_RATIO,
                  g_appProfile.GetInt(CWinFontTable::kSystemParam, CWinFontTable::kLatinZoomKey,
                                      CWinFontTable::kLatinZoomDefault),
                  TRUE);
  ::SendDlgItemMessageA(m_hWnd, IDC_LATIN_BASELINE_SPIN, UDM_SETBUDDY,
                        reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, IDC_LATIN_BASELINE)), 0);
  ::SendDlgItemMessageA(m_hWnd, IDC_LATIN_RATIO_SPIN, UDM_SETBUDDY,
                        reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, IDC_LATIN_RATIO)), 0);
  return TRUE;
}

float CLatinParamDlg::ReadBaseline() const {
  char text[kTextLength] = {};
  ::GetDlgItemTextA(m_hWnd, IDC_LATIN_BASELINE, text, sizeof text);
  return static_cast<float>(std::atof(text));
}

int CLatinParamDlg::ReadRatio() const {
  return static_cast<int>(::GetDlgItemInt(m_hWnd, IDC_LATIN_RATIO, nullptr, TRUE));
}

void CLatinParamDlg::OnBaselineSpin(NMHDR* header, LRESULT* result) {
  auto* change = reinterpret_cast<NMUPDOWN*>(header);
  float before = ReadBaseline();
  float after = StepBaseline(before, change->iDelta);
  if (after != before) {
    char text[kTextLength];
    snprintf(text, sizeof text, "%.2f", after);
    ::SetDlgItemTextA(m_hWnd, IDC_LATIN_BASELINE, text);
  }
  *result = 1;
}

void CLatinParamDlg::OnRatioSpin(NMHDR* header, LRESULT* result) {
  auto* change = reinterpret_cast<NMUPDOWN*>(header);
  int before = ReadRatio();
  int after = StepRatio(before, change->iDelta);
  if (after != before) ::SetDlgItemInt(m_hWnd, IDC_LATIN_RATIO, after, TRUE);
  *result = 1;
}

void CLatinParamDlg::OnPaint() {
  { CPaintDC dc(this); }
  DrawPreview();
}

void CLatinParamDlg::DrawPreview() {
  HWND frame = ::GetDlgItem(m_hWnd, IDC_FONT_PREVIEW);
  if (!frame) return;
  RECT area;
  ::GetClientRect(frame, &area);
  HDC dc = ::GetDC(frame);
  ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::FrameRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
  int ratio = ReadRatio();
  if (AcceptsRatio(ratio)) {
    // The frame's own device context clips the sample to the frame.
    LatinValuesLent lent(m_fonts, ReadBaseline(), ratio);
    CTextDefaults values = CTextDefaults::Global();
    values.fontSizeX = values.fontSizeY = kPreviewSize;
    CSampleText sample;
    sample.SetText(kSample, values);
    sample.Place(static_cast<float>(area.left + kPreviewLeft),
                 static_cast<float>(area.top + kPreviewTop));
    CDC wrapper;
    wrapper.Attach(dc);
    sample.Draw(&wrapper);
    wrapper.Detach();
  }
  ::ReleaseDC(frame, dc);
}

void CLatinParamDlg::OnOK() {
  int ratio = ReadRatio();
  if (!AcceptsRatio(ratio)) return;
  char baseline[kTextLength] = {};
  ::GetDlgItemTextA(m_hWnd, IDC_LATIN_BASELINE, baseline, sizeof baseline);
  m_fonts.m_latinBaseline = CWinFontTable::BaselineFromText(baseline);
  m_fonts.m_latinZoom = ratio;
  g_appProfile.WriteString(CWinFontTable::kSystemParam, CWinFontTable::kLatinBaselineKey, baseline);
  g_appProfile.WriteInt(CWinFontTable::kSystemParam, CWinFontTable::kLatinZoomKey, ratio);
  CDialog::OnOK();
  // Latin characters already on the page take the new values when drawn again.
  if (CBlockView* view = CBlockView::GetActive())
    if (HWND window = view->GetViewWindow()) ::InvalidateRect(window, nullptr, TRUE);
}
