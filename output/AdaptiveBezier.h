// CAdaptiveBezier: turns a cubic Bezier segment into straight cuts, splitting it where it still
// bends more than the tolerances allow. The split point leans toward the sharper end so that
// tight curves get short pieces where they need them.
#pragma once

#include <vector>

#include "model/geometry/FRect.h"

class CAdaptiveBezier {
public:
  // distanceTolerance in device steps, angleTolerance in radians.
  CAdaptiveBezier(float distanceTolerance, float angleTolerance);

  // The tolerances that a curve accuracy (in steps and in degrees) gives.
  static float DistanceToleranceFor(float accuracy);
  static float AngleToleranceFor(float accuracy);

  // Appends the end point of every straight piece, the segment's own end last. A segment whose
  // four points coincide gives none.
  void Flatten(const FPOINT points[4], std::vector<FPOINT>* ends) const;

private:
  void Subdivide(const FPOINT points[4], int depth, std::vector<FPOINT>* ends) const;

  float m_distanceTolerance;
  float m_angleTolerance;
};
