#include "addons/transform/WindingStates.h"

#include <algorithm>
#include <climits>

CWindingStates::CWindingStates(int operands, const Rule& rule, const Rule* measure)
    : m_operands(operands),
      m_rule(rule),
      m_measure(measure),
      m_keys(256, kNoKey),
      m_targets(256),
      m_mask(255),
      m_used(0) {
  Intern(Counts());
}

std::uint32_t CWindingStates::Intern(const Counts& counts) {
  auto found = m_ids.find(counts);
  if (found != m_ids.end()) return found->second;
  const std::uint32_t id = static_cast<std::uint32_t>(m_states.size());
  m_states.push_back(counts);
  m_ids.emplace(counts, id);
  m_inside.push_back(-1);
  m_measured.push_back(-1);
  return id;
}

std::uint32_t CWindingStates::AddStep(std::uint64_t key, std::uint32_t state, int operand,
                                      bool into) {
  Counts next = m_states[state];
  auto place = std::lower_bound(next.begin(), next.end(), std::make_pair(operand, INT_MIN));
  if (place == next.end() || place->first != operand)
    place = next.insert(place, std::make_pair(operand, 0));
  place->second += into ? 1 : -1;
  if (place->second == 0) next.erase(place);
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

int CWindingStates::Count(std::uint32_t state, int operand) const {
  for (const auto& count : m_states[state])
    if (count.first == operand) return count.second;
  return 0;
}

const CWindingStates::Cover& CWindingStates::CoverOf(std::uint32_t state) {
  if (m_covers.size() <= state) m_covers.resize(m_states.size());
  Cover& cover = m_covers[state];
  if (cover.size() == 0) {
    cover.m_counts.assign(m_operands, 0);
    for (const auto& count : m_states[state]) cover.m_counts[count.first] = count.second;
  }
  return cover;
}

bool CWindingStates::Answer(std::uint32_t state, const Rule& rule,
                            std::vector<std::int8_t>* answers) {
  std::int8_t& answer = (*answers)[state];
  if (answer < 0) {
    m_cover.m_counts.assign(m_operands, 0);
    for (const auto& count : m_states[state]) m_cover.m_counts[count.first] = count.second;
    answer = rule(m_cover) ? 1 : 0;
  }
  return answer == 1;
}
