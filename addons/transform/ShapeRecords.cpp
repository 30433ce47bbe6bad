#include "addons/transform/ShapeRecords.h"

#include <memory>

#include "addons/transform/OutlineFlattener.h"
#include "addons/transform/RecordTransfer.h"
#include "media/WeldDll.h"
#include "model/blocks/GroupBlock.h"

bool CShapeRecords::ReadOperand(const WeldOperand* operand, std::vector<FlatCurve>* curves) {
  if (!operand) return false;
  return ReadRecord(operand->records, operand->length, curves);
}

bool CShapeRecords::ReadRecord(HGLOBAL record, int declaredLength, std::vector<FlatCurve>* curves) {
  std::unique_ptr<CBlock> block(CRecordTransfer::ReadBlock(record, declaredLength));
  if (!block) return false;
  *curves = COutlineFlattener::Flatten(block.get());
  return true;
}

void CShapeRecords::StyleOf(const std::vector<FlatCurve>& curves, DWORD* colour, WORD* attributes) {
  *colour = curves.empty() ? 0 : curves.front().colour;
  *attributes = curves.empty() ? 0 : curves.front().attributes;
}

HGLOBAL CShapeRecords::Hand(CBlock* block) {
  std::unique_ptr<CBlock> owned(block);
  return CRecordTransfer::WriteBlock(owned.get());
}

HGLOBAL CShapeRecords::HandAll(std::vector<CBlock*> blocks) {
  std::unique_ptr<CGroupBlock> group(new CGroupBlock);
  for (CBlock* block : blocks) group->AddChild(block);
  if (group->GetChildCount() == 0) return nullptr;
  if (group->GetChildCount() > 1) return Hand(group.release());
  CBlock* only = group->GetChild(0);
  group->GetChildren().RemoveAll();
  return Hand(only);
}

HGLOBAL CShapeRecords::HandAsGroup(CBlock* block) {
  if (!block) return nullptr;
  std::unique_ptr<CGroupBlock> group(new CGroupBlock);
  group->AddChild(block);
  return Hand(group.release());
}
