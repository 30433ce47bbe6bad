// CArcBeziers: circular and elliptic arcs as cubic Bezier pieces of at most a quarter turn each
// (the radial error of such a piece is below 0.03 % of the radius). The arc is the points
// centre + u cos t + v sin t for t from t0 to t1 in radians (t1 below t0 runs backwards); u and
// v are the half axes, so u = (r, 0), v = (0, r) is a circle run counter-clockwise with y up.
#pragma once

#include "addons/importfilter/ImportMatrix.h"
#include "addons/importfilter/ImportPath.h"

class CArcBeziers {
public:
  // The most pieces one arc is cut into: longer sweeps are refused.
  static const int kMostPieces = 4096;

  // Appends the arc mapped through the matrix. With a current point the arc is joined to it by a
  // line (none when the arc starts there); without one it begins with a move. False, adding
  // nothing, for a sweep that is not finite or needs more than kMostPieces pieces.
  static bool Append(CImportPath* path, ImportPoint2 centre, ImportPoint2 u, ImportPoint2 v,
                     double t0, double t1, const ImportMatrix& matrix);
  // The arc's pieces alone, for a path that stands at the arc's start: the last point is the end
  // given (where the caller has the arc end, to the last bit). False, adding nothing, as Append.
  static bool AppendPieces(CImportPath* path, ImportPoint2 centre, ImportPoint2 u, ImportPoint2 v,
                           double t0, double t1, const ImportMatrix& matrix, ImportPoint2 end);
  // The pieces an arc of the sweep (radians) is cut into; 0 when it is refused.
  static int Pieces(double sweep);
};
