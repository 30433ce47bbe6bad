#include "addons/transform/RingNesting.h"

#include <boost/geometry/index/rtree.hpp>

#include "addons/transform/WindingSweep.h"

namespace {

namespace bgi = boost::geometry::index;

typedef bg::model::box<OutlinePoint> Box;

double EvenOddSize(const OutlinePolygon& ring) {
  CWindingSweep sweep;
  sweep.AddRing(ring.outer(), 0, 0);
  double size = 0;
  const CWindingSweep::Rule odd = CWindingSweep::Any;
  sweep.Area(odd, CWindingSweep::Progress(), &odd, &size);
  return size;
}

// Whether a's even-odd area (of the given size) lies within b's, up to the grid's rounding.
bool Within(const OutlinePolygon& a, double size, const OutlinePolygon& b) {
  if (!bg::covered_by(bg::return_envelope<Box>(a), bg::return_envelope<Box>(b))) return false;
  CWindingSweep sweep;
  sweep.AddRing(a.outer(), 0, 0);
  sweep.AddRing(b.outer(), 1, 1);
  const CWindingSweep::Rule outside = [](const CWindingSweep::Cover& c) {
    return c[0] > 0 && c[1] == 0;
  };
  double stray = 0;
  sweep.Area(outside, CWindingSweep::Progress(), &outside, &stray);
  return stray <= 1e-9 * size + 1e-12;
}

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
  for (const std::vector<int>& group : groups) {
    if (group.empty()) continue;
    // Below the group's first corner none of its own rings holds anything.
    int first = group[0];
    for (int i : group)
      if (contacts.first[i] < contacts.first[first]) first = i;
    for (int i : group) depths[i] = contacts.holders[first];
    if (group.size() > 1) NestWithin(rings, group, &depths);
  }
  return depths;
}

void CRingNesting::NestWithin(const std::vector<OutlinePolygon>& rings,
                              const std::vector<int>& group, std::vector<int>* depths) {
  typedef std::pair<Box, int> Entry;
  std::vector<Entry> boxes;
  for (int i : group) boxes.push_back(Entry(bg::return_envelope<Box>(rings[i]), i));
  const bgi::rtree<Entry, bgi::rstar<16>> tree(boxes.begin(), boxes.end());
  std::vector<double> sizes(rings.size(), -1);
  auto sizeOf = [&](int i) {
    if (sizes[i] < 0) sizes[i] = EvenOddSize(rings[i]);
    return sizes[i];
  };
  for (const Entry& a : boxes) {
    for (auto b = tree.qbegin(bgi::covers(a.first)); b != tree.qend(); ++b) {
      const int i = a.second, j = b->second;
      if (i != j && Within(rings[i], sizeOf(i), rings[j]) && !Within(rings[j], sizeOf(j), rings[i]))
        ++(*depths)[i];
    }
  }
}
