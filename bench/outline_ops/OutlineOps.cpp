// Times the transform library's welding and expansion in the program's own build (under Wine),
// on the same seeded outlines as the native comparison with Clipper (ClipperCompare.cpp):
// welding 1,000 overlapping letters and two 10,000-node outlines, and growing and shrinking
// 1,000 and 10,000-node stars in each corner mode. Prints milliseconds per operation and the
// result's area. Run by hand under Wine:
//   wine build/<arch>/bench/outline_ops.exe [repeats]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "addons/transform/OutlineBoolean.h"
#include "addons/transform/OutlineExpander.h"
#include "bench/outline_ops/BenchShapes.h"

namespace {

double MillisecondsPerRun(int repeats, const std::function<double()>& run, double* area) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) *area = run();
  std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / repeats;
}

void Print(const char* what, int repeats, const std::function<double()>& run) {
  double area = 0;
  double time = MillisecondsPerRun(repeats, run, &area);
  std::printf("%-40s %10.1f ms  area %14.3f\n", what, time, area);
}

void Weld(const char* what, int repeats, const std::vector<FlatCurve>& first,
          const std::vector<FlatCurve>& second) {
  Print(what, repeats, [&] {
    return COutlineBoolean::AreaOf(
        COutlineBoolean::CombineCurves(first, second, COutlineBoolean::kUnion).area);
  });
}

void Expand(int nodes, double thickness, int mode, int repeats) {
  FlatCurve star = bench::Star(nodes);
  char what[64];
  std::snprintf(what, sizeof what, "%d-node star %+.2f mm, mode %d", nodes, thickness, mode);
  ExpandSettings settings;
  settings.thickness = thickness;
  settings.mode = mode;
  Print(what, repeats, [&] {
    OutlineShape result;
    COutlineExpander(settings).Expand(COutlineBoolean::ShapeOf({star}), &result);
    return COutlineBoolean::AreaOf(result.area);
  });
}

}  // namespace

int main(int argc, char** argv) {
  int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  std::printf("outline_ops: %d repeats each\n", repeats);
  Weld("weld 1,000 letters", repeats, bench::Letters(1000), {});
  Weld("weld two 10,000-node outlines", repeats, {bench::WavyRing(10000, 0, 0, 100)},
       {bench::WavyRing(10000, 60, 0, 100)});
  for (int nodes : {1000, 10000})
    for (double thickness : {1.0, -0.25})
      for (int mode = 0; mode <= 2; ++mode) Expand(nodes, thickness, mode, repeats);
  return 0;
}
