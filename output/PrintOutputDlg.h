// CPrintOutputDlg: the print dialog (202) over a page of blocks: it shows the printer, the paper,
// page and drawing sizes and what they become at the ratio, the margins and the options, and
// prints through CPagePrinter. Its settings are the profile's "PrintInfo" (CPrintSettings), read
// when it opens and stored when it prints.
//
// The paper sizes are editable only for paper the user sizes; a change of the paper or of a
// margin typed by the user fits the ratio again. Without a printer the printer field says so and
// the print button stays disabled.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/TextButton.h"
#include "output/PagePrinter.h"
#include "output/PrintSettings.h"
#include "output/PrinterChoice.h"

class CAppProfile;

class CPrintOutputDlg : public CDialog {
public:
  enum ControlId : UINT {
    kDialogId = 202,
    kPrinterName = 1323,
    kPrintSetup = 1324,
    kPaperWidth = 1287,
    kPaperHeight = 1288,
    kPageWidth = 1276,
    kPageHeight = 1277,
    kDrawingWidth = 1278,
    kDrawingHeight = 1279,
    // The four sizes above at the ratio, in the same order.
    kScaledPageWidth = 1327,
    kScaledPageHeight = 1328,
    kScaledDrawingWidth = 1329,
    kScaledDrawingHeight = 1330,
    kMarginLeft = 1151,
    kMarginTop = 1333,
    kMarginRight = 1152,
    kMarginBottom = 1153,
    kPrintBorder = 1334,
    kFillOutput = 1335,
    kPrintImages = 1336,
    kRotate = 1337,
    kMirror = 1101,
    kFitPage = 1340,
    kFitDrawing = 1341,
    kCustomRatio = 1342,
    kRatio = 1143,
    kCopies = 1147,
  };

  CPrintOutputDlg(const PrintPage& page, const CAppProfile& profile, CWnd* parent = nullptr);

  // What the last print gave (kPrinted also for a dialog left without printing).
  CPagePrinter::Result GetResult() const { return m_result; }

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnZoomType();
  void OnRatioChanged();
  void OnPaperOrMarginChanged();
  void OnRotate();
  void OnPrintSetup();
  DECLARE_MESSAGE_MAP()

private:
  // The printer's name, paper and margins, the sizes and the ratio, as after a change of printer
  // or of rotation. Typed margins stay, raised to the printer's borders.
  void FillSizes();
  void FillRatio();
  void FillScaledSizes();
  // The geometry the controls describe now.
  PrintGeometry CurrentGeometry() const;
  int CheckedZoomType() const;
  // The controls into settings; false (after a message) when they cannot be printed.
  bool ReadControls(CPrintSettings* settings);
  void ShowNumber(int id, double value, LPCSTR format = "%.2f");
  float ReadFloat(int id) const;
  bool IsChecked(int id) const;
  void SetChecked(int id, bool checked);
  void Enable(int id, bool enable);
  void ShowError(const CString& text);

  PrintPage m_page;
  const CAppProfile& m_profile;
  CPrinterChoice m_printer;
  PrinterMetrics m_metrics;
  CPrintSettings m_settings;
  CPagePrinter::Result m_result = CPagePrinter::kPrinted;
  // Set while the dialog writes its own fields, so that their change notes refit nothing.
  bool m_filling = false;
  CTextButton m_printButton;  // greyed without a printer
};
