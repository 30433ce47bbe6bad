// DeviceStatus: the cutter's 48-byte status record (device command 18), read and written through
// the bounded byte reader and writer. Offsets: 0 ready flag, 8 records pending (taken but not yet
// carried out), 12 room (records the cutter can take now), 16 the magic value that says the four
// scale values at 24 (y1), 28 (x1), 32 (y2) and 36 (x2) are valid, 20 the acknowledgement the
// plug-in sets in its copy once it has taken them. Bytes 4-7 and 40-47 are not used.
#pragma once

#include <windows.h>

#include "usbplugin/DeviceScale.h"

struct DeviceStatus {
  static constexpr size_t kSize = 48;
  static constexpr DWORD kScalesValid = 0x5A5A5A5A;
  static constexpr DWORD kScalesTaken = 0xA5A5A5A5;

  INT32 ready;
  INT32 pending;
  INT32 room;
  DWORD magic;
  DWORD acknowledged;
  CDeviceScale scale;  // as the record holds it, valid or not

  DeviceStatus() : ready(0), pending(0), room(0), magic(0), acknowledged(0), scale(0, 0, 0, 0) {}

  // False when fewer than 48 bytes are given.
  bool Read(const BYTE* bytes, size_t size);
  void Write(BYTE (&bytes)[kSize]) const;

  // The scale to plot with: the record's when the magic value says so and they are usable, else
  // the defaults.
  CDeviceScale PlotScale() const;
};
