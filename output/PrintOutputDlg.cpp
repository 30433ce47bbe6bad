#include "output/PrintOutputDlg.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/MessageBox.h"
#include "framework/String.h"
#include "output/OutputTexts.h"

// clang-format off
BEGIN_MESSAGE_MAP(CPrintOutputDlg, CDialog)
  ON_BN_CLICKED(CPrintOutputDlg::kFitPage, OnZoomType)
  ON_BN_CLICKED(CPrintOutputDlg::kFitDrawing, OnZoomType)
  ON_BN_CLICKED(CPrintOutputDlg::kCustomRatio, OnZoomType)
  ON_EN_CHANGE(CPrintOutputDlg::kRatio, OnRatioChanged)
  ON_EN_CHANGE(CPrintOutputDlg::kPaperWidth, OnPaperOrMarginChanged)
  ON_EN_CHANGE(CPrintOutputDlg::kPaperHeight, OnPaperOrMarginChanged)
  ON_EN_CHANGE(CPrintOutputDlg::kMarginLeft, OnPaperOrMarginChanged)
  ON_EN_CHANGE(CPrintOutputDlg::kMarginTop, OnPaperOrMarginChanged)
  ON_EN_CHANGE(CPrintOutputDlg::kMarginRight, OnPaperOrMarginChanged)
  ON_EN_CHANGE(CPrintOutputDlg::kMarginBottom, OnPaperOrMarginChanged)
  ON_BN_CLICKED(CPrintOutputDlg::kRotate, OnRotate)
  ON_BN_CLICKED(CPrintOutputDlg::kPrintSetup, OnPrintSetup)
END_MESSAGE_MAP()
// clang-format on

namespace {

const int kMarginIds[4] = {CPrintOutputDlg::kMarginLeft, CPrintOutputDlg::kMarginTop,
                           CPrintOutputDlg::kMarginRight, CPrintOutputDlg::kMarginBottom};
const int kZoomIds[3] = {CPrintOutputDlg::kFitPage, CPrintOutputDlg::kFitDrawing,
                         CPrintOutputDlg::kCustomRatio};
const int kFieldLength = 20;

// A scaled size as the dialog shows it: truncated toward zero.
int Truncated(float value) {
  return std::isfinite(value) && std::fabs(value) < 2e9f ? static_cast<int>(value) : 0;
}

}  // namespace

CPrintOutputDlg::CPrintOutputDlg(const PrintPage& page, const CAppProfile& profile, CWnd* parent)
    : CDialog(kDialogId, parent), m_page(page), m_profile(profile) {}

BOOL CPrintOutputDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_printButton.TakeOver(IDOK, this);
  m_settings.Load(m_profile);
  m_metrics = m_printer.Metrics();
  m_filling = true;
  SetChecked(kPrintBorder, m_settings.printBorder);
  SetChecked(kPrintImages, m_settings.printImages);
  SetChecked(kRotate, m_settings.rotate90);
  SetChecked(kMirror, m_settings.mirror);
  int zoom = m_settings.zoomType;
  if (zoom < CPrintLayout::kFitPage || zoom > CPrintLayout::kCustom) zoom = CPrintLayout::kFitPage;
  for (int type = 0; type < 3; ++type) SetChecked(kZoomIds[type], type == zoom);
  if (zoom == CPrintLayout::kCustom) ShowNumber(kRatio, m_settings.ratio, "%.5f");
  SetDlgItemInt(kCopies, static_cast<UINT>(m_settings.copies), TRUE);
  for (int side = 0; side < 4; ++side) ShowNumber(kMarginIds[side], m_settings.margins[side]);
  // Filling the outlines has no meaning on paper: each block prints as it is drawn.
  Enable(kFillOutput, false);
  m_filling = false;
  FillSizes();
  return TRUE;
}

PrintGeometry CPrintOutputDlg::CurrentGeometry() const {
  CPrintSettings options = m_settings;
  for (int side = 0; side < 4; ++side) options.margins[side] = ReadFloat(kMarginIds[side]);
  options.rotate90 = IsChecked(kRotate);
  options.mirror = IsChecked(kMirror);
  PrinterMetrics printer = m_metrics;
  printer.paperWidth = ReadFloat(kPaperWidth);
  printer.paperHeight = ReadFloat(kPaperHeight);
  return CPagePrinter::GeometryOf(m_page, printer, options);
}

int CPrintOutputDlg::CheckedZoomType() const {
  for (int type = 0; type < 3; ++type)
    if (IsChecked(kZoomIds[type])) return type;
  return CPrintLayout::kFitPage;
}

void CPrintOutputDlg::FillSizes() {
  const bool available = m_printer.IsAvailable();
  m_filling = true;
  SetDlgItemText(kPrinterName,
                 available ? m_printer.DeviceName() : OutputText::Load(OutputText::kNoPrinterName));
  ShowNumber(kPaperWidth, m_metrics.paperWidth);
  ShowNumber(kPaperHeight, m_metrics.paperHeight);
  Enable(kPaperWidth, available && m_printer.UserSizedPaper());
  Enable(kPaperHeight, available && m_printer.UserSizedPaper());
  for (int side = 0; side < 4; ++side)
    ShowNumber(kMarginIds[side],
               CPrintLayout::ShownMargin(ReadFloat(kMarginIds[side]), m_metrics.borders[side]));
  CPrintLayout layout(CurrentGeometry());
  ShowNumber(kPageWidth, layout.PageWidth());
  ShowNumber(kPageHeight, layout.PageHeight());
  ShowNumber(kDrawingWidth, layout.DrawingWidth());
  ShowNumber(kDrawingHeight, layout.DrawingHeight());
  Enable(IDOK, available);
  m_filling = false;
  FillRatio();
}

void CPrintOutputDlg::FillRatio() {
  const int zoom = CheckedZoomType();
  Enable(kRatio, zoom == CPrintLayout::kCustom);
  if (zoom != CPrintLayout::kCustom && m_printer.IsAvailable()) {
    m_filling = true;
    CPrintLayout layout(CurrentGeometry());
    ShowNumber(kRatio, CPrintLayout::ShownRatio(layout.Ratio(zoom, 1.0f)), "%.5f");
    m_filling = false;
  }
  FillScaledSizes();
}

void CPrintOutputDlg::FillScaledSizes() {
  CPrintLayout layout(CurrentGeometry());
  const float ratio = ReadFloat(kRatio);
  const float sizes[] = {layout.PageWidth(), layout.PageHeight(), layout.DrawingWidth(),
                         layout.DrawingHeight()};
  const int ids[] = {kScaledPageWidth, kScaledPageHeight, kScaledDrawingWidth,
                     kScaledDrawingHeight};
  m_filling = true;
  for (int i = 0; i < 4; ++i) SetDlgItemInt(ids[i], Truncated(sizes[i] * ratio), TRUE);
  m_filling = false;
}

void CPrintOutputDlg::OnZoomType() { FillRatio(); }

void CPrintOutputDlg::OnRatioChanged() {
  if (!m_filling) FillScaledSizes();
}

void CPrintOutputDlg::OnPaperOrMarginChanged() {
  if (!m_filling) FillRatio();
}

void CPrintOutputDlg::OnRotate() { FillSizes(); }

void CPrintOutputDlg::OnPrintSetup() {
  if (!m_printer.IsAvailable()) {
    ShowError(OutputText::Load(OutputText::kNoPrinter));
    return;
  }
  if (!m_printer.RunSetup(this)) return;
  m_metrics = m_printer.Metrics();
  FillSizes();
}

bool CPrintOutputDlg::ReadControls(CPrintSettings* settings) {
  *settings = m_settings;
  CString copies;
  GetDlgItemText(kCopies, copies);
  const long long count = atoll(copies.Left(kFieldLength));
  if (count < 0 || count > CPrintSettings::kMostCopies) {
    ShowError(OutputText::Load(OutputText::kCopiesRange));
    return false;
  }
  settings->copies = static_cast<int>(count);
  settings->zoomType = CheckedZoomType();
  settings->ratio = ReadFloat(kRatio);
  if (!(settings->ratio > 0) || !std::isfinite(settings->ratio)) {
    ShowError(OutputText::Load(OutputText::kRatioNotPositive));
    return false;
  }
  if (!CPrintLayout(CurrentGeometry()).HasArea()) {
    ShowError(OutputText::Load(OutputText::kMarginsTooWide));
    return false;
  }
  for (int side = 0; side < 4; ++side)
    settings->margins[side] = std::max(0.0f, ReadFloat(kMarginIds[side]));
  settings->printBorder = IsChecked(kPrintBorder);
  settings->rotate90 = IsChecked(kRotate);
  settings->printImages = IsChecked(kPrintImages);
  settings->mirror = IsChecked(kMirror);
  return true;
}

void CPrintOutputDlg::OnOK() {
  if (!m_printer.IsAvailable()) return;
  CPrintSettings settings;
  if (!ReadControls(&settings)) return;
  settings.Save(m_profile);
  m_settings = settings;
  CPrintLayout layout(CurrentGeometry());
  PrintJob job = CPagePrinter::JobOf(layout, settings, m_metrics.pixelsPerMmX,
                                     m_metrics.pixelsPerMmY);
  m_result = CPagePrinter::PrintJobOn(m_printer, m_page, job);
  CPagePrinter::ShowFailure(m_hWnd, m_result);
  EndDialog(IDOK);
}

void CPrintOutputDlg::ShowNumber(int id, double value, LPCSTR format) {
  SetDlgItemNumber(id, value, format);
}

float CPrintOutputDlg::ReadFloat(int id) const {
  CString text;
  GetDlgItemText(id, text);
  return static_cast<float>(atof(text.Left(kFieldLength)));
}

bool CPrintOutputDlg::IsChecked(int id) const { return IsDlgButtonChecked(id) == BST_CHECKED; }

void CPrintOutputDlg::SetChecked(int id, bool checked) {
  CheckDlgButton(id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CPrintOutputDlg::Enable(int id, bool enable) {
  if (CWnd* control = GetDlgItem(id)) control->EnableWindow(enable);
}

void CPrintOutputDlg::ShowError(const CString& text) {
  AfxShowMessageBox(m_hWnd, text, OutputText::Load(OutputText::kErrorCaption),
                    MB_OK | MB_ICONERROR);
}
