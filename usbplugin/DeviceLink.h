// CDeviceLink: how one device slot reaches its cutter. The cutter shows itself to the system as a
// removable disk; a link finds the one whose USB serial number ends in the slot's digit, opens it
// and carries command blocks to it. CWindowsDeviceLink talks to the system; CMemoryDevice is a
// cutter in memory for the tests and the plug-in's test build.
#pragma once

#include <windows.h>

#include "usbplugin/ScsiCommand.h"

class CDeviceLink {
public:
  virtual ~CDeviceLink() {}

  // Finds and opens the cutter for deviceNumber, closing whatever was open before.
  virtual bool Open(int deviceNumber) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // Carries one command with its data (to the cutter for a write, from it for a read); false when
  // the request itself failed (the link is then as good as unplugged until opened again).
  virtual bool Execute(const ScsiCommand& command, BYTE* data, ScsiReply& reply) = 0;
  // Why the last Open found nothing, for the system's debug output.
  virtual const char* LastProblem() const { return ""; }
};
