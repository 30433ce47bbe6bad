// CPrintDialog: the system's print or print-setup dialog, and the printer context it gives.
#pragma once

#include "framework/CommonDialog.h"
#include "framework/String.h"

class CPrintDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CPrintDialog)
public:
  explicit CPrintDialog(BOOL printSetupOnly,
                        DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                      PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                        CWnd* parent = nullptr);
  ~CPrintDialog() override;

  PRINTDLGA m_pd;

  INT_PTR DoModal() override;
  // The default printer without showing anything; false when there is none.
  BOOL GetDefaults();
  HDC CreatePrinterDC();
  static HDC CreatePrinterDC(HGLOBAL devNames, HGLOBAL devMode);
  HDC GetPrinterDC() const { return m_pd.hDC; }
  CString GetDeviceName() const;
  CString GetDriverName() const;
  CString GetPortName() const;
  LPDEVMODEA GetDevMode() const;  // locked: the caller unlocks m_pd.hDevMode
  int GetCopies() const;
  BOOL PrintAll() const { return !(m_pd.Flags & (PD_PAGENUMS | PD_SELECTION)); }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
  int GetFromPage() const { return m_pd.nFromPage; }
  int GetToPage() const { return m_pd.nToPage; }

private:
  CString DevNamesPart(int part) const;
};
