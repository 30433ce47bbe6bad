// CPagePrinter: prints a page of blocks on a printer: each copy is one sheet with the page's
// border (when asked) and every block drawn through its print drawing, from the last in the list
// to the first, with the matrix that takes page millimetres to the printer's pixels. The print
// dialog and the graphics-library print dialog (several pages in one document) print through it;
// a caller with nothing but a page of
// blocks uses Print, which lays the page out by the print settings.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/String.h"
#include "model/geometry/Matrix2D.h"
#include "output/PrintLayout.h"

class CDC;
class CPrinterChoice;
class CSegArray;
struct CPrintSettings;

// A page to print: its blocks (not owned), its size and the document name the spooler shows.
struct PrintPage {
  CSegArray* blocks = nullptr;
  float width = 0;
  float height = 0;
  CString title;
};

// How one print job draws: page millimetres to printer pixels, the sheets and the options.
struct PrintJob {
  CMatrix2D matrix;
  int copies = 1;
  bool border = false;
  // The flag each block's print drawing gets (CImageBlock::kPrintImages for images).
  int drawFlag = 0;
};

class CPagePrinter {
public:
  enum Result {
    kPrinted,
    // The printer's context could not be made.
    kNoPrinter,
    // The spooler refused the document or a page.
    kFailed,
    // The margins leave no room on the paper, or the ratio is not above 0.
    kNoRoom,
  };

  // The page laid out on the chosen printer as the settings say (fit, margins, rotation, ...).
  static Result Print(const CPrinterChoice& printer, const PrintPage& page,
                      const CPrintSettings& settings);
  // The same on an open printer context (one a caller's own print dialog made); the context
  // stays the caller's.
  static Result Print(HDC dc, const PrintPage& page, const CPrintSettings& settings);
  // The message a failed print gives under the caption "错误", over the owner; none for kPrinted.
  static void ShowFailure(HWND owner, Result result);
  // The job on the chosen printer.
  static Result PrintJobOn(const CPrinterChoice& printer, const PrintPage& page,
                           const PrintJob& job);
  // The job on an open printer context: one document, one page per copy (none for 0 copies).
  static Result PrintJobOn(HDC dc, const PrintPage& page, const PrintJob& job);
  // Pages as one document named title: each copy prints every page in turn. Any page the
  // printer refuses aborts the whole document, so no half-printed job reaches the spooler.
  static Result PrintPagesOn(HDC dc, LPCSTR title, const std::vector<PrintPage>& pages,
                             const PrintJob& job);
  // What one sheet shows, drawn into any context (the preview draws it on the screen).
  static void DrawPage(CDC* dc, const PrintPage& page, const PrintJob& job);

  // The geometry of the page on a printer of these metrics, with the settings' options.
  static PrintGeometry GeometryOf(const PrintPage& page, const PrinterMetrics& printer,
                                  const CPrintSettings& settings);
  // The job the settings describe for a laid-out page: the fit ratios as the dialog shows them.
  static PrintJob JobOf(const CPrintLayout& layout, const CPrintSettings& settings,
                        float pixelsPerMmX, float pixelsPerMmY);
  static int DrawFlagOf(const CPrintSettings& settings);
};
