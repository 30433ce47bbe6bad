// CCutProgress: what the output command shows while it writes a job: a step text, a progress bar
// over the job's points and a way to stop, which sets the cutter profile's stop flag. The cut
// bar makes one per job (CCutDeviceBar::BeginProgress): the cutting progress dialog of the
// program's resources (CCutProgressDlg), or the plain window CCutProgressWnd where there are none.
#pragma once

#include <windows.h>

class CCutProgress {
public:
  virtual ~CCutProgress() = default;
  // The window whose messages the port pumps while writing (null: none).
  virtual HWND GetPumpWindow() = 0;
  virtual void SetStepText(LPCSTR text) = 0;
  virtual void SetRange(int points) = 0;
  virtual void Advance(int points) = 0;
};
