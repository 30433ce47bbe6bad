#include "editor/dialogs/VectorizeImageSetDlg.h"

#include "media/VectorParameters.h"
#include "model/settings/AppProfile.h"
#include "model/settings/SettingNames.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(CVectorizeImageSetDlg, CDialog)

// clang-format off
BEGIN_MESSAGE_MAP(CVectorizeImageSetDlg, CDialog)
  ON_BN_CLICKED(CVectorizeImageSetDlg::kRestore, OnRestore)
END_MESSAGE_MAP()
// clang-format on

namespace {

struct Field {
  int control;
  LPCSTR key;
  // Checked before anything is stored: the value must be above 0.
  bool positive;
};

// The edit fields, in the order they are checked and stored.
const Field kFields[] = {
    {CVectorizeImageSetDlg::kCornerSurround, "CornerSurround", false},
    {CVectorizeImageSetDlg::kCornerThreshold, "CornerThreshold", true},
    {CVectorizeImageSetDlg::kErrorThreshold, "ErrorThreshold", true},
    {CVectorizeImageSetDlg::kFilterIterationCount, "FilterIterationCount", false},
    {CVectorizeImageSetDlg::kLineReversionThreshold, "LineReversionThreshold", true},
    {CVectorizeImageSetDlg::kLineThreshold, "LineThreshold", true},
};
const char kKeepKneesKey[] = "KeepKnees";

// Every value is stored as text, as the library's wrapper reads it; whole ones as integers.
void WriteValue(const CAppProfile& profile, const VectorParameter& parameter, float value) {
  if (!parameter.whole) {
    profile.WriteFloat(settings::kVector, parameter.key, value);
    return;
  }
  CString text;
  text.Format("%d", static_cast<int>(value));
  profile.WriteString(settings::kVector, parameter.key, text);
}

}  // namespace

CVectorizeImageSetDlg::CVectorizeImageSetDlg(CTALVEX42View* view, const CAppProfile& profile)
    : CViewDialog(kTemplateId, view, profile) {}

CString CVectorizeImageSetDlg::FormatValue(float value, LPCSTR wholeFormat, LPCSTR fractionFormat) {
  CString text;
  bool whole = value == static_cast<float>(static_cast<long long>(value));
  text.Format(whole ? wholeFormat : fractionFormat, static_cast<double>(value));
  return text;
}

void CVectorizeImageSetDlg::WriteDefaults(const CAppProfile& profile) {
  for (size_t i = 0; i < CVectorParameters::kCount; ++i) {
    const VectorParameter& parameter = CVectorParameters::Table()[i];
    WriteValue(profile, parameter, parameter.defaultValue);
  }
}

BOOL CVectorizeImageSetDlg::OnInitDialog() {
  CViewDialog::OnInitDialog();
  ShowValues();
  return TRUE;
}

void CVectorizeImageSetDlg::ShowValues() {
  for (const Field& field : kFields) {
    float value = Profile().GetFloat(settings::kVector, field.key,
                                     CVectorParameters::DefaultOf(field.key));
    SetDlgItemText(field.control, FormatValue(value, "%.f", "%.2f"));
  }
  float keepKnees = Profile().GetFloat(settings::kVector, kKeepKneesKey,
                                       CVectorParameters::DefaultOf(kKeepKneesKey));
  SetChecked(kKeepKnees, keepKnees != 0.0f);
}

void CVectorizeImageSetDlg::OnOK() {
  // Every value is checked before any is stored: a refused value leaves the settings as they were.
  for (const Field& field : kFields) {
    if (!field.positive || ReadFloat(field.control) > 0.0f) continue;
    ShowMessage(IDS_VECTOR_VALUE_NOT_POSITIVE, IDS_ERROR, MB_OK | MB_ICONWARNING);
    if (CWnd* edit = GetDlgItem(field.control)) {
      GotoDlgCtrl(edit);
      edit->SendMessage(EM_SETSEL, 0, -1);
    }
    return;
  }
  for (const Field& field : kFields)
    WriteValue(Profile(), *CVectorParameters::Find(field.key), ReadFloat(field.control));
  WriteValue(Profile(), *CVectorParameters::Find(kKeepKneesKey),
             IsChecked(kKeepKnees) ? 1.0f : 0.0f);
  // The values just stored are the ones the library is to take.
  Profile().WriteInt(settings::kVector, settings::kVectorDelta, settings::kVectorDeltaOwnValues);
  EndDialog(IDOK);
}

void CVectorizeImageSetDlg::OnRestore() {
  WriteDefaults(Profile());
  ShowValues();
}
