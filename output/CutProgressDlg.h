// CCutProgressDlg: the cutting progress dialog (dialog 214) that the cut device bar shows while it
// tests, resets or writes a job: a step text, a progress bar over the job's points and Cancel.
// Cancel only sets the cutter profile's stop flag and leaves the dialog open; the running command
// sees the flag between curves, and the profile's port sees it at its next write attempt, so a
// port that has stalled gives up too. The command closes the dialog when it ends.
#pragma once

#include <windows.h>

#include "output/CutProgressPanel.h"

class CCutterDevice;

class CCutProgressDlg : public CCutProgressPanel {
public:
  static constexpr UINT kDialogId = 214;

  // Clears the profile's stop flag; the dialog is shown by Open.
  explicit CCutProgressDlg(CCutterDevice& device);

  // Creates the modeless, top-most dialog titled title; false without its template.
  bool Open(LPCSTR title, CWnd* owner);

  // The user pressed Cancel in this dialog.
  bool IsStopped() const { return m_stopped; }

protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;

private:
  CCutterDevice& m_device;
  bool m_stopped;
};
