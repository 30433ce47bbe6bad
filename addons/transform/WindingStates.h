// CWindingStates: what the sweep knows of a point besides the winding number of each group: for
// each operand, how many of its groups' areas hold the point (its cover). Each distinct cover is
// kept once under a small number, with the steps between them and the rules' answers remembered.
// However many groups there are, the covers a sweep meets are few (for a union of N outlines, at
// most N + 1), so crossing an edge costs one table look and the rules (arbitrary functions) are
// asked once per cover. State 0 is the empty cover: outside every area.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <utility>
#include <vector>

class CWindingStates {
public:
  // For operand i, how many of its groups hold the point (none of an operand never named).
  class Cover {
  public:
    explicit Cover(std::vector<int> counts = std::vector<int>()) : m_counts(std::move(counts)) {}
    int operator[](std::size_t operand) const {
      return operand < m_counts.size() ? m_counts[operand] : 0;
    }
    std::size_t size() const { return m_counts.size(); }

  private:
    friend class CWindingStates;
    std::vector<int> m_counts;
  };
  typedef std::function<bool(const Cover&)> Rule;

  // Operands are numbered 0 to operands - 1; the rules see a cover of them all. The rules stay
  // the caller's and must outlive the states; measure may be null.
  CWindingStates(int operands, const Rule& rule, const Rule* measure);

  // The state on the other side of an edge where one of the operand's groups starts (into) or
  // stops holding the point.
  std::uint32_t Step(std::uint32_t state, int operand, bool into) {
    const std::uint64_t key = (std::uint64_t(state) << 32) |
                              (std::uint32_t(operand) << 1 | (into ? 1u : 0u));
    std::uint32_t slot = Hash(key);
    for (;; slot = (slot + 1) & m_mask) {
      if (m_keys[slot] == key) return m_targets[slot];
      if (m_keys[slot] == kNoKey) break;
    }
    return AddStep(key, state, operand, into);
  }
  bool Inside(std::uint32_t state) { return Answer(state, m_rule, &m_inside); }
  // How many of the operand's groups hold the points of the state; all of them.
  int Count(std::uint32_t state, int operand) const;
  const Cover& CoverOf(std::uint32_t state);
  bool Measured(std::uint32_t state) { return m_measure && Answer(state, *m_measure, &m_measured); }

private:
  static const std::uint64_t kNoKey = ~std::uint64_t(0);
  // A cover as its operands with a count, by ascending operand.
  typedef std::vector<std::pair<int, int>> Counts;

  std::uint32_t Hash(std::uint64_t key) const {
    return static_cast<std::uint32_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & m_mask;
  }
  std::uint32_t AddStep(std::uint64_t key, std::uint32_t state, int operand, bool into);
  std::uint32_t Intern(const Counts& counts);
  bool Answer(std::uint32_t state, const Rule& rule, std::vector<std::int8_t>* answers);

  const int m_operands;
  const Rule& m_rule;
  const Rule* m_measure;
  std::vector<Counts> m_states;
  std::map<Counts, std::uint32_t> m_ids;
  std::vector<std::int8_t> m_inside, m_measured;  // -1 while not asked
  Cover m_cover;                                  // a state's cover while a rule looks at it
  std::deque<Cover> m_covers;  // by state, once asked (empty before); a deque keeps them in place
  // The steps, in an open-addressed table of a power-of-two size kept at most half full.
  std::vector<std::uint64_t> m_keys;
  std::vector<std::uint32_t> m_targets;
  std::uint32_t m_mask;
  std::size_t m_used;
};
