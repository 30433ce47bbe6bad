#include "TransformLibrary.h"

#include <memory>

#include "addons/transform/OutlineBoolean.h"
#include "addons/transform/OutlineFlattener.h"
#include "framework/GlobalLock.h"
#include "model/blocks/CurveBlock.h"
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
