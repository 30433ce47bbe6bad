// CWindowsDeviceLink: the device link to a real cutter. The cutter is a USB mass-storage device
// (vendor 04CC, product 1161) whose serial number ends in its device digit; it is found among the
// present disk interfaces through the set-up and configuration-manager functions, matched to its
// removable drive by disk number, opened as "\\.\X:" and driven with SCSI pass-through requests
// (10-byte command blocks, 32 bytes of sense data, 2-second time-out). Every handle and list the
// search opens is closed again, found or not.
#pragma once

#include <windows.h>

#include <string>

#include "usbplugin/DeviceLink.h"

class CWindowsDeviceLink : public CDeviceLink {
public:
  CWindowsDeviceLink();
  ~CWindowsDeviceLink() override;

  bool Open(int deviceNumber) override;
  void Close() override;
  bool IsOpen() const override { return m_handle != INVALID_HANDLE_VALUE; }
  bool Execute(const ScsiCommand& command, BYTE* data, ScsiReply& reply) override;
  const char* LastProblem() const override { return m_problem; }

  // The device digit in a parent device identifier: the character after the cutter's
  // "\VID_04CC&PID_1161\SERIALNUMBER" less '0' when it lies in '0'..'z', else 0; -1 when the
  // identifier is not the cutter's.
  static int DeviceNumberFromId(const char* deviceId);
  const char* DrivePath() const { return m_path; }

private:
  // The disk number of the cutter with this device digit; false (with a reason) when none.
  bool FindCutterDisk(int deviceNumber, DWORD& diskNumber);
  bool FindDrive(DWORD diskNumber);

  char m_path[MAX_PATH];
  HANDLE m_handle;
  BYTE m_address[3];  // path, target and logical unit of the SCSI address
  const char* m_problem;
};
