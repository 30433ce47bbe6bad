// An honest queue for the run modes: rows in a vector, a log of what a run did (cuts, beeps,
// posted run commands, raised window, cancelled output, failures reported), and a hook that runs
// while a copy is "cut", so that a test can send the commands a user would send meanwhile. Posted
// run commands are carried out by Pump, as the message loop would.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "jobmanager/JobItemData.h"
#include "jobmanager/JobQueueHost.h"
#include "jobmanager/JobRunner.h"

class FakeJobQueue : public CJobQueueHost {
public:
  struct Row {
    std::string path;
    DWORD data;
    int done;
  };

  // Adds a row of a job with copies requested, marked or not.
  int Add(const std::string& path, int copies, bool marked = false) {
    DWORD flags = marked ? CJobItemData::kMarked : 0;
    rows.push_back({path, CJobItemData::Make(copies, flags).Get(), 0});
    return static_cast<int>(rows.size()) - 1;
  }
  int Requested(int row) const { return CJobItemData(rows[row].data).GetCopiesRequested(); }
  bool Marked(int row) const { return CJobItemData(rows[row].data).IsMarked(); }

  // Carries out posted run commands until none is left (a bound guards against a loop).
  void Pump(CJobRunner& runner) {
    for (int round = 0; posted > 0 && round < 100; ++round) {
      --posted;
      runner.Run();
    }
  }

  int GetRowCount() const override { return static_cast<int>(rows.size()); }
  int GetSelectedRow() const override { return selected; }
  DWORD GetRowData(int row) const override { return rows.at(row).data; }
  void SetRowData(int row, DWORD data) override { rows.at(row).data = data; }
  int GetCopiesDone(int row) const override { return rows.at(row).done; }
  void SetCopiesDone(int row, int copies) override { rows.at(row).done = copies; }
  CString GetJobPath(int row) const override { return rows.at(row).path.c_str(); }
  int FindRow(LPCSTR path) const override {
    for (size_t row = 0; row < rows.size(); ++row)
      if (rows[row].path == path) return static_cast<int>(row);
    return -1;
  }
  void RemoveRow(int row) override {
    removed.push_back(rows.at(row).path);
    rows.erase(rows.begin() + row);
  }
  void ShowCurrentRow(int) override {}
  void RedrawRow(int) override {}
  CutResult CutJobOnce(int row) override {
    cuts.push_back(rows.at(row).path);
    if (duringCut) duringCut();
    return results.empty() ? kCut : Next();
  }
  void PostRunCommand() override { ++posted; }
  void Beep(UINT) override { ++beeps; }
  void RaiseMainWindow() override { ++raised; }
  void CancelOutput() override { ++cancels; }
  void ReportCutFailure() override { ++failureReports; }

  std::vector<Row> rows;
  int selected = -1;
  std::vector<std::string> cuts;
  std::vector<std::string> removed;
  std::vector<CutResult> results;  // how the next copies end; empty: every copy is cut
  std::function<void()> duringCut;
  int posted = 0;
  int beeps = 0;
  int raised = 0;
  int cancels = 0;
  int failureReports = 0;

private:
  CutResult Next() {
    CutResult result = results.front();
    results.erase(results.begin());
    return result;
  }
};
