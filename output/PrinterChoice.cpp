#include "output/PrinterChoice.h"

#include <algorithm>

#include "framework/PrintDialog.h"
#include "framework/WinApp.h"

CPrinterChoice::CPrinterChoice() { Refresh(); }

void CPrinterChoice::Refresh() {
  m_devNames = m_devMode = nullptr;
  CWinApp* app = AfxGetApp();
  PRINTDLGA defaults = {};
  defaults.lStructSize = sizeof defaults;
  if (!app || !app->GetPrinterDeviceDefaults(&defaults)) return;
  m_devNames = defaults.hDevNames;
  m_devMode = defaults.hDevMode;
}

CString CPrinterChoice::DeviceName() const {
  if (!m_devNames) return CString();
  auto* names = static_cast<const DEVNAMES*>(::GlobalLock(m_devNames));
  if (!names) return CString();
  CString name(reinterpret_cast<LPCSTR>(names) + names->wDeviceOffset);
  ::GlobalUnlock(m_devNames);
  return name;
}

bool CPrinterChoice::UserSizedPaper() const {
  if (!m_devMode) return false;
  auto* mode = static_cast<const DEVMODEA*>(::GlobalLock(m_devMode));
  if (!mode) return false;
  short paper = (mode->dmFields & DM_PAPERSIZE) ? mode->dmPaperSize : 0;
  ::GlobalUnlock(m_devMode);
  return std::find(std::begin(kUserPaperSizes), std::end(kUserPaperSizes), paper) !=
         std::end(kUserPaperSizes);
}

HDC CPrinterChoice::CreatePrinterDC() const {
  return CPrintDialog::CreatePrinterDC(m_devNames, m_devMode);
}

PrinterMetrics CPrinterChoice::Metrics() const {
  HDC dc = CreatePrinterDC();
  if (!dc) return PrinterMetrics();
  PrinterMetrics metrics = MetricsOf(dc);
  ::DeleteDC(dc);
  return metrics;
}

PrinterMetrics CPrinterChoice::MetricsOf(HDC dc) {
  PrinterMetrics metrics;
  const float pxX = ::GetDeviceCaps(dc, LOGPIXELSX) * CPrintLayout::kMmPerInchFactor;
  const float pxY = ::GetDeviceCaps(dc, LOGPIXELSY) * CPrintLayout::kMmPerInchFactor;
  if (!(pxX > 0) || !(pxY > 0)) return metrics;
  const int width = ::GetDeviceCaps(dc, HORZRES), height = ::GetDeviceCaps(dc, VERTRES);
  const int offsetX = ::GetDeviceCaps(dc, PHYSICALOFFSETX);
  const int offsetY = ::GetDeviceCaps(dc, PHYSICALOFFSETY);
  // A device without a sheet (a display) reports no physical size: no borders then.
  const int sheetW = std::max(::GetDeviceCaps(dc, PHYSICALWIDTH), width + offsetX);
  const int sheetH = std::max(::GetDeviceCaps(dc, PHYSICALHEIGHT), height + offsetY);
  metrics.pixelsPerMmX = pxX;
  metrics.pixelsPerMmY = pxY;
  metrics.paperWidth = width / pxX;
  metrics.paperHeight = height / pxY;
  metrics.borders[CPrintLayout::kLeft] = offsetX / pxX;
  metrics.borders[CPrintLayout::kTop] = offsetY / pxY;
  metrics.borders[CPrintLayout::kRight] = (sheetW - width - offsetX) / pxX;
  metrics.borders[CPrintLayout::kBottom] = (sheetH - height - offsetY) / pxY;
  return metrics;
}

bool CPrinterChoice::RunSetup(CWnd* parent) {
  CWinApp* app = AfxGetApp();
  if (!app || !IsAvailable()) return false;
  CPrintDialog dialog(TRUE, PD_ALLPAGES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                      parent);
  dialog.m_pd.nMinPage = dialog.m_pd.nMaxPage = 1;
  bool chosen = app->DoPrintDialog(&dialog) == IDOK;
  Refresh();
  return chosen;
}
