// Times the transform library's welding and expansion on outlines of 1,000 and 10,000 nodes, as
// flattened curves give them (a ring with twenty waves), and prints the figures (milliseconds per
// operation). Run by hand under Wine:
//   wine build/<arch>/bench/outline_ops.exe [repeats]
#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "addons/transform/OutlineBoolean.h"
#include "addons/transform/OutlineExpander.h"

namespace {

// A closed wavy ring of the given node count around (cx, cy).
FlatCurve WavyRing(int nodes, double cx, double cy, double radius) {
  FlatCurve curve;
  OutlinePolygon ring;
  for (int i = 0; i < nodes; ++i) {
    double angle = 2 * 3.14159265358979 * i / nodes;
    double r = radius * (1 + 0.05 * std::sin(20 * angle));
    ring.outer().push_back(OutlinePoint(cx + r * std::cos(angle), cy + r * std::sin(angle)));
  }
  bg::correct(ring);
  curve.rings.push_back(ring);
  return curve;
}

double MillisecondsPerRun(int repeats, const std::function<size_t()>& run, size_t* points) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < repeats; ++i) *points = run();
  std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / repeats;
}

void Measure(int nodes, int repeats) {
  std::vector<FlatCurve> first(1, WavyRing(nodes, 0, 0, 100));
  std::vector<FlatCurve> second(1, WavyRing(nodes, 60, 0, 100));
  OutlineShape a = COutlineBoolean::ShapeOf(first);
  OutlineShape b = COutlineBoolean::ShapeOf(second);
  size_t points = 0;
  double weld = MillisecondsPerRun(
      repeats,
      [&] {
        OutlineShape united = COutlineBoolean::Combine(a, b, COutlineBoolean::kUnion);
        return bg::num_points(united.area);
      },
      &points);
  std::printf("weld   %6d nodes: %9.2f ms (%zu points out)\n", nodes, weld, points);
  ExpandSettings settings;
  settings.thickness = 2;
  for (int mode = 0; mode <= 2; ++mode) {
    settings.mode = mode;
    COutlineExpander expander(settings);
    double expand = MillisecondsPerRun(
        repeats, [&] { return bg::num_points(expander.Expand(a).area); }, &points);
    std::printf("expand %6d nodes, mode %d: %9.2f ms (%zu points out)\n", nodes, mode, expand,
                points);
  }
}

}  // namespace

int main(int argc, char** argv) {
  int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  std::printf("outline_ops: %d repeats each\n", repeats);
  Measure(1000, repeats);
  Measure(10000, repeats);
  return 0;
}
