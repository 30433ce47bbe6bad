// CLogoDlg: the logo window shown while the editor loads its data. It paints its picture over the
// whole client area: logo.bmp of the program folder, read when the window is made, or the
// built-in picture without one; control 1184 shows what is being loaded.
#pragma once

#include "framework/Dialog.h"

class CLogoDlg : public CDialog {
public:
  enum { IDD = 207 };

  CLogoDlg();
  ~CLogoDlg() override;

  // Creates the window at its template position, on top of every other window, and paints it.
  BOOL CreateAndShow();

protected:
  void OnPaint();
  DECLARE_MESSAGE_MAP()

private:
  // The picture read from the program folder; null shows the built-in one.
  HBITMAP m_bitmap;
};
