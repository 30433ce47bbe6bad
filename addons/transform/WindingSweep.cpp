#include "addons/transform/WindingSweep.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <stdexcept>

#include "addons/transform/LinePieces.h"
#include "addons/transform/RingAssembler.h"
#include "addons/transform/StrayMeter.h"
#include "addons/transform/SweepGeometry.h"
#include "addons/transform/SweepStatus.h"
#include "addons/transform/WindingStates.h"

namespace {

// Half the grid's extent in grid steps (see SweepGeometry.h for why no more).
const double kGridHalfRange = 268435456.0;  // 2^28
// How many stops the sweep makes between two looks at the progress callback.
const unsigned kProgressInterval = 4096;

// What the sweep keeps of an edge besides its line. A segment of an open line is an edge that
// changes no winding number (delta 0).
struct EdgeState {
  int group;
  int next;             // the edge after it along its ring's monotone run, or -1
  int node;             // its node in the status while the line crosses it
  int winding;          // its group's winding number just above it
  std::uint32_t above;  // the state just above it
  int chain;            // the chain its piece's boundary continues
  int crossingAbove;    // the edge above it whose crossing with it waits in the heap, or -1
  std::int8_t delta;    // what crossing it upwards adds to its group's winding number
  // The piece from the last stop on: which way the result's boundary runs along it (+1 forward,
  // -1 back, 0 not on the boundary), and likewise the measured area's.
  std::int8_t output, measure;
};

// An end of a piece of boundary at the current stop: one arriving from the left (incoming) or
// leaving to the right, with the chain it continues.
struct End {
  int edge;
  int direction;
  bool incoming;
  int chain;
};

// A crossing found ahead of the line: its place's doubles and the edges that cross there.
struct PendingCrossing {
  double x, y;
  int first, second;
  SweepPoint Point() const { return SweepPoint{x, y, true, GridPoint{0, 0}, first, second}; }
};

struct PendingEnd {
  std::uint64_t key;
  int edge;
  bool operator>(const PendingEnd& other) const { return key > other.key; }
};

// What the sweep needs to know of the groups: each one's operand, and each operand's fill.
struct Groups {
  std::vector<int> operandOf;
  std::vector<CWindingSweep::Fill> fillOf;
};

// Whether a group's area holds a point of the winding number.
bool Holds(CWindingSweep::Fill fill, int winding) {
  switch (fill) {
    case CWindingSweep::kOdd:
      return (winding & 1) != 0;
    case CWindingSweep::kNonZero:
      return winding != 0;
    case CWindingSweep::kPositive:
      return winding > 0;
  }
  return false;
}

// Groups that meet, as a forest: each group's parent, a root standing for its whole tree.
int RootOf(std::vector<int>* parents, int group) {
  std::vector<int>& parent = *parents;
  while (parent[group] != group) group = parent[group] = parent[parent[group]];
  return group;
}

class Sweep {
public:
  Sweep(const Groups& groups, const CWindingSweep::Rule& rule, const CWindingSweep::Rule* measure,
        const CWindingSweep::Progress& progress)
      : m_geometry(m_lines),
        m_groups(groups),
        m_states(static_cast<int>(groups.fillOf.size()), rule, measure),
        m_progress(progress),
        m_measured(0),
        m_active(groups.operandOf.size()),
        m_windingAt(groups.operandOf.size()),
        m_stampOf(groups.operandOf.size()) {}

  // Room for the edges of rings of this many points in all.
  void Reserve(size_t points) {
    m_lines.reserve(points);
    m_edges.reserve(points);
  }
  void AddRing(const GridPoint* points, size_t n, int group);
  // The sweep cuts open lines into the pieces (keep says where they go) instead of making rings;
  // corners[k] is point k's index in line number `line` as given (for a probe, the two points
  // stand for the whole line).
  void CutLines(CLinePieces* pieces, const CWindingSweep::LineRule* keep) {
    m_pieces = pieces;
    m_keep = keep;
  }
  void AddLine(const GridPoint* points, const int* corners, size_t n, int group, int line,
               bool probe);
  // The sweep notes how the groups lie among each other instead of making rings (linked holds
  // each group's parent in the forest of groups that meet).
  void Watch(CWindingSweep::Contacts* contacts) { m_contacts = contacts; }
  // The sweep measures the meter's pairs instead of making rings.
  void Measure(CStrayMeter* meter, size_t pairs) {
    m_meter = meter;
    m_pairMark.assign(pairs, 0);
    const size_t groups = m_groups.operandOf.size();
    m_listedAt.assign(groups, 0);
    m_pairsOf.resize(groups);
  }
  void Run();
  double Measured() const { return std::fabs(m_measured) / 2; }
  CRingAssembler& Rings() { return m_rings; }

private:
  bool NextStop(SweepPoint* point, int* hint);
  void Stop(const SweepPoint& p, int hint);
  void FindRun(const SweepPoint& p, int hint, int* below);
  // Inline, as GCC leaves these steps of every stop out of line for the file's size otherwise,
  // which costs the 32-bit build a fifth of every sweep.
  inline void CloseIncoming(const SweepPoint& p);
  void PlaceOutgoing(int below);
  void StartPieces(const SweepPoint& p, int below);
  int WindingBelow(int group, int below, int above) const;
  void SeeWindingBelow(int group, int winding);
  inline std::uint32_t StepOver(std::uint32_t state, EdgeState* edge);
  void JoinEnds(const SweepPoint& p, int below);
  void Pair(const SweepPoint& p, int arriving, int departing, bool single, bool hole, int below);
  int EdgeBelow(int node) const;
  double Moment(int edge, const SweepPoint& p) const;
  void Hold(int holder, int chain);
  void CheckNeighbours(const SweepPoint& p, int lower, int upper);
  void NoteContacts(int below);
  void EndLines(const SweepPoint& p);
  void StepWithoutRings(const SweepPoint& p, std::uint32_t state);
  void StepMeasuring(const SweepPoint& p, std::uint32_t state, int below);
  bool Strays(int pair) const;
  void CutLinesAt(const SweepPoint& p, size_t from, size_t to, std::uint32_t under,
                  std::uint32_t over);

  std::vector<SweepLine> m_lines;
  std::vector<EdgeState> m_edges;
  CSweepGeometry m_geometry;
  const Groups& m_groups;
  CWindingStates m_states;
  const CWindingSweep::Progress& m_progress;
  CSweepStatus m_status;
  CRingAssembler m_rings;
  double m_measured;
  double m_left = 0, m_right = 0;

  // Where monotone runs of edges start, in sweep order; the next one not yet reached.
  std::vector<PendingEnd> m_starts;
  size_t m_nextStart = 0;
  // Heaps: the ends of the edges the line crosses, and crossings found ahead of it.
  std::vector<PendingEnd> m_pendingEnds;
  std::vector<PendingCrossing> m_crossings;

  // The current stop's working lists.
  std::vector<int> m_run, m_startingHere, m_continuing, m_outgoing, m_nodes, m_cycle;
  std::vector<End> m_ends;
  size_t m_incomingCount = 0;

  // By group: how many of its edges the line crosses, and its winding number at the current
  // stop as the stop steps across the edges leaving it (valid where stamped with the stop).
  std::vector<int> m_active, m_windingAt;
  std::vector<unsigned> m_stampOf;
  unsigned m_stop = 0;

  // What the sweep makes instead of rings, if anything, and the windings of the lines' groups
  // under the edges running along them while the stop steps across those edges.
  CLinePieces* m_pieces = nullptr;
  const CWindingSweep::LineRule* m_keep = nullptr;
  CWindingSweep::Contacts* m_contacts = nullptr;
  std::vector<int> m_lineWindings;

  // While measuring: by group, the stop that listed its pairs and where they lie in m_pairsHere;
  // by pair, the last run of edges along each other that looked at it.
  CStrayMeter* m_meter = nullptr;
  std::vector<unsigned> m_listedAt, m_pairMark;
  std::vector<std::pair<size_t, size_t>> m_pairsOf;
  std::vector<int> m_pairsHere, m_bundlePairs;
  std::vector<bool> m_strayed;
  unsigned m_bundle = 0;
};

void Sweep::AddRing(const GridPoint* points, size_t n, int group) {
  if (n < 3) return;
  auto forward = [&](size_t i) { return KeyOf(points[i]) < KeyOf(points[(i + 1) % n]); };
  // Start at a turn of direction, so that every run is whole.
  size_t first = 0;
  while (first < n && forward((first + n - 1) % n) == forward(first)) ++first;
  if (first == n) return;
  size_t i = first;
  do {
    const bool ahead = forward(i);
    size_t end = i;
    while ((end + 1) % n != first && forward((end + 1) % n) == ahead) end = (end + 1) % n;
    // The run's edges i .. end, taken in sweep order: as they come when forward, else backwards.
    const size_t count = (end + n - i) % n + 1;
    int previous = -1;
    for (size_t k = 0; k < count; ++k) {
      const size_t e = ahead ? (i + k) % n : (end + n - k) % n;
      GridPoint a = points[e], b = points[(e + 1) % n];
      if (!ahead) std::swap(a, b);
      const int index = static_cast<int>(m_lines.size());
      m_lines.push_back(SweepLine{a, b, b.x - a.x, b.y - a.y});
      m_edges.push_back(EdgeState{group, -1, -1, 0, 0, -1, -1, std::int8_t(ahead ? 1 : -1), 0, 0});
      if (previous >= 0)
        m_edges[previous].next = index;
      else
        m_starts.push_back(PendingEnd{KeyOf(a), index});
      previous = index;
      m_left = std::min(m_left, double(a.x));
      m_right = std::max(m_right, double(b.x));
    }
    i = (end + 1) % n;
  } while (i != first);
}

void Sweep::AddLine(const GridPoint* points, const int* corners, size_t n, int group, int line,
                    bool probe) {
  for (size_t k = 0; k + 1 < n; ++k) {
    GridPoint a = points[k], b = points[k + 1];
    const bool reversed = KeyOf(b) < KeyOf(a);
    if (reversed) std::swap(a, b);
    const int index = static_cast<int>(m_lines.size());
    m_lines.push_back(SweepLine{a, b, b.x - a.x, b.y - a.y});
    m_edges.push_back(EdgeState{group, -1, -1, 0, 0, -1, -1, 0, 0, 0});
    m_starts.push_back(PendingEnd{KeyOf(a), index});
    if (probe)
      m_pieces->AddProbe(index, line);
    else
      m_pieces->AddSegment(index, line, corners[k], corners[k + 1], reversed);
    m_left = std::min(m_left, double(a.x));
    m_right = std::max(m_right, double(b.x));
  }
}

// Orders the crossings' heap: the earliest on top. Crossings apart by more than the doubles'
// error in x need no more.
struct Later {
  const CSweepGeometry* geometry;
  bool operator()(const PendingCrossing& a, const PendingCrossing& b) const {
    const double error = 2 * CSweepGeometry::kCrossingError;
    if (a.x > b.x + error) return true;
    if (a.x < b.x - error) return false;
    return geometry->Compare(a.Point(), b.Point()) > 0;
  }
};

bool Sweep::NextStop(SweepPoint* point, int* hint) {
  const bool onGrid = m_nextStart < m_starts.size() || !m_pendingEnds.empty();
  std::uint64_t key = ~std::uint64_t(0);
  if (m_nextStart < m_starts.size()) key = m_starts[m_nextStart].key;
  if (!m_pendingEnds.empty()) key = std::min(key, m_pendingEnds.front().key);
  const Later later{&m_geometry};
  if (!m_crossings.empty() &&
      (!onGrid || m_geometry.Compare(CSweepGeometry::AtGrid(PointOfKey(key)),
                                     m_crossings.front().Point()) > 0))
    *point = m_crossings.front().Point();
  else if (onGrid)
    *point = CSweepGeometry::AtGrid(PointOfKey(key));
  else
    return false;
  *hint = -1;
  m_startingHere.clear();
  while (!m_crossings.empty() && m_geometry.Compare(m_crossings.front().Point(), *point) == 0) {
    *hint = m_crossings.front().first;
    std::pop_heap(m_crossings.begin(), m_crossings.end(), later);
    m_crossings.pop_back();
  }
  if (point->crossing) return true;
  while (!m_pendingEnds.empty() && m_pendingEnds.front().key == key) {
    *hint = m_pendingEnds.front().edge;
    std::pop_heap(m_pendingEnds.begin(), m_pendingEnds.end(), std::greater<PendingEnd>());
    m_pendingEnds.pop_back();
  }
  while (m_nextStart < m_starts.size() && m_starts[m_nextStart].key == key)
    m_startingHere.push_back(m_starts[m_nextStart++].edge);
  return true;
}

void Sweep::Run() {
  std::sort(m_starts.begin(), m_starts.end(), [](const PendingEnd& a, const PendingEnd& b) {
    return a.key < b.key || (a.key == b.key && a.edge < b.edge);
  });
  const double span = std::max(1.0, m_right - m_left);
  m_rings.Reserve(m_lines.size());
  SweepPoint p;
  int hint;
  for (unsigned stops = 1; NextStop(&p, &hint); ++stops) {
    if (stops % kProgressInterval == 0 && m_progress &&
        !m_progress(std::min(1.0, std::max(0.0, (p.x - m_left) / span))))
      throw SweepCancelled();
    Stop(p, hint);
  }
}

// The nodes of the edges through p (ending there or passing it), bottom to top, into m_run, and
// the node just below them.
void Sweep::FindRun(const SweepPoint& p, int hint, int* below) {
  m_run.clear();
  const int head = CSweepStatus::kHead;
  int node;
  if (hint >= 0) {
    node = m_edges[hint].node;
    for (int lower = m_status.Previous(node);
         lower != head && m_geometry.Side(m_status.EdgeAt(lower), p) == 0;
         lower = m_status.Previous(lower))
      node = lower;
    for (; node != m_edges[hint].node; node = m_status.Next(node)) m_run.push_back(node);
    m_run.push_back(node);
  } else {
    node = m_status.LastWhere([&](int edge) { return m_geometry.Side(edge, p) > 0; });
    *below = node;
  }
  if (!m_run.empty()) *below = m_status.Previous(m_run.front());
  for (node = m_status.Next(m_run.empty() ? *below : m_run.back());
       node != head && m_geometry.Side(m_status.EdgeAt(node), p) == 0; node = m_status.Next(node))
    m_run.push_back(node);
}

void Sweep::Stop(const SweepPoint& p, int hint) {
  ++m_stop;
  int below = CSweepStatus::kHead;
  FindRun(p, hint, &below);
  if (m_contacts) NoteContacts(below);
  if (m_pieces) EndLines(p);
  CloseIncoming(p);
  PlaceOutgoing(below);
  StartPieces(p, below);
  JoinEnds(p, below);
  if (m_nodes.empty()) {
    CheckNeighbours(p, below, m_status.Next(below));
  } else {
    CheckNeighbours(p, below, m_nodes.front());
    CheckNeighbours(p, m_nodes.back(), m_status.Next(m_nodes.back()));
  }
}

// Ends the pieces of the edges through p there: their boundary ends and measured areas, and the
// edges that end at p.
void Sweep::CloseIncoming(const SweepPoint& p) {
  m_ends.clear();
  m_continuing.clear();
  for (int node : m_run) {
    const int e = m_status.EdgeAt(node);
    EdgeState& edge = m_edges[e];
    // The lowest edge of its group through p gives the group's winding number just below p.
    SeeWindingBelow(edge.group, edge.winding - edge.delta);
    if (edge.measure) m_measured += edge.measure * Moment(e, p);
    if (m_meter) m_meter->Close(e, p);
    if (edge.output) {
      m_ends.push_back(End{e, edge.output, true, edge.chain});
      // The chain's end is held by this end of the stop until it is passed on.
      if (edge.output > 0)
        m_rings.LastHolder(edge.chain) = ~static_cast<int>(m_ends.size() - 1);
      else
        m_rings.FirstHolder(edge.chain) = ~static_cast<int>(m_ends.size() - 1);
    }
    if (!p.crossing && m_lines[e].to == p.grid) {
      --m_active[edge.group];
      if (edge.next >= 0) m_startingHere.push_back(edge.next);
    } else {
      m_continuing.push_back(e);
    }
  }
  m_incomingCount = m_ends.size();
}

// The edges leaving p, in their order just after it, into the run's nodes (and new ones).
void Sweep::PlaceOutgoing(int below) {
  m_outgoing.assign(m_continuing.begin(), m_continuing.end());
  m_outgoing.insert(m_outgoing.end(), m_startingHere.begin(), m_startingHere.end());
  std::sort(m_outgoing.begin(), m_outgoing.end(), [this](int a, int b) {
    const int turn = m_geometry.Turn(a, b);
    return turn != 0 ? turn > 0 : a < b;
  });
  const size_t kept = std::min(m_run.size(), m_outgoing.size());
  for (size_t i = kept; i < m_run.size(); ++i) m_status.Remove(m_run[i]);
  m_nodes.assign(m_run.begin(), m_run.begin() + kept);
  int last = kept > 0 ? m_nodes.back() : below;
  for (size_t i = kept; i < m_outgoing.size(); ++i) {
    last = m_status.InsertAfter(last, -1);
    m_nodes.push_back(last);
  }
  for (size_t i = 0; i < m_outgoing.size(); ++i) {
    m_status.SetEdge(m_nodes[i], m_outgoing[i]);
    m_edges[m_outgoing[i]].node = m_nodes[i];
  }
  for (int e : m_startingHere) {
    m_pendingEnds.push_back(PendingEnd{KeyOf(m_lines[e].to), e});
    std::push_heap(m_pendingEnds.begin(), m_pendingEnds.end(), std::greater<PendingEnd>());
  }
}

void Sweep::SeeWindingBelow(int group, int winding) {
  if (m_stampOf[group] == m_stop) return;
  m_stampOf[group] = m_stop;
  m_windingAt[group] = winding;
}

// The group's winding number at p for a group with no edge through p before it: 0 when the line
// crosses none of its edges, else from its nearest edge below or above p. Groups seldom start
// their rings inside the areas of many others, so the walk is short.
int Sweep::WindingBelow(int group, int below, int above) const {
  if (m_active[group] == 0) return 0;
  for (;;) {
    if (below != CSweepStatus::kHead) {
      const EdgeState& edge = m_edges[m_status.EdgeAt(below)];
      if (edge.group == group) return edge.winding;
      below = m_status.Previous(below);
    }
    if (above != CSweepStatus::kHead) {
      const EdgeState& edge = m_edges[m_status.EdgeAt(above)];
      if (edge.group == group) return edge.winding - edge.delta;
      above = m_status.Next(above);
    }
  }
}

// Across the edge upwards: its group's winding number, and the state where its area starts or
// stops holding the point.
std::uint32_t Sweep::StepOver(std::uint32_t state, EdgeState* edge) {
  const int group = edge->group, operand = m_groups.operandOf[group];
  const int before = m_windingAt[group], after = before + edge->delta;
  m_windingAt[group] = after;
  edge->winding = after;
  const CWindingSweep::Fill fill = m_groups.fillOf[operand];
  const bool was = Holds(fill, before), is = Holds(fill, after);
  return was == is ? state : m_states.Step(state, operand, is);
}

// Winding numbers, states and pieces for the edges leaving p. Edges along each other count as
// one: the lowest of them carries the boundary when the rule differs below and above them all.
void Sweep::StartPieces(const SweepPoint& p, int below) {
  std::uint32_t state = below == CSweepStatus::kHead ? 0 : m_edges[m_status.EdgeAt(below)].above;
  if (!m_outgoing.empty()) {
    const int above = m_status.Next(m_nodes.back());
    for (int e : m_outgoing)
      if (m_stampOf[m_edges[e].group] != m_stop)
        SeeWindingBelow(m_edges[e].group, WindingBelow(m_edges[e].group, below, above));
    for (int e : m_startingHere) ++m_active[m_edges[e].group];
  }
  if (m_pieces || m_contacts) {
    StepWithoutRings(p, state);
    return;
  }
  if (m_meter) {
    StepMeasuring(p, state, below);
    return;
  }
  for (size_t i = 0; i < m_outgoing.size();) {
    size_t j = i + 1;
    while (j < m_outgoing.size() && m_geometry.Turn(m_outgoing[i], m_outgoing[j]) == 0) ++j;
    const std::uint32_t under = state;
    for (size_t k = i; k < j; ++k) {
      EdgeState& edge = m_edges[m_outgoing[k]];
      state = StepOver(state, &edge);
      edge.above = state;
      edge.output = edge.measure = 0;
      edge.chain = -1;
    }
    EdgeState& carrier = m_edges[m_outgoing[i]];
    const bool insideUnder = m_states.Inside(under), insideOver = m_states.Inside(state);
    if (insideUnder != insideOver) {
      carrier.output = insideOver ? 1 : -1;
      m_ends.push_back(End{m_outgoing[i], carrier.output, false, -1});
    }
    const bool measuredUnder = m_states.Measured(under);
    if (measuredUnder != m_states.Measured(state)) {
      carrier.measure = measuredUnder ? -1 : 1;
      m_measured -= carrier.measure * Moment(m_outgoing[i], p);
    }
    i = j;
  }
}

// The pieces of the lines that end at p end there.
void Sweep::EndLines(const SweepPoint& p) {
  if (p.crossing) return;
  for (int node : m_run) {
    const int e = m_status.EdgeAt(node);
    if (m_edges[e].delta == 0 && m_lines[e].to == p.grid) m_pieces->End(e, m_lines[e], p);
  }
}

// StartPieces for a sweep that makes no rings: winding numbers and states only, and where lines
// go on kept. A loop of its own, so that the ring-making one stays as tight as it is.
void Sweep::StepWithoutRings(const SweepPoint& p, std::uint32_t state) {
  for (size_t i = 0; i < m_outgoing.size();) {
    size_t j = i + 1;
    while (j < m_outgoing.size() && m_geometry.Turn(m_outgoing[i], m_outgoing[j]) == 0) ++j;
    const std::uint32_t under = state;
    m_lineWindings.clear();
    for (size_t k = i; k < j; ++k)
      if (m_edges[m_outgoing[k]].delta == 0)
        m_lineWindings.push_back(m_windingAt[m_edges[m_outgoing[k]].group]);
    for (size_t k = i; k < j; ++k) {
      EdgeState& edge = m_edges[m_outgoing[k]];
      state = StepOver(state, &edge);
      edge.above = state;
    }
    if (!m_lineWindings.empty()) CutLinesAt(p, i, j, under, state);
    i = j;
  }
}

// For the lines among the edges from .. to leaving p (which run along each other), whether each
// goes on kept, by the covers on either side of them once their own group is left out.
void Sweep::CutLinesAt(const SweepPoint& p, size_t from, size_t to, std::uint32_t under,
                       std::uint32_t over) {
  size_t seen = 0;
  for (size_t k = from; k < to; ++k) {
    const int e = m_outgoing[k];
    const EdgeState& edge = m_edges[e];
    if (edge.delta != 0) continue;
    const int operand = m_groups.operandOf[edge.group];
    const CWindingSweep::Fill fill = m_groups.fillOf[operand];
    const int below = m_lineWindings[seen++], above = m_windingAt[edge.group];
    const std::uint32_t others[] = {
        Holds(fill, below) ? m_states.Step(under, operand, false) : under,
        Holds(fill, above) ? m_states.Step(over, operand, false) : over};
    m_pieces->Continue(e, m_lines[e], p,
                       (*m_keep)(operand, m_states.CoverOf(others[0]),
                                 m_states.CoverOf(others[1])));
  }
}

// StartPieces for a sweep that measures pairs: where a pair's inner strays outside its outer on
// one side of edges leaving p and not on the other, a piece of its area's boundary starts.
void Sweep::StepMeasuring(const SweepPoint& p, std::uint32_t state, int below) {
  if (m_outgoing.empty()) return;
  m_pairsHere.clear();
  for (int e : m_outgoing) {
    const int group = m_edges[e].group;
    if (m_listedAt[group] == m_stop) continue;
    m_listedAt[group] = m_stop;
    m_pairsOf[group].first = m_pairsHere.size();
    m_meter->PairsAt(group, p, &m_pairsHere);
    m_pairsOf[group].second = m_pairsHere.size();
  }
  // The winding numbers at p of the partners that have no edge through it.
  const int above = m_status.Next(m_nodes.back());
  for (int pair : m_pairsHere)
    for (int group : {m_meter->PairAt(pair).first, m_meter->PairAt(pair).second})
      if (m_stampOf[group] != m_stop) SeeWindingBelow(group, WindingBelow(group, below, above));
  for (size_t i = 0; i < m_outgoing.size();) {
    size_t j = i + 1;
    while (j < m_outgoing.size() && m_geometry.Turn(m_outgoing[i], m_outgoing[j]) == 0) ++j;
    ++m_bundle;
    m_bundlePairs.clear();
    m_strayed.clear();
    for (size_t k = i; k < j; ++k) {
      const std::pair<size_t, size_t>& range = m_pairsOf[m_edges[m_outgoing[k]].group];
      for (size_t n = range.first; n < range.second; ++n) {
        const int pair = m_pairsHere[n];
        if (m_pairMark[pair] == m_bundle) continue;
        m_pairMark[pair] = m_bundle;
        m_bundlePairs.push_back(pair);
        m_strayed.push_back(Strays(pair));
      }
    }
    for (size_t k = i; k < j; ++k) {
      EdgeState& edge = m_edges[m_outgoing[k]];
      state = StepOver(state, &edge);
      edge.above = state;
    }
    for (size_t n = 0; n < m_bundlePairs.size(); ++n) {
      const bool strays = Strays(m_bundlePairs[n]);
      if (strays != m_strayed[n])
        m_meter->Open(m_outgoing[i], p, m_bundlePairs[n], strays ? 1 : -1);
    }
    i = j;
  }
}

// Whether the pair's inner holds the point where the windings are and its outer does not.
bool Sweep::Strays(int pair) const {
  const CStrayMeter::Pair& groups = m_meter->PairAt(pair);
  auto holds = [this](int group) {
    return Holds(m_groups.fillOf[m_groups.operandOf[group]], m_windingAt[group]);
  };
  return holds(groups.first) && !holds(groups.second);
}

// The first corners of groups starting at p, with how many groups hold the point just below p,
// and the groups whose edges pass p, which meet there.
void Sweep::NoteContacts(int below) {
  const std::uint32_t state = below == CSweepStatus::kHead ? 0
                                                           : m_edges[m_status.EdgeAt(below)].above;
  int met = -1;
  auto meet = [&](int group) {
    if (met < 0)
      met = RootOf(&m_contacts->linked, group);
    else
      m_contacts->linked[RootOf(&m_contacts->linked, group)] = met;
  };
  for (int node : m_run) meet(m_edges[m_status.EdgeAt(node)].group);
  for (int e : m_startingHere) {
    const int group = m_edges[e].group;
    if (m_contacts->first[group] < 0) {
      m_contacts->first[group] = static_cast<int>(m_stop);
      m_contacts->holders[group] = m_states.Count(state, 0);
    }
    meet(group);
  }
}

// The measured area comes from the shoelace formula over its boundary. For a piece from p to q of
// an edge from a along d, p x q = (a x d)(t(q) - t(p)) with t the parameter along the edge: each
// end of the piece adds its own term, so pieces need not remember where they started.
double Sweep::Moment(int edge, const SweepPoint& p) const {
  const SweepLine& line = m_lines[edge];
  const double dx = line.dx, dy = line.dy;
  const double t = ((p.x - line.from.x) * dx + (p.y - line.from.y) * dy) / (dx * dx + dy * dy);
  return (double(line.from.x) * dy - double(line.from.y) * dx) * t;
}

// The chain end a holder stands for: >= 0 an edge's piece, < 0 (~i) the stop's end i.
void Sweep::Hold(int holder, int chain) {
  if (holder >= 0) {
    m_edges[holder].chain = chain;
    return;
  }
  // An end of another stop: the sweep lost its way, and the result would be wrong.
  if (static_cast<size_t>(~holder) >= m_ends.size())
    throw std::logic_error("a chain held by an end of another stop");
  m_ends[~holder].chain = chain;
}

// The nearest edge at or below the node whose piece is on the result's boundary, or -1.
int Sweep::EdgeBelow(int node) const {
  for (; node != CSweepStatus::kHead; node = m_status.Previous(node)) {
    const int e = m_status.EdgeAt(node);
    if (m_edges[e].output) return e;
  }
  return -1;
}

// Links the boundary's ends at p. Round p counter-clockwise from straight down they lie: the
// outgoing edges bottom to top, then the incoming ones top to bottom (a vertical one, which comes
// from below, is the lowest of them). The inside lies on the left of the way, so each arriving
// end goes on to the departing end just before it in that order: rings turn away from each other
// where they touch.
void Sweep::JoinEnds(const SweepPoint& p, int below) {
  if (m_ends.empty()) return;
  m_cycle.clear();
  for (size_t i = m_incomingCount; i < m_ends.size(); ++i) m_cycle.push_back(static_cast<int>(i));
  for (size_t i = m_incomingCount; i-- > 0;) m_cycle.push_back(static_cast<int>(i));
  const size_t n = m_cycle.size();
  const bool single = n == 2;
  for (size_t i = 0; i < n; ++i) {
    const End& end = m_ends[m_cycle[i]];
    if (end.incoming != (end.direction < 0)) {
      const size_t before = (i + n - 1) % n;
      // Two new ends with the departing one last: the ring's leftmost point, inside all round
      // on the left: a hole.
      Pair(p, m_cycle[i], m_cycle[before], single, before > i, below);
    }
  }
  if (!single)
    for (int i : m_cycle) m_rings.MarkTouching(m_ends[i].chain);
  for (size_t i = m_incomingCount; i < m_ends.size(); ++i) {
    const End& end = m_ends[i];
    m_edges[end.edge].chain = end.chain;
    if (end.direction > 0)
      m_rings.LastHolder(end.chain) = end.edge;
    else
      m_rings.FirstHolder(end.chain) = end.edge;
  }
}

void Sweep::Pair(const SweepPoint& p, int arriving, int departing, bool single, bool hole,
                 int below) {
  End& a = m_ends[arriving];
  End& d = m_ends[departing];
  if (a.incoming && d.incoming) {
    m_rings.Append(a.chain, p.x, p.y, !single);
    const bool closes = a.chain == d.chain;
    m_rings.Join(a.chain, d.chain);
    // The other chain's far end, and whoever holds it, now belong to this chain.
    if (!closes) Hold(m_rings.LastHolder(a.chain), a.chain);
  } else if (a.incoming) {
    // A straight edge on through p needs no corner there.
    if (!(single && a.edge == d.edge)) m_rings.Append(a.chain, p.x, p.y, !single);
    d.chain = a.chain;
    m_rings.LastHolder(a.chain) = ~departing;
  } else if (d.incoming) {
    if (!(single && a.edge == d.edge)) m_rings.Prepend(d.chain, p.x, p.y, !single);
    a.chain = d.chain;
    m_rings.FirstHolder(d.chain) = ~arriving;
  } else {
    const int under = EdgeBelow(below);
    const int chain = m_rings.Start(p.x, p.y, !single, hole, under < 0 ? -1 : m_edges[under].chain,
                                    under >= 0 && m_edges[under].output > 0);
    a.chain = d.chain = chain;
    m_rings.FirstHolder(chain) = ~arriving;
    m_rings.LastHolder(chain) = ~departing;
  }
}

void Sweep::CheckNeighbours(const SweepPoint& p, int lower, int upper) {
  if (lower == CSweepStatus::kHead || upper == CSweepStatus::kHead) return;
  const int a = m_status.EdgeAt(lower), b = m_status.EdgeAt(upper);
  // Neighbours parted and joined again: their crossing waits already.
  if (m_edges[a].crossingAbove == b) return;
  if (!m_geometry.CrossProperly(a, b)) return;
  SweepPoint crossing = m_geometry.Crossing(a, b);
  if (m_geometry.Compare(crossing, p) <= 0) return;
  m_edges[a].crossingAbove = b;
  m_crossings.push_back(PendingCrossing{crossing.x, crossing.y, crossing.first, crossing.second});
  std::push_heap(m_crossings.begin(), m_crossings.end(), Later{&m_geometry});
}

// Snapping's reach, in grid steps. The exact result carries its input's rounding to the grid
// (half a step) and whatever noise the outlines carried in: edges drawn to meet or to run along
// each other come out a step or two apart, and corners two steps apart belong together.
const double kSnapReach = 4;
// Loops no wider than this on average (in grid steps) are slivers of the same making, left where
// snapping took the corners on either side of one apart: they go.
const double kSliverWidth = 2 * kSnapReach;
// Snapping passes at most. A pass with the full reach may bend edges across each other, or its
// sweep leave new parts narrower than the reach, so passes go on until one changes nothing; the
// last is snap rounding proper (half a step), after which no edges cross.
const int kSnapPasses = 4;
// The progress callback of the sweeps nobody watches. A sweep keeps a reference to its callback,
// so this one outlives them all; likewise the rule of the sweeps that make no area.
const CWindingSweep::Progress kUnwatched;
const CWindingSweep::Rule kNoArea = [](const CWindingSweep::Cover&) { return false; };

// The sweep's result with its corners snapped to the grid, cleaned by sweeps of their own where
// snapping made parts overlap, in page units.
OutlineArea Finish(Sweep* sweep, double originX, double originY, double step) {
  static const Groups clean = {{0}, {CWindingSweep::kPositive}};
  static const CWindingSweep::Rule inside = CWindingSweep::Any;
  // Each pass's sweep lives on until the next one has taken its rings.
  std::unique_ptr<Sweep> passes[2];
  CRingAssembler* rings = &sweep->Rings();
  std::vector<GridPoint> snapped;
  std::vector<size_t> starts;
  for (int pass = 0; pass < kSnapPasses; ++pass) {
    if (!rings->Snap(pass + 1 < kSnapPasses ? kSnapReach : 0.5, &snapped, &starts)) break;
    std::unique_ptr<Sweep>& cleaner = passes[pass % 2];
    cleaner.reset(new Sweep(clean, inside, nullptr, kUnwatched));
    cleaner->Reserve(snapped.size());
    starts.push_back(snapped.size());
    for (size_t r = 0; r + 1 < starts.size(); ++r)
      cleaner->AddRing(&snapped[starts[r]], starts[r + 1] - starts[r], 0);
    cleaner->Run();
    rings = &cleaner->Rings();
  }
  return rings->Area(originX, originY, step, kSliverWidth);
}

void CheckPoints(const std::vector<OutlinePoint>& points, int group, int operand) {
  if (group < 0 || operand < 0) throw std::invalid_argument("negative group or operand");
  // One such point would spoil the grid of all the others.
  for (const OutlinePoint& p : points)
    if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
      throw std::invalid_argument("outline point is not a finite number");
}

// The grid point nearest a point (Grid is CWindingSweep's).
template <class Grid>
GridPoint OnGrid(const Grid& grid, const OutlinePoint& p) {
  return GridPoint{static_cast<std::int32_t>(std::lround((p.x() - grid.originX) * grid.scale)),
                   static_cast<std::int32_t>(std::lround((p.y() - grid.originY) * grid.scale))};
}

}  // namespace

void CWindingSweep::AddRing(const std::vector<OutlinePoint>& ring, int group, int operand) {
  CheckPoints(ring, group, operand);
  // The rules see every operand named, even one whose rings all fell away.
  if (m_fills.size() <= size_t(operand)) m_fills.resize(operand + 1, kOdd);
  if (ring.size() < 3) return;
  m_ringStarts.push_back(m_points.size());
  m_groups.push_back(group);
  m_operands.push_back(operand);
  m_points.insert(m_points.end(), ring.begin(), ring.end());
}

void CWindingSweep::AddArea(const OutlineArea& area, int group, int operand) {
  for (const OutlinePolygon& polygon : area) {
    AddRing(polygon.outer(), group, operand);
    for (const auto& hole : polygon.inners()) AddRing(hole, group, operand);
  }
}

void CWindingSweep::AddLine(const OutlineLine& line, int group, int operand) {
  CheckPoints(line, group, operand);
  if (m_fills.size() <= size_t(operand)) m_fills.resize(operand + 1, kOdd);
  if (line.size() < 2) return;
  m_lines.push_back(line);
  m_lineGroups.push_back(group);
  m_lineOperands.push_back(operand);
}

void CWindingSweep::SetFill(int operand, Fill fill) {
  if (operand < 0) throw std::invalid_argument("negative operand");
  if (m_fills.size() <= size_t(operand)) m_fills.resize(operand + 1, kOdd);
  m_fills[operand] = fill;
}

CWindingSweep::Grid CWindingSweep::FitGrid() const {
  double left = HUGE_VAL, right = -HUGE_VAL, top = HUGE_VAL, bottom = -HUGE_VAL;
  auto take = [&](const OutlinePoint& p) {
    left = std::min(left, p.x());
    right = std::max(right, p.x());
    top = std::min(top, p.y());
    bottom = std::max(bottom, p.y());
  };
  for (const OutlinePoint& p : m_points) take(p);
  for (const OutlineLine& line : m_lines)
    for (const OutlinePoint& p : line) take(p);
  Grid grid = {(left + right) / 2, (top + bottom) / 2, 1};
  double half = std::max(std::max(right - left, bottom - top) / 2, 1e-3);
  grid.scale = kGridHalfRange / half;
  return grid;
}

double CWindingSweep::GridStep() const {
  return m_ringStarts.empty() && m_lines.empty() ? 0 : 1 / FitGrid().scale;
}

std::vector<int> CWindingSweep::OperandsOfGroups() const {
  int groups = 0;
  for (int group : m_groups) groups = std::max(groups, group + 1);
  for (int group : m_lineGroups) groups = std::max(groups, group + 1);
  std::vector<int> operands(groups, 0);
  for (size_t r = 0; r < m_groups.size(); ++r) operands[m_groups[r]] = m_operands[r];
  for (size_t l = 0; l < m_lineGroups.size(); ++l) operands[m_lineGroups[l]] = m_lineOperands[l];
  return operands;
}

template <class Visit>
void CWindingSweep::VisitRings(const Grid& grid, Visit visit) const {
  std::vector<GridPoint> points;
  for (size_t r = 0; r < m_ringStarts.size(); ++r) {
    const size_t end = r + 1 < m_ringStarts.size() ? m_ringStarts[r + 1] : m_points.size();
    points.clear();
    for (size_t i = m_ringStarts[r]; i < end; ++i) {
      const GridPoint q = OnGrid(grid, m_points[i]);
      if (points.empty() || points.back() != q) points.push_back(q);
    }
    while (points.size() > 1 && points.front() == points.back()) points.pop_back();
    visit(points.data(), points.size(), m_groups[r]);
  }
}

OutlineArea CWindingSweep::Area(const Rule& rule, const Progress& progress, const Rule* measure,
                                double* measured) const {
  if (measured) *measured = 0;
  if (m_ringStarts.empty()) return OutlineArea();
  if (progress && !progress(0)) throw SweepCancelled();
  const Grid grid = FitGrid();
  const Groups groups = {OperandsOfGroups(), m_fills};
  Sweep sweep(groups, rule, measure, progress);
  sweep.Reserve(m_points.size());
  VisitRings(grid, [&](const GridPoint* points, size_t n, int group) {
    sweep.AddRing(points, n, group);
  });
  sweep.Run();
  const double step = 1 / grid.scale;
  if (measured) *measured = sweep.Measured() * step * step;
  OutlineArea area = Finish(&sweep, grid.originX, grid.originY, step);
  if (progress && !progress(1)) throw SweepCancelled();
  return area;
}

bool CWindingSweep::Clear(int, const Cover& below, const Cover& above) {
  for (std::size_t operand = 0; operand < below.size(); ++operand)
    if (below[operand] > 0 || above[operand] > 0) return false;
  return true;
}

OutlineLines CWindingSweep::Lines(const LineRule& keep, const Progress& progress) const {
  if (m_lines.empty()) return OutlineLines();
  if (progress && !progress(0)) throw SweepCancelled();
  const Grid grid = FitGrid();
  const Groups groups = {OperandsOfGroups(), m_fills};
  CLinePieces pieces;
  Sweep sweep(groups, kNoArea, nullptr, progress);
  sweep.CutLines(&pieces, &keep);
  sweep.Reserve(m_points.size());
  VisitRings(grid, [&](const GridPoint* points, size_t n, int group) {
    sweep.AddRing(points, n, group);
  });
  std::vector<GridPoint> points;
  std::vector<int> corners;
  for (size_t l = 0; l < m_lines.size(); ++l) {
    points.clear();
    corners.clear();
    for (size_t k = 0; k < m_lines[l].size(); ++k) {
      const GridPoint q = OnGrid(grid, m_lines[l][k]);
      if (points.empty() || points.back() != q) {
        points.push_back(q);
        corners.push_back(static_cast<int>(k));
      } else if (k + 1 == m_lines[l].size()) {
        corners.back() = static_cast<int>(k);  // the line ends where it ends
      }
    }
    // A line the grid sees as a point: a probe one step long decides for all of it.
    const bool probe = points.size() < 2;
    if (probe) points.push_back(GridPoint{points[0].x + 1, points[0].y});
    sweep.AddLine(points.data(), corners.data(), points.size(), m_lineGroups[l], int(l), probe);
  }
  sweep.Run();
  if (progress && !progress(1)) throw SweepCancelled();
  return pieces.Pieces(m_lines, grid.originX, grid.originY, 1 / grid.scale, kSliverWidth);
}

std::vector<double> CWindingSweep::StrayAreas(const std::vector<std::pair<int, int>>& pairs) const {
  if (pairs.empty() || m_ringStarts.empty()) return std::vector<double>(pairs.size(), 0);
  const Grid grid = FitGrid();
  const Groups groups = {OperandsOfGroups(), m_fills};
  const size_t count = groups.operandOf.size();
  for (const std::pair<int, int>& pair : pairs)
    if (std::max(pair.first, pair.second) >= int(count) || std::min(pair.first, pair.second) < 0)
      throw std::invalid_argument("a pair of groups that are not there");
  Sweep sweep(groups, kNoArea, nullptr, kUnwatched);
  sweep.Reserve(m_points.size());
  const std::int32_t most = std::numeric_limits<std::int32_t>::max();
  std::vector<GridPoint> lows(count, GridPoint{most, most}), highs(count, GridPoint{-most, -most});
  std::vector<GridPoint> firsts(count, GridPoint{0, 0});
  VisitRings(grid, [&](const GridPoint* points, size_t n, int group) {
    if (n > 0 && lows[group].x == most) firsts[group] = points[0];
    for (size_t i = 0; i < n; ++i) {
      lows[group] = GridPoint{std::min(lows[group].x, points[i].x),
                              std::min(lows[group].y, points[i].y)};
      highs[group] = GridPoint{std::max(highs[group].x, points[i].x),
                               std::max(highs[group].y, points[i].y)};
    }
    sweep.AddRing(points, n, group);
  });
  CStrayMeter meter(pairs, lows, highs, firsts);
  sweep.Measure(&meter, pairs.size());
  sweep.Run();
  std::vector<double> areas = meter.Areas();
  const double step = 1 / grid.scale;
  for (double& area : areas) area *= step * step;
  return areas;
}

CWindingSweep::Contacts CWindingSweep::ContactsOf() const {
  const Groups groups = {OperandsOfGroups(), m_fills};
  const size_t count = groups.operandOf.size();
  Contacts contacts;
  contacts.first.assign(count, -1);
  contacts.holders.assign(count, -1);
  contacts.linked.resize(count);
  for (size_t g = 0; g < count; ++g) contacts.linked[g] = static_cast<int>(g);
  if (m_ringStarts.empty()) return contacts;
  Sweep sweep(groups, kNoArea, nullptr, kUnwatched);
  sweep.Watch(&contacts);
  sweep.Reserve(m_points.size());
  VisitRings(FitGrid(), [&](const GridPoint* points, size_t n, int group) {
    sweep.AddRing(points, n, group);
  });
  sweep.Run();
  for (size_t g = 0; g < count; ++g) contacts.linked[g] = RootOf(&contacts.linked, int(g));
  return contacts;
}
