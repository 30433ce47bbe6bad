#include "addons/transform/WindingStates.h"

#include <algorithm>
#include <climits>

CWindingStates::CWindingStates(const Rule& rule, const Rule* measure)
    : m_rule(rule),
      m_measure(measure),
      m_keys(1024, kNoKey),
      m_targets(1024),
      m_mask(1023),
      m_used(0) {
  Intern(Windings());
}

std::uint32_t CWindingStates::Intern(const Windings& windings) {
  auto found = m_ids.find(windings);
  if (found != m_ids.end()) return found->second;
  const std::uint32_t id = static_cast<std::uint32_t>(m_sets.size());
  m_sets.push_back(windings);
  m_ids.emplace(windings, id);
  m_inside.push_back(-1);
  m_measured.push_back(-1);
  return id;
}

std::uint32_t CWindingStates::AddStep(std::uint64_t key, std::uint32_t state, int group,
                                      int delta) {
  Windings next = m_sets[state];
  auto place = std::lower_bound(next.begin(), next.end(), std::make_pair(group, INT_MIN));
  if (place != next.end() && place->first == group) {
    place->second += delta;
    if (place->second == 0) next.erase(place);
  } else {
    next.insert(place, std::make_pair(group, delta));
  }
  const std::uint32_t target = Intern(next);
  if (2 * (m_used + 1) > m_keys.size()) {
    // Grow to twice the size and put every step back.
    std::vector<std::uint64_t> keys(2 * m_keys.size(), kNoKey);
    std::vector<std::uint32_t> targets(keys.size());
    keys.swap(m_keys);
    targets.swap(m_targets);
    m_mask = static_cast<std::uint32_t>(m_keys.size() - 1);
    for (std::size_t i = 0; i < keys.size(); ++i) {
      if (keys[i] == kNoKey) continue;
      std::uint32_t slot = Hash(keys[i]);
      while (m_keys[slot] != kNoKey) slot = (slot + 1) & m_mask;
      m_keys[slot] = keys[i];
      m_targets[slot] = targets[i];
    }
  }
  std::uint32_t slot = Hash(key);
  while (m_keys[slot] != kNoKey) slot = (slot + 1) & m_mask;
  m_keys[slot] = key;
  m_targets[slot] = target;
  ++m_used;
  return target;
}

bool CWindingStates::Answer(std::uint32_t state, const Rule& rule,
                            std::vector<std::int8_t>* answers) {
  std::int8_t& answer = (*answers)[state];
  if (answer < 0) answer = rule(m_sets[state]) ? 1 : 0;
  return answer == 1;
}
