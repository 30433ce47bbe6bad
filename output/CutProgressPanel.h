// CCutProgressPanel: the dialog side shared by the progress windows of a cut: the step text, the
// bar over the job's points and the message pump that lets Cancel be heard while the port writes.
// A derived dialog holds both controls under the ids below and calls AttachBar when it starts.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"
#include "output/CutProgress.h"

class CCutProgressPanel : public CDialog, public CCutProgress {
public:
  enum ControlId : UINT { kStepText = 1000, kProgressBar = 1311 };

  ~CCutProgressPanel() override;

  HWND GetPumpWindow() override { return m_hWnd; }
  void SetStepText(LPCSTR text) override;
  void SetRange(int points) override;
  void Advance(int points) override;

protected:
  CCutProgressPanel() = default;
  void AttachBar();

private:
  void Pump();

  int m_position = 0;
  CProgressCtrl m_bar;
};
