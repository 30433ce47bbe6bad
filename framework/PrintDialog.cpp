#include "framework/PrintDialog.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent)
    : CCommonDialog(parent), m_pd() {
  m_pd.lStructSize = sizeof m_pd;
  m_pd.Flags = flags | PD_RETURNDC;
  if (printSetupOnly) m_pd.Flags = (flags | PD_PRINTSETUP) & ~PD_RETURNDC;
  m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog() {
  // The printer context belongs to the dialog; device handles belong to whoever took them.
  if (m_pd.hDC) ::DeleteDC(m_pd.hDC);
}

INT_PTR CPrintDialog::DoModal() {
  m_pd.hwndOwner = OwnerWindow();
  INT_PTR result;
  if (AnsweredByHandler(&result)) return result;
  return ::PrintDlgA(&m_pd) ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults() {
  DWORD flags = m_pd.Flags;
  m_pd.Flags = (flags | PD_RETURNDEFAULT) & ~PD_RETURNDC;
  m_pd.hDevMode = nullptr;
  m_pd.hDevNames = nullptr;
  BOOL found = ::PrintDlgA(&m_pd);
  m_pd.Flags = flags;
  return found;
}

HDC CPrintDialog::CreatePrinterDC(HGLOBAL devNames, HGLOBAL devMode) {
  if (!devNames) return nullptr;
  auto* names = static_cast<LPDEVNAMES>(::GlobalLock(devNames));
  if (!names) return nullptr;
  auto* mode = devMode ? static_cast<LPDEVMODEA>(::GlobalLock(devMode)) : nullptr;
  auto base = reinterpret_cast<LPCSTR>(names);
  HDC hdc = ::CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset,
                        base + names->wOutputOffset, mode);
  if (mode) ::GlobalUnlock(devMode);
  ::GlobalUnlock(devNames);
  return hdc;
}

HDC CPrintDialog::CreatePrinterDC() {
  if (m_pd.hDC) ::DeleteDC(m_pd.hDC);
  m_pd.hDC = CreatePrinterDC(m_pd.hDevNames, m_pd.hDevMode);
  return m_pd.hDC;
}

CString CPrintDialog::DevNamesPart(int part) const {
  if (!m_pd.hDevNames) return CString();
  auto* names = static_cast<LPDEVNAMES>(::GlobalLock(m_pd.hDevNames));
  if (!names) return CString();
  WORD offset = part == 0   ? names->wDriverOffset
                : part == 1 ? names->wDeviceOffset
                            : names->wOutputOffset;
  CString text(reinterpret_cast<LPCSTR>(names) + offset);
  ::GlobalUnlock(m_pd.hDevNames);
  return text;
}

CString CPrintDialog::GetDriverName() const { return DevNamesPart(0); }
CString CPrintDialog::GetDeviceName() const { return DevNamesPart(1); }
CString CPrintDialog::GetPortName() const { return DevNamesPart(2); }

LPDEVMODEA CPrintDialog::GetDevMode() const {
  return m_pd.hDevMode ? static_cast<LPDEVMODEA>(::GlobalLock(m_pd.hDevMode)) : nullptr;
}

int CPrintDialog::GetCopies() const {
  if ((m_pd.Flags & PD_USEDEVMODECOPIES) && m_pd.hDevMode) {
    auto* mode = static_cast<LPDEVMODEA>(::GlobalLock(m_pd.hDevMode));
    int copies = mode ? mode->dmCopies : m_pd.nCopies;
    ::GlobalUnlock(m_pd.hDevMode);
    return copies;
  }
  return m_pd.nCopies;
}
