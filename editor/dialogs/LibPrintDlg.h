// CLibPrintDlg: the library print dialog (321). It shows the chosen printer (the default one at
// first) with its printable width and height in millimetres, lets the user choose another in the
// print-setup dialog, and prints the chosen kind of a mounted library as a catalogue: pages of
// cells laid out as the catalogue page lays out one drawing page (its settings in "LibTypeSet",
// limited to the printable area), one graphic per cell with its number under it, numbered from
// the kind's first graphic, as many pages as the kind needs, in one print job. The page's
// origin is the corner of the printable area; lengths are millimetres. Printing changes no
// document and no setting.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "editor/dialogs/LibBookDlg.h"
#include "framework/Dialog.h"
#include "framework/TextButton.h"
#include "media/library/PicLibrary.h"
#include "model/document/SegArray.h"

class CIniFile;
class CPrintDialog;

class CLibPrintDlg : public CDialog {
public:
  static constexpr UINT kTemplateId = 321;

  // Why a kind was not printed; kPrinted when it was.
  enum Outcome { kPrinted, kNoLibrary, kEmptyKind, kPaperTooSmall, kPrintFailed };

  explicit CLibPrintDlg(CWnd* parent = nullptr);
  ~CLibPrintDlg() override;

  BOOL OnInitDialog() override;
  // Prints the chosen kind; the dialog stays open for a choice it cannot print.
  void OnOK() override;

  // The catalogue settings for a library and kind on paper of this printable size: the
  // catalogue page's, with the limits no further than the paper.
  static CLibBookDlg::Settings PaperSettings(const CIniFile& file, int library, int kind,
                                             float paperWidth, float paperHeight);
  // The pages of the kind: each a list of the graphics in their cells and their numbers.
  static std::vector<std::unique_ptr<CSegArray>> KindPages(const CLibBookDlg::Settings& settings);

protected:
  void OnPrintSetup();
  void OnLibraryChosen();
  DECLARE_MESSAGE_MAP()

private:
  // Shows the printer of the setup dialog, or that there is none.
  void ShowPrinter();
  // Prints the kind on the chosen printer; a failure of the printer itself is in *result.
  Outcome PrintKind(int library, int kind, int* result);
  void Refuse(UINT message);

  std::unique_ptr<CPrintDialog> m_setup;
  bool m_hasPrinter = false;
  CPicLibrary m_library;
  CTextButton m_printButton;  // greyed without a printer
};
