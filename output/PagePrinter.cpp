#include "output/PagePrinter.h"

#include "framework/DC.h"
#include "framework/MessageBox.h"
#include "model/blocks/Block.h"
#include "model/blocks/ImageBlock.h"
#include "model/document/SegArray.h"
#include "output/OutputTexts.h"
#include "output/PrintSettings.h"
#include "output/PrinterChoice.h"

namespace {

POINT Mapped(const CMatrix2D& matrix, float x, float y) {
  FPOINT point = {x, y};
  POINT out;
  matrix.TransformPointToInt(&point, &out);
  return out;
}

void DrawBorder(CDC* dc, const PrintPage& page, const CMatrix2D& matrix) {
  const POINT corners[] = {Mapped(matrix, 0, 0), Mapped(matrix, page.width, 0),
                           Mapped(matrix, page.width, page.height), Mapped(matrix, 0, page.height)};
  dc->MoveTo(corners[3]);
  for (const POINT& corner : corners) dc->LineTo(corner);
}

}  // namespace

PrintGeometry CPagePrinter::GeometryOf(const PrintPage& page, const PrinterMetrics& printer,
                                       const CPrintSettings& settings) {
  PrintGeometry geometry;
  geometry.pageWidth = page.width;
  geometry.pageHeight = page.height;
  if (page.blocks) {
    CFRect bounds;
    geometry.hasDrawing = page.blocks->GetBounds(&bounds, FALSE) != FALSE;
    if (geometry.hasDrawing) {
      bounds.Normalize();
      geometry.drawing = bounds;
    }
  }
  geometry.printer = printer;
  for (int side = 0; side < 4; ++side) geometry.margins[side] = settings.margins[side];
  geometry.rotate = settings.rotate90;
  geometry.mirror = settings.mirror;
  return geometry;
}

int CPagePrinter::DrawFlagOf(const CPrintSettings& settings) {
  return settings.printImages ? CImageBlock::kPrintImages : 0;
}

PrintJob CPagePrinter::JobOf(const CPrintLayout& layout, const CPrintSettings& settings,
                             float pixelsPerMmX, float pixelsPerMmY) {
  float ratio = settings.zoomType == CPrintLayout::kCustom
                    ? settings.ratio
                    : CPrintLayout::ShownRatio(layout.Ratio(settings.zoomType, settings.ratio));
  PrintJob job;
  job.matrix = layout.Matrix(ratio, settings.zoomType, pixelsPerMmX, pixelsPerMmY);
  job.copies = settings.copies;
  job.border = settings.printBorder;
  job.drawFlag = DrawFlagOf(settings);
  return job;
}

CPagePrinter::Result CPagePrinter::Print(const CPrinterChoice& printer, const PrintPage& page,
                                         const CPrintSettings& settings) {
  if (!printer.IsAvailable()) return kNoPrinter;
  HDC dc = printer.CreatePrinterDC();
  if (!dc) return kNoPrinter;
  Result result = Print(dc, page, settings);
  ::DeleteDC(dc);
  return result;
}

CPagePrinter::Result CPagePrinter::Print(HDC dc, const PrintPage& page,
                                         const CPrintSettings& settings) {
  if (!dc) return kNoPrinter;
  const PrinterMetrics metrics = CPrinterChoice::MetricsOf(dc);
  CPrintLayout layout(GeometryOf(page, metrics, settings));
  if (!layout.HasArea() || !(settings.ratio > 0)) return kNoRoom;
  return PrintJobOn(dc, page, JobOf(layout, settings, metrics.pixelsPerMmX, metrics.pixelsPerMmY));
}

void CPagePrinter::ShowFailure(HWND owner, Result result) {
  OutputText::Text text;
  switch (result) {
    case kNoPrinter:
      text = OutputText::kPrinterDcFailed;
      break;
    case kFailed:
      text = OutputText::kPrintRefused;
      break;
    case kNoRoom:
      text = OutputText::kMarginsTooWide;
      break;
    default:
      return;
  }
  AfxShowMessageBox(owner, OutputText::Load(text), OutputText::Load(OutputText::kErrorCaption),
                    MB_OK | MB_ICONERROR);
}

CPagePrinter::Result CPagePrinter::PrintJobOn(const CPrinterChoice& printer, const PrintPage& page,
                                              const PrintJob& job) {
  HDC dc = printer.CreatePrinterDC();
  if (!dc) return kNoPrinter;
  Result result = PrintJobOn(dc, page, job);
  ::DeleteDC(dc);
  return result;
}

CPagePrinter::Result CPagePrinter::PrintJobOn(HDC hdc, const PrintPage& page, const PrintJob& job) {
  return PrintPagesOn(hdc, page.title, std::vector<PrintPage>{page}, job);
}

CPagePrinter::Result CPagePrinter::PrintPagesOn(HDC hdc, LPCSTR title,
                                                const std::vector<PrintPage>& pages,
                                                const PrintJob& job) {
  CDC dc;
  dc.Attach(hdc);
  dc.m_bPrinting = TRUE;
  Result result = kPrinted;
  if (dc.StartDoc(title) <= 0) {
    result = kFailed;
  } else {
    for (int copy = 0; copy < job.copies && result == kPrinted; ++copy)
      for (const PrintPage& page : pages) {
        if (dc.StartPage() <= 0) {
          result = kFailed;
          break;
        }
        DrawPage(&dc, page, job);
        if (dc.EndPage() <= 0) {
          result = kFailed;
          break;
        }
      }
    if (result != kPrinted)
      dc.AbortDoc();
    else if (dc.EndDoc() <= 0)
      result = kFailed;
  }
  dc.Detach();
  return result;
}

void CPagePrinter::DrawPage(CDC* dc, const PrintPage& page, const PrintJob& job) {
  int saved = dc->SaveDC();
  dc->SelectStockObject(BLACK_PEN);
  dc->SelectStockObject(BLACK_BRUSH);
  dc->SetROP2(R2_COPYPEN);
  if (job.border) DrawBorder(dc, page, job.matrix);
  if (page.blocks) {
    CMatrix2D matrix = job.matrix;
    for (INT_PTR i = page.blocks->GetSize() - 1; i >= 0; --i)
      if (CBlock* block = page.blocks->GetBlock(i)) block->DrawForPrint(dc, &matrix, job.drawFlag);
  }
  dc->RestoreDC(saved);
}
