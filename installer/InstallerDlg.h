// CInstallerDlg: the installer's dialog (102). It shows the catalogue's cutter models in file
// order and the spooler's ports ("COM2:" chosen when the system has it); OK (or a double click on
// a model) installs the chosen model on the chosen port step by step, showing each step's name,
// and, when all went well, says which model went onto which port and closes the dialog. A failing
// step shows its error under the error caption of the catalogue's language and the dialog stays
// open. Texts at the top come from the catalogue's Title, Company and WebSite where it has them.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "installer/CutterCatalogue.h"
#include "installer/CutterInfo.h"
#include "installer/InstallProblem.h"
#include "installer/PrintSpooler.h"

class CInstallerDlg : public CDialog {
public:
  static const char kDefaultPort[];

  // programFolder (ending with a backslash) holds the files the catalogue names.
  CInstallerDlg(const CCutterCatalogue& catalogue, CPrintSpooler& spooler, LPCSTR programFolder,
                CWnd* parent = nullptr);

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnPaint();
  LRESULT OnQueryDragIcon(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

private:
  void SetTexts();
  void FillModels();
  void FillPorts();
  CString SelectedPort() const;
  void SetStep(LPCSTR step);
  // Installs the model of the list's index on the chosen port; info receives what was installed.
  bool Install(int index, CCutterInfo* info, CInstallProblem* problem);
  void ReportInstalled(const CCutterInfo& installed);
  void ShowError(LPCSTR text);

  const CCutterCatalogue& m_catalogue;
  CPrintSpooler& m_spooler;
  CString m_programFolder;
  HICON m_icon = nullptr;
};
