#include "editor/dialogs/LibBuildDlg.h"

#include "editor/ProgramObjects.h"
#include "editor/dialogs/DialogPump.h"
#include "editor/dialogs/LibraryMessage.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"
#include "framework/WinApp.h"
#include "media/library/ClipArtBuild.h"
#include "media/library/MountLibList.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CLibBuildDlg, CDialog)
  ON_BN_CLICKED(IDC_BUILD_TEST, OnTestAmount)
END_MESSAGE_MAP()
// clang-format on

namespace {

const char kCollectionKey[] = "CollectionPath";
const char kIndexKey[] = "IndexPath";
const char kLibraryKey[] = "LibName";
// The titles of a library built from a collection, in both languages whatever the interface's.
const char kChineseTitle[] = "剪贴画";
const char kEnglishTitle[] = "Clip Art";

// Shows the build's progress in the dialog: the file being read, the listing, a message when a
// collection file stops the build, and one pending window message per graphic.
class DialogListener : public CClipArtBuild::Listener {
public:
  explicit DialogListener(HWND dialog) : m_dialog(dialog), m_pump(dialog) {}

  void OnFile(LPCSTR path) override { CDialogPump::ShowText(m_dialog, IDC_BUILD_FILE, path); }
  void OnLine(LPCSTR line) override {
    HWND list = ::GetDlgItem(m_dialog, IDC_BUILD_LIST);
    LRESULT at = ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(at), 0);
    ::UpdateWindow(m_dialog);
  }
  void OnStopped(LPCSTR path, CClipArtFile::Problem problem) override {
    CString format, text;
    format.LoadString(problem == CClipArtFile::kDamaged ? IDS_BUILD_DAMAGED : IDS_BUILD_STOPPED);
    text.Format(format, path);
    AfxShowMessageBox(m_dialog, text, AfxGetAppName(), MB_OK | MB_ICONWARNING);
  }
  void OnGraphic() override { m_pump.Step(); }

private:
  HWND m_dialog;
  CDialogPump m_pump;
};

}  // namespace

CLibBuildDlg::CLibBuildDlg(CWnd* parent, CIniFile* settings)
    : CDialog(kTemplateId, parent), m_settings(settings ? *settings : g_settings) {}

BOOL CLibBuildDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CString folder = g_mountLibList.GetFolder();
  ::SetDlgItemTextA(m_hWnd, IDC_BUILD_COLLECTION,
                    m_settings.GetString(kSection, kCollectionKey, folder));
  ::SetDlgItemTextA(m_hWnd, IDC_BUILD_INDEX, m_settings.GetString(kSection, kIndexKey, folder));
  ::SetDlgItemTextA(m_hWnd, IDC_BUILD_LIBRARY,
                    m_settings.GetString(kSection, kLibraryKey, kDefaultLibrary));
  for (int id : {IDC_BUILD_COLLECTION, IDC_BUILD_INDEX})
    ::SendDlgItemMessageA(m_hWnd, id, EM_LIMITTEXT, kFolderLength, 0);
  return TRUE;
}

CString CLibBuildDlg::FieldText(int id) const {
  char text[MAX_PATH] = {};
  ::GetDlgItemTextA(m_hWnd, id, text, sizeof text);
  CString field(text);
  field.Trim();
  return field;
}

void CLibBuildDlg::StoreFields() const {
  m_settings.WriteString(kSection, kCollectionKey, FieldText(IDC_BUILD_COLLECTION));
  m_settings.WriteString(kSection, kIndexKey, FieldText(IDC_BUILD_INDEX));
  m_settings.WriteString(kSection, kLibraryKey, FieldText(IDC_BUILD_LIBRARY));
}

void CLibBuildDlg::Tell(UINT message, LPCSTR detail) const {
  ShowLibraryMessage(m_hWnd, message, detail, MB_ICONINFORMATION);
}

int CLibBuildDlg::TestAmount() {
  StoreFields();
  ::SendDlgItemMessageA(m_hWnd, IDC_BUILD_LIST, LB_RESETCONTENT, 0, 0);
  CClipArtBuild build(FieldText(IDC_BUILD_COLLECTION), FieldText(IDC_BUILD_INDEX));
  DialogListener listener(m_hWnd);
  CWaitCursor wait;
  return build.Count(listener);
}

bool CLibBuildDlg::Build() {
  StoreFields();
  CString name = FieldText(IDC_BUILD_LIBRARY);
  if (name.IsEmpty()) name = kDefaultLibrary;
  CString path = CClipArtBuild::WithBackslash(FieldText(IDC_BUILD_INDEX)) + name;
  ::SendDlgItemMessageA(m_hWnd, IDC_BUILD_LIST, LB_RESETCONTENT, 0, 0);
  CClipArtBuild build(FieldText(IDC_BUILD_COLLECTION), FieldText(IDC_BUILD_INDEX));
  DialogListener listener(m_hWnd);
  CClipArtBuild::Summary summary;
  CClipArtBuild::Result result;
  {
    CWaitCursor wait;
    result = build.Build(path, kChineseTitle, kEnglishTitle, listener, &summary);
  }
  if (result == CClipArtBuild::kLibraryExists) {
    Tell(IDS_MANAGE_FILE_EXISTS, path);
    return false;
  }
  if (result == CClipArtBuild::kCannotCreate) {
    Tell(IDS_LIBRARY_CREATE_FAILED);
    return false;
  }
  g_mountLibList.Scan();
  CString format, text;
  format.LoadString(IDS_BUILD_DONE);
  text.Format(format, summary.kinds, summary.added, summary.skipped);
  AfxShowMessageBox(m_hWnd, text, AfxGetAppName(), MB_OK | MB_ICONINFORMATION);
  return true;
}

void CLibBuildDlg::OnOK() {
  if (Build()) EndDialog(IDOK);
}

void CLibBuildDlg::OnCancel() {
  StoreFields();
  CDialog::OnCancel();
}
