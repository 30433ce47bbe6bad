// CHalfCutDlg: the half-cut dialog (303): the solid and void lengths of dashed cutting, in
// millimetres, kept as "SolidCut" and "VoidCut" in "CutInfo" of the profile file it is given.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"

class CIniFile;

class CHalfCutDlg : public CDialog {
public:
  enum ControlId : UINT { kDialogId = 303, kSolidEdit = 1308, kVoidEdit = 1309 };
  // The shortest lengths a cutter can make of a dash pattern.
  static constexpr float kShortestSolid = 0.1f;
  static constexpr float kShortestVoid = 0.05f;

  CHalfCutDlg(const CIniFile& profile, CWnd* parent = nullptr);

  float m_solidLength;
  float m_voidLength;

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

private:
  const CIniFile& m_profile;
};
