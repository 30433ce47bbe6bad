// CPrinterChoice: the printer that printing goes to: the one chosen in print setup, else the
// system's default. The application object keeps that choice for the whole program (its device
// names and mode); this object only looks at it, so it is cheap to make at each use. Without a
// printer on the system (or without an application) nothing is available and nothing prints.
#pragma once

#include <windows.h>

#include "framework/String.h"
#include "output/PrintLayout.h"

class CWnd;

class CPrinterChoice {
public:
  // Paper sizes of the device mode that the user sizes: the large sheets and user defined.
  static constexpr short kUserPaperSizes[] = {24, 25, 26, 256};

  // Takes the application's printer, asking the system for its default the first time.
  CPrinterChoice();

  bool IsAvailable() const { return m_devNames != nullptr; }
  CString DeviceName() const;
  // Whether the chosen paper is one whose size the user types.
  bool UserSizedPaper() const;
  // The paper, borders and resolution; all 0 when the printer cannot be asked.
  PrinterMetrics Metrics() const;
  // A context to print on (the caller deletes it); null when the printer cannot be opened.
  HDC CreatePrinterDC() const;
  // The print setup dialog over the parent; true when the user chose a printer, which the
  // application then keeps.
  bool RunSetup(CWnd* parent);

  static PrinterMetrics MetricsOf(HDC dc);

private:
  void Refresh();

  HGLOBAL m_devNames = nullptr;
  HGLOBAL m_devMode = nullptr;
};
