#include "model/geometry/CutPatterns.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "model/blocks/CurveBlock.h"
#include "model/geometry/ShapeCurves.h"
#include "model/settings/TextParsing.h"

namespace {

using Problem = CCutPatterns::Problem;

const double kDegree = 0.017453292;
const double kStripThreshold = 0.0001;
const double kListStripThreshold = 0.001;
// Zero widths read in a row before a list walk gives up on it, beyond its pieces.
const int kZeroWidthAllowance = 64;

struct Vec {
  double x;
  double y;
};

double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }

void Report(Problem* problem, Problem what) {
  if (problem) *problem = what;
}

bool Finite(std::initializer_list<double> values) {
  for (double value : values)
    if (!std::isfinite(value)) return false;
  return true;
}

bool SecondPass(WORD flags) { return (flags & CCutPatterns::kSecondPass) != 0; }

// Whether piece k of a walk is drawn in the pass: pass 0 draws the first.
bool Drawn(long long k, WORD flags) { return ((k % 2 + 2) % 2 == 0) != SecondPass(flags); }

double FarthestCorner(float left, float top, float right, float bottom, double cx, double cy) {
  double farthest = 0;
  for (Vec corner : {Vec{left, top}, Vec{right, top}, Vec{right, bottom}, Vec{left, bottom}})
    farthest = std::max(farthest, std::hypot(corner.x - cx, corner.y - cy));
  return farthest;
}

// The running values of a width list, one piece at a time, ending when the list can give no
// more: past its last field a value of 0 that the next field keeps at 0 never changes again.
class ListWalk {
public:
  explicit ListWalk(LPCSTR list) : m_list(list ? list : ""), m_fields(CountFields(m_list, ',')) {}

  // The next width (absolute); false when the walk has ended.
  bool Next(double* width) {
    if (m_bad || m_index > CCutPatterns::kMaxPieces + kZeroWidthAllowance) return false;
    // Field i is the running value after i + 1 fields.
    double value = ParseValueList(m_list, m_index + 1);
    if (!std::isfinite(value)) {
      m_bad = true;
      return false;
    }
    if (value == 0 && m_index + 1 >= m_fields && ParseValueList(m_list, m_index + 2) == 0)
      return false;
    ++m_index;
    *width = std::fabs(value);
    return true;
  }
  bool Bad() const { return m_bad; }

private:
  LPCSTR m_list;
  int m_fields;
  int m_index = 0;
  bool m_bad = false;
};

std::unique_ptr<CCurveBlock> NewPattern() { return std::unique_ptr<CCurveBlock>(new CCurveBlock); }

CCurveBlock* Finish(std::unique_ptr<CCurveBlock> curve, bool drewAny) {
  if (!drewAny) return nullptr;
  curve->EndCurve();
  curve->m_attributes = CCutPatterns::kPatternAttributes;
  return curve.release();
}

// The frame of a strip pattern: strips run along u, the walk goes along -n from the start
// point, and every strip spans the box's length centred on the box.
struct StripFrame {
  Vec u;
  Vec n;
  Vec origin;  // the start point's foot on the line across the box's centre
  double length;
  double halfAcross;  // half the region's width across the strips
  double offset;      // the start point's distance across from the centre, signed along n
  double walked;      // extent along the walk from the start point
  double other;       // extent on the other side
  bool inside;        // the point has room on both sides

  void AddStrip(CCurveBlock* curve, double q0, double q1) const {
    auto at = [this](double along, double q) {
      return Vec{origin.x + (along - length / 2) * u.x - q * n.x,
                 origin.y + (along - length / 2) * u.y - q * n.y};
    };
    if (q0 == q1) {
      Vec a = at(0, q0), b = at(length, q0);
      curve->AddLine(float(a.x), float(a.y), float(b.x), float(b.y));
      return;
    }
    Vec corners[4] = {at(0, q0), at(length, q0), at(length, q1), at(0, q1)};
    curve->AddPoint(float(corners[0].x), float(corners[0].y), kPointStart | kPointOnCurve);
    for (int i = 1; i < 4; ++i)
      curve->AddPoint(float(corners[i].x), float(corners[i].y), kPointOnCurve);
    curve->AddPoint(float(corners[0].x), float(corners[0].y), kPointClose | kPointOnCurve);
  }
};

StripFrame MakeStripFrame(float left, float top, float right, float bottom, double angle, double x,
                          double y, double threshold) {
  const double rad = angle * kDegree;
  StripFrame frame;
  frame.u = {std::cos(rad), -std::sin(rad)};
  // The direction turned a quarter counter-clockwise on the screen.
  frame.n = {-std::sin(rad), -std::cos(rad)};
  const Vec c = {(left + right) / 2.0, (top + bottom) / 2.0};
  double across = 0, along = 0;
  for (Vec corner : {Vec{left, top}, Vec{right, top}, Vec{right, bottom}, Vec{left, bottom}}) {
    Vec d = {corner.x - c.x, corner.y - c.y};
    along = std::max(along, std::fabs(Dot(d, frame.u)));
    across = std::max(across, std::fabs(Dot(d, frame.n)));
  }
  frame.length = std::max(2.05 * along, threshold);
  const Vec fromCentre = {x - c.x, y - c.y};
  const double t = Dot(fromCentre, frame.n);
  double a = across - t, b = across + t;
  if (a < threshold) a = 0;
  if (b < threshold) b = 0;
  frame.halfAcross = across;
  frame.offset = t;
  frame.walked = b;
  frame.other = a;
  frame.inside = a > 0 && b > 0;
  const double foot = Dot(fromCentre, frame.u);
  frame.origin = {x - foot * frame.u.x, y - foot * frame.u.y};
  return frame;
}

// One walk of list strips from the start point over extent, along the walk (sign 1) or
// against it (-1). False when the list ran on past the piece limit.
bool WalkListStrips(const StripFrame& frame, LPCSTR list, double extent, int sign, WORD flags,
                    CCurveBlock* curve, bool* drewAny, bool* bad) {
  ListWalk walk(list);
  double p = 0, width = 0;
  long long piece = 0;
  while (p < extent && walk.Next(&width)) {
    if (width == 0) continue;
    if (piece >= CCutPatterns::kMaxPieces) return false;
    if (Drawn(piece, flags)) {
      double q0 = sign * p, q1 = sign * (p + width);
      frame.AddStrip(curve, std::min(q0, q1), std::max(q0, q1));
      *drewAny = true;
    }
    p += width;
    ++piece;
  }
  *bad = *bad || walk.Bad();
  return true;
}

CCurveBlock* Sector(double cx, double cy, double radius, double from, double to) {
  double low = std::min(from, to) * kDegree, high = std::max(from, to) * kDegree;
  return MakePieCurve(float(cx - radius), float(cy - radius), float(cx + radius),
                      float(cy + radius), float(low), float(high));
}

void AppendInto(CCurveBlock* into, CCurveBlock* piece, bool* drewAny) {
  std::unique_ptr<CCurveBlock> owned(piece);
  if (!owned) return;
  into->AppendCurve(*owned);
  *drewAny = true;
}

void AddCircle(CCurveBlock* into, double cx, double cy, double r) {
  std::unique_ptr<CCurveBlock> circle(
      MakeEllipseCurve(float(cx - r), float(cy - r), float(cx + r), float(cy + r)));
  if (circle) into->AppendCurve(*circle);
}

void AddRing(CCurveBlock* into, double cx, double cy, double r, double step) {
  if (r > 0) AddCircle(into, cx, cy, r);
  AddCircle(into, cx, cy, r + step);
}

}  // namespace

double CCutPatterns::FoldAngle(double angle) {
  if (!(angle > 180)) return angle;
  double folded = std::fmod(angle, 180.0);
  return folded == 0 ? 180.0 : folded;
}

int CCutPatterns::ListWidths(LPCSTR list, int max, double* widths, bool* bad) {
  ListWalk walk(list);
  int count = 0;
  double width = 0;
  while (count < max && walk.Next(&width)) widths[count++] = width;
  if (bad) *bad = walk.Bad();
  return count;
}

CCurveBlock* CCutPatterns::MakeHatchLines(float left, float top, float right, float bottom,
                                          float angle, int count, float x, float y, WORD flags,
                                          Problem* problem) {
  Report(problem, kNoProblem);
  if (!Finite({left, top, right, bottom, angle, x, y}) || count < 1) {
    Report(problem, kBadValue);
    return nullptr;
  }
  if (count > kMaxPieces) {
    Report(problem, kTooManyPieces);
    return nullptr;
  }
  const StripFrame frame = MakeStripFrame(left, top, right, bottom, FoldAngle(angle), x, y,
                                          kStripThreshold);
  std::unique_ptr<CCurveBlock> curve = NewPattern();
  const double s = (2 * frame.halfAcross + kStripThreshold) / count;
  // Strips lie at q0 + k s across the region, which spans offset - D .. offset + D from the
  // point; the point sits in the middle of strip 0 when it has room on both sides, else on the
  // edge the strips start from.
  const double q0 = frame.inside ? -s / 2 : 0;
  const double low = frame.offset - frame.halfAcross, high = frame.offset + frame.halfAcross;
  if (!(std::fabs((low - q0) / s) < 1e12 && std::fabs((high - q0) / s) < 1e12)) {
    Report(problem, kTooManyPieces);
    return nullptr;
  }
  // Rounding must not add a sliver of a strip beyond either edge.
  const long long first = static_cast<long long>(std::floor((low - q0 + kStripThreshold) / s));
  const long long last = static_cast<long long>(std::ceil((high - q0 - kStripThreshold) / s)) - 1;
  if (last - first + 1 > kMaxPieces + 2) {
    Report(problem, kTooManyPieces);
    return nullptr;
  }
  bool drewAny = false;
  for (long long k = first; k <= last; ++k) {
    if (!Drawn(k, flags)) continue;
    frame.AddStrip(curve.get(), q0 + k * s, q0 + (k + 1) * s);
    drewAny = true;
  }
  return Finish(std::move(curve), drewAny);
}

CCurveBlock* CCutPatterns::MakeHatchLinesFromList(float left, float top, float right, float bottom,
                                                  float angle, float x, float y, LPCSTR list,
                                                  WORD flags, Problem* problem) {
  Report(problem, kNoProblem);
  if (!Finite({left, top, right, bottom, angle, x, y})) {
    Report(problem, kBadValue);
    return nullptr;
  }
  const StripFrame frame = MakeStripFrame(left, top, right, bottom, FoldAngle(angle), x, y,
                                          kListStripThreshold);
  std::unique_ptr<CCurveBlock> curve = NewPattern();
  bool drewAny = false, bad = false;
  if (!WalkListStrips(frame, list, frame.walked, 1, flags, curve.get(), &drewAny, &bad) ||
      !WalkListStrips(frame, list, frame.other, -1, flags, curve.get(), &drewAny, &bad)) {
    Report(problem, kTooManyPieces);
    return nullptr;
  }
  if (bad) {
    Report(problem, kBadValue);
    return nullptr;
  }
  return Finish(std::move(curve), drewAny);
}

CCurveBlock* CCutPatterns::MakeRadialSectors(float left, float top, float right, float bottom,
                                             float cx, float cy, float start, float end, int count,
                                             WORD flags, Problem* problem) {
  Report(problem, kNoProblem);
  if (!Finite({left, top, right, bottom, cx, cy, start, end}) || count < 1) {
    Report(problem, kBadValue);
    return nullptr;
  }
  if (count > kMaxPieces) {
    Report(problem, kTooManyPieces);
    return nullptr;
  }
  const double radius = 1.02 * FarthestCorner(left, top, right, bottom, cx, cy);
  const bool upward = (flags & kCounterClockwise) != 0;
  const double from = upward ? start : end, to = upward ? end : start;
  const double step = (to - from) / count;
  std::unique_ptr<CCurveBlock> curve = NewPattern();
  bool drewAny = false;
  for (int k = 0; k < count; ++k)
    if (Drawn(k, flags))
      AppendInto(curve.get(), Sector(cx, cy, radius, from + k * step, from + (k + 1) * step),
                 &drewAny);
  return Finish(std::move(curve), drewAny);
}

CCurveBlock* CCutPatterns::MakeRadialSectorsFromList(float left, float top, float right,
                                                     float bottom, float cx, float cy, float start,
                                                     float end, LPCSTR list, WORD flags,
                                                     Problem* problem) {
  Report(problem, kNoProblem);
  if (!Finite({left, top, right, bottom, cx, cy, start, end})) {
    Report(problem, kBadValue);
    return nullptr;
  }
  const double radius = 1.02 * FarthestCorner(left, top, right, bottom, cx, cy);
  const bool upward = (flags & kCounterClockwise) != 0;
  const double from = upward ? start : end, to = upward ? end : start;
  const double direction = to >= from ? 1 : -1, span = std::fabs(to - from);
  std::unique_ptr<CCurveBlock> curve = NewPattern();
  ListWalk walk(list);
  bool drewAny = false;
  double walked = 0, width = 0;
  long long piece = 0;
  while (walked < span && walk.Next(&width)) {
    if (width == 0) continue;
    if (piece >= kMaxPieces) {
      Report(problem, kTooManyPieces);
      return nullptr;
    }
    double next = std::min(span, walked + width);
    if (Drawn(piece, flags))
      AppendInto(curve.get(),
                 Sector(cx, cy, radius, from + direction * walked, from + direction * next),
                 &drewAny);
    walked = next;
    ++piece;
  }
  if (walk.Bad()) {
    Report(problem, kBadValue);
    return nullptr;
  }
  return Finish(std::move(curve), drewAny);
}

namespace {

// Rings out to radius, widths from the source; false when the limit was passed.
template <class NextWidth>
bool WalkRings(CCurveBlock* curve, double cx, double cy, double radius, WORD flags,
               NextWidth nextWidth, bool* drewAny) {
  double r = 0, width = 0;
  long long piece = 0;
  while (r < radius && nextWidth(&width)) {
    if (!(width > 0)) width = CCutPatterns::kSmallestRingStep;
    if (piece >= CCutPatterns::kMaxPieces) return false;
    if (Drawn(piece, flags)) {
      AddRing(curve, cx, cy, r, width);
      *drewAny = true;
    }
    r += width;
    ++piece;
  }
  return true;
}

}  // namespace

CCurveBlock* CCutPatterns::MakeRings(float left, float top, float right, float bottom, float cx,
                                     float cy, int count, WORD flags, Problem* problem) {
  Report(problem, kNoProblem);
  if (!Finite({left, top, right, bottom, cx, cy})) {
    Report(problem, kBadValue);
    return nullptr;
  }
  const double radius = FarthestCorner(left, top, right, bottom, cx, cy);
  double step = count > 0 ? radius / count : 0;
  if (!(step > 0)) step = kSmallestRingStep;
  if (radius / step > kMaxPieces) {
    Report(problem, kTooManyPieces);
    return nullptr;
  }
  std::unique_ptr<CCurveBlock> curve = NewPattern();
  bool drewAny = false;
  auto equal = [step](double* width) {
    *width = step;
    return true;
  };
  if (!WalkRings(curve.get(), cx, cy, radius, flags, equal, &drewAny)) {
    Report(problem, kTooManyPieces);
    return nullptr;
  }
  return Finish(std::move(curve), drewAny);
}

CCurveBlock* CCutPatterns::MakeRingsFromList(float left, float top, float right, float bottom,
                                             float cx, float cy, LPCSTR list, WORD flags,
                                             Problem* problem) {
  Report(problem, kNoProblem);
  if (!Finite({left, top, right, bottom, cx, cy})) {
    Report(problem, kBadValue);
    return nullptr;
  }
  const double radius = FarthestCorner(left, top, right, bottom, cx, cy);
  const LPCSTR text = list ? list : "";
  bool bad = false;
  int index = 0;
  // A ring of width 0 becomes the smallest step, so a ring list never stops advancing; the
  // piece limit bounds it.
  auto fromList = [text, &bad, &index](double* width) {
    double value = ParseValueList(text, ++index);
    if (!std::isfinite(value)) {
      bad = true;
      return false;
    }
    *width = std::fabs(value);
    return true;
  };
  std::unique_ptr<CCurveBlock> curve = NewPattern();
  bool drewAny = false;
  if (!WalkRings(curve.get(), cx, cy, radius, flags, fromList, &drewAny)) {
    Report(problem, kTooManyPieces);
    return nullptr;
  }
  if (bad) {
    Report(problem, kBadValue);
    return nullptr;
  }
  return Finish(std::move(curve), drewAny);
}
