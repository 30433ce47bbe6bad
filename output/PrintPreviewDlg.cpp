#include "output/PrintPreviewDlg.h"

#include <algorithm>

#include "framework/Brush.h"
#include "framework/ClientDC.h"
#include "framework/DC.h"
#include "framework/PaintDC.h"
#include "framework/Pen.h"
#include "output/PrintSettings.h"
#include "output/PrinterChoice.h"

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
  // The printable area's edge, and the page drawn as it prints there.
  const int printableLeft = left + static_cast<int>(b[CPrintLayout::kLeft] * m_scale);
  const int printableTop = top + static_cast<int>(b[CPrintLayout::kTop] * m_scale);
  CRect printable(printableLeft, printableTop,
                  printableLeft + static_cast<int>(metrics.paperWidth * m_scale),
                  printableTop + static_cast<int>(metrics.paperHeight * m_scale));
  CBrush edge(kPrintableEdge);
  dc->FrameRect(&printable, &edge);
  CPrintSettings settings;
  settings.Load(m_profile);
  CPrintLayout layout(CPagePrinter::GeometryOf(m_page, metrics, settings));
  if (!layout.HasArea()) return;
  PrintJob job = CPagePrinter::JobOf(layout, settings, m_scale, m_scale);
  CMatrix2D onSheet;
  onSheet.m[6] = static_cast<float>(printableLeft);
  onSheet.m[7] = static_cast<float>(printableTop);
  job.matrix.Multiply(onSheet);
  int saved = dc->SaveDC();
  dc->IntersectClipRect(&m_sheet);
  CPagePrinter::DrawPage(dc, m_page, job);
  dc->RestoreDC(saved);
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
