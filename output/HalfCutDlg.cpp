#include "output/HalfCutDlg.h"

#include <cstdio>
#include <cstdlib>

#include "model/settings/IniFile.h"
#include "output/CutSettings.h"

CHalfCutDlg::CHalfCutDlg(const CIniFile& profile, CWnd* parent)
    : CDialog(kDialogId, parent),
      m_solidLength(CCutSettings::kDefaultSolidCut),
      m_voidLength(CCutSettings::kDefaultVoidCut),
      m_profile(profile) {}

BOOL CHalfCutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_solidLength = m_profile.GetFloat(kCutInfoSection, "SolidCut", CCutSettings::kDefaultSolidCut);
  m_voidLength = m_profile.GetFloat(kCutInfoSection, "VoidCut", CCutSettings::kDefaultVoidCut);
  char text[32];
  snprintf(text, sizeof text, "%.2f", m_solidLength);
  ::SetDlgItemTextA(m_hWnd, kSolidEdit, text);
  snprintf(text, sizeof text, "%.2f", m_voidLength);
  ::SetDlgItemTextA(m_hWnd, kVoidEdit, text);
  return TRUE;
}

void CHalfCutDlg::OnOK() {
  char text[64] = {};
  ::GetDlgItemTextA(m_hWnd, kSolidEdit, text, sizeof text);
  m_solidLength = static_cast<float>(atof(text));
  ::GetDlgItemTextA(m_hWnd, kVoidEdit, text, sizeof text);
  m_voidLength = static_cast<float>(atof(text));
  if (!(m_solidLength >= kShortestSolid)) m_solidLength = kShortestSolid;
  if (!(m_voidLength >= kShortestVoid)) m_voidLength = kShortestVoid;
  m_profile.WriteFloat(kCutInfoSection, "SolidCut", m_solidLength);
  m_profile.WriteFloat(kCutInfoSection, "VoidCut", m_voidLength);
  EndDialog(IDOK);
}
