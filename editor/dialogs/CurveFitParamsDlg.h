// CCurveFitParamsDlg: all twenty curve-fitting values of "VECTOR" in a list (213), each row the
// value and its name ("%5.2f  =Name", whole numbers "%5.f  =Name"), a missing key shown with the
// default the library takes for it (CVectorParameters). Selecting a row puts its value into the
// edit field; "修改" puts a value that is not negative back into the row; "初始化" stores the
// defaults of all twenty at once and shows them; "确认" stores every row and sets "Delta"
// negative, so that the library takes these values until a preset is chosen again.
#pragma once

#include <windows.h>

#include "editor/dialogs/ViewDialog.h"
#include "media/VectorParameters.h"

class CCurveFitParamsDlg : public CViewDialog {
  DECLARE_DYNAMIC(CCurveFitParamsDlg)
public:
  static constexpr UINT kTemplateId = 213;
  enum : int { kList = 1098, kValue = 1368, kChange = 1360, kInitialise = 1371 };

  CCurveFitParamsDlg(CTALVEX42View* view, const CAppProfile& profile);

  BOOL OnInitDialog() override;
  void OnOK() override;

  // The text of a list row.
  static CString RowText(float value, LPCSTR key);

protected:
  void OnSelectRow();
  void OnChange();
  void OnInitialise();
  DECLARE_MESSAGE_MAP()

private:
  void ReadValues();
  void ShowRow(int row);

  float m_values[CVectorParameters::kCount] = {};
};
