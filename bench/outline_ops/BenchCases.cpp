#include "bench/outline_ops/BenchCases.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "addons/transform/OutlineBoolean.h"
#include "addons/transform/OutlineExpander.h"
#include "bench/outline_ops/AreaValidity.h"
#include "bench/outline_ops/BenchShapes.h"
#include "bench/outline_ops/HeapMeter.h"

namespace bench {

const double kAngleLimit = 50;
const double kMitreLimit = 2.3662015831524985;  // 1 / sin(25 degrees)

double RoundChord() { return COutlineExpander::ChordError(1e-10); }

namespace {

Case Union(const std::string& name, std::vector<FlatCurve> first,
           std::vector<FlatCurve> second = {}) {
  Case c;
  c.name = name;
  c.first = std::move(first);
  c.second = std::move(second);
  return c;
}

Case Offset(const std::string& name, const FlatCurve& curve, double distance, bool round) {
  Case c;
  c.name = name;
  c.offset = true;
  c.first = {curve};
  c.distance = distance;
  c.round = round;
  return c;
}

std::string Named(const char* format, int number) {
  char name[64];
  std::snprintf(name, sizeof name, format, number);
  return name;
}

OutlineArea RunOnce(const Case& c) {
  if (c.selfWeld) return COutlineBoolean::RemoveSelfOverlaps(c.first[0]).area;
  if (c.offset) {
    ExpandSettings settings;
    settings.thickness = c.distance;
    settings.mode = c.round ? 2 : 0;
    settings.threshold = 181;  // no bend counts as gentle: mitres as other libraries make them
    settings.angleLimit = kAngleLimit;
    OutlineShape grown;
    COutlineExpander(settings).Expand(COutlineBoolean::ShapeOf(c.first), &grown);
    return std::move(grown.area);
  }
  return COutlineBoolean::CombineCurves(c.first, c.second, COutlineBoolean::kUnion).area;
}

}  // namespace

bool Case::HasLines() const {
  for (const std::vector<FlatCurve>* operand : {&first, &second})
    for (const FlatCurve& curve : *operand)
      if (!curve.lines.empty()) return true;
  return false;
}

std::vector<Case> Cases() {
  std::vector<Case> cases;
  cases.push_back(Union("union of 1,000 letters", Letters(1000)));
  cases.push_back(Union("union of two 10,000-node outlines", {WavyRing(10000, 0, 0, 100)},
                        {WavyRing(10000, 60, 0, 100)}));
  for (int count : {50, 100, 200, 400})
    cases.push_back(Union(Named("union of %d crossing bars", count), Bars(count)));
  cases.push_back(Union("union of 200 bars, a line in each", Bars(200, 5)));
  cases.push_back(Union("union of 500 circles", Circles(500)));
  Case crossing = Union("self-crossing 1,000-node outline", {SelfCrossing(1000)});
  crossing.evenOdd = true;
  cases.push_back(crossing);
  cases.push_back(Union("900 tiles jittered below the grid", Tiles(30, 6, 2.4e-7)));
  const FlatCurve screened = PinholedDisk(72.4, 0.5);
  Case pinholes = Union(Named("self weld, disk with %d holes", int(screened.rings.size()) - 1),
                        {screened});
  pinholes.selfWeld = pinholes.evenOdd = true;
  cases.push_back(pinholes);
  const FlatCurve edged = EdgeHoledDisk(100, 0.05);
  Case touching = Union(Named("self weld, %d holes on the outline", int(edged.rings.size()) - 1),
                        {edged});
  touching.selfWeld = touching.evenOdd = true;
  cases.push_back(touching);
  for (int nodes : {1000, 10000}) {
    const FlatCurve star = Star(nodes);
    cases.push_back(Offset(Named("%d-node star +1 mm mitre", nodes), star, 1, false));
    cases.push_back(Offset(Named("%d-node star +1 mm round", nodes), star, 1, true));
    cases.push_back(Offset(Named("%d-node star -0.25 mm mitre", nodes), star, -0.25, false));
    cases.push_back(Offset(Named("%d-node star -0.25 mm round", nodes), star, -0.25, true));
  }
  for (double radius : {40.0, 80.0, 160.0}) {
    const FlatCurve disk = PixelDisk(radius, 0.5);
    const int corners = static_cast<int>(disk.rings[0].outer().size());
    cases.push_back(Offset(Named("%d-corner staircase +0.5 mitre", corners), disk, 0.5, false));
    cases.push_back(Offset(Named("%d-corner staircase -0.25 round", corners), disk, -0.25, true));
  }
  // On the exact grid: the pixels' corners and their offsets are whole half millimetres.
  const FlatCurve exact = PixelDisk(80, 0.5, 0, 0);
  cases.push_back(Offset("748 corners, exact grid, +0.5 mitre", exact, 0.5, false));
  cases.push_back(Offset("748 corners, exact grid, -0.25 round", exact, -0.25, true));
  Case eight = Offset("2,000-node figure eight +1 mm round", FigureEight(2000), 1, true);
  eight.evenOdd = true;
  cases.push_back(eight);
  cases.push_back(Offset("1,000-node jagged star -0.25 mitre", JaggedStar(1000), -0.25, false));
  return cases;
}

Figures Measure(int repeats, const std::function<void()>& run) {
  std::vector<double> times;
  Figures figures;
  for (int i = 0; i < repeats; ++i) {
    const std::size_t before = HeapInUse();
    RestartHeapPeak();
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() -
                                                            start;
    times.push_back(spent.count());
    figures.megabytes = std::max(figures.megabytes, (HeapPeak() - before) / 1048576.0);
  }
  std::sort(times.begin(), times.end());
  figures.milliseconds = times[times.size() / 2];
  return figures;
}

Outcome RunOurs(const Case& c, int repeats, Figures* figures) {
  OutlineArea area;
  *figures = Measure(repeats, [&] { area = RunOnce(c); });
  Outcome outcome;
  outcome.area = COutlineBoolean::AreaOf(area);
  outcome.valid = IsValidOnGrid(area);
  return outcome;
}

void PrintHeading() {
  std::printf("%-36s %9s %9s %6s %8s %8s %14s %9s %s\n", "case", "ours", "Clipper", "ratio",
              "our MB", "Cl. MB", "our area", "diff", "valid");
}

void PrintRow(const Case& c, const Figures& our, const Outcome& outcome, const Figures* their,
              double theirArea) {
  const char* valid = outcome.valid ? "yes" : "NO";
  if (!their) {
    std::printf("%-36s %9.1f %9s %6s %8.1f %8s %14.3f %9s %s\n", c.name.c_str(), our.milliseconds,
                "-", "-", our.megabytes, "-", outcome.area, "-", valid);
  } else {
    const double difference = theirArea > 0 ? (outcome.area - theirArea) / theirArea * 100 : 0;
    std::printf("%-36s %9.1f %9.1f %5.2fx %8.1f %8.1f %14.3f %+8.4f%% %s\n", c.name.c_str(),
                our.milliseconds, their->milliseconds, our.milliseconds / their->milliseconds,
                our.megabytes, their->megabytes, outcome.area, difference, valid);
  }
  std::fflush(stdout);
}

}  // namespace bench
