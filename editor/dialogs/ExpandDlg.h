// CExpandDlg: the outline thickness dialog (219). It converts the selected blocks to curves,
// hands them as one group record to the transform library's expansion and adds the group it
// returns in one undo step; the selected blocks stay as they are. The memory blocks that go to
// the library and come back from it are freed as soon as they have been read.
//
// The expansion runs on a worker thread (CExpansionJob) while the dialog stays responsive: its bar
// shows the share done (as the library reports it), the fields and OK wait, and Cancel stops
// waiting at once: the job is abandoned (the library is asked to stop and the job frees itself),
// nothing is added and the dialog stays open for other settings. An expansion that the library
// reports as failed (its result would not hold the outline) is said so in a message.
#pragma once

#include <windows.h>

#include "editor/dialogs/ViewDialog.h"
#include "framework/TextButton.h"
#include "media/ExpandDll.h"

class CExpansionJob;

class CBlock;
class CGroupBlock;

class CExpandDlg : public CViewDialog {
  DECLARE_DYNAMIC(CExpandDlg)
public:
  static constexpr UINT kTemplateId = 219;
  static constexpr int kFloatLength = 10;
  enum : int {
    kThickness = 1380,
    kThicknessSpin = 1381,
    kThreshold = 1378,
    kThresholdSpin = 1383,
    kInsertion = 1386,
    kInsertionSpin = 1391,
    kAccuracy = 1382,
    kAccuracySpin = 1384,
    kOutline = 1396,
    kKeepAsIs = 1387,
    kKeepCorners = 1388,
    kRoundCorners = 1389,
    kProgress = 3850,
  };
  // Posted by the worker when the library has answered.
  static constexpr UINT kExpansionDone = WM_APP + 40;

  CExpandDlg(CTALVEX42View* view, const CAppProfile& profile);
  ~CExpandDlg() override;

  // The block in a group record the library returned (the group, or its only child); null for
  // none. The memory is freed here.
  static CBlock* ReadResult(HGLOBAL expanded);
  // Curves of the selected blocks, in list order, groups giving their children; null when none.
  CGroupBlock* CollectSelectedCurves() const;
  // Whether an expansion is under way.
  bool IsExpanding() const { return m_job != nullptr; }

  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

protected:
  void OnSpin(NMHDR* header, LRESULT* result);
  void OnTimer(UINT_PTR id);
  LRESULT OnExpansionDone(WPARAM, LPARAM);
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

private:
  void WriteSettings() const;
  ExpandParams ReadParams() const;
  // Fields and OK wait while an expansion runs; the bar shows its progress.
  void ShowRunning(bool running);
  // Adds the result (or says why there is none) and closes the dialog.
  void Finish(HGLOBAL expanded, LONG status);
  void AbandonJob();

  CExpansionJob* m_job = nullptr;
  CTextButton m_okButton;  // greyed while an expansion runs
};
