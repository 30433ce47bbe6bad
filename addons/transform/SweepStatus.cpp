#include "addons/transform/SweepStatus.h"

CSweepStatus::CSweepStatus() : m_levels(1), m_random(0x9E3779B9u) {
  m_nodes.push_back(Node{-1, 0, kMostLevels});
  for (int level = 0; level < kMostLevels; ++level) m_links.push_back(Link{kHead, kHead});
}

int CSweepStatus::RandomHeight() {
  // One more level with a chance of one in four: short searches with few links.
  m_random ^= m_random << 13;
  m_random ^= m_random >> 17;
  m_random ^= m_random << 5;
  int height = 1;
  for (std::uint32_t bits = m_random; height < kMostLevels && (bits & 3) == 0; bits >>= 2) ++height;
  return height;
}

int CSweepStatus::InsertAfter(int after, int edge) {
  const int node = static_cast<int>(m_nodes.size());
  const int height = RandomHeight();
  m_nodes.push_back(Node{edge, static_cast<int>(m_links.size()), height});
  m_links.resize(m_links.size() + height);
  if (height > m_levels) m_levels = height;
  // At each level the node follows the nearest node before it that is tall enough: found by
  // walking back along the level below from the one found there.
  int before = after;
  for (int level = 0; level < height; ++level) {
    while (m_nodes[before].height <= level)
      before = m_links[m_nodes[before].base + level - 1].previous;
    Link& previous = m_links[m_nodes[before].base + level];
    const int next = previous.next;
    m_links[m_nodes[node].base + level] = Link{next, before};
    previous.next = node;
    m_links[m_nodes[next].base + level].previous = node;
  }
  return node;
}

void CSweepStatus::Remove(int node) {
  const Node& removed = m_nodes[node];
  for (int level = 0; level < removed.height; ++level) {
    const Link link = m_links[removed.base + level];
    m_links[m_nodes[link.previous].base + level].next = link.next;
    m_links[m_nodes[link.next].base + level].previous = link.previous;
  }
}
