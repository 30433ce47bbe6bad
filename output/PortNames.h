// The port-name grammar. A port name is a printer queue ("printer @ port"), a USB plotter of a
// plug-in ("name[plugin.upl:NN]"), "FILE" (ask for a file), a serial port "COMn" or a parallel
// port "LPTn" (optionally followed by ":"), or else a file path.
#pragma once

#include <windows.h>

#include "framework/String.h"

enum PortKind {
  kPortFileDialog = 0,
  kPortNotAPort = -1,
  kPortUsbPlotter = 128,
  kPortPrinterQueue = 256,
  // Parallel port n is kind n + kParallelPortBase (LPT1 is 32).
  kParallelPortBase = 31
};

// The kind of a port name as the output port opens it: 256 printer queue, 128 USB plotter,
// 0 "FILE", n serial port COMn, n + 31 parallel port LPTn, -1 anything else (a file path).
int ParsePortName(LPCSTR name);

// The kind as the cut bar chooses its target: above 0 a device port, 0 a file is to be asked for
// ("FILE:"), -1 the name itself is the output file.
int ClassifyOutputTarget(LPCSTR name);

// Whether the cut bar may take the name as its target: "FILE:", a printer queue, a USB plotter, a
// port that the output port opens as the same port, or a name the file system could take.
// "COM1:Z:\job.plt" is none of them: the bar would take it for COM1, the port for a file.
bool IsUsableOutputTarget(LPCSTR name);

// True for the kinds of serial and parallel ports.
bool IsDevicePortKind(int kind);

// The name a serial or parallel port is opened by: "\\.\" and the name up to any colon, so
// that ports from COM10 on open as well.
CString PortDevicePath(LPCSTR name);

// The printer of a printer-queue name: the text before "@" without trailing blanks.
CString PrinterNameOfPort(LPCSTR name);
