// The plug-in's exported entries, built once per device number N (TALVEX_DEVICE_NUMBER, 1-4): the
// ten plotter entries (caller cleans the stack) and the four device entries (standard calls), all
// exported undecorated through the .def file. Each build serves its own plotter number only and
// answers any other with 0 (-1 for the enumeration) without touching the caller's record.
//
// The test build (TALVEX_USB_MEMORY_DEVICE) puts a cutter in memory behind every slot; the digits
// in the environment variable TALVEX_USB_TEST_DEVICES say which of them are plugged in.
#include "usbplugin/PlugInEntries.h"

#include <windows.h>

#include <cstring>
#include <memory>

#include "media/PlotterRecords.h"
#include "usbplugin/PlotterInfo.h"
#include "usbplugin/UsbPlotter.h"
#ifdef TALVEX_USB_MEMORY_DEVICE
#include "usbplugin/MemoryDevice.h"
#else
#include "usbplugin/WindowsDeviceLink.h"
#endif

#ifndef TALVEX_DEVICE_NUMBER
#error "TALVEX_DEVICE_NUMBER (1-4) names the device this build serves"
#endif

namespace {

const int kDeviceNumber = TALVEX_DEVICE_NUMBER;
const size_t kPathBytes = MAX_PATH;

HMODULE g_module = nullptr;
CUsbPlotter* g_plotter = nullptr;
int g_enumCounter = kDeviceNumber;

std::unique_ptr<CDeviceLink> MakeLink(int slot) {
#ifdef TALVEX_USB_MEMORY_DEVICE
  std::unique_ptr<CMemoryDevice> device(new CMemoryDevice(slot));
  char plugged[32] = {};
  GetEnvironmentVariableA("TALVEX_USB_TEST_DEVICES", plugged, sizeof plugged);
  device->SetPlugged(strchr(plugged, '0' + slot) != nullptr);
  return std::unique_ptr<CDeviceLink>(device.release());
#else
  (void)slot;
  return std::unique_ptr<CDeviceLink>(new CWindowsDeviceLink());
#endif
}

const char* OwnFileName() {
  static char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(g_module, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  const char* slash = strrchr(path, '\\');
  return slash ? slash + 1 : path;
}

// Whether this build's cutter is there; listing it must not keep it open.
bool CutterPresent() {
  bool present = g_plotter->OpenDevice(kDeviceNumber);
  g_plotter->EndSlot(kDeviceNumber);
  return present;
}

template <class Info>
int Enumerate(Info* info) {
  if (!info) {
    g_enumCounter = kDeviceNumber;
    return -1;
  }
  if (g_enumCounter != kDeviceNumber || !CutterPresent()) return -1;
  FillPlotterInfo(*info, OwnFileName(), kDeviceNumber);
  ++g_enumCounter;
  return kDeviceNumber;
}

template <class Info>
BOOL DescribePlotter(int plotter, Info* info) {
  if (plotter != kDeviceNumber || !info || !CutterPresent()) return FALSE;
  FillPlotterInfo(*info, OwnFileName(), plotter);
  return TRUE;
}

bool IsOurs(const PlotInfo* info) { return info && info->plotterNumber == kDeviceNumber; }

}  // namespace

CUsbPlotter& PlugInEngine() { return *g_plotter; }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_module = instance;
    // The slots and their locks exist from the start, so every entry is safe at any time.
    g_plotter = new CUsbPlotter(&MakeLink, true);
  } else if (reason == DLL_PROCESS_DETACH && !reserved && g_plotter) {
    // A writer still running holds the library itself, so here it has ended; at process exit
    // (reserved set) nothing is left to free.
    if (!g_plotter->IsWriterRunning()) delete g_plotter;
    g_plotter = nullptr;
  }
  return TRUE;
}

extern "C" {

int __cdecl GetPlotterCount() { return 1; }

int __cdecl EnumUsbPlotterA(UsbPlotterInfoA* info) { return Enumerate(info); }

int __cdecl EnumUsbPlotterW(UsbPlotterInfoW* info) { return Enumerate(info); }

BOOL __cdecl GetPlotterInfoA(int plotter, UsbPlotterInfoA* info) {
  return DescribePlotter(plotter, info);
}

BOOL __cdecl GetPlotterInfoW(int plotter, UsbPlotterInfoW* info) {
  return DescribePlotter(plotter, info);
}

BOOL __cdecl SelectPlotter(int plotter) {
  return plotter == kDeviceNumber && g_plotter->OpenDevice(kDeviceNumber);
}

BOOL __cdecl PlotFileA(LPCSTR path, PlotInfo* info) {
  if (!IsOurs(info)) return FALSE;
  info->jobId = 0;
  info->threadId = 0;
  info->threadHandle = 0;
  info->percent = 0;
  int jobId = 0;
  int records = 0;
  if (VuDraw_PlotFile(kDeviceNumber, path, info->deleteFile, &jobId, &records) != 0) return FALSE;
  info->jobId = jobId;
  return TRUE;
}

BOOL __cdecl PlotFileW(LPCWSTR path, PlotInfo* info) {
  if (!IsOurs(info) || !path) return FALSE;
  // One code page, the one the 8-bit file functions use, for measuring and converting; a path that
  // this code page cannot spell is refused rather than turned into another name.
  int size = WideCharToMultiByte(CP_ACP, 0, path, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0 || static_cast<size_t>(size) > kPathBytes) return FALSE;
  char narrow[kPathBytes] = {};
  BOOL lossy = FALSE;
  if (!WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path, -1, narrow, sizeof narrow, nullptr,
                           &lossy) ||
      lossy)
    return FALSE;
  return PlotFileA(narrow, info);
}

BOOL __cdecl GetPlotInfo(PlotInfo* info) {
  if (!IsOurs(info)) return FALSE;
  info->size = static_cast<INT32>(sizeof(PlotInfo));
  info->jobId = 0;
  info->deleteFile = 0;
  // The job asked about is the one most recently queued: a job that has not started yet is never
  // taken for the finished one before it.
  int permille = 0;
  INT32 job = g_plotter->Slot(kDeviceNumber).LastJobId();
  if (g_plotter->Progress(kDeviceNumber, job, permille) != 0) return FALSE;
  info->percent = permille / 10;
  if (permille >= 1000) {
    g_plotter->EndSlot(kDeviceNumber);
    info->finished = 1;
    info->threadId = 0;
    info->threadHandle = 0;
  } else {
    info->finished = 0;
    info->threadId = static_cast<INT32>(g_plotter->WriterId());
    info->threadHandle = HandleToLong(g_plotter->WriterHandle());
  }
  return TRUE;
}

BOOL __cdecl CancelPlot(PlotInfo* info) {
  if (!IsOurs(info)) return FALSE;
  bool reset = g_plotter->Cancel(kDeviceNumber);
  // Whatever the cutter answered, the job is over for the caller: it must not wait on.
  info->finished = 1;
  info->threadHandle = 0;
  info->threadId = 0;
  return reset ? TRUE : FALSE;
}

int __stdcall VuDraw_PlotFile(int slot, LPCSTR path, int deleteFile, int* jobId, int* records) {
  INT32 id = 0;
  INT32 count = 0;
  int result = g_plotter->PlotFile(slot, path, deleteFile != 0, id, count);
  if (jobId) *jobId = id;
  if (records) *records = count;
  return result;
}

int __stdcall VuPlotQuery_DrawProgressFromIndexID(int slot, int jobId, int* permille) {
  int value = 0;
  int result = g_plotter->Progress(slot, jobId, value);
  if (permille) *permille = value;
  return result;
}

int __stdcall VuPlotQuery_BaseInfo(int slot, BYTE* answer) {
  if (!CUsbPlotter::IsSlot(slot)) return CUsbPlotter::kNoSuchSlot;
  BYTE scratch[48];
  return g_plotter->BaseInformation(slot, answer ? answer : scratch);
}

int __stdcall VuPlotTest(int slot) { return g_plotter->Test(slot); }

int __stdcall VuPlotQuery_DroppedCommands(int slot, int jobId, int* counts) {
  if (!CUsbPlotter::IsSlot(slot)) return CUsbPlotter::kNoSuchSlot;
  DroppedCommands dropped = {};
  if (!g_plotter->Slot(slot).Dropped(jobId, dropped)) return CUsbPlotter::kNoSuchFile;
  if (counts) {
    counts[0] = dropped.relative;
    counts[1] = dropped.decimal;
    counts[2] = dropped.lowerCase;
  }
  return 0;
}

}  // extern "C"
