// Extra entries of the plug-in's test build, through which a test looks at the cutter in memory
// behind a slot: what it received, and how fast it carries records out.
#include <windows.h>

#include <vector>

#include "usbplugin/MemoryDevice.h"
#include "usbplugin/PlugInEntries.h"
#include "usbplugin/UsbPlotter.h"

namespace {

CMemoryDevice* Device(int slot) {
  if (!CUsbPlotter::IsSlot(slot)) return nullptr;
  return static_cast<CMemoryDevice*>(&PlugInEngine().Slot(slot).Link());
}

}  // namespace

extern "C" {

int __cdecl UsbTest_ReceivedCount(int slot) {
  CMemoryDevice* device = Device(slot);
  return device ? static_cast<int>(device->Received().size()) : -1;
}

// Copies up to max received records as (kind, y step, x step) triples; returns how many.
int __cdecl UsbTest_Received(int slot, int* triples, int max) {
  CMemoryDevice* device = Device(slot);
  if (!device || !triples) return -1;
  std::vector<WireRecord> received = device->Received();
  int count = 0;
  for (const WireRecord& record : received) {
    if (count == max) break;
    triples[3 * count] = record.kind;
    triples[3 * count + 1] = record.yStep;
    triples[3 * count + 2] = record.xStep;
    ++count;
  }
  return count;
}

void __cdecl UsbTest_SetPace(int slot, int recordsPerStatusRead) {
  if (CMemoryDevice* device = Device(slot)) device->SetPace(recordsPerStatusRead);
}

BOOL __cdecl UsbTest_WriterRunning() { return PlugInEngine().IsWriterRunning(); }

}  // extern "C"
