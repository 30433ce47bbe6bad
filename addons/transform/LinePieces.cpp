#include "addons/transform/LinePieces.h"

#include <algorithm>

void CLinePieces::AddSegment(int edge, int line, int start, int end, bool reversed) {
  if (m_segmentOf.size() <= size_t(edge)) m_segmentOf.resize(edge + 1, -1);
  m_segmentOf[edge] = static_cast<int>(m_segments.size());
  m_segments.push_back(Segment{line, start, end, reversed, false, false, Place{-1, 0, 0}});
}

void CLinePieces::AddProbe(int edge, int line) {
  AddSegment(edge, line, 0, 0, false);
  m_segments.back().whole = true;
}

CLinePieces::Place CLinePieces::PlaceOf(const Segment& segment, const SweepLine& line,
                                        const SweepPoint& p) const {
  if (!p.crossing && p.grid == line.from)
    return Place{segment.reversed ? segment.end : segment.start, p.x, p.y};
  if (!p.crossing && p.grid == line.to)
    return Place{segment.reversed ? segment.start : segment.end, p.x, p.y};
  return Place{-1, p.x, p.y};
}

void CLinePieces::Close(Segment* segment, int index, const SweepLine& line, const SweepPoint& p) {
  if (!segment->open) return;
  segment->open = false;
  m_pieces.push_back(Piece{index, segment->begin, PlaceOf(*segment, line, p)});
}

void CLinePieces::Continue(int edge, const SweepLine& line, const SweepPoint& p, bool kept) {
  const int index = m_segmentOf[edge];
  Segment& segment = m_segments[index];
  if (!kept) {
    Close(&segment, index, line, p);
  } else if (!segment.open) {
    segment.open = true;
    segment.begin = PlaceOf(segment, line, p);
  }
}

void CLinePieces::End(int edge, const SweepLine& line, const SweepPoint& p) {
  const int index = m_segmentOf[edge];
  Close(&m_segments[index], index, line, p);
}

OutlineLines CLinePieces::Pieces(const std::vector<OutlineLine>& lines, double originX,
                                 double originY, double step, double dust) const {
  std::vector<Piece> pieces = m_pieces;
  std::stable_sort(pieces.begin(), pieces.end(),
                   [](const Piece& a, const Piece& b) { return a.segment < b.segment; });
  OutlineLines out;
  int line = -1, firstCorner = -1, lastCorner = -1;
  double length = 0;
  auto point = [&](const Place& place) {
    return place.corner >= 0 ? lines[line][place.corner]
                             : OutlinePoint(originX + place.x * step, originY + place.y * step);
  };
  // The piece made last goes when it is cut from its line and no longer than the dust.
  auto settle = [&] {
    if (line < 0) return;
    const bool whole = firstCorner == 0 && lastCorner == int(lines[line].size()) - 1;
    if (!whole && length <= dust * step) out.pop_back();
    line = -1;
  };
  for (size_t i = 0; i < pieces.size();) {
    // The pieces of one segment, in the line's direction.
    size_t j = i;
    while (j < pieces.size() && pieces[j].segment == pieces[i].segment) ++j;
    const Segment& segment = m_segments[pieces[i].segment];
    if (segment.whole) {
      settle();
      out.push_back(lines[segment.line]);
      i = j;
      continue;
    }
    for (size_t k = 0; k < j - i; ++k) {
      const Piece& piece = pieces[segment.reversed ? j - 1 - k : i + k];
      const Place& from = segment.reversed ? piece.to : piece.from;
      const Place& to = segment.reversed ? piece.from : piece.to;
      // A piece that starts at the corner where the last one ended carries it on.
      if (segment.line != line || from.corner < 0 || from.corner != lastCorner) {
        settle();
        line = segment.line;
        firstCorner = from.corner;
        length = 0;
        out.emplace_back();
        out.back().push_back(point(from));
      }
      out.back().push_back(point(to));
      length += bg::distance(out.back()[out.back().size() - 2], out.back().back());
      lastCorner = to.corner;
    }
    i = j;
  }
  settle();
  return out;
}
