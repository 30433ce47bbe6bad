#include "editor/dialogs/LibConvertDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/dialogs/LibraryMessage.h"
#include "editor/dialogs/LibrarySource.h"
#include "framework/GbkText.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"
#include "media/library/LibraryFile.h"
#include "model/geometry/Contour.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CLibConvertDlg, CDialog)
  ON_CBN_SELCHANGE(IDC_CONVERT_LIBRARY, OnLibraryChosen)
END_MESSAGE_MAP()
// clang-format on

namespace {

const char kFolderKey[] = "OutPath";
const char kMarkKey[] = "MARK";
const char kVersionKey[] = "VER";
const char kRatioKey[] = "Ratio";
const char kNewKindName[] = "New Kind %d";
// Kinds whose renumbered graphics are listed; further ones are only hinted at.
const int kMostRenumberedKinds = 12;

}  // namespace

CLibConvertDlg::CLibConvertDlg(CWnd* parent, CIniFile* settings)
    : CDialog(kTemplateId, parent), m_settings(settings ? *settings : g_settings) {}

CString CLibConvertDlg::FieldText(int id) const {
  char text[MAX_PATH] = {};
  ::GetDlgItemTextA(m_hWnd, id, text, sizeof text);
  return CString(text);
}

BOOL CLibConvertDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // File names are the system's (its code page); each entry's data is the library's number.
  HWND list = ::GetDlgItem(m_hWnd, IDC_CONVERT_LIBRARY);
  CString name;
  for (int n = 0; n < g_mountLibList.GetCount(); ++n) {
    if (!g_mountLibList.GetFileName(n, name)) continue;
    LRESULT entry = ::SendMessageA(list, CB_ADDSTRING, 0,
                                   reinterpret_cast<LPARAM>(static_cast<LPCSTR>(name)));
    if (entry >= 0) ::SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(entry), n);
  }
  ::SendMessageA(list, CB_SETCURSEL, 0, 0);
  ::SetDlgItemTextA(m_hWnd, IDC_CONVERT_PATH,
                    m_settings.GetString(kSection, kFolderKey, kDefaultFolder));
  ::SetDlgItemTextA(m_hWnd, IDC_CONVERT_MARK,
                    m_settings.GetString(kSection, kMarkKey, kDefaultMark));
  char version[32];
  snprintf(version, sizeof version, "%.1f",
           m_settings.GetFloat(kSection, kVersionKey, kDefaultVersion));
  ::SetDlgItemTextA(m_hWnd, IDC_CONVERT_VERSION, version);
  ::SetDlgItemInt(m_hWnd, IDC_CONVERT_RATIO,
                  static_cast<UINT>(m_settings.GetInt(kSection, kRatioKey, kDefaultRatio)), FALSE);
  ::SetDlgItemInt(m_hWnd, IDC_CONVERT_INC_X, 0, TRUE);
  ::SetDlgItemInt(m_hWnd, IDC_CONVERT_INC_Y, 0, TRUE);
  OnLibraryChosen();
  return TRUE;
}

CString CLibConvertDlg::ChosenFileName() const {
  int chosen = CLibrarySource::ChosenData(::GetDlgItem(m_hWnd, IDC_CONVERT_LIBRARY));
  CString name;
  if (chosen < 0 || !g_mountLibList.GetFileName(chosen, name)) name.Empty();
  return name;
}

void CLibConvertDlg::OnLibraryChosen() {
  CString name = ChosenFileName();
  const int fields[3] = {IDC_CONVERT_CHINESE_NAME, IDC_CONVERT_ENGLISH_NAME,
                         IDC_CONVERT_THIRD_NAME};
  if (name.IsEmpty() || !m_source.Open(name)) {
    for (int field : fields) ::SetDlgItemTextW(m_hWnd, field, L"");
    return;
  }
  const library::LibraryHeader& header = m_source.GetHeader();
  for (int i = 0; i < 3; ++i)
    AfxSetGbkText(::GetDlgItem(m_hWnd, fields[i]),
                  library::FixedText(header.titles[i], library::kTitleSize, library::kTitleSize));
}

CString CLibConvertDlg::TargetPath() const {
  CString folder = FieldText(IDC_CONVERT_PATH);
  if (folder.IsEmpty() || folder[folder.GetLength() - 1] != '\\') folder += '\\';
  return folder + ChosenFileName();
}

void CLibConvertDlg::Report(UINT message) const { ShowLibraryMessage(m_hWnd, message); }

bool CLibConvertDlg::RatioFromField(WORD& ratio) const {
  CString text = FieldText(IDC_CONVERT_RATIO);
  text.Trim();
  if (text.IsEmpty() || text.SpanIncluding("0123456789").GetLength() != text.GetLength())
    return false;
  // Digits beyond a long's range read as its largest value.
  long value = strtol(text, nullptr, 10);
  if (value > 0xFFFF) return false;
  ratio = static_cast<WORD>(value);
  return true;
}

bool CLibConvertDlg::HeaderFromFields(library::LibraryHeader& header) const {
  CString mark = FieldText(IDC_CONVERT_MARK);
  std::memcpy(header.magic, mark, std::min<size_t>(mark.GetLength(), sizeof header.magic));
  header.version = static_cast<float>(atof(FieldText(IDC_CONVERT_VERSION)));
  header.headerSize = library::kHeaderSize;
  const int fields[3] = {IDC_CONVERT_CHINESE_NAME, IDC_CONVERT_ENGLISH_NAME,
                         IDC_CONVERT_THIRD_NAME};
  for (int i = 0; i < 3; ++i)
    library::SetFixedText(header.titles[i], library::kTitleSize,
                          AfxGetGbkText(::GetDlgItem(m_hWnd, fields[i])), true);
  return mark == library::kMagic && header.version >= library::kVersion60 &&
         header.version <= library::kVersion61;
}

bool CLibConvertDlg::Convert() {
  CWaitCursor wait;
  CString name = ChosenFileName();
  CPicLibrary source;
  if (name.IsEmpty() || !source.Open(name)) return false;
  CString target = TargetPath();
  // Creating the new file first would empty the very file that is to be read.
  char sourceFull[MAX_PATH * 2] = {}, targetFull[MAX_PATH * 2] = {};
  ::GetFullPathNameA(source.GetPath(), sizeof sourceFull, sourceFull, nullptr);
  ::GetFullPathNameA(target, sizeof targetFull, targetFull, nullptr);
  if (lstrcmpiA(sourceFull, targetFull) == 0) {
    Report(IDS_LIBRARY_CONVERT_SAME);
    return false;
  }
  // A file the libraries would not open again is never written.
  library::LibraryHeader header;
  if (!HeaderFromFields(header)) {
    Report(IDS_LIBRARY_CONVERT_FORMAT);
    return false;
  }
  // A ratio the header's 16 bits cannot hold would come out as another one.
  if (!RatioFromField(header.graphicSize)) {
    Report(IDS_LIBRARY_CONVERT_RATIO);
    return false;
  }
  CPicLibrary copy;
  if (!CreateLibraryFile(target, header) || !copy.OpenFile(target)) {
    Report(IDS_LIBRARY_CREATE_FAILED);
    return false;
  }
  CopyKinds(source, copy);
  return true;
}

void CLibConvertDlg::CopyKinds(CPicLibrary& source, CPicLibrary& copy) {
  CString caption = FieldText(IDOK);
  int lost = 0, graphics = 0;
  CString renumbered;
  int renumberedKinds = 0;
  for (int kind = 0; kind < source.GetKindCount(); ++kind) {
    library::KindRecord record;
    library::SetFixedText(record.chineseName, library::kKindNameSize, source.GetKindName(kind),
                          true);
    char english[library::kKindNameSize + 1];
    snprintf(english, sizeof english, kNewKindName, kind + 1);
    library::SetFixedText(record.englishName, library::kKindNameSize, english, true);
    if (!copy.AddKind(record)) break;
    AfxSetGbkText(::GetDlgItem(m_hWnd, IDOK), source.GetKindName(kind));
    const int target = copy.GetKindCount() - 1;
    KindCopy copied = CopyKind(source, kind, copy, target);
    lost += copied.lost;
    graphics += copy.GetGraphicCount(target);
    if (copied.moved.empty() || ++renumberedKinds > kMostRenumberedKinds + 1) continue;
    if (!renumbered.IsEmpty()) renumbered += "\r\n";
    renumbered += renumberedKinds > kMostRenumberedKinds
                      ? CString("...")
                      : RenumberingLine(source.GetKindName(kind), copied.moved);
  }
  ::SetDlgItemTextA(m_hWnd, IDOK, caption);
  ReportCopy(copy, graphics, lost, renumbered);
}

void CLibConvertDlg::ReportCopy(const CPicLibrary& copy, int graphics, int lost,
                                const CString& renumbered) const {
  // One message at the end: what was written, then what the user must know of it.
  CString format, text, part;
  format.LoadString(IDS_LIBRARY_CONVERT_DONE);
  text.Format(format, copy.GetPath(), copy.GetKindCount(), graphics);
  if (lost > 0) {
    char count[16];
    snprintf(count, sizeof count, "%d", lost);
    format.LoadString(IDS_LIBRARY_CONVERT_LOST);
    part.Format(format, count);
    text += "\r\n\r\n" + part;
  }
  if (!renumbered.IsEmpty()) {
    format.LoadString(IDS_LIBRARY_CONVERT_RENUMBERED);
    part.Format(format, static_cast<LPCSTR>(renumbered));
    text += "\r\n\r\n" + part;
  }
  AfxShowMessageBox(m_hWnd, text, AfxGetAppName(),
                    MB_OK | (lost > 0 ? MB_ICONWARNING : MB_ICONINFORMATION));
}

CString CLibConvertDlg::RenumberingLine(const CString& kindName,
                                        const std::vector<Renumbering>& moved) {
  // Runs of graphics that moved by the same amount are told as one range.
  CString line = kindName + ":";
  for (size_t first = 0; first < moved.size();) {
    size_t last = first;
    while (last + 1 < moved.size() && moved[last + 1].from == moved[last].from + 1 &&
           moved[last + 1].to == moved[last].to + 1)
      ++last;
    CString range;
    if (last == first)
      range.Format(" %d->%d", moved[first].from, moved[first].to);
    else
      range.Format(" %d-%d->%d-%d", moved[first].from, moved[last].from, moved[first].to,
                   moved[last].to);
    line += range;
    if (last + 1 < moved.size()) line += ",";
    first = last + 1;
  }
  return line;
}

CLibConvertDlg::KindCopy CLibConvertDlg::CopyKind(CPicLibrary& source, int kind, CPicLibrary& copy,
                                                  int target) {
  // Older kinds leave slots empty between their graphics: every slot of the kind is looked at,
  // and the graphics close up in their order in the new kind. A version 6 kind holds its graphics
  // below its count; the slots past it keep what deleting left there.
  KindCopy copied;
  const int slots = source.GetGraphicCount(kind);
  for (int i = 0; i < slots; ++i) {
    std::unique_ptr<CContour> graphic(source.ReadGraphic(kind, i, nullptr));
    if (!graphic) continue;
    const int number = copy.GetGraphicCount(target);
    if (!copy.PutCopiedGraphic(target, graphic.get(), nullptr))
      ++copied.lost;
    else if (number != i)
      copied.moved.push_back({i, number});
  }
  return copied;
}

void CLibConvertDlg::OnOK() { Convert(); }

void CLibConvertDlg::OnCancel() {
  m_settings.WriteString(kSection, kFolderKey, FieldText(IDC_CONVERT_PATH));
  m_settings.WriteString(kSection, kMarkKey, FieldText(IDC_CONVERT_MARK));
  m_settings.WriteFloat(kSection, kVersionKey,
                        static_cast<float>(atof(FieldText(IDC_CONVERT_VERSION))));
  m_settings.WriteInt(kSection, kRatioKey, atoi(FieldText(IDC_CONVERT_RATIO)));
  EndDialog(IDCANCEL);
}
