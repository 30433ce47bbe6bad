#include "addons/trace/CurveFitter.h"

#include <algorithm>
#include <cmath>

namespace {

// Newton rounds at most, for one try at a piece.
const int kMostReparameterizations = 8;
// How far the smoothed boundary still wanders about the true edge, in pixels: the fit is held to
// the error threshold beyond it.
const double kWander = 0.25;
// Loops without corners of at least this many points start as four pieces.
const int kQuarteredLoop = 24;

TracePoint BezierAt(const TracePoint (&p)[4], double t) {
  double s = 1.0 - t;
  return p[0] * (s * s * s) + p[1] * (3 * s * s * t) + p[2] * (3 * s * t * t) + p[3] * (t * t * t);
}

TracePoint DerivativeAt(const TracePoint (&p)[4], double t) {
  double s = 1.0 - t;
  return (p[1] - p[0]) * (3 * s * s) + (p[2] - p[1]) * (6 * s * t) + (p[3] - p[2]) * (3 * t * t);
}

TracePoint SecondDerivativeAt(const TracePoint (&p)[4], double t) {
  return (p[2] - p[1] * 2 + p[0]) * (6 * (1.0 - t)) + (p[3] - p[2] * 2 + p[1]) * (6 * t);
}

void ControlsOf(const TraceSegment& segment, TracePoint start, TracePoint (&p)[4]) {
  p[0] = start;
  p[1] = segment.control1;
  p[2] = segment.control2;
  p[3] = segment.end;
}

// Parameters in proportion to the distance along the points, from 0 to 1.
std::vector<double> ChordLengths(const std::vector<TracePoint>& points, int first, int last) {
  std::vector<double> u(last - first + 1, 0.0);
  for (int i = first + 1; i <= last; ++i)
    u[i - first] = u[i - first - 1] + Length(points[i] - points[i - 1]);
  double total = u.back();
  for (double& value : u) value = total > 0.0 ? value / total : 0.0;
  return u;
}

// The largest squared distance of an inner point from the piece at its parameter, and where.
double WorstError(const std::vector<TracePoint>& points, int first, const std::vector<double>& u,
                  const TracePoint (&p)[4], int* worst) {
  double largest = 0.0;
  *worst = first + static_cast<int>(u.size()) / 2;
  for (int k = 1; k + 1 < static_cast<int>(u.size()); ++k) {
    TracePoint miss = BezierAt(p, u[k]) - points[first + k];
    double error = Dot(miss, miss);
    if (error > largest) {
      largest = error;
      *worst = first + k;
    }
  }
  return largest;
}

// One Newton step towards the parameter of the piece's point nearest to each point.
void Reparameterize(const std::vector<TracePoint>& points, int first, const TracePoint (&p)[4],
                    std::vector<double>* u) {
  for (std::size_t k = 1; k + 1 < u->size(); ++k) {
    double t = (*u)[k];
    TracePoint miss = BezierAt(p, t) - points[first + k];
    TracePoint d1 = DerivativeAt(p, t), d2 = SecondDerivativeAt(p, t);
    double slope = Dot(d1, d1) + Dot(miss, d2);
    if (std::fabs(slope) < 1e-12) continue;
    (*u)[k] = std::max(0.0, std::min(1.0, t - Dot(miss, d1) / slope));
  }
}

// The direction through point i of the points, measured over reach points each way.
TracePoint DirectionThrough(const std::vector<TracePoint>& points, int i, int reach, bool closed) {
  const int n = static_cast<int>(points.size());
  if (closed) return Unit(points[(i + reach) % n] - points[((i - reach) % n + n) % n]);
  return Unit(points[std::min(n - 1, i + reach)] - points[std::max(0, i - reach)]);
}

// Solves the count x count system whose right-hand side is column count, by elimination with
// the largest pivot; false when it is singular.
bool SolveNormalEquations(double (&m)[4][5], int count, double* solution) {
  for (int column = 0; column < count; ++column) {
    int pivot = column;
    for (int row = column + 1; row < count; ++row)
      if (std::fabs(m[row][column]) > std::fabs(m[pivot][column])) pivot = row;
    if (std::fabs(m[pivot][column]) < 1e-12) return false;
    for (int k = 0; k <= count; ++k) std::swap(m[column][k], m[pivot][k]);
    for (int row = 0; row < count; ++row) {
      if (row == column) continue;
      double factor = m[row][column] / m[column][column];
      for (int k = column; k <= count; ++k) m[row][k] -= factor * m[column][k];
    }
  }
  for (int i = 0; i < count; ++i) solution[i] = m[i][count] / m[i][i];
  return true;
}

}  // namespace

TraceSegment CCurveFitter::FitBezier(const std::vector<TracePoint>& points,
                                     const std::vector<double>& u, TracePoint startDirection,
                                     TracePoint endDirection) {
  const TracePoint start = points.front(), end = points.back();
  // The unknowns: for each end either the distance of its control along the given direction
  // (one unknown) or, with no direction (a corner), the control's x and y (two unknowns).
  const bool freeStart = Length(startDirection) == 0.0, freeEnd = Length(endDirection) == 0.0;
  const int startUnknowns = freeStart ? 2 : 1;
  const int count = startUnknowns + (freeEnd ? 2 : 1);
  double normal[4][5] = {};
  for (std::size_t k = 0; k < points.size(); ++k) {
    double t = u[k], s = 1.0 - t;
    double b0 = s * s * s, b1 = 3 * s * s * t, b2 = 3 * s * t * t, b3 = t * t * t;
    // The piece at t less what the unknowns add, and what each unknown adds, in x and y.
    TracePoint fixed = start * b0 + end * b3;
    TracePoint columns[4];
    if (freeStart) {
      columns[0] = {b1, 0.0};
      columns[1] = {0.0, b1};
    } else {
      fixed = fixed + start * b1;
      columns[0] = startDirection * b1;
    }
    if (freeEnd) {
      columns[startUnknowns] = {b2, 0.0};
      columns[startUnknowns + 1] = {0.0, b2};
    } else {
      fixed = fixed + end * b2;
      columns[startUnknowns] = endDirection * b2;
    }
    TracePoint rest = points[k] - fixed;
    for (int i = 0; i < count; ++i) {
      for (int j = 0; j < count; ++j) normal[i][j] += Dot(columns[i], columns[j]);
      normal[i][count] += Dot(columns[i], rest);
    }
  }
  double solution[4] = {};
  const bool solved = SolveNormalEquations(normal, count, solution);
  const double chord = Length(end - start);
  TraceSegment segment;
  segment.bezier = true;
  segment.end = end;
  segment.control1 = freeStart ? TracePoint{solution[0], solution[1]}
                               : start + startDirection * solution[0];
  segment.control2 = freeEnd ? TracePoint{solution[startUnknowns], solution[startUnknowns + 1]}
                             : end + endDirection * solution[startUnknowns];
  // Controls behind the ends, on them or absurdly far out give no usable piece: a third of the
  // chord each way (along the given directions, else along the chord) is then the safe choice.
  const double least = 1e-6 * chord, most = 4.0 * std::max(chord, 1.0);
  auto usable = [&](TracePoint control, TracePoint from, TracePoint direction) {
    double along = Length(direction) > 0.0 ? Dot(control - from, direction)
                                           : Length(control - from);
    return along > least && Length(control - from) < most;
  };
  if (!solved || !usable(segment.control1, start, startDirection) ||
      !usable(segment.control2, end, endDirection)) {
    TracePoint towardsEnd = freeStart ? Unit(end - start) : startDirection;
    TracePoint towardsStart = freeEnd ? Unit(start - end) : endDirection;
    segment.control1 = start + towardsEnd * (chord / 3.0);
    segment.control2 = end + towardsStart * (chord / 3.0);
  }
  return segment;
}

bool CCurveFitter::IsStraight(const std::vector<TracePoint>& points, int first, int last,
                              double tolerance) {
  const TracePoint a = points[first], b = points[last];
  const TracePoint chord = b - a;
  const double length = Length(chord);
  if (length <= 0.0) return false;
  for (int i = first + 1; i < last; ++i) {
    TracePoint p = points[i] - a;
    double along = Dot(p, chord) / length;
    double distance = along < 0.0      ? Length(p)
                      : along > length ? Length(points[i] - b)
                                       : std::fabs(Cross(chord, p)) / length;
    if (distance > tolerance) return false;
  }
  return true;
}

bool CCurveFitter::ControlsNearChord(const TraceSegment& bezier, TracePoint start) const {
  const TracePoint chord = bezier.end - start;
  const double length = Length(chord);
  if (length <= 0.0) return false;
  const double allowed = std::max(m_settings.lineThreshold,
                                  m_settings.lineReversionThreshold * length);
  for (TracePoint control : {bezier.control1, bezier.control2}) {
    TracePoint p = control - start;
    double along = Dot(p, chord) / length;
    if (along < 0.0 || along > length || std::fabs(Cross(chord, p)) / length > allowed)
      return false;
  }
  return true;
}

bool CCurveFitter::FitPiece(const std::vector<TracePoint>& points, const Run& run,
                            TraceSegment* segment, int* worst) const {
  const TracePoint start = points[run.first], end = points[run.last];
  *worst = (run.first + run.last) / 2;
  const bool closedOnItself = Length(end - start) <= 1e-9;
  if (!closedOnItself && (run.last - run.first == 1 ||
                          IsStraight(points, run.first, run.last, m_settings.lineThreshold))) {
    segment->bezier = false;
    segment->end = end;
    return true;
  }
  if (closedOnItself) return false;
  std::vector<TracePoint> piece(points.begin() + run.first, points.begin() + run.last + 1);
  std::vector<double> u = ChordLengths(points, run.first, run.last);
  const double tolerance = m_settings.errorThreshold + kWander;
  const double allowed = tolerance * tolerance;
  TraceSegment best = FitBezier(piece, u, run.startDirection, run.endDirection);
  TracePoint p[4];
  ControlsOf(best, start, p);
  double error = WorstError(points, run.first, u, p, worst);
  const double improvable = m_settings.reparameterizeThreshold * m_settings.reparameterizeThreshold;
  for (int round = 0; error > allowed && error <= improvable && round < kMostReparameterizations;
       ++round) {
    Reparameterize(points, run.first, p, &u);
    TraceSegment next = FitBezier(piece, u, run.startDirection, run.endDirection);
    ControlsOf(next, start, p);
    int nextWorst = *worst;
    double nextError = WorstError(points, run.first, u, p, &nextWorst);
    if (nextError > error * (1.0 - m_settings.reparameterizeImprovement)) {
      if (nextError < error) {
        best = next;
        error = nextError;
        *worst = nextWorst;
      }
      break;
    }
    best = next;
    error = nextError;
    *worst = nextWorst;
  }
  if (error > allowed) return false;
  *segment = best;
  // A nearly straight piece that a straight segment fits as well becomes one.
  if (ControlsNearChord(best, start) && IsStraight(points, run.first, run.last, tolerance))
    segment->bezier = false;
  return true;
}

void CCurveFitter::FitRun(const std::vector<TracePoint>& points, TracePoint startDirection,
                          TracePoint endDirection, std::vector<TraceSegment>* segments) const {
  // Runs still to fit, the next one on top; a divided run puts its second half under its first.
  std::vector<Run> pending = {
      {0, static_cast<int>(points.size()) - 1, startDirection, endDirection}};
  while (!pending.empty()) {
    Run run = pending.back();
    pending.pop_back();
    if (run.last <= run.first) continue;
    TraceSegment segment;
    int worst = 0;
    if (FitPiece(points, run, &segment, &worst)) {
      segments->push_back(segment);
      continue;
    }
    if (run.last - run.first < 2) {
      segments->push_back({false, {}, {}, points[run.last]});
      continue;
    }
    int split = std::max(run.first + 1, std::min(run.last - 1, worst));
    int reach = std::min({m_settings.subdivideSurround, split - run.first, run.last - split});
    TracePoint forward = DirectionThrough(points, split, reach, false);
    pending.push_back({split, run.last, forward, run.endDirection});
    pending.push_back({run.first, split, run.startDirection, forward * -1.0});
  }
}

TracedOutline CCurveFitter::Fit(const std::vector<TracePoint>& loop,
                                const std::vector<int>& corners) const {
  TracedOutline outline;
  const int n = static_cast<int>(loop.size());
  if (n == 0) return outline;
  // Where runs begin and end; without corners points a quarter of the way round each (half way
  // on a small loop), where the pieces on either side share one direction.
  std::vector<int> anchors = corners;
  const bool smoothAnchors = anchors.empty();
  if (smoothAnchors && n >= kQuarteredLoop) anchors = {0, n / 4, n / 2, 3 * n / 4};
  if (smoothAnchors && n < kQuarteredLoop) anchors = {0, n / 2};
  outline.start = loop[anchors.front()];
  if (n < 3) return outline;
  const int reach = std::max(1, std::min(m_settings.tangentSurround, n / 4));
  for (std::size_t a = 0; a < anchors.size(); ++a) {
    int from = anchors[a];
    int to = a + 1 < anchors.size() ? anchors[a + 1] : anchors.front() + n;
    std::vector<TracePoint> run;
    for (int i = from; i <= to; ++i) run.push_back(loop[i % n]);
    // At a corner the direction is free (none given): the fit finds it.
    TracePoint startDirection, endDirection;
    if (smoothAnchors) {
      startDirection = DirectionThrough(loop, from, reach, true);
      endDirection = DirectionThrough(loop, to % n, reach, true) * -1.0;
    }
    FitRun(run, startDirection, endDirection, &outline.segments);
  }
  return outline;
}
