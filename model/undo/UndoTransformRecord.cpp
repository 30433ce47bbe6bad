#include "model/undo/UndoTransformRecord.h"

#include <cmath>

#include "model/blocks/Block.h"
#include "model/blocks/GroupBlock.h"

namespace {

// A nearly singular matrix gives an inverse of infinities, which would lose the block as surely.
bool IsUsableInverse(const CMatrix2D& inverse, bool invertible) {
  if (!invertible) return false;
  for (float element : inverse.m) {
    if (!std::isfinite(element)) return false;
  }
  return true;
}

}  // namespace

CUndoTransformRecord::CUndoTransformRecord(CBlock* block, const CMatrix2D& applied)
    : CUndoBlockRecord(block), m_inverse(nullptr) {
  bool invertible = false;
  m_inverse = applied.Inverse(&invertible);
  if (!block) return;
  m_oldBox = block->m_box;
  m_invertible = IsUsableInverse(*m_inverse, invertible);
  KeepPlacements(block);
}

CUndoTransformRecord::~CUndoTransformRecord() { delete m_inverse; }

void CUndoTransformRecord::KeepPlacements(CBlock* block) {
  m_placements.push_back({block, block->m_matrix, block->m_box});
  if (block != m_block) Watch(block);
  if (block->m_type != kGroupBlock) return;
  CGroupBlock* group = static_cast<CGroupBlock*>(block);
  for (INT_PTR i = 0; i < group->GetChildCount(); ++i) {
    if (CBlock* child = group->GetChild(i)) KeepPlacements(child);
  }
}

void CUndoTransformRecord::RestorePlacements() {
  for (const Placement& placement : m_placements) {
    if (!placement.block) continue;
    placement.block->m_matrix = placement.matrix;
    placement.block->m_box = placement.box;
  }
}

void CUndoTransformRecord::OnBlockDestroyed(CBlock* block) {
  CUndoBlockRecord::OnBlockDestroyed(block);
  for (Placement& placement : m_placements) {
    if (placement.block == block) placement.block = nullptr;
  }
}

BOOL CUndoTransformRecord::Undo(CBlockView* view) {
  if (!m_block) return FALSE;
  if (view) m_block->Invalidate(view, TRUE);
  // The inverse undoes whatever else the transform changed; the kept placements then put the
  // matrices and boxes back bit for bit, which rounding in the inverse would not.
  if (m_invertible) m_block->Transform(*m_inverse);
  RestorePlacements();
  m_block->m_box = m_oldBox;
  if (view) m_block->Invalidate(view, TRUE);
  return TRUE;
}
