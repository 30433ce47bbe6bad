// CDeviceNotifyList: the device-interface notifications a window has registered for (USB plotters
// are HID devices: the cut bar hears them come and go). It owns its registrations and ends each
// one with itself.
#pragma once

#include <windows.h>

#include "framework/ObArray.h"

class CDeviceNotifyList : public CObArray {
public:
  CDeviceNotifyList() = default;
  ~CDeviceNotifyList() override;
  CDeviceNotifyList(const CDeviceNotifyList&) = delete;
  CDeviceNotifyList& operator=(const CDeviceNotifyList&) = delete;

  // Registers the window for arrivals and removals of HID devices; false when the system refuses.
  bool AddHidDevices(HWND window);
  // Unregisters and deletes every registration.
  void RemoveAll();
};
