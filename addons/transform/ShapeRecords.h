// CShapeRecords: the steps every weld, cut and expansion entry shares: a record handed in becomes
// flattened curves, and a result becomes a new record. Each step gives null or an empty list for
// anything it cannot read, so that an entry fed a damaged record answers with null.
#pragma once

#include <windows.h>

#include <vector>

#include "addons/transform/OutlineTypes.h"

class CBlock;
struct WeldOperand;

class CShapeRecords {
public:
  // The curves of the operand's record; false when the operand, its handle or its record is
  // missing or damaged. A record that reads but holds no outline gives true and no curves.
  static bool ReadOperand(const WeldOperand* operand, std::vector<FlatCurve>* curves);
  static bool ReadRecord(HGLOBAL record, int declaredLength, std::vector<FlatCurve>* curves);

  // The colour and attribute word results take: those of the first curve.
  static void StyleOf(const std::vector<FlatCurve>& curves, DWORD* colour, WORD* attributes);

  // New memory with the block's record (the block is deleted); null for null or an empty block.
  static HGLOBAL Hand(CBlock* block);
  // The blocks in a group record, or the lone block's own record; null when there is none.
  static HGLOBAL HandAll(std::vector<CBlock*> blocks);
  // A group record holding the block, as the expansion's caller reads it.
  static HGLOBAL HandAsGroup(CBlock* block);
};
