#include "editor/dialogs/CurveFitParamsDlg.h"

#include "editor/dialogs/VectorizeImageSetDlg.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"

IMPLEMENT_DYNAMIC(CCurveFitParamsDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CCurveFitParamsDlg, CDialog)
  ON_LBN_SELCHANGE(CCurveFitParamsDlg::kList, OnSelectRow)
  ON_BN_CLICKED(CCurveFitParamsDlg::kChange, OnChange)
  ON_BN_CLICKED(CCurveFitParamsDlg::kInitialise, OnInitialise)
END_MESSAGE_MAP()
// clang-format on

CCurveFitParamsDlg::CCurveFitParamsDlg(CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile) {}

CString CCurveFitParamsDlg::RowText(float value, LPCSTR key) {
  CString text = CVectorizeImageSetDlg::FormatValue(value, "%5.f", "%5.2f");
  return text + "  =" + key;
}

BOOL CCurveFitParamsDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  for (size_t i = 0; i < CVectorParameters::kCount; ++i)
    SendDlgItemMessage(kList, LB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(CVectorParameters::Table()[i].key));
  ReadValues();
  return TRUE;
}

void CCurveFitParamsDlg::ReadValues() {
  for (size_t i = 0; i < CVectorParameters::kCount; ++i) {
    const VectorParameter& parameter = CVectorParameters::Table()[i];
    m_values[i] = Profile().GetFloat(settings::kVector, parameter.key, parameter.defaultValue);
    ShowRow(static_cast<int>(i));
  }
}

void CCurveFitParamsDlg::ShowRow(int row) {
  // Rewritten in place, so that the selection stays where it is.
  LRESULT selected = SendDlgItemMessage(kList, LB_GETCURSEL);
  SendDlgItemMessage(kList, LB_DELETESTRING, row);
  CString text = RowText(m_values[row], CVectorParameters::Table()[row].key);
  SendDlgItemMessage(kList, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(LPCSTR(text)));
  if (selected != LB_ERR) SendDlgItemMessage(kList, LB_SETCURSEL, selected);
}

void CCurveFitParamsDlg::OnSelectRow() {
  LRESULT row = SendDlgItemMessage(kList, LB_GETCURSEL);
  if (row < 0 || row >= static_cast<LRESULT>(CVectorParameters::kCount)) return;
  SetDlgItemText(kValue, CVectorizeImageSetDlg::FormatValue(m_values[row], "%-.f", "%-.2f"));
}

void CCurveFitParamsDlg::OnChange() {
  LRESULT row = SendDlgItemMessage(kList, LB_GETCURSEL);
  if (row < 0 || row >= static_cast<LRESULT>(CVectorParameters::kCount)) return;
  float value = ReadFloat(kValue);
  if (value < 0.0f) return;
  m_values[row] = value;
  ShowRow(static_cast<int>(row));
}

void CCurveFitParamsDlg::OnInitialise() {
  CVectorizeImageSetDlg::WriteDefaults(Profile());
  ReadValues();
}

void CCurveFitParamsDlg::OnOK() {
  for (size_t i = 0; i < CVectorParameters::kCount; ++i)
    Profile().WriteFloat(settings::kVector, CVectorParameters::Table()[i].key, m_values[i]);
  Profile().WriteInt(settings::kVector, settings::kVectorDelta, settings::kVectorDeltaOwnValues);
  EndDialog(IDOK);
}
