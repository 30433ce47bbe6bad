// The outline benchmark's cases, run alike by its Windows build (under Wine) and its native twin
// beside Clipper: welds of many separate outlines over one region, of letters and of large
// outlines, a self-crossing outline and jittered tiles, bars carrying open lines; the self welds
// of outlines with thousands of holes, apart or each on the outline; offsets of stars, of traced
// pixel staircases, of a figure eight and of a jagged star. Each case is timed (the median of the
// repeats) and its heap peak measured (HeapMeter.h).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "addons/transform/OutlineTypes.h"

namespace bench {

struct Case {
  std::string name;
  // A union of the two operands' curves, or an offset of the first operand's only curve.
  bool offset = false;
  std::vector<FlatCurve> first, second;
  double distance = 0;
  bool round = false;
  // A lone self-crossing curve: a library that fills by one rule for all paths fills it by
  // even-odd (before offsetting it), else by non-zero.
  bool evenOdd = false;
  // The first operand's only curve without its self-overlaps (the self weld) instead.
  bool selfWeld = false;
  // Whether any curve carries open lines, which a weld clips (Clipper is not asked for these).
  bool HasLines() const;
};

std::vector<Case> Cases();

// What one side's run gave.
struct Outcome {
  double area = 0;
  bool valid = true;
};

struct Figures {
  double milliseconds = 0;  // the median of the repeats
  double megabytes = 0;     // the heap's peak above what it held before, the most of the repeats
};

// The run keeps its result for the caller to look at after the timing.
Figures Measure(int repeats, const std::function<void()>& run);
// Our library's runs of the case, timed and measured into figures, and the result's area and
// whether Boost.Geometry finds it valid.
Outcome RunOurs(const Case& c, int repeats, Figures* figures);

// The table both builds print: its heading, and a case's row of our figures beside theirs, or
// beside dashes where theirs (figures and area) were not measured.
void PrintHeading();
void PrintRow(const Case& c, const Figures& our, const Outcome& outcome, const Figures* their,
              double theirArea);

// Our angle limit for mitres and the same limit as a ratio of mitre length to offset
// (1 / sin(25 degrees)), and the chord error of round joins at our default accuracy.
extern const double kAngleLimit;
extern const double kMitreLimit;
double RoundChord();

}  // namespace bench
