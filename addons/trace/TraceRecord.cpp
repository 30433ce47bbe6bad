#include "addons/trace/TraceRecord.h"

#include <memory>

#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/geometry/PointRecord.h"

namespace {

float F(double value) { return static_cast<float>(value); }

void AddOutline(CCurveBlock* curve, const TracedOutline& outline) {
  curve->AddPoint(F(outline.start.x), F(outline.start.y), kPointStart | kPointOnCurve);
  for (std::size_t i = 0; i < outline.segments.size(); ++i) {
    const TraceSegment& segment = outline.segments[i];
    if (segment.bezier) {
      curve->AddPoint(F(segment.control1.x), F(segment.control1.y), 0);
      curve->AddPoint(F(segment.control2.x), F(segment.control2.y), 0);
    }
    // The last segment comes back to the start and closes the sub-path.
    BYTE flags = i + 1 == outline.segments.size() ? kPointOnCurve | kPointClose : kPointOnCurve;
    curve->AddPoint(F(segment.end.x), F(segment.end.y), flags);
  }
}

}  // namespace

int CTraceRecord::CurveCapacity() { return kMaxPointRecords - 1; }

int CTraceRecord::RecordsOf(const TracedOutline& outline) {
  int records = 1;
  for (const TraceSegment& segment : outline.segments) records += segment.bezier ? 3 : 1;
  return records;
}

CBlock* CTraceRecord::MakeBlock(const std::vector<TracedOutline>& outlines, int curveCapacity) {
  std::vector<std::unique_ptr<CCurveBlock>> curves;
  int used = 0;
  for (const TracedOutline& outline : outlines) {
    const int records = RecordsOf(outline);
    // An outline needs its start and at least two segments; one longer than a whole curve can
    // be stored by no curve record.
    if (outline.segments.size() < 2 || records + 1 > curveCapacity) continue;
    if (curves.empty() || used + records + 1 > curveCapacity) {
      if (!curves.empty()) curves.back()->EndCurve();
      curves.emplace_back(new CCurveBlock);
      used = 0;
    }
    AddOutline(curves.back().get(), outline);
    used += records;
  }
  if (curves.empty()) return nullptr;
  curves.back()->EndCurve();
  if (curves.size() == 1) return curves.front().release();
  std::unique_ptr<CGroupBlock> group(new CGroupBlock);
  for (std::unique_ptr<CCurveBlock>& curve : curves) group->AddChild(curve.release());
  return group.release();
}

HGLOBAL CTraceRecord::Write(const std::vector<TracedOutline>& outlines) {
  std::unique_ptr<CBlock> block(MakeBlock(outlines, CurveCapacity()));
  if (!block) return nullptr;
  HGLOBAL record = nullptr;
  if (block->WriteRecord(&record) <= 0) {
    if (record) GlobalFree(record);
    return nullptr;
  }
  return record;
}
