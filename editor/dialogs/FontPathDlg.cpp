#include "editor/dialogs/FontPathDlg.h"

#include <commctrl.h>

#include "editor/ProgramObjects.h"
#include "framework/ByteWriter.h"
#include "framework/DocTemplate.h"
#include "framework/View.h"
#include "media/library/MountLibList.h"
#include "model/document/FontMountSection.h"
#include "model/document/TALVEX42Doc.h"
#include "model/settings/ProgramPaths.h"
#include "resources/Resource.h"

namespace {

const int kListControl = 1043;
const char kPathSection[] = "PATH";
const char kPaletteKey[] = "PALETTE";
const char kLibraryKey[] = "MOUNTLIB";
// Rows before the font rows: the palettes and the graphics libraries.
const size_t kFolderRows = 2;

CString LoadText(UINT id) {
  CString text;
  text.LoadString(id);
  return text;
}

}  // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CFontPathDlg, CDialog)
  ON_NOTIFY(LVN_ENDLABELEDITA, kListControl, OnEndLabelEdit)
END_MESSAGE_MAP()
// clang-format on

CFontPathDlg::CFontPathDlg(CWnd* parent, CIniFile* settings, const CLanguage* language)
    : CDialog(kTemplateId, parent),
      m_settings(settings ? *settings : g_settings),
      m_language(language ? *language : g_language) {}

std::vector<CFontPathDlg::Row> CFontPathDlg::BuildRows() const {
  std::vector<Row> rows;
  rows.push_back({m_settings.GetString(kPathSection, kPaletteKey, kDefaultPalette),
                  LoadText(IDS_FONT_KIND_PALETTE), 0});
  rows.push_back({GetMountLibPath(), LoadText(IDS_FONT_KIND_LIBRARY), 0});
  CString language;
  for (int row = 0; row < m_language.GetCount() && m_language.GetName(row, language); ++row) {
    CString path;
    WORD code = m_language.GetTtfMountPath(row, path);
    if (!path.IsEmpty())
      rows.push_back({path, m_language.LibraryName(row, CLanguage::kTrueTypeFiles), code});
    for (int mount = 0; mount < m_language.GetMountCount(row); ++mount) {
      CString name;
      code = m_language.GetMountPath(row, mount, path);
      m_language.GetMountName(row, mount, name);
      rows.push_back({path, name, code});
    }
  }
  return rows;
}

CString CFontPathDlg::EditedPath(LPCSTR text) {
  CString path(text ? text : "");
  if (path.IsEmpty()) {
    char parent[MAX_PATH * 2] = {};
    GetProgramParentDir(parent, sizeof parent);
    return parent;
  }
  if (path[path.GetLength() - 1] != '\\') path += '\\';
  return path;
}

BOOL CFontPathDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  HWND list = ::GetDlgItem(m_hWnd, kListControl);
  RECT client;
  ::GetClientRect(list, &client);
  CString pathHeading = LoadText(IDS_FONT_PATH_COLUMN),
          kindHeading = LoadText(IDS_FONT_KIND_COLUMN);
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = client.right - client.left - kKindWidth;
  column.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(pathHeading));
  ::SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
  column.cx = kKindWidth;
  column.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(kindHeading));
  ::SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
  m_rows = BuildRows();
  for (size_t i = 0; i < m_rows.size(); ++i) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(m_rows[i].path));
    item.lParam = m_rows[i].code;
    ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.mask = LVIF_TEXT;
    item.iSubItem = 1;
    item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(m_rows[i].kind));
    ::SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
  }
  return TRUE;
}

void CFontPathDlg::OnEndLabelEdit(NMHDR* header, LRESULT* result) {
  auto* edit = reinterpret_cast<NMLVDISPINFOA*>(header);
  *result = FALSE;
  // No text: the edit was cancelled.
  int row = edit->item.iItem;
  if (!edit->item.pszText || row < 0 || static_cast<size_t>(row) >= m_rows.size()) return;
  m_rows[static_cast<size_t>(row)].path = EditedPath(edit->item.pszText);
  LVITEMA item = {};
  item.iSubItem = 0;
  item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(m_rows[static_cast<size_t>(row)].path));
  ::SendDlgItemMessageA(m_hWnd, kListControl, LVM_SETITEMTEXTA, row,
                        reinterpret_cast<LPARAM>(&item));
  m_changed = true;
}

void CFontPathDlg::SaveRows() {
  m_settings.WriteString(kPathSection, kPaletteKey, m_rows[0].path);
  m_settings.WriteString(kPathSection, kLibraryKey, m_rows[1].path);
  for (size_t i = kFolderRows; i < m_rows.size(); ++i) {
    WORD code = m_rows[i].code;
    if (code <= 0xFF) continue;
    CString section, key;
    section.Format("Language%d", m_language.FindIndex(code & 0xFF));
    int source = (code >> 8) & 0x0F;
    if (source == 1)
      key = "TTFMountPath";
    else
      key.Format("MountPath%d", source - 2);
    m_settings.WriteString(section, key, m_rows[i].path);
  }
}

void CFontPathDlg::MountFontsAgain() {
  // The open documents' characters name their fonts by their places in the lists mounted now.
  CByteWriter names;
  g_language.WriteToFile(names);
  CFontMountSection before;
  before.Read(names.Data(), names.Size(), 0);
  theApp.InitializeApplicationData(CTALVEX42App::kLoadFonts);
  for (POSITION templates = theApp.GetFirstDocTemplatePosition(); templates;) {
    CDocTemplate* documents = theApp.GetNextDocTemplate(templates);
    for (POSITION at = documents->GetFirstDocPosition(); at;) {
      auto* document = dynamic_cast<CTALVEX42Doc*>(documents->GetNextDoc(at));
      if (!document) continue;
      document->RemountFonts(before, true);
      for (POSITION view = document->GetFirstViewPosition(); view;)
        document->GetNextView(view)->Invalidate();
    }
  }
}

void CFontPathDlg::OnOK() {
  if (m_changed) {
    SaveRows();
    MountFontsAgain();
  }
  EndDialog(IDOK);
}
