// CLibPrintDlg: the library print dialog (321). It shows the chosen printer (the default one at
// first) with its printable width and height in millimetres, lets the user choose another in the
// print-setup dialog, and lists the mounted libraries and their kinds. Pages of graphics are not
// printed yet: "Print" says so and closes.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/Dialog.h"
#include "media/library/PicLibrary.h"

class CPrintDialog;

class CLibPrintDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 321;

  explicit CLibPrintDlg(CWnd* parent = nullptr);
  ~CLibPrintDlg() override;

  BOOL OnInitDialog() override;
  void OnOK() override;

protected:
  void OnPrintSetup();
  void OnLibraryChosen();
  DECLARE_MESSAGE_MAP()

private:
  // Shows the printer of the setup dialog, or that there is none.
  void ShowPrinter();

  std::unique_ptr<CPrintDialog> m_setup;
  bool m_hasPrinter = false;
  CPicLibrary m_library;
};
