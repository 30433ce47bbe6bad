// The lists the user picks a port from: the system's ports, the local printers as printer-queue
// names and the plotters of the USB plug-ins. The Collect functions give the names; the List
// functions add them to a combo box. The system's port and printer names are taken in their wide
// form and kept as GBK, so that a queue of a Chinese name is listed, chosen and opened the same on
// a Chinese and on an English system.
#pragma once

#include <windows.h>

#include <string>

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

// A port name as a port combo box shows it, and back. Printer queues and USB plotters ("@", "[")
// are names of the lists, in GBK; anything else, a port or a path the user typed, is opened by the
// system's own 8-bit calls and keeps the system's code page.
std::wstring PortNameText(LPCSTR name);
CString PortNameOfText(const std::wstring& text);

// The printer of a printer-queue name as the system spells it: the local printer whose name reads
// as the given one (so that even a name GBK cannot spell opens), else the name widened.
std::wstring SystemPrinterName(LPCSTR printer);

// The entry of a port combo that names the same USB plotter as name (its "[plug-in:NN]" part), in
// whatever language its display name is; CB_ERR when none does.
int FindUsbPlotterEntry(HWND combo, LPCSTR name);

// Lets a combo drop its list as wide as its longest entry and a scroll bar, so that no port name
// is cut short; returns that width in pixels.
int DropAsWideAsEntries(HWND combo);
