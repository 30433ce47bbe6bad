#include "addons/transform/OutlineBuilder.h"

#include <memory>

#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"

namespace {

float F(double value) { return static_cast<float>(value); }

void Finish(CCurveBlock* curve, DWORD colour, WORD attributes) {
  curve->EndCurve();
  curve->SetColour(nullptr, colour, FALSE);
  curve->m_attributes = attributes;
}

}  // namespace

void COutlineBuilder::AddRing(CCurveBlock* curve, const OutlinePolygon::ring_type& ring) {
  // Boost keeps rings closed (the last point repeats the first): that repeat closes the sub-path.
  if (ring.size() < 4) return;
  const OutlinePoint& first = ring.front();
  curve->AddPoint(F(first.x()), F(first.y()), kPointStart | kPointOnCurve);
  for (size_t i = 1; i + 1 < ring.size(); ++i)
    curve->AddPoint(F(ring[i].x()), F(ring[i].y()), kPointOnCurve);
  curve->AddPoint(F(first.x()), F(first.y()), kPointClose | kPointOnCurve);
}

void COutlineBuilder::AddLine(CCurveBlock* curve, const OutlineLine& line) {
  if (line.size() < 2) return;
  curve->AddPoint(F(line.front().x()), F(line.front().y()), kPointStart | kPointOnCurve);
  for (size_t i = 1; i + 1 < line.size(); ++i)
    curve->AddPoint(F(line[i].x()), F(line[i].y()), kPointOnCurve);
  curve->AddPoint(F(line.back().x()), F(line.back().y()), kPointOpenEnd | kPointOnCurve);
}

CCurveBlock* COutlineBuilder::BuildCurve(const OutlineShape& shape, DWORD colour, WORD attributes) {
  std::unique_ptr<CCurveBlock> curve(new CCurveBlock);
  for (const OutlinePolygon& polygon : shape.area) {
    AddRing(curve.get(), polygon.outer());
    for (const OutlinePolygon::ring_type& hole : polygon.inners()) AddRing(curve.get(), hole);
  }
  for (const OutlineLine& line : shape.lines) AddLine(curve.get(), line);
  if (curve->GetCount() == 0) return nullptr;
  Finish(curve.get(), colour, attributes);
  return curve.release();
}

CBlock* COutlineBuilder::BuildPieces(const OutlineShape& shape, DWORD colour, WORD attributes) {
  std::unique_ptr<CGroupBlock> group(new CGroupBlock);
  for (const OutlinePolygon& polygon : shape.area) {
    OutlineShape piece;
    piece.area.push_back(polygon);
    group->AddChild(BuildCurve(piece, colour, attributes));
  }
  for (const OutlineLine& line : shape.lines) {
    OutlineShape piece;
    piece.lines.push_back(line);
    group->AddChild(BuildCurve(piece, colour, attributes));
  }
  if (group->GetChildCount() == 0) return nullptr;
  if (group->GetChildCount() > 1) return group.release();
  CBlock* only = group->GetChild(0);
  group->GetChildren().RemoveAll();
  return only;
}
