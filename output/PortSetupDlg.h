// CPortSetupDlg: the port settings dialog (299). It edits the serial line settings of UPort.Ini
// ("PortInfo") through an output port of its own; OK saves them, cancel leaves the file as it was.
// Speeds outside its list and data widths a serial port cannot take are refused with a message.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "output/OutPort.h"

class CPortSetupDlg : public CDialog {
public:
  enum ControlId : UINT {
    kDialogId = 299,
    kSpeedCombo = 1290,
    kParityCombo = 1291,
    kDataBitsCombo = 1406,
    kStopBitsCombo = 1407,
    kFlowCombo = 1399,
    kRtsCtsCheck = 1403,
    kDtrDsrCheck = 1405,
    kDefaultsButton = 1088,
  };
  // Entries of the flow-control combo.
  enum Flow { kNoFlow, kXonXoffFlow, kHardwareFlow };

  explicit CPortSetupDlg(CWnd* parent = nullptr);

  COutPort& GetPort() { return m_port; }

protected:
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnDefaults();
  DECLARE_MESSAGE_MAP()

private:
  void FillControls();
  // Reads the controls into the port's settings; false, after telling the user, when a value
  // cannot be used.
  bool ReadControls();

  COutPort m_port;
};
