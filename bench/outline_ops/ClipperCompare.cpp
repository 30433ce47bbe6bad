// Our outline geometry side by side with Clipper 6.4.2 (Debian's libpolyclipping), both compiled
// natively with the host compiler, on the same seeded cases (BenchCases.h). Prints for each side
// the median time of the repeats, the heap's peak and the result's area, and whether our result
// is valid for Boost.Geometry; Clipper's figures also go to a file beside the program, which the
// Windows build prints beside its own. Built into build/native by tools/test; run by hand:
//   build/native/outline_ops_native [repeats]
// Clipper is a yardstick only: it is linked into this program and nothing else.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <polyclipping/clipper.hpp>
#include <string>

#include "bench/outline_ops/BenchCases.h"

namespace {

// Clipper's integer units per millimetre: 10 nanometres.
const double kClipperScale = 1e5;

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

ClipperLib::Paths RunClipper(const bench::Case& c) {
  ClipperLib::Paths result;
  if (c.offset) {
    // A self-crossing curve's area by the even-odd rule first, as ours takes it.
    ClipperLib::Paths area = PathsOf(c.first);
    if (c.evenOdd) ClipperLib::SimplifyPolygons(area, ClipperLib::pftEvenOdd);
    ClipperLib::ClipperOffset offset(bench::kMitreLimit, bench::RoundChord() * kClipperScale);
    offset.AddPaths(area, c.round ? ClipperLib::jtRound : ClipperLib::jtMiter,
                    ClipperLib::etClosedPolygon);
    offset.Execute(result, c.distance * kClipperScale);
    return result;
  }
  const ClipperLib::PolyFillType fill = c.evenOdd ? ClipperLib::pftEvenOdd : ClipperLib::pftNonZero;
  ClipperLib::Clipper clipper;
  clipper.AddPaths(PathsOf(c.first), ClipperLib::ptSubject, true);
  clipper.AddPaths(PathsOf(c.second), ClipperLib::ptClip, true);
  clipper.Execute(ClipperLib::ctUnion, result, fill, fill);
  return result;
}

std::string FiguresPath(const char* program) {
  std::string path = program;
  const size_t slash = path.rfind('/');
  return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) +
         "outline_ops_clipper.txt";
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
  const std::string figuresPath = FiguresPath(argv[0]);
  FILE* figures = std::fopen(figuresPath.c_str(), "w");
  std::printf("outline_ops native: ours against Clipper 6.4.2, median of %d; ms, heap MB, mm2\n",
              repeats);
  bench::PrintHeading();
  for (const bench::Case& c : bench::Cases()) {
    bench::Figures our;
    const bench::Outcome outcome = bench::RunOurs(c, repeats, &our);
    // Clipper clips open lines by the whole union, not by the other curves alone: ours only.
    if (c.HasLines()) {
      bench::PrintRow(c, our, outcome, nullptr, 0);
      continue;
    }
    ClipperLib::Paths theirs;
    const bench::Figures their = bench::Measure(repeats, [&] { theirs = RunClipper(c); });
    const double theirArea = AreaOf(theirs);
    bench::PrintRow(c, our, outcome, &their, theirArea);
    if (figures)
      std::fprintf(figures, "%s\t%.3f\t%.3f\t%.6f\n", c.name.c_str(), their.milliseconds,
                   their.megabytes, theirArea);
  }
  if (figures) std::fclose(figures);
  std::printf("Clipper's figures written to %s\n", figuresPath.c_str());
  return 0;
}
