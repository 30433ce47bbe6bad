#include "output/AdaptiveBezier.h"

#include <algorithm>
#include <cmath>

namespace {

// The device profiles were tuned with these rounded constants; keep them.
const float kRadiansPerDegree = 0.0174532778f;
const float kFullTurn = 6.2831852f;
const int kMaxDepth = 10;

bool SamePoint(const FPOINT& a, const FPOINT& b) { return a.x == b.x && a.y == b.y; }

// Distance of p from the chord a-b whose length is given.
float DistanceFromChord(const FPOINT& p, const FPOINT& a, const FPOINT& b, double chord) {
  double dx = b.x - a.x;
  double dy = b.y - a.y;
  if (chord == 0.0) return static_cast<float>(std::hypot(p.x - a.x, p.y - a.y));
  return static_cast<float>(std::fabs((p.x - a.x) * dy - (p.y - a.y) * dx) / chord);
}

// Angle between the vector from -> to and a direction, folded into 0..pi.
float AngleToChord(const FPOINT& from, const FPOINT& to, float chordDirection) {
  float a = static_cast<float>(std::atan2(to.y - from.y, to.x - from.x)) - chordDirection;
  a = std::fmod(a, kFullTurn);
  if (a < 0.0f) a += kFullTurn;
  return std::min(a, kFullTurn - a);
}

FPOINT Between(const FPOINT& a, const FPOINT& b, float t) {
  return FPOINT{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

// de Casteljau split at t.
void Split(const FPOINT p[4], float t, FPOINT first[4], FPOINT second[4]) {
  FPOINT p01 = Between(p[0], p[1], t);
  FPOINT p12 = Between(p[1], p[2], t);
  FPOINT p23 = Between(p[2], p[3], t);
  FPOINT p012 = Between(p01, p12, t);
  FPOINT p123 = Between(p12, p23, t);
  FPOINT mid = Between(p012, p123, t);
  first[0] = p[0];
  first[1] = p01;
  first[2] = p012;
  first[3] = mid;
  second[0] = mid;
  second[1] = p123;
  second[2] = p23;
  second[3] = p[3];
}

}  // namespace

CAdaptiveBezier::CAdaptiveBezier(float distanceTolerance, float angleTolerance)
    : m_distanceTolerance(distanceTolerance), m_angleTolerance(angleTolerance) {}

float CAdaptiveBezier::DistanceToleranceFor(float accuracy) {
  return std::max(accuracy / 2.0f, 1.0f);
}

float CAdaptiveBezier::AngleToleranceFor(float accuracy) { return accuracy * kRadiansPerDegree; }

void CAdaptiveBezier::Flatten(const FPOINT points[4], std::vector<FPOINT>* ends) const {
  Subdivide(points, 0, ends);
}

void CAdaptiveBezier::Subdivide(const FPOINT p[4], int depth, std::vector<FPOINT>* ends) const {
  if (SamePoint(p[0], p[1]) && SamePoint(p[0], p[2]) && SamePoint(p[0], p[3])) return;

  const double chordX = static_cast<double>(p[3].x) - p[0].x;
  const double chordY = static_cast<double>(p[3].y) - p[0].y;
  const double chord = std::sqrt(chordX * chordX + chordY * chordY);
  float height = std::max(DistanceFromChord(p[1], p[0], p[3], chord),
                          DistanceFromChord(p[2], p[0], p[3], chord));
  // The angles cost three arc tangents: most pieces end on their height or depth without them.
  if (depth > kMaxDepth || height <= m_distanceTolerance) {
    ends->push_back(p[3]);
    return;
  }
  float chordDirection = static_cast<float>(std::atan2(p[3].y - p[0].y, p[3].x - p[0].x));
  float a1 = AngleToChord(p[0], p[1], chordDirection);
  float a2 = AngleToChord(p[2], p[3], chordDirection);
  if (a1 < m_angleTolerance && a2 < m_angleTolerance) {
    ends->push_back(p[3]);
    return;
  }
  float t = std::fabs(a1 - a2) < kRadiansPerDegree ? 0.5f : (a1 > a2 ? 0.3333f : 0.6666f);
  FPOINT first[4], second[4];
  Split(p, t, first, second);
  Subdivide(first, depth + 1, ends);
  Subdivide(second, depth + 1, ends);
}
