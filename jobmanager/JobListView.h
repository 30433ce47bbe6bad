// CJobListView: the job queue as an owner-drawn report list, the only store of the queue. A row
// holds a job file's path (column 0), the progress of the copy being cut (1), the copies done
// (2, drawn as "done/requested") and the document name (3); its item data packs the copies
// requested and the mark (CJobItemData). The run modes live in CJobRunner, which reaches the rows
// through this view's CJobQueueHost side; one copy is cut by CJobCutter through the program's
// output port. The view is a member of the main frame, never deleted on its own.
#pragma once

#include <memory>
#include <string>

#include "framework/ImageList.h"
#include "framework/ListView.h"
#include "jobmanager/JobCutter.h"
#include "jobmanager/JobFolder.h"
#include "jobmanager/JobQueueHost.h"
#include "jobmanager/JobRunner.h"

class CCmdUI;
class COutPort;

class CJobListView : public CListView, public CJobQueueHost, private CJobCutter::Progress {
  DECLARE_DYNAMIC(CJobListView)
public:
  enum Column { kJobFileColumn, kStatusColumn, kCopiesColumn, kDocumentColumn, kColumnCount };
  // The state images: 0..4 the run modes, then the unmarked and the marked box.
  static constexpr int kUnmarkedImage = 5;
  static constexpr int kMarkedImage = 6;
  static constexpr int kImageWidth = 16;
  // Room left of the job file's name, within its label.
  static constexpr int kTextIndent = 18;

  explicit CJobListView(COutPort& port);
  ~CJobListView() override;

  // The report list as a visible bordered child of parent.
  BOOL CreateList(CWnd* parent, UINT id);

  // Queues a job file: 0 when it does not read as one, 1 when queued or already listed.
  int AddJob(LPCSTR jobFilePath, DWORD itemData);
  // The hand-over: the atom names a job file. The atom is deleted only once the job is queued,
  // which tells the editor that the job was taken; a job that cannot be queued leaves the atom,
  // so that the editor reports the refusal. 1 when queued.
  int AddJobFromAtom(ATOM atom, DWORD itemData);

  CJobRunner& GetRunner() { return m_runner; }
  CJobFolder& GetJobFolder() { return m_jobFolder; }
  void SetJobFolder(const CJobFolder& folder) { m_jobFolder = folder; }
  // Tests give the view a cutter of their own.
  void SetCutter(std::unique_ptr<CJobCutter> cutter) { m_cutter = std::move(cutter); }

  // ---- CJobQueueHost ----
  int GetRowCount() const override;
  int GetSelectedRow() const override;
  DWORD GetRowData(int row) const override;
  void SetRowData(int row, DWORD data) override;
  int GetCopiesDone(int row) const override;
  void SetCopiesDone(int row, int copies) override;
  CString GetJobPath(int row) const override;
  int FindRow(LPCSTR jobPath) const override;
  void RemoveRow(int row) override;
  void ShowCurrentRow(int row) override;
  void RedrawRow(int row) override;
  CutResult CutJobOnce(int row) override;
  void PostRunCommand() override;
  void Beep(UINT type) override;
  void RaiseMainWindow() override;
  void CancelOutput() override;
  void ReportCutFailure() override;

protected:
  BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
  void DrawItem(LPDRAWITEMSTRUCT item) override;
  void PostNcDestroy() override {}

  int OnCreate(LPCREATESTRUCTA cs);
  void OnLButtonDown(UINT flags, CPoint point);

  // ---- Commands ----
  void OnStartEachCopy() { m_runner.Start(CJobRunner::kPauseEachCopy); }
  void OnStartEachJob() { m_runner.Start(CJobRunner::kPauseEachJob); }
  void OnStartNoPause() { m_runner.Start(CJobRunner::kNoPause); }
  void OnPause() { m_runner.Pause(); }
  void OnStop() { m_runner.Stop(); }
  void OnRun() { m_runner.Run(); }
  void OnDelete() { m_runner.Delete(GetSelectedRow()); }
  void OnDeleteAll() { m_runner.DeleteAll(); }
  void OnMoreCopies() { m_runner.AddCopy(GetSelectedRow()); }
  void OnFewerCopies() { m_runner.RemoveCopy(GetSelectedRow()); }
  void OnFindJobs();
  void OnPurge();
  void OnUpdateStartEachCopy(CCmdUI* ui);
  void OnUpdateStartEachJob(CCmdUI* ui);
  void OnUpdateStartNoPause(CCmdUI* ui);
  void OnUpdatePause(CCmdUI* ui);
  void OnUpdateStop(CCmdUI* ui);
  void OnUpdateSelectedRow(CCmdUI* ui);
  void OnUpdateDeleteAll(CCmdUI* ui);
  void OnUpdateFewerCopies(CCmdUI* ui);

  DECLARE_MESSAGE_MAP()

private:
  // ---- CJobCutter::Progress ----
  void ShowPercent(int percent) override;
  void ShowDone() override;
  bool IsAborted() const override { return m_runner.IsAborted(); }

  // Why the cutter's last copy failed, in the user's language (the cutter keeps it until its next
  // copy).
  CString DescribeFailure() const;
  void AddColumns();
  void SetCellText(int row, int column, LPCSTR text);
  std::wstring CellText(int row, int column) const;
  void DrawCell(HDC dc, int row, int column, const CRect& cell, UINT format) const;

  COutPort& m_port;
  CJobRunner m_runner;
  std::unique_ptr<CJobCutter> m_cutter;
  CJobFolder m_jobFolder;
  CImageList m_stateImages;
  COLORREF m_textColour;
  COLORREF m_backColour;
};
