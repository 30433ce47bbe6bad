// CColorDialog: the system's colour chooser.
#pragma once

#include "framework/CommonDialog.h"

class CColorDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CColorDialog)
public:
  explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);

  CHOOSECOLORA m_cc;

  INT_PTR DoModal() override;
  COLORREF GetColor() const { return m_cc.rgbResult; }
  void SetCurrentColor(COLORREF color);
  // The sixteen custom colours, kept for the whole program run.
  static COLORREF* GetSavedCustomColors();
};
