#include "editor/dialogs/LibCreaterDlg.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "editor/ProgramObjects.h"
#include "editor/dialogs/DialogPump.h"
#include "editor/dialogs/LibraryMessage.h"
#include "editor/dialogs/LibrarySource.h"
#include "editor/dialogs/MergeFilePrompt.h"
#include "framework/DC.h"
#include "framework/GlobalLock.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"
#include "framework/WinApp.h"
#include "media/ImportFilterDll.h"
#include "media/library/ClipArtBuild.h"
#include "media/library/LibraryFile.h"
#include "media/library/MountLibList.h"
#include "media/library/PicLibrary.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/ShapeBlock.h"
#include "model/document/SegArray.h"
#include "model/geometry/Contour.h"
#include "resources/Resource.h"

IMPLEMENT_DYNAMIC(CLibCreaterDlg, CDialog)

namespace {

const char kSourceKey[] = "FolderSource";
const char kTargetKey[] = "FolderTarget";
const char* const kDrawingExtensions[] = {".EPS", ".AI", ".PLT", ".DXF"};
// Pixels between a preview frame's edge and the drawing.
const int kPreviewMargin = 5;

bool LessNoCase(const CString& a, const CString& b) { return lstrcmpiA(a, b) < 0; }

bool HasDrawingExtension(LPCSTR name) {
  LPCSTR dot = std::strrchr(name, '.');
  if (!dot) return false;
  for (LPCSTR extension : kDrawingExtensions)
    if (lstrcmpiA(dot, extension) == 0) return true;
  return false;
}

template <typename Take>
std::vector<CString> ListFolder(const CString& folder, Take take) {
  std::vector<CString> names;
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(CClipArtBuild::WithBackslash(folder) + "*", &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (take(found)) names.push_back(CString(found.cFileName));
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  std::sort(names.begin(), names.end(), LessNoCase);
  return names;
}

// The drawing of a block-list record as one curve; null when it holds nothing.
CCurveBlock* DrawingCurve(HGLOBAL record) {
  std::unique_ptr<CSegArray> blocks;
  {
    CGlobalLock lock(record);
    if (!lock.Data()) return nullptr;
    bool damaged = false;
    blocks.reset(LoadSegArray(lock.Data(), lock.Size(), &damaged));
    if (damaged) return nullptr;
  }
  if (!blocks || blocks->GetSize() == 0) return nullptr;
  CGroupBlock curves;
  for (INT_PTR i = 0; i < blocks->GetSize(); ++i)
    if (CBlock* block = blocks->GetBlock(i))
      curves.AddChild(block->ToCurve(CShapeBlock::kAnyColour));
  return curves.MergeToCurve(CShapeBlock::kAnyColour);
}

}  // namespace

CLibCreaterDlg::CLibCreaterDlg(CWnd* parent, CIniFile* settings)
    : CDialog(kTemplateId, parent), m_settings(settings ? *settings : g_settings) {}

BOOL CLibCreaterDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  ::SetDlgItemTextA(m_hWnd, IDC_CREATER_SOURCE,
                    m_settings.GetString(kSection, kSourceKey, g_mountLibList.GetFolder()));
  ::SetDlgItemTextA(m_hWnd, IDC_CREATER_TARGET,
                    m_settings.GetString(kSection, kTargetKey, kDefaultTarget));
  ::SendDlgItemMessageA(m_hWnd, IDC_CREATER_SOURCE, EM_LIMITTEXT, kSourceLength, 0);
  return TRUE;
}

CString CLibCreaterDlg::FieldText(int id) const {
  char text[MAX_PATH] = {};
  ::GetDlgItemTextA(m_hWnd, id, text, sizeof text);
  CString field(text);
  field.Trim();
  return field;
}

void CLibCreaterDlg::StoreFields() const {
  m_settings.WriteString(kSection, kSourceKey, FieldText(IDC_CREATER_SOURCE));
  m_settings.WriteString(kSection, kTargetKey, FieldText(IDC_CREATER_TARGET));
}

void CLibCreaterDlg::Tell(UINT message) const { ShowLibraryMessage(m_hWnd, message); }

CString CLibCreaterDlg::TargetPath() const {
  CString target = FieldText(IDC_CREATER_TARGET);
  if (target.IsEmpty()) target = kDefaultTarget;
  if (target.Find('.') < 0) target += ".LIB";
  if (target.FindOneOf("\\/:") >= 0) return target;
  return g_mountLibList.GetFolder() + target;
}

bool CLibCreaterDlg::LibraryMapping(const CFRect& box, CMatrix2D& matrix) {
  matrix.SetIdentity();
  float larger = std::max(box.Width(), box.Height());
  if (!(larger > 0.0f)) return false;
  // The filter turns drawings so that y grows downward, as library graphics do: no turning over.
  float scale = kGraphicSize / larger;
  matrix.m[0] = matrix.m[4] = scale;
  matrix.m[6] = kOriginGap - scale * box.left;
  matrix.m[7] = kOriginGap - scale * box.top;
  return true;
}

std::vector<CString> CLibCreaterDlg::Subfolders(const CString& folder) {
  return ListFolder(folder, [](const WIN32_FIND_DATAA& found) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.';
  });
}

std::vector<CString> CLibCreaterDlg::Drawings(const CString& folder) {
  return ListFolder(folder, [](const WIN32_FIND_DATAA& found) {
    return !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           HasDrawingExtension(found.cFileName);
  });
}

bool CLibCreaterDlg::OpenTarget(CPicLibrary& target, const CString& source) {
  CString path = TargetPath();
  if (::GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
    // A new library is titled after the source folder.
    CString title(source);
    title.TrimRight("\\/");
    int slash = std::max(title.ReverseFind('\\'), title.ReverseFind('/'));
    library::LibraryHeader header = library::MakeLibraryHeader(library::kVersion60,
                                                               title.Mid(slash + 1));
    header.graphicSize = kGraphicSize;
    if (!CreateLibraryFile(path, header, true)) {
      Tell(IDS_BUILD_NO_TARGET);
      return false;
    }
  }
  if (!target.OpenFile(path)) {
    Tell(IDS_BUILD_NO_TARGET);
    return false;
  }
  if (target.GetVersion() < library::kVersion60 || target.GetVersion() > library::kVersion61) {
    Tell(IDS_BUILD_TARGET_NOT_V6);
    return false;
  }
  return true;
}

void CLibCreaterDlg::Preview(int frame, CContour* outline) const {
  HWND window = ::GetDlgItem(m_hWnd, frame);
  if (!window) return;
  RECT area;
  ::GetClientRect(window, &area);
  CDC dc;
  dc.Attach(::GetDC(window));
  dc.FillSolidRect(&area, RGB(255, 255, 255));
  ::InflateRect(&area, -kPreviewMargin, -kPreviewMargin);
  CLibrarySource::DrawFitted(&dc, outline, area);
  ::ReleaseDC(window, dc.Detach());
}

bool CLibCreaterDlg::Build(Summary* summary) {
  StoreFields();
  Summary done;
  CString source = CClipArtBuild::WithBackslash(FieldText(IDC_CREATER_SOURCE));
  CImportFilterDll filter;
  if (!BindImportFilter(filter)) {
    Tell(IDS_BUILD_NO_FILTER);
    return false;
  }
  std::vector<CString> kinds = Subfolders(source);
  if (kinds.empty()) {
    Tell(IDS_CREATER_NO_FOLDERS);
    return false;
  }
  CPicLibrary target;
  if (!OpenTarget(target, source)) return false;
  CWaitCursor wait;
  CDialogPump pump(m_hWnd);
  for (size_t k = 0; k < kinds.size(); ++k) {
    library::KindRecord record;
    CString english;
    english.Format("Kind%d", target.GetKindCount() + 1);
    library::SetFixedText(record.chineseName, library::kKindNameSize, kinds[k], true);
    library::SetFixedText(record.englishName, library::kKindNameSize, english, true);
    if (!target.AddKind(record)) break;
    int kind = target.GetKindCount() - 1;
    ++done.kinds;
    CString folder = source + kinds[k] + "\\";
    for (const CString& name : Drawings(folder)) {
      CString path = folder + name;
      CDialogPump::ShowText(m_hWnd, IDC_CREATER_STATUS, path);
      HGLOBAL record = filter.FilterRead(path, kFilterScale);
      std::unique_ptr<CCurveBlock> curve(record ? DrawingCurve(record) : nullptr);
      if (record) ::GlobalFree(record);
      CMatrix2D mapping;
      std::unique_ptr<CContour> picture(curve ? curve->GetContour(nullptr, 0) : nullptr);
      Preview(IDC_CREATER_PICTURE, picture.get());
      std::unique_ptr<CContour> outline(curve && LibraryMapping(curve->m_box, mapping)
                                            ? curve->GetContour(&mapping, 0)
                                            : nullptr);
      CString title(name);
      if (title.ReverseFind('.') > 0) title = title.Left(title.ReverseFind('.'));
      if (outline && target.GetGraphicCount(kind) < library::kSlotCount &&
          target.PutGraphic(kind, outline.get(), title))
        ++done.added;
      else
        ++done.unread;
      Preview(IDC_CREATER_OUTLINE, outline.get());
      pump.Step();
    }
  }
  g_mountLibList.Scan();
  if (summary) *summary = done;
  CString format, text;
  format.LoadString(IDS_CREATER_DONE);
  text.Format(format, done.kinds, done.added, done.unread);
  CDialogPump::ShowText(m_hWnd, IDC_CREATER_STATUS, text);
  AfxShowMessageBox(m_hWnd, text, AfxGetAppName(), MB_OK | MB_ICONINFORMATION);
  return true;
}

void CLibCreaterDlg::OnOK() { Build(); }

void CLibCreaterDlg::OnCancel() {
  StoreFields();
  CDialog::OnCancel();
}
