// CCornerJoin: how an offset joins the two offset sides at a corner that opens towards the offset
// (a convex corner when growing, a concave one when shrinking). The corner's interior angle (180
// degrees less the turn) decides:
//   - at or above the threshold the corner is a gentle bend, as between the straight pieces of a
//     flattened Bezier segment, and is joined round;
//   - below it, a corner at or above the angle limit keeps its point (mitre);
//   - sharper corners would give long spikes: they are rounded, or with bevel set cut flat across
//     the corner's bisector at the offset distance from the corner.
// Round joins use arcs whose chords stay within the given chord error of the circle. Points are
// page units; normals are unit vectors.
#pragma once

#include <vector>

#include "addons/transform/OutlineTypes.h"

class CCornerJoin {
public:
  enum Sharp { kRoundSharp, kBevelSharp };

  CCornerJoin(double thresholdDegrees, double angleLimitDegrees, Sharp sharp, bool roundAll,
              double chordError);
  // Mitres at every corner down to the sharpest, which are cut flat: the knife of a line cut.
  static CCornerJoin Mitre(double chordError);

  // Appends the join at vertex from the end of one offset side (vertex + distance * n1) to the
  // start of the next (vertex + distance * n2): an arc with both ends, or the corners of a
  // mitre or a flat cut, which the sides carried on reach.
  void Join(const OutlinePoint& vertex, const OutlinePoint& n1, const OutlinePoint& n2,
            double distance, std::vector<OutlinePoint>* out) const;
  // Appends the points of the arc of the given radius around centre strictly between the angles
  // from and from + sweep (radians).
  void Arc(const OutlinePoint& centre, double radius, double from, double sweep,
           std::vector<OutlinePoint>* out) const;

private:
  void FlatCut(const OutlinePoint& vertex, const OutlinePoint& o1, const OutlinePoint& o2,
               double distance, std::vector<OutlinePoint>* out) const;

  double m_threshold;
  double m_angleLimit;
  Sharp m_sharp;
  bool m_roundAll;
  double m_chordError;
};
