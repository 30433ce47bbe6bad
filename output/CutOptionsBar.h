// CCutOptionsBar: the tabbed option bar (dialog 193) docked at the left of the cut-output window.
// Its tab control holds the job-options page and the adjustments page, one shown at a time; the
// pages act on the cut settings and the cutter profile and ask the host to move the job.
#pragma once

#include <windows.h>

#include "framework/DialogBar.h"
#include "framework/ImageList.h"
#include "framework/TabCtrl.h"
#include "output/CutAdjustPage.h"
#include "output/CutOptionsPage.h"

class CCutJobHost;
class CCutterDevice;
struct CCutSettings;

class CCutOptionsBar : public CDialogBar {
public:
  enum : UINT { kDialogId = 193, kTab = 1079, kTabImages = 193 };

  CCutOptionsBar(CCutSettings& settings, CCutterDevice& device, CCutJobHost* host);

  // Creates the bar on dialog 193 with its tab and both pages; false when any of them fails.
  BOOL Create(CWnd* parent, UINT style, UINT id);
  using CDialogBar::Create;

  CCutOptionsPage& GetOptionsPage() { return m_optionsPage; }
  CCutAdjustPage& GetAdjustPage() { return m_adjustPage; }
  // Both pages' values into the settings and the profile; false when the adjustments refuse one.
  bool ReadBack();
  // Shows the page of the tab (0 job options, 1 adjustments).
  void ShowPage(int tab);

  // The pages enable their own controls.
  void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}

protected:
  void OnSize(UINT type, int cx, int cy);
  void OnTabChange(NMHDR* header, LRESULT* result);
  DECLARE_MESSAGE_MAP()

private:
  void PlacePages();

  CImageList m_tabImages;
  CCutOptionsPage m_optionsPage;
  CCutAdjustPage m_adjustPage;
  CTabCtrl m_tab;
};
