// CVectorizeImageSetDlg: the short form of the vectorising settings (212): the seven values of
// "VECTOR" a user is expected to touch, shown with the defaults the library itself takes for a
// missing key (CVectorParameters). "确认" checks every value first and then stores all of them, or
// none when one is not above 0 (that field is pointed out); it also sets "Delta" negative, which
// makes the library take these values instead of a preset until a preset is chosen again in the
// outline dialog. "还原" stores the defaults of all twenty values at once and shows them.
#pragma once

#include <windows.h>

#include "editor/dialogs/ViewDialog.h"

class CVectorizeImageSetDlg : public CViewDialog {
  DECLARE_DYNAMIC(CVectorizeImageSetDlg)
public:
  static constexpr UINT kTemplateId = 212;
  enum : int {
    kCornerSurround = 1368,
    kCornerThreshold = 1369,
    kErrorThreshold = 1370,
    kLineReversionThreshold = 1372,
    kFilterIterationCount = 1373,
    kLineThreshold = 1374,
    kKeepKnees = 1365,
    kRestore = 1371,
  };

  CVectorizeImageSetDlg(CTALVEX42View* view, const CAppProfile& profile);

  BOOL OnInitDialog() override;
  void OnOK() override;

  // A value as the settings dialogs show it: the whole-number format for a whole number, the
  // other one otherwise.
  static CString FormatValue(float value, LPCSTR wholeFormat, LPCSTR fractionFormat);
  // Stores the defaults of all twenty values.
  static void WriteDefaults(const CAppProfile& profile);

protected:
  void OnRestore();
  DECLARE_MESSAGE_MAP()

private:
  void ShowValues();
};
