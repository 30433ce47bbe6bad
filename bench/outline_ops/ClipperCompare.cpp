// Our outline geometry side by side with Clipper 6.4.2 (Debian's libpolyclipping), both compiled
// natively with the host compiler, on the same seeded inputs: welding 1,000 overlapping letters,
// welding two 10,000-node outlines, and offsets of 1,000 and 10,000-node stars (+1 mm with
// mitred and with round corners, -0.25 mm). Prints the time of each (the best of the repeats) and
// the areas of both results. Built into build/native by tools/test; run by hand:
//   build/native/outline_ops_native [repeats]
// Clipper is a yardstick only: it is linked into this program and nothing else.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <polyclipping/clipper.hpp>

#include "addons/transform/OutlineBoolean.h"
#include "addons/transform/OutlineExpander.h"
#include "bench/outline_ops/BenchShapes.h"

namespace {

// Clipper's integer units per millimetre: 10 nanometres.
const double kClipperScale = 1e5;
// The chord error of round joins on both sides: our default accuracy's.
const double kChord = COutlineExpander::ChordError(1e-10);
// Our angle limit for mitres, and Clipper's mitre limit for the same corners (1 / sin(25 deg)).
const double kAngleLimit = 50;
const double kMitreLimit = 1 / std::sin(25 * 3.14159265358979323846 / 180);

ClipperLib::Paths PathsOf(const std::vector<FlatCurve>& curves) {
  ClipperLib::Paths paths;
  for (const FlatCurve& curve : curves) {
    for (const OutlinePolygon& ring : curve.rings) {
      ClipperLib::Path path;
      for (const OutlinePoint& p : ring.outer())
        path.push_back(ClipperLib::IntPoint(std::llround(p.x() * kClipperScale),
                                            std::llround(p.y() * kClipperScale)));
      paths.push_back(path);
    }
  }
  return paths;
}

double AreaOf(const ClipperLib::Paths& paths) {
  double area = 0;
  for (const ClipperLib::Path& path : paths) area += ClipperLib::Area(path);
  return std::fabs(area) / (kClipperScale * kClipperScale);
}

// The best time of the repeats, in milliseconds; area gets the last run's result.
double BestOf(int repeats, const std::function<double()>& run, double* area) {
  double best = HUGE_VAL;
  for (int i = 0; i < repeats; ++i) {
    auto start = std::chrono::steady_clock::now();
    *area = run();
    std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    best = std::min(best, spent.count());
  }
  return best;
}

void Row(const char* what, int repeats, const std::function<double()>& ours,
         const std::function<double()>& clipper) {
  double ourArea = 0, theirArea = 0;
  double ourTime = BestOf(repeats, ours, &ourArea);
  double theirTime = BestOf(repeats, clipper, &theirArea);
  double difference = theirArea > 0 ? (ourArea - theirArea) / theirArea * 100 : 0;
  std::printf("%-34s %10.1f %10.1f %6.2fx %14.3f %14.3f %+9.4f%%\n", what, ourTime, theirTime,
              ourTime / theirTime, ourArea, theirArea, difference);
}

void Union(const char* what, int repeats, const std::vector<FlatCurve>& first,
           const std::vector<FlatCurve>& second) {
  Row(
      what, repeats,
      [&] {
        OutlineShape united = COutlineBoolean::CombineCurves(first, second,
                                                             COutlineBoolean::kUnion);
        return COutlineBoolean::AreaOf(united.area);
      },
      [&] {
        ClipperLib::Clipper clipper;
        clipper.AddPaths(PathsOf(first), ClipperLib::ptSubject, true);
        clipper.AddPaths(PathsOf(second), ClipperLib::ptClip, true);
        ClipperLib::Paths united;
        clipper.Execute(ClipperLib::ctUnion, united, ClipperLib::pftNonZero,
                        ClipperLib::pftNonZero);
        return AreaOf(united);
      });
}

void Offset(const char* what, int repeats, const FlatCurve& star, double distance, bool round) {
  Row(
      what, repeats,
      [&] {
        ExpandSettings settings;
        settings.thickness = distance;
        settings.mode = round ? 2 : 0;
        settings.threshold = 181;  // no bend counts as gentle: mitres as Clipper makes them
        settings.angleLimit = kAngleLimit;
        OutlineShape grown;
        COutlineExpander(settings).Expand(COutlineBoolean::ShapeOf({star}), &grown);
        return COutlineBoolean::AreaOf(grown.area);
      },
      [&] {
        ClipperLib::ClipperOffset offset(kMitreLimit, kChord * kClipperScale);
        offset.AddPaths(PathsOf({star}), round ? ClipperLib::jtRound : ClipperLib::jtMiter,
                        ClipperLib::etClosedPolygon);
        ClipperLib::Paths grown;
        offset.Execute(grown, distance * kClipperScale);
        return AreaOf(grown);
      });
}

}  // namespace

int main(int argc, char** argv) {
  int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  std::printf(
      "outline_ops native: ours against Clipper 6.4.2, best of %d, times in ms, areas in mm2\n",
      repeats);
  std::printf("%-34s %10s %10s %7s %14s %14s %10s\n", "case", "ours", "Clipper", "ratio",
              "our area", "Clipper area", "area diff");
  Union("union of 1,000 letters", repeats, bench::Letters(1000), {});
  Union("union of two 10,000-node outlines", repeats, {bench::WavyRing(10000, 0, 0, 100)},
        {bench::WavyRing(10000, 60, 0, 100)});
  for (int nodes : {1000, 10000}) {
    FlatCurve star = bench::Star(nodes);
    char what[64];
    std::snprintf(what, sizeof what, "%d-node star +1 mm mitre", nodes);
    Offset(what, repeats, star, 1, false);
    std::snprintf(what, sizeof what, "%d-node star +1 mm round", nodes);
    Offset(what, repeats, star, 1, true);
    std::snprintf(what, sizeof what, "%d-node star -0.25 mm mitre", nodes);
    Offset(what, repeats, star, -0.25, false);
    std::snprintf(what, sizeof what, "%d-node star -0.25 mm round", nodes);
    Offset(what, repeats, star, -0.25, true);
  }
  return 0;
}
