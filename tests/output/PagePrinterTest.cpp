// What the page printer does with a context that is not a printer's: the spooler refuses the
// document, so the job fails as a whole and nothing is drawn. No window.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "output/PagePrinter.h"

TEST(PagePrinter, AContextThatTakesNoDocumentFailsTheWholeJob) {
  HDC screen = CreateCompatibleDC(nullptr);
  ASSERT_NE(nullptr, screen);
  std::vector<PrintPage> pages(2);
  for (PrintPage& page : pages) {
    page.width = 100;
    page.height = 50;
  }
  PrintJob job;
  job.border = true;
  EXPECT_EQ(CPagePrinter::kFailed, CPagePrinter::PrintPagesOn(screen, "pages", pages, job));
  EXPECT_EQ(CPagePrinter::kFailed, CPagePrinter::PrintJobOn(screen, pages[0], job));
  DeleteDC(screen);
}
