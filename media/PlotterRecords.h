// Records exchanged with the USB plotter plug-ins. They cross a library boundary in memory (not
// a file), so their layout is fixed here and checked at compile time. The callers (the editor's
// plug-in binding) and the plug-in itself (usbplugin/) both include this header alone; it needs
// nothing of the libraries it sits beside.
#pragma once

#include <windows.h>

#include <cstddef>

#pragma pack(push, 4)

// Filled by EnumUsbPlotterA and GetPlotterInfoA; 236 bytes are written.
struct UsbPlotterInfoA {
  INT32 size;  // set by the caller, never touched by the plug-in
  char chineseName[100];
  char englishName[100];
  BYTE reserved[16];
  INT16 reserved1;
  INT16 reserved2;
  INT32 plotterNumber;
  INT32 unitsPerInch;
  INT32 reserved3;
};

// Filled by EnumUsbPlotterW and GetPlotterInfoW: the same names as 8-bit text in wider fields.
struct UsbPlotterInfoW {
  INT32 size;  // set by the caller, never touched by the plug-in
  char chineseName[200];
  char englishName[200];
  BYTE reserved[16];
  INT16 reserved1;
  INT16 reserved2;
  INT32 plotterNumber;
  INT32 unitsPerInch;
  INT32 reserved3;
};

// The buffer callers pass: the record and spare room, its size field holding the whole size.
struct UsbPlotterInfoBuffer {
  UsbPlotterInfoA info;
  BYTE spare[100];
};

// Progress of one plot job. The thread handle is kept in 32 bits: callers only test it for 0.
struct PlotInfo {
  INT32 size;
  INT32 plotterNumber;
  INT32 jobId;
  INT32 threadId;
  INT32 threadHandle;  // 0 when the job is finished
  INT32 deleteFile;    // nonzero: the plug-in deletes the plot file after sending it
  INT32 finished;
  INT32 percent;
  BYTE unused[100];
};

#pragma pack(pop)

static_assert(sizeof(UsbPlotterInfoA) == 236, "UsbPlotterInfoA is 236 bytes");
static_assert(offsetof(UsbPlotterInfoA, englishName) == 104, "English name at 104");
static_assert(offsetof(UsbPlotterInfoA, reserved1) == 220, "reserved words at 220");
static_assert(offsetof(UsbPlotterInfoA, plotterNumber) == 224, "plotter number at 224");
static_assert(offsetof(UsbPlotterInfoA, unitsPerInch) == 228, "units per inch at 228");
static_assert(sizeof(UsbPlotterInfoW) == 436, "UsbPlotterInfoW is 436 bytes");
static_assert(offsetof(UsbPlotterInfoW, englishName) == 204, "wide English name at 204");
static_assert(offsetof(UsbPlotterInfoW, reserved) == 404, "wide reserved bytes at 404");
static_assert(offsetof(UsbPlotterInfoW, reserved1) == 420, "wide reserved words at 420");
static_assert(offsetof(UsbPlotterInfoW, plotterNumber) == 424, "wide plotter number at 424");
static_assert(offsetof(UsbPlotterInfoW, reserved3) == 432, "wide last word at 432");
static_assert(sizeof(UsbPlotterInfoBuffer) == 336, "callers pass 336 bytes");
static_assert(sizeof(PlotInfo) == 132, "PlotInfo is 132 bytes");
static_assert(offsetof(PlotInfo, jobId) == 8, "job identifier at 8");
static_assert(offsetof(PlotInfo, threadHandle) == 16, "thread handle at 16");
static_assert(offsetof(PlotInfo, deleteFile) == 20, "delete flag at 20");
static_assert(offsetof(PlotInfo, finished) == 24, "finished flag at 24");
static_assert(offsetof(PlotInfo, percent) == 28, "percent at 28");

const int kUsbPlotterInfoBufferSize = static_cast<int>(sizeof(UsbPlotterInfoBuffer));
