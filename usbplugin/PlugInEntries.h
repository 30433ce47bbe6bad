// The plug-in's exported entries as C declarations, for the entries' own file, the test build's
// extra entries and the tests that call a loaded plug-in through pointers of these types.
#pragma once

#include <windows.h>

#include "media/PlotterRecords.h"

class CUsbPlotter;
// The engine behind the entries of this library.
CUsbPlotter& PlugInEngine();

extern "C" {
int __cdecl GetPlotterCount();
int __cdecl EnumUsbPlotterA(UsbPlotterInfoA* info);
int __cdecl EnumUsbPlotterW(UsbPlotterInfoW* info);
BOOL __cdecl GetPlotterInfoA(int plotter, UsbPlotterInfoA* info);
BOOL __cdecl GetPlotterInfoW(int plotter, UsbPlotterInfoW* info);
BOOL __cdecl SelectPlotter(int plotter);
BOOL __cdecl PlotFileA(LPCSTR path, PlotInfo* info);
BOOL __cdecl PlotFileW(LPCWSTR path, PlotInfo* info);
BOOL __cdecl GetPlotInfo(PlotInfo* info);
BOOL __cdecl CancelPlot(PlotInfo* info);
int __stdcall VuDraw_PlotFile(int slot, LPCSTR path, int deleteFile, int* jobId, int* records);
int __stdcall VuPlotQuery_DrawProgressFromIndexID(int slot, int jobId, int* permille);
int __stdcall VuPlotQuery_BaseInfo(int slot, BYTE* answer);
int __stdcall VuPlotTest(int slot);
// What the parser dropped of a job: relative, decimal and lower-case pen commands (three ints).
int __stdcall VuPlotQuery_DroppedCommands(int slot, int jobId, int* counts);
}
