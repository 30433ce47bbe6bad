#include "jobmanager/JobListView.h"

#include <cstdlib>
#include <vector>

#include "framework/CmdUI.h"
#include "framework/GbkText.h"
#include "framework/MessageBox.h"
#include "framework/WideText.h"
#include "framework/WinApp.h"
#include "jobmanager/JobItemData.h"
#include "jobmanager/JobManagerTexts.h"
#include "media/DllModule.h"
#include "output/JobFile.h"
#include "output/OutPort.h"
#include "resources/orv/OrvResource.h"

IMPLEMENT_DYNAMIC(CJobListView, CListView)

// clang-format off
BEGIN_MESSAGE_MAP(CJobListView, CListView)
  ON_WM_CREATE()
  ON_WM_LBUTTONDOWN()
  ON_COMMAND(ID_JOB_START_EACH_COPY, OnStartEachCopy)
  ON_COMMAND(ID_JOB_START_EACH_JOB, OnStartEachJob)
  ON_COMMAND(ID_JOB_START_NO_PAUSE, OnStartNoPause)
  ON_COMMAND(ID_JOB_PAUSE, OnPause)
  ON_COMMAND(ID_JOB_STOP, OnStop)
  ON_COMMAND(ID_JOB_RUN, OnRun)
  ON_COMMAND(ID_JOB_DELETE, OnDelete)
  ON_COMMAND(ID_JOB_DELETE_ALL, OnDeleteAll)
  ON_COMMAND(ID_JOB_MORE_COPIES, OnMoreCopies)
  ON_COMMAND(ID_JOB_FEWER_COPIES, OnFewerCopies)
  ON_COMMAND(ID_JOB_FIND, OnFindJobs)
  ON_COMMAND(ID_JOB_PURGE, OnPurge)
  ON_UPDATE_COMMAND_UI(ID_JOB_START_EACH_COPY, OnUpdateStartEachCopy)
  ON_UPDATE_COMMAND_UI(ID_JOB_START_EACH_JOB, OnUpdateStartEachJob)
  ON_UPDATE_COMMAND_UI(ID_JOB_START_NO_PAUSE, OnUpdateStartNoPause)
  ON_UPDATE_COMMAND_UI(ID_JOB_PAUSE, OnUpdatePause)
  ON_UPDATE_COMMAND_UI(ID_JOB_STOP, OnUpdateStop)
  ON_UPDATE_COMMAND_UI(ID_JOB_DELETE, OnUpdateSelectedRow)
  ON_UPDATE_COMMAND_UI(ID_JOB_MORE_COPIES, OnUpdateSelectedRow)
  ON_UPDATE_COMMAND_UI(ID_JOB_DELETE_ALL, OnUpdateDeleteAll)
  ON_UPDATE_COMMAND_UI(ID_JOB_FEWER_COPIES, OnUpdateFewerCopies)
END_MESSAGE_MAP()
// clang-format on

namespace {

struct ColumnLayout {
  UINT titleId;
  const char* title;
  int width;
};
const ColumnLayout kColumns[CJobListView::kColumnCount] = {
    {IDS_COLUMN_JOB_FILE, "数据文件名称", 200},
    {IDS_COLUMN_STATUS, "状态", 60},
    {IDS_COLUMN_COPIES, "份数", 60},
    {IDS_COLUMN_DOCUMENT, "文档名称", 200},
};

// Atom names are at most 255 characters.
const int kAtomNameSize = 256;
// Of a click on a row, the first pixels of its label toggle the mark.
const int kMarkClickWidth = 16;

CString NumberText(int value) {
  CString text;
  text.Format("%d", value);
  return text;
}

}  // namespace

CJobListView::CJobListView(COutPort& port)
    : m_port(port),
      m_runner(*this),
      m_cutter(new CJobCutter(port)),
      m_textColour(GetSysColor(COLOR_WINDOWTEXT)),
      m_backColour(GetSysColor(COLOR_WINDOW)) {}

CJobListView::~CJobListView() {
  if (m_hWnd) DestroyWindow();
}

BOOL CJobListView::CreateList(CWnd* parent, UINT id) {
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_OWNERDRAWFIXED |
                      LVS_SINGLESEL | LVS_SHOWSELALWAYS;
  return Create(nullptr, nullptr, style, CRect(0, 0, 0, 0), parent, id);
}

BOOL CJobListView::PreCreateWindow(CREATESTRUCTA& cs) {
  cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
  return CListView::PreCreateWindow(cs);
}

int CJobListView::OnCreate(LPCREATESTRUCTA cs) {
  if (CListView::OnCreate(cs) == -1) return -1;
  AddColumns();
  if (m_stateImages.Create(IDB_JOB_STATES, kImageWidth, 1, RGB(192, 192, 192)))
    GetListCtrl().SetImageList(&m_stateImages, LVSIL_STATE);
  return 0;
}

void CJobListView::AddColumns() {
  for (int column = 0; column < kColumnCount; ++column) {
    const ColumnLayout& layout = kColumns[column];
    const std::wstring title = CGbkText::ToWide(
        JobManagerText::LoadOr(layout.titleId, layout.title));
    LVCOLUMNW info = {};
    info.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    info.pszText = const_cast<LPWSTR>(title.c_str());
    info.fmt = LVCFMT_LEFT;
    info.cx = layout.width;
    SendMessageW(m_hWnd, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&info));
  }
}

// The texts the manager writes into its rows are GBK: the list keeps them in their wide form.
void CJobListView::SetCellText(int row, int column, LPCSTR text) {
  const std::wstring wide = CGbkText::ToWide(text);
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = const_cast<LPWSTR>(wide.c_str());
  SendMessageW(m_hWnd, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::wstring CJobListView::CellText(int row, int column) const {
  // Grow until the text fits: the control does not say how long it is.
  for (int size = 256;; size *= 2) {
    std::vector<wchar_t> text(static_cast<size_t>(size), L'\0');
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = size;
    const int length = static_cast<int>(SendMessageW(
        m_hWnd, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
    if (length < size - 1 || size >= (1 << 20)) return std::wstring(text.data());
  }
}

// ---- The rows ----

int CJobListView::AddJob(LPCSTR jobFilePath, DWORD itemData) {
  CJobFile job;
  if (!m_jobFolder.ReadJob(jobFilePath, job)) return 0;
  if (FindRow(jobFilePath) >= 0) return 1;
  CListCtrl& list = GetListCtrl();
  const int row = list.InsertItem(LVIF_TEXT | LVIF_PARAM, list.GetItemCount(), jobFilePath, 0, 0, 0,
                                  static_cast<LPARAM>(itemData));
  if (row < 0) return 0;
  list.SetItemText(row, kCopiesColumn, "0");
  SetCellText(row, kDocumentColumn, job.GetDocumentName());
  return 1;
}

int CJobListView::AddJobFromAtom(ATOM atom, DWORD itemData) {
  char path[kAtomNameSize] = {};
  if (GlobalGetAtomNameA(atom, path, sizeof path) == 0) return 0;
  if (!AddJob(path, itemData)) return 0;
  // Only now is the job taken: the editor reads a missing atom as acceptance.
  GlobalDeleteAtom(atom);
  m_runner.JobHandedOver(FindRow(path));
  return 1;
}

int CJobListView::GetRowCount() const { return GetListCtrl().GetItemCount(); }

int CJobListView::GetSelectedRow() const { return GetListCtrl().GetNextItem(-1, LVNI_SELECTED); }

DWORD CJobListView::GetRowData(int row) const {
  return static_cast<DWORD>(GetListCtrl().GetItemData(row));
}

void CJobListView::SetRowData(int row, DWORD data) { GetListCtrl().SetItemData(row, data); }

int CJobListView::GetCopiesDone(int row) const {
  return atoi(GetListCtrl().GetItemText(row, kCopiesColumn));
}

void CJobListView::SetCopiesDone(int row, int copies) {
  GetListCtrl().SetItemText(row, kCopiesColumn, NumberText(copies));
  RedrawRow(row);
}

CString CJobListView::GetJobPath(int row) const {
  return GetListCtrl().GetItemText(row, kJobFileColumn);
}

int CJobListView::FindRow(LPCSTR jobPath) const {
  const int count = GetRowCount();
  for (int row = 0; row < count; ++row) {
    if (CJobFolder::SamePath(GetJobPath(row), jobPath)) return row;
  }
  return -1;
}

void CJobListView::RemoveRow(int row) {
  // The data path of a job file that does not read is not known: nothing is deleted then.
  m_jobFolder.DeleteJob(GetJobPath(row));
  GetListCtrl().DeleteItem(row);
}

void CJobListView::ShowCurrentRow(int row) {
  CListCtrl& list = GetListCtrl();
  const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
  list.SetItemState(row, state, state);
  list.EnsureVisible(row, FALSE);
}

void CJobListView::RedrawRow(int row) {
  if (row >= 0) GetListCtrl().RedrawItems(row, row);
}

// ---- Cutting ----

CJobQueueHost::CutResult CJobListView::CutJobOnce(int row) {
  switch (m_cutter->CutJob(GetJobPath(row), m_hWnd, *this)) {
    case CJobCutter::kCut:
      return kCut;
    case CJobCutter::kStopped:
      return kStopped;
    default:
      return kFailed;
  }
}

CString CJobListView::DescribeFailure() const {
  UINT id = IDS_JOB_PORT_NOT_OPENED;
  LPCSTR fallback = JobManagerText::kPortNotOpened;
  switch (m_cutter->GetProblem()) {
    case CJobCutter::kJobUnreadable:
      id = IDS_JOB_FILE_UNREADABLE;
      fallback = JobManagerText::kJobFileUnreadable;
      break;
    case CJobCutter::kDataUnreadable:
      id = IDS_JOB_DATA_UNREADABLE;
      fallback = JobManagerText::kDataUnreadable;
      break;
    case CJobCutter::kPortRefused:
      id = IDS_JOB_PORT_REFUSED;
      fallback = JobManagerText::kPortRefused;
      break;
    default:
      break;
  }
  CString reason;
  if (m_cutter->GetProblemError() != ERROR_SUCCESS)
    reason = CDllModule::SystemErrorText(m_cutter->GetProblemError());
  reason.TrimRight();
  if (reason.IsEmpty())
    reason = JobManagerText::LoadOr(IDS_JOB_NO_REASON, JobManagerText::kNoReason);
  CString text;
  text.Format(JobManagerText::LoadOr(id, fallback), m_cutter->GetProblemSubject().GetString(),
              reason.GetString());
  return text;
}

void CJobListView::ReportCutFailure() {
  CWnd* top = GetTopLevelParent();
  AfxShowMessageBox(top ? top->m_hWnd : m_hWnd, DescribeFailure(), nullptr, MB_OK | MB_ICONERROR);
}

void CJobListView::ShowPercent(int percent) {
  const int row = m_runner.GetCurrentRow();
  if (row < 0) return;
  CString text;
  text.Format(JobManagerText::kProgress, percent);
  SetCellText(row, kStatusColumn, text);
  UpdateWindow();
}

void CJobListView::ShowDone() {
  const int row = m_runner.GetCurrentRow();
  if (row >= 0)
    SetCellText(row, kStatusColumn, JobManagerText::LoadOr(IDS_JOB_DONE, JobManagerText::kDone));
  Beep(MB_ICONASTERISK);
}

void CJobListView::PostRunCommand() { PostMessage(WM_COMMAND, ID_JOB_RUN, 0); }

void CJobListView::Beep(UINT type) { MessageBeep(type); }

void CJobListView::RaiseMainWindow() {
  if (CWnd* top = GetTopLevelParent()) {
    top->BringWindowToTop();
    top->SetForegroundWindow();
  }
}

void CJobListView::CancelOutput() { m_port.Cancel(); }

// ---- Finding and purging job files ----

void CJobListView::OnFindJobs() {
  for (const CString& path : m_jobFolder.FindJobFiles()) AddJob(path, CJobItemData::kQueued);
}

void CJobListView::OnPurge() {
  std::vector<CString> listed;
  for (int row = 0; row < GetRowCount(); ++row) listed.push_back(GetJobPath(row));
  m_jobFolder.Purge(listed);
}

// ---- Mouse ----

void CJobListView::OnLButtonDown(UINT, CPoint point) {
  Default();
  LVHITTESTINFO hit = {};
  hit.pt = point;
  const int row = GetListCtrl().HitTest(&hit);
  if (row < 0 || !(hit.flags & LVHT_ONITEM)) return;
  CRect label;
  if (!GetListCtrl().GetItemRect(row, &label, LVIR_LABEL)) return;
  if (point.x - label.left < kMarkClickWidth) m_runner.ToggleMark(row);
}

// ---- Update handlers ----

void CJobListView::OnUpdateStartEachCopy(CCmdUI* ui) {
  ui->Enable(m_runner.CanStart(CJobRunner::kPauseEachCopy));
}

void CJobListView::OnUpdateStartEachJob(CCmdUI* ui) {
  ui->Enable(m_runner.CanStart(CJobRunner::kPauseEachJob));
}

void CJobListView::OnUpdateStartNoPause(CCmdUI* ui) {
  ui->Enable(m_runner.CanStart(CJobRunner::kNoPause));
}

void CJobListView::OnUpdatePause(CCmdUI* ui) { ui->Enable(m_runner.CanPause()); }

void CJobListView::OnUpdateStop(CCmdUI* ui) { ui->Enable(m_runner.CanStop()); }

void CJobListView::OnUpdateSelectedRow(CCmdUI* ui) { ui->Enable(GetSelectedRow() >= 0); }

void CJobListView::OnUpdateDeleteAll(CCmdUI* ui) { ui->Enable(GetRowCount() > 0); }

void CJobListView::OnUpdateFewerCopies(CCmdUI* ui) {
  ui->Enable(m_runner.CanRemoveCopy(GetSelectedRow()));
}

// ---- Drawing ----

void CJobListView::DrawItem(LPDRAWITEMSTRUCT item) {
  const int row = static_cast<int>(item->itemID);
  const HDC dc = item->hDC;
  CListCtrl& list = GetListCtrl();
  const bool showSelection = ::GetFocus() == m_hWnd || (GetStyle() & LVS_SHOWSELALWAYS);
  const bool selected = (item->itemState & ODS_SELECTED) && showSelection;
  const COLORREF back = selected ? GetSysColor(COLOR_HIGHLIGHT) : m_backColour;
  const COLORREF text = selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : m_textColour;
  CRect bounds(item->rcItem);
  CRect label;
  list.GetItemRect(row, &label, LVIR_LABEL);

  HBRUSH brush = CreateSolidBrush(back);
  FillRect(dc, &bounds, brush);
  DeleteObject(brush);
  const int imageTop = bounds.top + (bounds.Height() - kImageWidth) / 2;
  if (row == m_runner.GetCurrentRow())
    ImageList_Draw(m_stateImages.m_hImageList, m_runner.GetMode(), dc, bounds.left, imageTop,
                   ILD_TRANSPARENT);
  const bool marked = CJobItemData(GetRowData(row)).IsMarked();
  ImageList_Draw(m_stateImages.m_hImageList, marked ? kMarkedImage : kUnmarkedImage, dc, label.left,
                 imageTop, ILD_TRANSPARENT);

  const COLORREF oldText = SetTextColor(dc, text);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  CRect cell = label;
  cell.left += kTextIndent;
  DrawCell(dc, row, kJobFileColumn, cell, DT_LEFT | DT_END_ELLIPSIS);
  for (int column = kStatusColumn; column < kColumnCount; ++column) {
    if (!list.GetSubItemRect(row, column, LVIR_LABEL, cell)) continue;
    LVCOLUMNA layout = {};
    layout.mask = LVCF_FMT;
    list.GetColumn(column, &layout);
    const UINT justify = (layout.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT    ? DT_RIGHT
                         : (layout.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? DT_CENTER
                                                                              : DT_LEFT;
    cell.DeflateRect(2, 0);
    DrawCell(dc, row, column, cell, justify);
  }
  SetBkMode(dc, oldMode);
  SetTextColor(dc, oldText);
  if (item->itemState & ODS_FOCUS) DrawFocusRect(dc, &bounds);
}

void CJobListView::DrawCell(HDC dc, int row, int column, const CRect& cell, UINT format) const {
  std::wstring text = CellText(row, column);
  if (column == kCopiesColumn) {
    CString copies;
    copies.Format(JobManagerText::kCopies, GetListCtrl().GetItemText(row, column).GetString(),
                  CJobItemData(GetRowData(row)).GetCopiesRequested());
    text = CGbkText::ToWide(copies);
  }
  RECT area = cell;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
            format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}
