#include "output/DeviceNotifyList.h"

#include <dbt.h>

#include <cstring>

#include "framework/Object.h"

namespace {

// The device-interface class of HID devices, as the HID library reports it.
const GUID kHidClass = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
// The filter record handed to the system; larger than its fixed part, as the system allows.
const size_t kFilterBytes = 300;

class CDeviceNotification : public CObject {
public:
  CDeviceNotification(HWND window, HDEVNOTIFY handle, const GUID& deviceClass)
      : m_window(window), m_handle(handle), m_class(deviceClass) {}
  ~CDeviceNotification() override {
    if (m_handle) UnregisterDeviceNotification(m_handle);
  }

private:
  HWND m_window;
  HDEVNOTIFY m_handle;
  GUID m_class;
};

}  // namespace

CDeviceNotifyList::~CDeviceNotifyList() { RemoveAll(); }

bool CDeviceNotifyList::AddHidDevices(HWND window) {
  BYTE filter[kFilterBytes];
  std::memset(filter, 0, sizeof filter);
  auto* header = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_A*>(filter);
  header->dbcc_size = sizeof(DEV_BROADCAST_DEVICEINTERFACE_A);
  header->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  header->dbcc_classguid = kHidClass;
  HDEVNOTIFY handle = RegisterDeviceNotificationA(window, header, DEVICE_NOTIFY_WINDOW_HANDLE);
  Add(new CDeviceNotification(window, handle, kHidClass));
  return handle != nullptr;
}

void CDeviceNotifyList::RemoveAll() {
  for (INT_PTR i = 0; i < GetSize(); ++i) delete GetAt(i);
  CObArray::RemoveAll();
}
