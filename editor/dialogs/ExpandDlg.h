// CExpandDlg: the outline thickness dialog (219). It converts the selected blocks to curves,
// hands them as one group record to the transform library's expansion and adds the group it
// returns in one undo step; the selected blocks stay as they are. The memory blocks that go to
// the library and come back from it are freed as soon as they have been read.
#pragma once

#include <windows.h>

#include "editor/dialogs/ViewDialog.h"

class CBlock;
class CGroupBlock;
class CExpandDll;
struct ExpandParams;

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
  };

  CExpandDlg(CTALVEX42View* view, const CAppProfile& profile);

  // The expansion of the group's outlines as a new block (the caller's): the group the library
  // returns, or its only child. Null when the library gives nothing. The record handed over and
  // the one handed back are freed here.
  static CBlock* ExpandGroup(CGroupBlock& group, const CExpandDll& library,
                             const ExpandParams& params, bool outline);
  // Curves of the selected blocks, in list order, groups giving their children; null when none.
  CGroupBlock* CollectSelectedCurves() const;

  BOOL OnInitDialog() override;
  void OnOK() override;

protected:
  void OnSpin(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

private:
  void WriteSettings() const;
};
