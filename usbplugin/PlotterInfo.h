// How the plug-in describes its plotter to a caller: the display names (each a complete port name,
// "display name[file:NN]") in the 8-bit and wide plotter records. Only the fields after the
// caller's size word are written.
#pragma once

#include <windows.h>

#include "media/PlotterRecords.h"

void FillPlotterInfo(UsbPlotterInfoA& info, LPCSTR fileName, int plotterNumber);
void FillPlotterInfo(UsbPlotterInfoW& info, LPCSTR fileName, int plotterNumber);
