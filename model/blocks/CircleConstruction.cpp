#include "model/blocks/CircleConstruction.h"

#include <cmath>
#include <cstdlib>
#include <memory>

#include "model/blocks/CircleBlock.h"
#include "model/blocks/CurveBlock.h"
#include "model/settings/TextParsing.h"

namespace {

// Longest radius field read from a list.
const int kFieldSize = 45;
// Below this share of the squared extent the three points count as one line: the centre would lie
// further out than any drawing reaches, and float rounding alone decides where.
const double kCollinearShare = 1e-9;

double ReadField(LPCSTR list, int index) {
  if (!list) return 0.0;
  char field[kFieldSize] = {};
  if (!GetField(list, index, field, kFieldSize, ',')) return 0.0;
  return std::atof(field);
}

}  // namespace

float CircleFromPoints(float x1, float y1, float x2, float y2, float x3, float y3, FPOINT* centre) {
  // The determinant form needs no division by a coordinate difference, so a vertical chord is as
  // good as any other; only a vanishing determinant means there is no circle.
  const double ax = x1, ay = y1, bx = x2, by = y2, cx = x3, cy = y3;
  const double d = 2.0 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
  double extent = std::fabs(bx - ax);
  for (double span : {std::fabs(by - ay), std::fabs(cx - ax), std::fabs(cy - ay)})
    extent = std::fmax(extent, span);
  if (!(extent > 0.0) || !(std::fabs(d) > kCollinearShare * extent * extent))
    return kNoCircleRadius;
  const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
  const double ux = (a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d;
  const double uy = (a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d;
  const double radius = std::hypot(ax - ux, ay - uy);
  if (!std::isfinite(radius) || radius >= kNoCircleRadius) return kNoCircleRadius;
  if (centre) *centre = {static_cast<float>(ux), static_cast<float>(uy)};
  return static_cast<float>(radius);
}

CCurveBlock* BuildConcentricCircles(float cx, float cy, LPCSTR radiiX, LPCSTR radiiY) {
  if (!radiiX || !*radiiX) return nullptr;
  int count = CountFields(radiiX, ',');
  CCircleBlock ellipse;
  std::unique_ptr<CCurveBlock> result;
  for (int i = 0; i < count; ++i) {
    double rx = ReadField(radiiX, i);
    // A zero or negative radius has no outline to cut.
    if (!(rx > 0.0)) continue;
    double ry = ReadField(radiiY, i);
    if (!(ry > 0.0)) ry = rx;
    ellipse.m_rect = CFRect(static_cast<float>(cx - rx), static_cast<float>(cy - ry),
                            static_cast<float>(cx + rx), static_cast<float>(cy + ry));
    ellipse.m_box = ellipse.m_rect;
    std::unique_ptr<CBlock> curve(ellipse.ToCurve(CCircleBlock::kAnyColour));
    if (!curve || curve->m_type != kCurveBlock) continue;
    if (!result)
      result.reset(static_cast<CCurveBlock*>(curve.release()));
    else
      result->AppendCurve(*static_cast<CCurveBlock*>(curve.get()));
  }
  return result.release();
}
