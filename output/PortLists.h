// The lists the user picks a port from: the system's ports, the local printers as printer-queue
// names and the plotters of the USB plug-ins. The Collect functions give the names; the List
// functions add them to a combo box.
#pragma once

#include <windows.h>

#include "framework/StringArray.h"

enum PortListFlags : UINT {
  kListAddFile = 0x1,            // "FILE:" at the end
  kListAddPrinters = 0x2,        // the printers after the ports
  kListSkipFilePrinters = 0x100  // no printer whose port is "FILE:"
};

void CollectPorts(CStringArray& names, UINT flags);
void CollectPrinters(CStringArray& names, UINT flags);
// The port names of every plotter the plug-ins in the program folder report, in Chinese when
// language is 2052, else in English.
void CollectUsbPlotters(CStringArray& names, LANGID language);

void ListPorts(HWND combo, UINT flags);
void ListPrinters(HWND combo, UINT flags);
void ListUsbPlotters(HWND combo, LANGID language);

// Lets a combo drop its list as wide as its longest entry and a scroll bar, so that no port name
// is cut short; returns that width in pixels.
int DropAsWideAsEntries(HWND combo);
