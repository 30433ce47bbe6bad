// A USB plotter plug-in for the tests: it reports one plotter, number 3, and "plots" a file by
// copying it beside itself with the extension ".sent". Loaded under a file name containing
// "Long" it fills its name fields to the last byte, without a terminating zero.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "media/PlotterRecords.h"

namespace {

const int kPlotterNumber = 3;
HMODULE g_module = nullptr;
int g_enumCounter = kPlotterNumber;
int g_nextJob = 1;

const char* OwnFileName() {
  static char path[MAX_PATH];
  GetModuleFileNameA(g_module, path, MAX_PATH);
  const char* slash = strrchr(path, '\\');
  return slash ? slash + 1 : path;
}

bool LongNames() { return strstr(OwnFileName(), "Long") != nullptr; }

void FillRecord(UsbPlotterInfoA* info) {
  if (LongNames()) {
    memset(info->chineseName, 'C', sizeof info->chineseName);
    memset(info->englishName, 'E', sizeof info->englishName);
  } else {
    snprintf(info->chineseName, sizeof info->chineseName, "测试刻字机[%s:%02d]", OwnFileName(),
             kPlotterNumber);
    snprintf(info->englishName, sizeof info->englishName, "TestCutter[%s:%02d]", OwnFileName(),
             kPlotterNumber);
  }
  info->plotterNumber = kPlotterNumber;
  info->unitsPerInch = 1016;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" {

void __cdecl GetDllName(char* name) {
  if (LongNames()) {
    memset(name, 'N', 150);
    name[150] = '\0';
  } else {
    strcpy(name, "Test plotter plug-in");
  }
}

int __cdecl GetPlotterCount() { return 1; }

int __cdecl EnumUsbPlotterA(UsbPlotterInfoA* info) {
  if (!info) {
    g_enumCounter = kPlotterNumber;
    return -1;
  }
  if (g_enumCounter != kPlotterNumber) return -1;
  FillRecord(info);
  ++g_enumCounter;
  return kPlotterNumber;
}

BOOL __cdecl GetPlotterInfoA(int plotter, UsbPlotterInfoA* info) {
  if (plotter != kPlotterNumber) return FALSE;
  FillRecord(info);
  return TRUE;
}

BOOL __cdecl SelectPlotter(int plotter) { return plotter == kPlotterNumber; }

BOOL __cdecl PlotFileA(const char* path, PlotInfo* info) {
  if (info->plotterNumber != kPlotterNumber) return FALSE;
  info->jobId = 0;
  info->threadId = 0;
  info->threadHandle = 0;
  info->percent = 0;
  char sent[MAX_PATH + 8];
  snprintf(sent, sizeof sent, "%s.sent", path);
  if (!CopyFileA(path, sent, FALSE)) return FALSE;
  if (info->deleteFile) DeleteFileA(path);
  info->jobId = g_nextJob++;
  return TRUE;
}

BOOL __cdecl GetPlotInfo(PlotInfo* info) {
  if (info->plotterNumber != kPlotterNumber) return FALSE;
  info->size = static_cast<INT32>(sizeof(PlotInfo));
  info->finished = 1;
  info->percent = 100;
  info->threadHandle = 0;
  info->threadId = 0;
  return TRUE;
}

BOOL __cdecl CancelPlot(PlotInfo* info) {
  if (info->plotterNumber != kPlotterNumber) return FALSE;
  info->finished = 1;
  info->threadHandle = 0;
  return TRUE;
}

}  // extern "C"
