// CCutProgress: what the output command shows while it writes a job: a step text, a progress bar
// over the job's points and a way to stop, which sets the cutter profile's stop flag. The cut
// bar makes one per job (CCutDeviceBar::BeginProgress); CCutProgressWnd is the plain window it
// uses unless a host brings its own.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"

class CCutProgress {
public:
  virtual ~CCutProgress() = default;
  // The window whose messages the port pumps while writing (null: none).
  virtual HWND GetPumpWindow() = 0;
  virtual void SetStepText(LPCSTR text) = 0;
  virtual void SetRange(int points) = 0;
  virtual void Advance(int points) = 0;
};

// A small modeless window with the step text, the bar and a cancel button that sets *stopFlag.
class CCutProgressWnd : public CDialog, public CCutProgress {
public:
  CCutProgressWnd(LPCSTR title, int* stopFlag, CWnd* owner);
  ~CCutProgressWnd() override;

  HWND GetPumpWindow() override { return m_hWnd; }
  void SetStepText(LPCSTR text) override;
  void SetRange(int points) override;
  void Advance(int points) override;

protected:
  BOOL OnInitDialog() override;
  void OnCancel() override;

private:
  void Pump();

  int* m_stopFlag;
  int m_position;
  CProgressCtrl m_bar;
};
