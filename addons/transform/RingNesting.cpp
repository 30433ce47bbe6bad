#include "addons/transform/RingNesting.h"

#include <algorithm>
#include <boost/geometry/index/rtree.hpp>

#include "addons/transform/WindingSweep.h"

namespace {

namespace bgi = boost::geometry::index;

typedef bg::model::box<OutlinePoint> Box;
typedef std::pair<int, int> Pair;

// How far the grid's rounding can move a ring's outline, in grid steps: what a ring leaves
// outside another one that it runs along, up to this width along its length, is rounding.
const double kRoundingReach = 4;

}  // namespace

std::vector<int> CRingNesting::Depths(const std::vector<OutlinePolygon>& rings) {
  const size_t count = rings.size();
  CWindingSweep sweep;
  for (size_t i = 0; i < count; ++i) sweep.AddRing(rings[i].outer(), int(i), 0);
  const CWindingSweep::Contacts contacts = sweep.ContactsOf();
  // Rings the grid sees no area of (fewer than three corners on it) hold nothing and show
  // nothing: they stay at depth 0.
  const size_t swept = contacts.linked.size();
  std::vector<std::vector<int>> groups(swept);
  for (size_t i = 0; i < swept; ++i)
    if (contacts.first[i] >= 0) groups[contacts.linked[i]].push_back(static_cast<int>(i));
  std::vector<int> depths(count, 0);
  std::vector<std::vector<int>> meeting;
  for (const std::vector<int>& group : groups) {
    if (group.empty()) continue;
    // Below the group's first corner none of its own rings holds anything.
    int first = group[0];
    for (int i : group)
      if (contacts.first[i] < contacts.first[first]) first = i;
    for (int i : group) depths[i] = contacts.holders[first];
    if (group.size() > 1) meeting.push_back(group);
  }
  if (!meeting.empty()) NestWithin(rings, meeting, &depths);
  return depths;
}

void CRingNesting::NestWithin(const std::vector<OutlinePolygon>& rings,
                              const std::vector<std::vector<int>>& groups,
                              std::vector<int>* depths) {
  // Within each group, every ring (inner) with each ring whose box covers its box (outer).
  std::vector<Pair> pairs;
  typedef std::pair<Box, int> Entry;
  for (const std::vector<int>& group : groups) {
    std::vector<Entry> boxes;
    for (int i : group) boxes.push_back(Entry(bg::return_envelope<Box>(rings[i]), i));
    const bgi::rtree<Entry, bgi::rstar<16>> tree(boxes.begin(), boxes.end());
    for (const Entry& a : boxes)
      for (auto b = tree.qbegin(bgi::covers(a.first)); b != tree.qend(); ++b)
        if (a.second != b->second) pairs.push_back(Pair(a.second, b->second));
  }
  if (pairs.empty()) return;
  CWindingSweep sweep;
  std::vector<bool> added(rings.size(), false);
  for (const Pair& pair : pairs) {
    for (int i : {pair.first, pair.second}) {
      if (added[i]) continue;
      added[i] = true;
      sweep.AddRing(rings[i].outer(), i, 0);
    }
  }
  const std::vector<double> strays = sweep.StrayAreas(pairs);
  const double reach = kRoundingReach * sweep.GridStep();
  std::vector<Pair> within;
  for (size_t k = 0; k < pairs.size(); ++k)
    if (strays[k] <= reach * bg::perimeter(rings[pairs[k].first].outer()))
      within.push_back(pairs[k]);
  std::sort(within.begin(), within.end());
  for (const Pair& pair : within)
    if (!std::binary_search(within.begin(), within.end(), Pair(pair.second, pair.first)))
      ++(*depths)[pair.first];
}
