// CWindingStates: the winding numbers the sweep meets, each distinct set kept once under a small
// number, with the steps between them and the rule's answer for each remembered. A sweep over a
// million edges meets only a few hundred distinct sets, so crossing an edge costs one table look
// and the rules (arbitrary functions) are asked once per set. State 0 is the empty set: outside
// every ring. A set lists (group, winding number) by ascending group, without zero numbers.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

class CWindingStates {
public:
  typedef std::vector<std::pair<int, int>> Windings;
  typedef std::function<bool(const Windings&)> Rule;

  // The rules stay the caller's and must outlive the states; measure may be null.
  CWindingStates(const Rule& rule, const Rule* measure);

  // The set on the other side of an edge of the group that adds delta to its winding number.
  std::uint32_t Step(std::uint32_t state, int group, int delta) {
    const std::uint64_t key = (std::uint64_t(state) << 32) |
                              (std::uint32_t(group) << 1 | (delta > 0 ? 1u : 0u));
    std::uint32_t slot = Hash(key);
    for (;; slot = (slot + 1) & m_mask) {
      if (m_keys[slot] == key) return m_targets[slot];
      if (m_keys[slot] == kNoKey) break;
    }
    return AddStep(key, state, group, delta);
  }
  bool Inside(std::uint32_t state) { return Answer(state, m_rule, &m_inside); }
  bool Measured(std::uint32_t state) { return m_measure && Answer(state, *m_measure, &m_measured); }

private:
  static const std::uint64_t kNoKey = ~std::uint64_t(0);

  std::uint32_t Hash(std::uint64_t key) const {
    return static_cast<std::uint32_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & m_mask;
  }
  std::uint32_t AddStep(std::uint64_t key, std::uint32_t state, int group, int delta);
  std::uint32_t Intern(const Windings& windings);
  bool Answer(std::uint32_t state, const Rule& rule, std::vector<std::int8_t>* answers);

  const Rule& m_rule;
  const Rule* m_measure;
  std::vector<Windings> m_sets;
  std::map<Windings, std::uint32_t> m_ids;
  std::vector<std::int8_t> m_inside, m_measured;  // -1 while not asked
  // The steps, in an open-addressed table of a power-of-two size kept at most half full.
  std::vector<std::uint64_t> m_keys;
  std::vector<std::uint32_t> m_targets;
  std::uint32_t m_mask;
  std::size_t m_used;
};
