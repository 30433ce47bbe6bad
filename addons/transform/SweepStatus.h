// CSweepStatus: the edges the winding sweep's line crosses, in their order along it (bottom to
// top), as a skip list of nodes that each hold one edge index. The sweep keeps the order right:
// it inserts next to nodes it has found, swaps the edges held by neighbouring nodes where edges
// cross, and searches only with a predicate that holds for a bottom run of the list. Node 0 is
// the list's head; the lists at every level are circular through it, so Next(last) and
// Previous(first) give 0. Nodes are numbered from 1 in the order they were made and never reused.
#pragma once

#include <cstdint>
#include <vector>

class CSweepStatus {
public:
  static const int kHead = 0;

  CSweepStatus();

  int Next(int node) const { return m_links[m_nodes[node].base].next; }
  int Previous(int node) const { return m_links[m_nodes[node].base].previous; }
  int EdgeAt(int node) const { return m_nodes[node].edge; }
  void SetEdge(int node, int edge) { m_nodes[node].edge = edge; }

  // A new node holding the edge, right after the given node (the head: first in the list).
  int InsertAfter(int node, int edge);
  void Remove(int node);
  // The last node whose edge satisfies the predicate, which must hold for the first n nodes and
  // for no others; the head when it holds for none.
  template <class Predicate>
  int LastWhere(const Predicate& holds) const {
    int node = kHead;
    for (int level = m_levels - 1; level >= 0; --level) {
      for (;;) {
        int next = m_links[m_nodes[node].base + level].next;
        if (next == kHead || !holds(m_nodes[next].edge)) break;
        node = next;
      }
    }
    return node;
  }

private:
  static const int kMostLevels = 24;
  struct Node {
    int edge;
    int base;  // its first link: links base .. base + height - 1, one per level
    int height;
  };
  struct Link {
    int next, previous;
  };

  int RandomHeight();

  std::vector<Node> m_nodes;
  std::vector<Link> m_links;
  int m_levels;  // levels in use: no node is taller
  std::uint32_t m_random;
};
