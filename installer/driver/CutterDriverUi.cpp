// The configuration module (TLVCUTUI.DLL) of the cutter queues that the installer adds. A cutter
// queue has nothing to set: its jobs are the plotter data the editor and the job manager write.
// The module answers what the spooler and programs ask of every printer: the size and default of
// its device mode (a copy count of 1, the printer's name as device name), its capabilities, and
// whether a job may print (always). It shows no property pages.
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <cwchar>

namespace {

// What DocumentProperties hands a configuration module when it asks for no property pages.
struct DocumentPropertyHeader {
  WORD cbSize;
  WORD reserved;
  HANDLE printer;
  LPWSTR printerName;
  DEVMODEW* modeIn;
  DEVMODEW* modeOut;
  DWORD outSize;
  DWORD mode;
};
static_assert(sizeof(void*) == 4 ? sizeof(DocumentPropertyHeader) == 28
                                 : sizeof(DocumentPropertyHeader) == 48,
              "the header's layout is the spooler's");

const LONG kPropertySheetsDone = 1;
const LONG kPropertySheetsFailed = -1;
const DWORD kFields = DM_COPIES;

void FillDefault(DEVMODEW* mode, LPCWSTR printerName) {
  memset(mode, 0, sizeof *mode);
  mode->dmSpecVersion = DM_SPECVERSION;
  mode->dmSize = sizeof *mode;
  mode->dmFields = kFields;
  mode->dmCopies = 1;
  if (printerName) wcsncpy(mode->dmDeviceName, printerName, CCHDEVICENAME - 1);
}

// Keeps the copy count of a device mode handed in, when it is one of ours and sensible.
void Merge(DEVMODEW* mode, const DEVMODEW* in) {
  if (!in || in->dmSize < offsetof(DEVMODEW, dmCopies) + sizeof in->dmCopies) return;
  if ((in->dmFields & DM_COPIES) && in->dmCopies > 0) mode->dmCopies = in->dmCopies;
}

}  // namespace

extern "C" LONG WINAPI DrvDocumentPropertySheets(PVOID sheets, LPARAM parameter) {
  DocumentPropertyHeader* header = reinterpret_cast<DocumentPropertyHeader*>(parameter);
  if (sheets || !header || header->cbSize < sizeof *header) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return kPropertySheetsFailed;
  }
  if (header->mode == 0 || !header->modeOut) {
    header->outSize = sizeof(DEVMODEW);
    return static_cast<LONG>(header->outSize);
  }
  DEVMODEW mode;
  FillDefault(&mode, header->printerName);
  if (header->mode & DM_IN_BUFFER) Merge(&mode, header->modeIn);
  // The caller's buffer holds the size asked for first; never more than it says it holds.
  size_t size = header->outSize < sizeof mode ? header->outSize : sizeof mode;
  memcpy(header->modeOut, &mode, size);
  return kPropertySheetsDone;
}

extern "C" DWORD WINAPI DrvDeviceCapabilities(HANDLE, LPWSTR, WORD capability, PVOID, PDEVMODEW) {
  switch (capability) {
    case DC_FIELDS:
      return kFields;
    case DC_SIZE:
      return sizeof(DEVMODEW);
    case DC_VERSION:
      return DM_SPECVERSION;
    case DC_DRIVER:
      return 1;
    case DC_COPIES:
      return 1;
    default:
      return 0;  // no papers, bins, resolutions or other lists
  }
}

extern "C" BOOL WINAPI DevQueryPrintEx(PVOID) { return TRUE; }

extern "C" BOOL WINAPI DrvPrinterEvent(LPWSTR, INT, DWORD, LPARAM) { return TRUE; }
