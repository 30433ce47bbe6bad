#include "output/PrintPreviewDlg.h"

#include <algorithm>
#include <cmath>

#include "framework/Brush.h"
#include "framework/ClientDC.h"
#include "framework/DC.h"
#include "framework/PaintDC.h"
#include "framework/Pen.h"
#include "output/PrintSettings.h"
#include "output/PrinterChoice.h"
#include "output/SupersampledPicture.h"

// clang-format off
BEGIN_MESSAGE_MAP(CPrintPreviewDlg, CDialog)
  ON_WM_PAINT()
  ON_BN_CLICKED(CPrintPreviewDlg::kPrintButton, OnPrint)
END_MESSAGE_MAP()
// clang-format on

namespace {

// Pixels of desk left around the sheet.
const int kDeskMargin = 8;

}  // namespace

CPrintPreviewDlg::CPrintPreviewDlg(const PrintPage& page, const CAppProfile& profile, CWnd* parent)
    : CDialog(kDialogId, parent), m_page(page), m_profile(profile) {}

BOOL CPrintPreviewDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CWnd* frame = GetDlgItem(kPictureFrame);
  if (!frame) return TRUE;
  frame->GetWindowRect(&m_frame);
  ScreenToClient(&m_frame);
  CClientDC screen(this);
  CDC memory;
  memory.CreateCompatibleDC(&screen);
  m_picture.CreateCompatibleBitmap(&screen, m_frame.Width(), m_frame.Height());
  CBitmap* previous = memory.SelectObject(&m_picture);
  Render(&memory, CRect(0, 0, m_frame.Width(), m_frame.Height()));
  memory.SelectObject(previous);
  return TRUE;
}

void CPrintPreviewDlg::Render(CDC* dc, const CRect& area) {
  CBrush desk(kDesk);
  dc->FillRect(&area, &desk);
  CPrinterChoice printer;
  const PrinterMetrics metrics = printer.Metrics();
  const float* b = metrics.borders;
  const float sheetW = b[CPrintLayout::kLeft] + metrics.paperWidth + b[CPrintLayout::kRight];
  const float sheetH = b[CPrintLayout::kTop] + metrics.paperHeight + b[CPrintLayout::kBottom];
  if (!(sheetW > 0) || !(sheetH > 0)) return;
  m_scale = std::min((area.Width() - 2 * kDeskMargin) / sheetW,
                     (area.Height() - 2 * kDeskMargin) / sheetH);
  if (!(m_scale > 0)) return;
  const int left = area.left + (area.Width() - static_cast<int>(sheetW * m_scale)) / 2;
  const int top = area.top + (area.Height() - static_cast<int>(sheetH * m_scale)) / 2;
  m_sheet.SetRect(left, top, left + static_cast<int>(sheetW * m_scale),
                  top + static_cast<int>(sheetH * m_scale));
  CBrush sheet(kSheet);
  dc->FillRect(&m_sheet, &sheet);
  // The page drawn as it prints in the printable area, and the area's edge over it.
  const int printableLeft = left + static_cast<int>(b[CPrintLayout::kLeft] * m_scale);
  const int printableTop = top + static_cast<int>(b[CPrintLayout::kTop] * m_scale);
  CRect printable(printableLeft, printableTop,
                  printableLeft + static_cast<int>(metrics.paperWidth * m_scale),
                  printableTop + static_cast<int>(metrics.paperHeight * m_scale));
  CPrintSettings settings;
  settings.Load(m_profile);
  CPrintLayout layout(CPagePrinter::GeometryOf(m_page, metrics, settings));
  if (layout.HasArea()) DrawPrintedPage(dc, layout, settings, metrics, printable.TopLeft());
  CBrush edge(kPrintableEdge);
  dc->FrameRect(&printable, &edge);
}

void CPrintPreviewDlg::DrawPrintedPage(CDC* dc, const CPrintLayout& layout,
                                       const CPrintSettings& settings,
                                       const PrinterMetrics& metrics, CPoint printableCorner) {
  // The printer's pen is one of its own pixels: drawn at (nearly) the printer's resolution and
  // averaged down, outlines look as thin on the picture as on the sheet, where a picture drawn
  // at its own resolution would give every line a whole pixel and fill small lettering in.
  const float printerScale = std::max(metrics.pixelsPerMmX, metrics.pixelsPerMmY);
  const int factor = std::min(kMostSamples,
                              std::max(1, static_cast<int>(std::ceil(printerScale / m_scale))));
  CSupersampledPicture sheet(m_sheet.Width(), m_sheet.Height(), factor);
  CDC* fine = sheet.DC();
  if (!fine) return;
  const float scale = m_scale * static_cast<float>(sheet.Factor());
  PrintJob job = CPagePrinter::JobOf(layout, settings, scale, scale);
  CMatrix2D onSheet;
  onSheet.m[6] = static_cast<float>((printableCorner.x - m_sheet.left) * sheet.Factor());
  onSheet.m[7] = static_cast<float>((printableCorner.y - m_sheet.top) * sheet.Factor());
  job.matrix.Multiply(onSheet);
  CPagePrinter::DrawPage(fine, m_page, job);
  sheet.Show(dc, m_sheet.left, m_sheet.top);
}

void CPrintPreviewDlg::OnPaint() {
  CPaintDC dc(this);
  if (!m_picture.m_hObject) return;
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  CBitmap* previous = memory.SelectObject(&m_picture);
  dc.BitBlt(m_frame.left, m_frame.top, m_frame.Width(), m_frame.Height(), &memory, 0, 0, SRCCOPY);
  memory.SelectObject(previous);
}

void CPrintPreviewDlg::OnPrint() { EndDialog(IDOK); }
