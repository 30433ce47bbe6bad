// CAboutDlg: the about box (command 57664).
#pragma once

#include "framework/Dialog.h"

class CAboutDlg : public CDialog {
public:
  enum { IDD = 100 };

  CAboutDlg();

  BOOL OnInitDialog() override;
};
