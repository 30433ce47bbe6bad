// CPrintCommands: the drawing view's printing commands and the business-card duplication: print
// (57607) runs the print dialog over the document's page, print preview (57609) shows the sheet
// as it will print and leads on to the print dialog, and the card command (32871) runs the card
// dialog. Print setup (57606) belongs to the application. Without a printer the print preview
// says so; the print dialog shows it itself.
#pragma once

#include <windows.h>

#include "framework/CmdTarget.h"
#include "output/PagePrinter.h"

class CTALVEX42View;

class CPrintCommands : public CCmdTarget {
public:
  enum : UINT { kPrint = 57607, kPrintPreview = 57609, kCardCopy = 32871 };

  explicit CPrintCommands(CTALVEX42View* view) : m_view(view) {}

  // The view's document as a page to print: its blocks, its page size and its name (the file's
  // path, or the untitled name of string 130).
  static PrintPage PageOf(CTALVEX42View* view);

protected:
  void OnPrint();
  void OnPrintPreview();
  void OnCardCopy();
  DECLARE_MESSAGE_MAP()

private:
  CTALVEX42View* m_view;
};
