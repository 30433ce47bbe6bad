#include "usbplugin/WindowsDeviceLink.h"

#include <cfgmgr32.h>
#include <ntddscsi.h>
#include <setupapi.h>
#include <winioctl.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// The disk device interface class.
const GUID kDiskInterfaceClass = {
    0x53F56307, 0xB6BF, 0x11D0, {0x94, 0xF2, 0x00, 0xA0, 0xC9, 0x1E, 0xFB, 0x8B}};
const char kCutterIdMark[] = "\\VID_04CC&PID_1161\\SERIALNUMBER";
const ULONG kTimeOutSeconds = 2;

// The pass-through request with its sense data behind it, as the disk driver takes it.
struct PassThroughRequest {
  SCSI_PASS_THROUGH_DIRECT request;
  ULONG filler;
  UCHAR sense[ScsiReply::kSenseSize];
};
#ifndef _WIN64
static_assert(sizeof(SCSI_PASS_THROUGH_DIRECT) == 44, "the request is 44 bytes");
static_assert(offsetof(PassThroughRequest, sense) == 48, "sense data at 48");
static_assert(sizeof(PassThroughRequest) == 80, "the request buffer is 80 bytes");
#endif

class ScopedHandle {
public:
  explicit ScopedHandle(HANDLE handle) : m_handle(handle) {}
  ~ScopedHandle() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  HANDLE Get() const { return m_handle; }
  bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
  HANDLE m_handle;
};

class ScopedDeviceList {
public:
  explicit ScopedDeviceList(HDEVINFO list) : m_list(list) {}
  ~ScopedDeviceList() {
    if (m_list != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(m_list);
  }
  ScopedDeviceList(const ScopedDeviceList&) = delete;
  ScopedDeviceList& operator=(const ScopedDeviceList&) = delete;
  HDEVINFO Get() const { return m_list; }
  bool IsValid() const { return m_list != INVALID_HANDLE_VALUE; }

private:
  HDEVINFO m_list;
};

HANDLE OpenShared(LPCSTR path) {
  return CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     nullptr, OPEN_EXISTING, 0, nullptr);
}

bool DiskNumberOf(HANDLE device, DWORD& diskNumber) {
  STORAGE_DEVICE_NUMBER number;
  DWORD returned = 0;
  if (!DeviceIoControl(device, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof number,
                       &returned, nullptr))
    return false;
  diskNumber = number.DeviceNumber;
  return true;
}

}  // namespace

CWindowsDeviceLink::CWindowsDeviceLink()
    : m_path(), m_handle(INVALID_HANDLE_VALUE), m_address(), m_problem("") {}

CWindowsDeviceLink::~CWindowsDeviceLink() { Close(); }

int CWindowsDeviceLink::DeviceNumberFromId(const char* deviceId) {
  const char* mark = strstr(deviceId, kCutterIdMark);
  if (!mark) return -1;
  char digit = mark[sizeof kCutterIdMark - 1];
  return digit >= '0' && digit <= 'z' ? digit - '0' : 0;
}

bool CWindowsDeviceLink::FindCutterDisk(int deviceNumber, DWORD& diskNumber) {
  ScopedDeviceList list(SetupDiGetClassDevsA(&kDiskInterfaceClass, nullptr, nullptr,
                                             DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
  if (!list.IsValid()) {
    m_problem = "the disk interfaces cannot be listed";
    return false;
  }
  m_problem = "no cutter with this device number is plugged in";
  SP_DEVICE_INTERFACE_DATA interfaceData;
  interfaceData.cbSize = sizeof interfaceData;
  for (DWORD index = 0; SetupDiEnumDeviceInterfaces(list.Get(), nullptr, &kDiskInterfaceClass,
                                                    index, &interfaceData);
       ++index) {
    SP_DEVINFO_DATA deviceData;
    deviceData.cbSize = sizeof deviceData;
    DWORD needed = 0;
    if (SetupDiGetDeviceInterfaceDetailA(list.Get(), &interfaceData, nullptr, 0, &needed,
                                         &deviceData) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed < sizeof(DWORD))
      continue;
    DEVINST parent = 0;
    char parentId[MAX_PATH] = {};
    if (CM_Get_Parent(&parent, deviceData.DevInst, 0) != CR_SUCCESS ||
        CM_Get_Device_IDA(parent, parentId, MAX_PATH - 1, 0) != CR_SUCCESS)
      continue;
    if (DeviceNumberFromId(parentId) != deviceNumber) continue;
    std::vector<BYTE> detailBytes(needed);
    auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(detailBytes.data());
    detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
    if (!SetupDiGetDeviceInterfaceDetailA(list.Get(), &interfaceData, detail, needed, nullptr,
                                          nullptr))
      continue;
    ScopedHandle disk(OpenShared(detail->DevicePath));
    if (disk.IsValid() && DiskNumberOf(disk.Get(), diskNumber)) return true;
    m_problem = "the cutter's disk cannot be opened";
  }
  return false;
}

bool CWindowsDeviceLink::FindDrive(DWORD diskNumber) {
  char drives[MAX_PATH + 1] = {};
  DWORD length = GetLogicalDriveStringsA(MAX_PATH, drives);
  if (length == 0 || length > MAX_PATH) return false;
  for (const char* drive = drives; *drive; drive += strlen(drive) + 1) {
    if (GetDriveTypeA(drive) != DRIVE_REMOVABLE) continue;
    char path[8] = {'\\', '\\', '.', '\\', drive[0], ':', '\0'};
    ScopedHandle volume(OpenShared(path));
    DWORD number = 0;
    if (volume.IsValid() && DiskNumberOf(volume.Get(), number) && number == diskNumber) {
      lstrcpynA(m_path, path, MAX_PATH);
      return true;
    }
  }
  m_problem = "the cutter has no removable drive";
  return false;
}

bool CWindowsDeviceLink::Open(int deviceNumber) {
  Close();
  DWORD diskNumber = 0;
  if (!FindCutterDisk(deviceNumber, diskNumber) || !FindDrive(diskNumber)) return false;
  m_handle = OpenShared(m_path);
  if (m_handle == INVALID_HANDLE_VALUE) {
    m_problem = "the cutter's drive cannot be opened";
    m_path[0] = '\0';
    return false;
  }
  BYTE inquiry[16] = {};
  DWORD returned = 0;
  bool addressed = DeviceIoControl(m_handle, IOCTL_SCSI_GET_INQUIRY_DATA, nullptr, 0, inquiry,
                                   sizeof inquiry, &returned, nullptr);
  m_address[0] = addressed ? inquiry[0] : 0;
  m_address[1] = addressed ? inquiry[1] : 1;
  m_address[2] = addressed ? inquiry[2] : 0;
  m_problem = "";
  return true;
}

void CWindowsDeviceLink::Close() {
  if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
  m_handle = INVALID_HANDLE_VALUE;
  m_path[0] = '\0';
}

bool CWindowsDeviceLink::Execute(const ScsiCommand& command, BYTE* data, ScsiReply& reply) {
  if (!IsOpen()) return false;
  PassThroughRequest request;
  memset(&request, 0, sizeof request);
  request.request.Length = sizeof(SCSI_PASS_THROUGH_DIRECT);
  request.request.PathId = m_address[0];
  request.request.TargetId = m_address[1];
  request.request.Lun = m_address[2];
  request.request.CdbLength = ScsiCommand::kBlockSize;
  request.request.SenseInfoLength = ScsiReply::kSenseSize;
  request.request.DataIn = command.write ? SCSI_IOCTL_DATA_OUT : SCSI_IOCTL_DATA_IN;
  request.request.DataTransferLength = command.length;
  request.request.TimeOutValue = kTimeOutSeconds;
  request.request.DataBuffer = data;
  request.request.SenseInfoOffset = offsetof(PassThroughRequest, sense);
  memcpy(request.request.Cdb, command.block, ScsiCommand::kBlockSize);
  DWORD returned = 0;
  if (!DeviceIoControl(m_handle, IOCTL_SCSI_PASS_THROUGH_DIRECT, &request, sizeof request, &request,
                       sizeof request, &returned, nullptr))
    return false;
  reply.status = request.request.ScsiStatus;
  memcpy(reply.sense, request.sense, sizeof reply.sense);
  return true;
}
