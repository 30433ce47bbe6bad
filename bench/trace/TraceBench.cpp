// Timings of the tracing and vectorising libraries on a 2000 x 2000 scan-like bitmap, through
// the editor's wrapper of the vectorising library (as the outline dialog calls it) and through
// the tracer alone; best of three runs each. The bitmap is also written as trace_scan.pbm beside
// the program, and the native twin (build/native/trace_native) traces the same bitmap beside
// potrace, the field's reference tracer, which runs only on the host.
// Run by hand: build/<arch>/bench/trace.exe under Wine.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "bench/trace/ScanBitmap.h"
#include "framework/GlobalLock.h"
#include "media/VectorParameters.h"
#include "media/VectorisingDll.h"
#include "model/blocks/CurveBlock.h"
#include "model/records/BlockRecord.h"

namespace {

const int kSize = 2000;

class DefaultSettings : public CVectorSettingsReader {
public:
  float GetFloat(LPCSTR, LPCSTR key, float fallback) const override {
    return CVectorParameters::Find(key) ? CVectorParameters::DefaultOf(key) : fallback;
  }
  int GetInt(LPCSTR, LPCSTR, int fallback) const override { return fallback; }
};

}  // namespace

int main() {
  std::vector<std::uint8_t> pixels = MakeScanBitmap(kSize, kSize);
  WritePbm("trace_scan.pbm", pixels, kSize, kSize);
  std::printf("trace: %d x %d scan-like bitmap (trace_scan.pbm)\n", kSize, kSize);

  // The tracer alone, with the vectoriser's default preset.
  TracedCount count;
  double alone = BestOfThree([&] { count = TraceWithDefaultPreset(pixels, kSize, kSize); });
  std::printf("  tracer alone:          %8.1f ms, %zu outlines, %zu segments\n", alone,
              count.outlines, count.segments);

  // Through the library's entry as the editor calls it: the plane bottom row first.
  DefaultSettings defaults;
  CVectorisingDll vectoriser;
  vectoriser.SetSettingsReader(&defaults);
  if (!vectoriser.Bind("..\\program\\TalvexVector.dll")) return 1;
  HGLOBAL plane = GlobalAlloc(GMEM_MOVEABLE, pixels.size());
  {
    CGlobalLock lock(plane);
    for (int y = 0; y < kSize; ++y)
      memcpy(lock.Data() + size_t(kSize - 1 - y) * kSize, &pixels[size_t(y) * kSize], kSize);
  }
  int points = 0;
  double library = BestOfThree([&] {
    HGLOBAL record = vectoriser.Vectorise(plane, kSize, kSize, nullptr);
    std::unique_ptr<CBlock> block;
    {
      CGlobalLock lock(record);
      if (lock.Data()) block.reset(CreateBlockFromRecord(lock.Data(), lock.Size()));
    }
    if (record) GlobalFree(record);
    auto* curve = dynamic_cast<CCurveBlock*>(block.get());
    points = curve ? curve->GetCount() : 0;
  });
  GlobalFree(plane);
  std::printf("  vectorising library:   %8.1f ms, one curve of %d point records\n", library,
              points);
  std::printf("  potrace on the same bitmap: build/native/trace_native\n");
  return 0;
}
