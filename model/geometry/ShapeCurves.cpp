#include "model/geometry/ShapeCurves.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "model/blocks/CurveBlock.h"
#include "model/geometry/Contour.h"
#include "model/geometry/ContourShapes.h"

namespace {

const float kHalfTurn = 3.1415926f;
const float kQuarterTurn = 1.5707963f;
// Angles closer than this make no pie.
const float kMinPieAngle = 0.001f;

CCurveBlock* TakeContour(CContour* made, DWORD colour) {
  std::unique_ptr<CContour> contour(made);
  return contour ? MakeCurveFromContour(*contour, colour) : nullptr;
}

}  // namespace

CCurveBlock* MakeCurveFromContour(const CContour& contour, DWORD colour) {
  const CMatrix2D& pending = contour.GetMatrix();
  bool mapped = !pending.IsIdentity();
  CCurveBlock* curve = new CCurveBlock;
  curve->SetColour(nullptr, colour, FALSE);
  bool ended = false;
  for (POINTREC record : contour.GetPoints()) {
    if (record.flags == kPointEnd) {
      curve->EndCurve();
      ended = true;
      break;
    }
    if (IsSpecialPoint(record.flags)) {
      curve->AddPointNoBounds(record);
      continue;
    }
    if (mapped) {
      FPOINT p = {record.x, record.y};
      pending.TransformPoint(&p);
      record.x = p.x;
      record.y = p.y;
    }
    curve->AddPoint(record);
  }
  if (!ended) curve->EndCurve();
  if (!contour.IsBoxEmpty()) curve->m_box = contour.GetBox();
  return curve;
}

CCurveBlock* MakeRectCurve(float x1, float y1, float x2, float y2) {
  CCurveBlock* curve = new CCurveBlock;
  curve->AddRectangle(x1, y1, x2, y2);
  curve->EndCurve();
  return curve;
}

CCurveBlock* MakeRectCurveFromFRect(const CFRect& rect) {
  CFRect r = rect;
  r.Normalize();
  return MakeRectCurve(r.left, r.top, r.right, r.bottom);
}

CCurveBlock* MakeEllipseCurve(float x1, float y1, float x2, float y2) {
  return TakeContour(ContourFromEllipse(x1, y1, x2, y2), 0);
}

CCurveBlock* MakeArcCurve(float x1, float y1, float x2, float y2, float start, float end) {
  return TakeContour(ContourFromArc(x1, y1, x2, y2, start, end), 0);
}

CCurveBlock* MakePieCurve(float x1, float y1, float x2, float y2, float start, float end) {
  if (!(std::fabs(start - end) >= kMinPieAngle)) return nullptr;
  std::unique_ptr<CContour> arc(ContourFromArc(x1, y1, x2, y2, start, end));
  if (!arc) return nullptr;
  arc->ReopenLastSubpath();
  arc->AppendPoint(MakePointRecord((x1 + x2) / 2.0f, (y1 + y2) / 2.0f, kPointOnCurve));
  arc->CloseLastSubpath();
  arc->AppendEndMark();
  return MakeCurveFromContour(*arc, 0);
}

CCurveBlock* MakeRegularPolygonCurve(float x1, float y1, float x2, float y2, int corners,
                                     float band, float innerSize) {
  if (corners < kMinPolygonCorners) return nullptr;
  corners = std::min(corners, kMaxPolygonCorners);
  float radius = std::min(std::fabs(x2 - x1), std::fabs(y2 - y1)) / 2.0f;
  float halfStep = kHalfTurn / static_cast<float>(corners);
  // The middle of an edge lies radius x cos(half a step) from the centre.
  float inner = std::max(radius * std::cos(halfStep) - innerSize, 0.0f);
  RegularPolygonShape shape = {(x1 + x2) / 2.0f,
                               (y1 + y2) / 2.0f,
                               radius,
                               inner,
                               kQuarterTurn,
                               corners,
                               innerSize != 0.0f ? halfStep : 0.0f,
                               band};
  return TakeContour(ContourFromRegularPolygon(shape), 0);
}
