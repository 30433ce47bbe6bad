#include "editor/dialogs/LibManageDlg.h"

#include <ctime>
#include <memory>
#include <random>
#include <vector>

#include "editor/ProgramObjects.h"
#include "editor/TALVEX42App.h"
#include "editor/dialogs/LibraryMessage.h"
#include "framework/DC.h"
#include "framework/GbkText.h"
#include "framework/WinApp.h"
#include "media/library/LibraryFile.h"
#include "media/library/MountLibList.h"
#include "model/geometry/Contour.h"
#include "resources/Resource.h"

// clang-format off
BEGIN_MESSAGE_MAP(CLibManageDlg, CDialog)
  ON_CBN_SELCHANGE(IDC_MANAGE_TYPE, OnTypeChosen)
  ON_CBN_SELCHANGE(IDC_MANAGE_KIND, OnKindChosen)
  ON_LBN_DBLCLK(IDC_MANAGE_GRAPHICS, OnGraphicDoubleClick)
  ON_BN_CLICKED(IDC_MANAGE_NEW, OnNewLibrary)
  ON_BN_CLICKED(IDC_MANAGE_NEW_KIND, OnNewKind)
  ON_BN_CLICKED(IDC_MANAGE_DELETE, OnDelete)
  ON_BN_CLICKED(IDC_MANAGE_APPEND_KIND, OnAppendKind)
  ON_BN_CLICKED(IDC_MANAGE_RANDOMIZE, OnRandomize)
  ON_NOTIFY(TVN_BEGINLABELEDITA, IDC_MANAGE_TREE, OnBeginLabelEdit)
  ON_NOTIFY(TVN_BEGINLABELEDITW, IDC_MANAGE_TREE, OnBeginLabelEdit)
  ON_NOTIFY(TVN_ENDLABELEDITA, IDC_MANAGE_TREE, OnEndLabelEditA)
  ON_NOTIFY(TVN_ENDLABELEDITW, IDC_MANAGE_TREE, OnEndLabelEditW)
  ON_WM_DRAWITEM()
END_MESSAGE_MAP()
// clang-format on

namespace {

const COLORREF kChosenBack = RGB(0, 0, 128);
const COLORREF kNumberColour = RGB(255, 0, 0);
const int kShrinkX = 7;
const int kShrinkY = 5;
const int kDrawRight = 4;
const int kDrawDown = 2;
const int kNumberRight = 2;
const int kNumberDown = 5;
const char kLibraryExtension[] = ".LIB";
// A new kind's names are stored in both languages, whatever the user interface's.
const char kNewKindChinese[] = "新类别%d";
const char kNewKindEnglish[] = "New Kind %d";

int Selection(HWND control, UINT message) {
  return static_cast<int>(::SendMessageA(control, message, 0, 0));
}

// Titles and kind names are GBK: the tree shows them through the wide call.
HTREEITEM InsertItem(HWND tree, HTREEITEM parent, LPCSTR text, int image, LPARAM data) {
  std::wstring wide = CGbkText::ToWide(text);
  TVINSERTSTRUCTW insert = {};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<LPWSTR>(wide.c_str());
  insert.item.iImage = insert.item.iSelectedImage = image;
  insert.item.lParam = data;
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

LPARAM ItemData(HWND tree, HTREEITEM item) {
  TVITEMA data = {};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&data));
  return data.lParam;
}

HTREEITEM ParentOf(HWND tree, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM NextOf(HWND tree, HTREEITEM item, WPARAM relation) {
  return reinterpret_cast<HTREEITEM>(
      ::SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// The name of a new library: the text with ".LIB" when it has no extension; empty for a name that
// is no plain file name.
CString LibraryFileName(const CString& text) {
  CString name(text);
  name.Trim();
  if (name.IsEmpty() || name.FindOneOf("\\/:*?\"<>|") >= 0) return CString();
  if (name.Find('.') < 0) name += kLibraryExtension;
  return name;
}

}  // namespace

CLibManageDlg::CLibManageDlg(CWnd* parent) : CDialog(kTemplateId, parent) {}

BOOL CLibManageDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  HWND graphics = ::GetDlgItem(m_hWnd, IDC_MANAGE_GRAPHICS);
  ::SendMessageA(graphics, LB_SETITEMHEIGHT, 0, kItemHeight);
  ::SendMessageA(graphics, LB_SETCOLUMNWIDTH, kColumnWidth, 0);
  if (m_treeImages.Create(IDB_LIB_TREE, kTreeImageWidth, 1, RGB(255, 255, 255)))
    ::SendDlgItemMessageA(m_hWnd, IDC_MANAGE_TREE, TVM_SETIMAGELIST, TVSIL_NORMAL,
                          reinterpret_cast<LPARAM>(m_treeImages.m_hImageList));
  // The shuffling and the copying of whole kinds are maintenance tools.
  int shown = theApp.IsTalvexSwitchSet() ? SW_SHOW : SW_HIDE;
  ::ShowWindow(::GetDlgItem(m_hWnd, IDC_MANAGE_APPEND_KIND), shown);
  ::ShowWindow(::GetDlgItem(m_hWnd, IDC_MANAGE_RANDOMIZE), shown);
  FillLists();
  ShowType(0);
  return TRUE;
}

void CLibManageDlg::FillLists() {
  HWND files = ::GetDlgItem(m_hWnd, IDC_MANAGE_FILE);
  HWND tree = ::GetDlgItem(m_hWnd, IDC_MANAGE_TREE);
  ::SendDlgItemMessageA(m_hWnd, IDC_MANAGE_KIND, CB_RESETCONTENT, 0, 0);
  ::SendMessageA(files, CB_RESETCONTENT, 0, 0);
  ::SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
  CLibrarySource::FillTypes(::GetDlgItem(m_hWnd, IDC_MANAGE_TYPE));
  for (int n = 0; n < g_mountLibList.GetCount(); ++n) {
    CString title, name;
    if (!g_mountLibList.GetTitle(n, title) || !g_mountLibList.GetFileName(n, name)) continue;
    HTREEITEM root = InsertItem(tree, TVI_ROOT, title, kLibraryImage, n);
    ::SendMessageA(files, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(name)));
    CPicLibrary library;
    if (!library.OpenByNumber(n)) continue;
    for (int kind = 0; kind < library.GetKindCount(); ++kind)
      InsertItem(tree, root, library.GetKindName(kind), kKindImage, kind);
  }
}

int CLibManageDlg::ChosenType() const {
  return CLibrarySource::ChosenData(::GetDlgItem(m_hWnd, IDC_MANAGE_TYPE));
}

void CLibManageDlg::ShowType(int type) {
  if (!CLibrarySource::ChooseData(::GetDlgItem(m_hWnd, IDC_MANAGE_TYPE), type)) type = -1;
  ::SendDlgItemMessageA(m_hWnd, IDC_MANAGE_KIND, CB_RESETCONTENT, 0, 0);
  ::SendDlgItemMessageA(m_hWnd, IDC_MANAGE_GRAPHICS, LB_RESETCONTENT, 0, 0);
  if (!m_source.SetType(type, m_hWnd)) return;
  m_source.FillKinds(::GetDlgItem(m_hWnd, IDC_MANAGE_KIND));
  ::SendDlgItemMessageA(m_hWnd, IDC_MANAGE_KIND, CB_SETCURSEL, 0, 0);
  FillGraphics();
}

void CLibManageDlg::OnTypeChosen() { ShowType(ChosenType()); }

void CLibManageDlg::OnKindChosen() { FillGraphics(); }

int CLibManageDlg::ChosenKind() const {
  return Selection(::GetDlgItem(m_hWnd, IDC_MANAGE_KIND), CB_GETCURSEL);
}

int CLibManageDlg::ChosenEntry() const {
  return Selection(::GetDlgItem(m_hWnd, IDC_MANAGE_GRAPHICS), LB_GETCURSEL);
}

void CLibManageDlg::FillGraphics() {
  HWND graphics = ::GetDlgItem(m_hWnd, IDC_MANAGE_GRAPHICS);
  ::SendMessageA(graphics, LB_RESETCONTENT, 0, 0);
  int count = m_source.GetEntryCount(ChosenKind());
  for (int entry = 0; entry < count; ++entry) {
    CString number;
    number.Format("%d", m_source.NumberOfEntry(entry));
    ::SendMessageA(graphics, LB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(static_cast<LPCSTR>(number)));
  }
  ::SendMessageA(graphics, LB_SETCURSEL, 0, 0);
}

void CLibManageDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (id == IDC_MANAGE_GRAPHICS && item && item->itemID != static_cast<UINT>(-1)) DrawCell(*item);
}

void CLibManageDlg::DrawCell(const DRAWITEMSTRUCT& item) {
  CDC dc;
  dc.Attach(item.hDC);
  int saved = dc.SaveDC();
  bool chosen = (item.itemState & ODS_SELECTED) != 0;
  const RECT& r = item.rcItem;
  dc.FillSolidRect(&r, chosen ? kChosenBack : RGB(255, 255, 255));
  int number = m_source.NumberOfEntry(static_cast<int>(item.itemID));
  HPEN pen = ::CreatePen(PS_SOLID, 1, chosen ? RGB(255, 255, 255) : RGB(0, 0, 0));
  HGDIOBJ oldPen = dc.SelectObject(pen);
  dc.IntersectClipRect(&r);
  std::unique_ptr<CContour> outline(m_source.ReadOutline(ChosenKind(), number, nullptr));
  RECT area = {r.left + kDrawRight, r.top + kDrawDown, r.right - kShrinkX, r.bottom - kShrinkY};
  CLibrarySource::DrawFitted(&dc, outline.get(), area);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(kNumberColour);
  CString label;
  label.Format("%d", number);
  ::TextOutA(dc.m_hDC, r.left + kNumberRight, r.top + kNumberDown, label, label.GetLength());
  dc.SelectObject(oldPen);
  ::DeleteObject(pen);
  dc.RestoreDC(saved);
  dc.Detach();
}

void CLibManageDlg::Tell(UINT message, LPCSTR detail) const {
  ShowLibraryMessage(m_hWnd, message, detail);
}

bool CLibManageDlg::TargetKind(int& library, int& kind) const {
  HWND tree = ::GetDlgItem(m_hWnd, IDC_MANAGE_TREE);
  HTREEITEM item = NextOf(tree, nullptr, TVGN_CARET);
  HTREEITEM parent = item ? ParentOf(tree, item) : nullptr;
  if (!parent) return false;
  library = static_cast<int>(ItemData(tree, parent));
  kind = static_cast<int>(ItemData(tree, item));
  return true;
}

bool CLibManageDlg::OpenTargetKind(CPicLibrary& target, int& library, int& kind) {
  if (!TargetKind(library, kind)) {
    Tell(IDS_MANAGE_NO_TARGET_KIND);
    return false;
  }
  if (!target.OpenByNumber(library)) {
    Tell(IDS_MANAGE_OPEN_FAILED);
    return false;
  }
  return true;
}

int CLibManageDlg::ChosenTreeLibrary() const {
  HWND tree = ::GetDlgItem(m_hWnd, IDC_MANAGE_TREE);
  HTREEITEM item = NextOf(tree, nullptr, TVGN_CARET);
  if (!item) return -1;
  while (HTREEITEM parent = ParentOf(tree, item)) item = parent;
  return static_cast<int>(ItemData(tree, item));
}

HTREEITEM CLibManageDlg::FindTreeItem(int library, int kind) const {
  HWND tree = ::GetDlgItem(m_hWnd, IDC_MANAGE_TREE);
  for (HTREEITEM root = NextOf(tree, nullptr, TVGN_ROOT); root;
       root = NextOf(tree, root, TVGN_NEXT)) {
    if (ItemData(tree, root) != library) continue;
    if (kind < 0) return root;
    for (HTREEITEM child = NextOf(tree, root, TVGN_CHILD); child;
         child = NextOf(tree, child, TVGN_NEXT))
      if (ItemData(tree, child) == kind) return child;
  }
  return nullptr;
}

bool CLibManageDlg::AppendTo(CPicLibrary& target, int kind, CContour* outline) {
  // The table of a kind has 255 slots: a full kind is told apart from a failing write (and from
  // a read-only version 5 library, whose kinds always offer 255).
  if (target.GetVersion() >= library::kVersion60 &&
      target.GetGraphicCount(kind) >= library::kSlotCount) {
    Tell(IDS_MANAGE_KIND_FULL);
    return false;
  }
  if (!outline || !target.PutCopiedGraphic(kind, outline, nullptr)) {
    Tell(IDS_LIBRARY_ADD_FAILED);
    return false;
  }
  return true;
}

bool CLibManageDlg::AddChosenGraphic() {
  int entry = ChosenEntry(), kind = ChosenKind();
  if (entry < 0 || kind < 0 || m_source.GetType() < 0) return false;
  std::unique_ptr<CContour> outline(
      m_source.ReadOutline(kind, m_source.NumberOfEntry(entry), nullptr));
  int library = -1, targetKind = -1;
  CPicLibrary target;
  if (!OpenTargetKind(target, library, targetKind)) return false;
  if (!AppendTo(target, targetKind, outline.get())) return false;
  ::MessageBeep(MB_OK);
  // The source may be the target: its list shows the new graphic.
  if (!m_source.IsFontType() && m_source.GetType() - CLibrarySource::kFontTypes == library &&
      kind == targetKind) {
    m_source.SetType(m_source.GetType(), nullptr);
    FillGraphics();
  }
  return true;
}

bool CLibManageDlg::NewLibrary() {
  char text[MAX_PATH] = {};
  ::GetDlgItemTextA(m_hWnd, IDC_MANAGE_FILE, text, sizeof text);
  CString name = LibraryFileName(text);
  if (name.IsEmpty()) return false;
  CString path = g_mountLibList.GetFolder() + name;
  // An existing file, mounted or not, is never emptied.
  if (::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) {
    Tell(IDS_MANAGE_FILE_EXISTS, name);
    return false;
  }
  CString title;
  title.LoadString(IDS_MANAGE_NEW_TITLE);
  if (!CreateLibraryFile(path, library::MakeLibraryHeader(library::kVersion60, title), true)) {
    Tell(IDS_LIBRARY_CREATE_FAILED);
    return false;
  }
  int type = ChosenType();
  g_mountLibList.Scan();
  FillLists();
  ShowType(type);
  return true;
}

bool CLibManageDlg::NewKind() {
  int library = ChosenTreeLibrary();
  if (library < 0) {
    Tell(IDS_MANAGE_NO_LIBRARY);
    return false;
  }
  CPicLibrary target;
  if (!target.OpenByNumber(library)) {
    Tell(IDS_MANAGE_OPEN_FAILED);
    return false;
  }
  int number = target.GetKindCount();
  CString chinese, english;
  chinese.Format(kNewKindChinese, number);
  english.Format(kNewKindEnglish, number);
  library::KindRecord record;
  library::SetFixedText(record.chineseName, library::kKindNameSize, chinese, true);
  library::SetFixedText(record.englishName, library::kKindNameSize, english, true);
  if (!target.AddKind(record)) {
    Tell(IDS_LIBRARY_NOT_V6);
    return false;
  }
  int type = ChosenType();
  FillLists();
  ShowType(type);
  HTREEITEM added = FindTreeItem(library, number);
  if (added)
    ::SendDlgItemMessageA(m_hWnd, IDC_MANAGE_TREE, TVM_SELECTITEM, TVGN_CARET,
                          reinterpret_cast<LPARAM>(added));
  return true;
}

bool CLibManageDlg::DeleteChosenGraphic() {
  int entry = ChosenEntry(), kind = ChosenKind();
  // A font's characters are never deleted, whatever is chosen.
  if (m_source.IsFontType()) {
    Tell(IDS_MANAGE_NO_DELETE_FONT);
    return false;
  }
  if (entry < 0 || kind < 0 || m_source.GetType() < 0) {
    Tell(IDS_MANAGE_NO_GRAPHIC);
    return false;
  }
  if (!m_source.SetType(m_source.GetType(), nullptr)) {
    Tell(IDS_MANAGE_OPEN_FAILED);
    return false;
  }
  if (!m_source.Library().DeleteGraphic(kind, entry)) {
    Tell(IDS_MANAGE_DELETE_FAILED);
    return false;
  }
  ::MessageBeep(MB_OK);
  FillGraphics();
  int count = Selection(::GetDlgItem(m_hWnd, IDC_MANAGE_GRAPHICS), LB_GETCOUNT);
  ::SendDlgItemMessageA(m_hWnd, IDC_MANAGE_GRAPHICS, LB_SETCURSEL,
                        entry < count ? entry : count - 1, 0);
  return true;
}

bool CLibManageDlg::AppendKind() {
  int kind = ChosenKind();
  if (kind < 0 || m_source.GetType() < 0) {
    Tell(IDS_MANAGE_NO_GRAPHIC);
    return false;
  }
  if (!m_source.IsFontType() && !m_source.SetType(m_source.GetType(), nullptr)) {
    Tell(IDS_MANAGE_OPEN_FAILED);
    return false;
  }
  int library = -1, targetKind = -1;
  CPicLibrary target;
  if (!OpenTargetKind(target, library, targetKind)) return false;
  int count = Selection(::GetDlgItem(m_hWnd, IDC_MANAGE_GRAPHICS), LB_GETCOUNT);
  bool added = false;
  for (int entry = 0; entry < count; ++entry) {
    std::unique_ptr<CContour> outline(
        m_source.ReadOutline(kind, m_source.NumberOfEntry(entry), nullptr));
    if (!outline) break;
    if (!AppendTo(target, targetKind, outline.get())) break;
    added = true;
  }
  return added;
}

bool CLibManageDlg::Randomize() {
  int kind = ChosenKind();
  if (m_source.IsFontType() || kind < 0 || !m_source.SetType(m_source.GetType(), nullptr)) {
    Tell(IDS_MANAGE_OPEN_FAILED);
    return false;
  }
  CPicLibrary& library = m_source.Library();
  int count = library.GetGraphicCount(kind);
  std::vector<DWORD> table = library.ReadGraphicTable(kind);
  if (table.empty()) return false;
  std::vector<DWORD> left(table.begin(), table.begin() + count);
  std::vector<DWORD> shuffled(table.size(), 0);
  std::mt19937 random(static_cast<unsigned>(std::time(nullptr)));
  for (int i = 0; !left.empty(); ++i) {
    size_t pick = random() % left.size();
    shuffled[i] = left[pick];
    left.erase(left.begin() + static_cast<std::ptrdiff_t>(pick));
  }
  if (!library.WriteGraphicTable(kind, shuffled)) return false;
  FillGraphics();
  return true;
}

bool CLibManageDlg::RenameItem(HTREEITEM item, LPCSTR text) {
  HWND tree = ::GetDlgItem(m_hWnd, IDC_MANAGE_TREE);
  if (!item || !text) return false;
  HTREEITEM parent = ParentOf(tree, item);
  int library = static_cast<int>(ItemData(tree, parent ? parent : item));
  // The mounted list shows the new title from now on, in this dialog and every other.
  if (!parent) return g_mountLibList.SetTitle(library, text) != FALSE;
  CPicLibrary target;
  return target.OpenByNumber(library) &&
         target.RenameKind(static_cast<int>(ItemData(tree, item)), text) != FALSE;
}

void CLibManageDlg::OnBeginLabelEdit(NMHDR* /*header*/, LRESULT* result) { *result = FALSE; }

void CLibManageDlg::OnEndLabelEditA(NMHDR* header, LRESULT* result) {
  auto* info = reinterpret_cast<NMTVDISPINFOA*>(header);
  // A cancelled edit changes nothing. The text comes in the system's code page.
  *result = info->item.pszText &&
            RenameItem(info->item.hItem, CGbkText::FromSystem(info->item.pszText));
}

void CLibManageDlg::OnEndLabelEditW(NMHDR* header, LRESULT* result) {
  auto* info = reinterpret_cast<NMTVDISPINFOW*>(header);
  *result = info->item.pszText && RenameItem(info->item.hItem, CGbkText::Lossy(info->item.pszText));
}
