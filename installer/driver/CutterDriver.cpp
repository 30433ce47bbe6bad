// The printer driver (TLVCUT.DLL) of the cutter queues that the installer adds. The queues carry
// the editor's and the job manager's plotter data as RAW jobs, which the print processor passes
// to the port untouched, so the driver draws nothing: it says it runs in user mode and refuses to
// be enabled for drawing, so that a program that tries to print pages on a cutter is told so at
// once instead of sending it page data.
#include <windows.h>

namespace {

// DrvQueryDriverInfo asks whether the driver runs in user mode.
const DWORD kQueryUserMode = 1;

}  // namespace

extern "C" BOOL WINAPI DrvQueryDriverInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed) {
  if (needed) *needed = sizeof(DWORD);
  if (mode != kQueryUserMode) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!buffer || size < sizeof(DWORD)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  *static_cast<DWORD*>(buffer) = TRUE;
  return TRUE;
}

extern "C" BOOL WINAPI DrvEnableDriver(ULONG, ULONG, PVOID) {
  SetLastError(ERROR_NOT_SUPPORTED);
  return FALSE;
}
