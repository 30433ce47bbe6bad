// The tracing benchmark's native twin: our tracer built with the host compiler on the 2000 x 2000
// scan-like bitmap of bench/trace, beside potrace (Debian's potrace, the field's reference tracer,
// run as a program on the same bitmap: its time includes reading the file and writing its EPS).
// Run by hand: build/native/trace_native.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/trace/ScanBitmap.h"

namespace {

const int kSize = 2000;

}  // namespace

int main() {
  std::vector<std::uint8_t> pixels = MakeScanBitmap(kSize, kSize);
  const std::string bitmap = "/tmp/trace_native_scan.pbm", eps = "/tmp/trace_native_scan.eps";
  if (!WritePbm(bitmap, pixels, kSize, kSize)) return 1;
  TracedCount ourCount;
  double ours = BestOfThree([&] { ourCount = TraceWithDefaultPreset(pixels, kSize, kSize); });
  std::printf("trace_native: %d x %d scan-like bitmap\n", kSize, kSize);
  std::printf("  our tracer: %8.1f ms, %zu outlines, %zu segments\n", ours, ourCount.outlines,
              ourCount.segments);
  const std::string command = "potrace --eps --cleartext --longcoding -o " + eps + " " + bitmap;
  int status = 0;
  double reference = BestOfThree([&] { status = std::system(command.c_str()); });
  if (status != 0) {
    std::printf("  potrace:    not run (is Debian's potrace installed?)\n");
    return 0;
  }
  const std::string count = "grep -cE 'rcurveto$|rlineto$' " + eps + " > " + eps +
                            ".count; "
                            "grep -c closepath " +
                            eps + " >> " + eps + ".count";
  long potraceSegments = 0, potraceOutlines = 0;
  if (std::system(count.c_str()) == 0) {
    if (std::FILE* file = std::fopen((eps + ".count").c_str(), "r")) {
      if (std::fscanf(file, "%ld %ld", &potraceSegments, &potraceOutlines) != 2)
        potraceSegments = potraceOutlines = 0;
      std::fclose(file);
    }
  }
  std::printf("  potrace:    %8.1f ms, %ld outlines, %ld segments (a corner counts two)\n",
              reference, potraceOutlines, potraceSegments);
  std::remove(bitmap.c_str());
  std::remove(eps.c_str());
  std::remove((eps + ".count").c_str());
  return 0;
}
