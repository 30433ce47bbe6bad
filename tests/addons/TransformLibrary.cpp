#include "TransformLibrary.h"

#include <memory>

#include "addons/transform/OutlineBoolean.h"
#include "addons/transform/OutlineFlattener.h"
#include "framework/GlobalLock.h"
#include "model/blocks/CurveBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/records/BlockRecord.h"

namespace addon_test {

const char kLibraryPath[] = "program\\TalvexTransform.dll";

CCurveBlock* Rectangles(const std::vector<CFRect>& rectangles, DWORD colour) {
  CCurveBlock* curve = new CCurveBlock;
  for (const CFRect& r : rectangles) curve->AddRectangle(r.left, r.top, r.right, r.bottom);
  curve->EndCurve();
  curve->SetColour(nullptr, colour, FALSE);
  return curve;
}

CCurveBlock* Outline(const std::vector<Path>& rings, const std::vector<Path>& lines) {
  auto* curve = new CCurveBlock;
  for (const Path& ring : rings) {
    for (size_t i = 0; i < ring.size(); ++i)
      curve->AddPoint(float(ring[i].first), float(ring[i].second),
                      BYTE((i == 0 ? kPointStart : 0) | kPointOnCurve));
    curve->AddPoint(float(ring[0].first), float(ring[0].second), kPointClose | kPointOnCurve);
  }
  for (const Path& line : lines)
    for (size_t i = 0; i < line.size(); ++i)
      curve->AddPoint(float(line[i].first), float(line[i].second),
                      BYTE((i == 0 ? kPointStart : 0) | (i + 1 == line.size() ? kPointOpenEnd : 0) |
                           kPointOnCurve));
  curve->EndCurve();
  return curve;
}

namespace {

Path PathOf(const std::vector<OutlinePoint>& points) {
  Path path;
  for (const OutlinePoint& p : points) path.push_back({p.x(), p.y()});
  return path;
}

}  // namespace

std::vector<Path> RingsOf(const FlatCurve& curve) {
  std::vector<Path> rings;
  for (const OutlinePolygon& ring : curve.rings) rings.push_back(PathOf(ring.outer()));
  return rings;
}

std::vector<Path> LinesOf(const FlatCurve& curve) {
  std::vector<Path> lines;
  for (const OutlineLine& line : curve.lines) lines.push_back(PathOf(line));
  return lines;
}

HGLOBAL GroupRecordOf(CBlock* block) {
  CGroupBlock group;
  group.AddChild(block);
  HGLOBAL record = nullptr;
  group.WriteRecord(&record);
  return record;
}

WeldOperand OperandOf(CBlock* block) {
  HGLOBAL record = nullptr;
  int length = block->WriteRecord(&record);
  return MakeWeldOperand(record, length, block->m_box);
}

void Free(WeldOperand& operand) {
  if (operand.records) GlobalFree(operand.records);
  operand.records = nullptr;
}

CBlock* TakeResult(HGLOBAL result) {
  if (!result) return nullptr;
  CBlock* block = nullptr;
  {
    CGlobalLock lock(result);
    if (lock.Data()) block = CreateBlockFromRecord(lock.Data(), lock.Size());
  }
  GlobalFree(result);
  return block;
}

CBlock* WeldAll(const CWeldDll& weld, const std::vector<CBlock*>& blocks, bool self) {
  CGroupBlock others;
  std::unique_ptr<CBlock> last;
  for (size_t i = 0; i < blocks.size(); ++i) {
    if (i + 1 < blocks.size() || self)
      others.AddChild(blocks[i]);
    else
      last.reset(blocks[i]);
  }
  WeldOperand a = OperandOf(&others), b = last ? OperandOf(last.get()) : WeldOperand{};
  CBlock* result = TakeResult(self ? weld.SelfWeld(a) : weld.Weld(a, b));
  Free(a);
  Free(b);
  return result;
}

double AreaOf(CBlock* block) {
  if (!block) return 0;
  return bg::area(COutlineBoolean::ShapeOf(COutlineFlattener::Flatten(block)).area);
}

std::vector<BYTE> BytesOf(HGLOBAL memory) {
  CGlobalLock lock(memory);
  if (!lock.Data()) return {};
  return std::vector<BYTE>(lock.Data(), lock.Data() + lock.Size());
}

}  // namespace addon_test
