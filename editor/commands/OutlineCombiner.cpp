#include "editor/commands/OutlineCombiner.h"

#include <cstdio>
#include <memory>

#include "media/WeldRecord.h"
#include "model/blocks/CurveBlock.h"
#include "model/editing/MainWindowNotice.h"
#include "resources/Resource.h"

const char COutlineCombiner::kContourProgress[] = "轮廓切割运算中... %d/%d";

namespace {

const DWORD kEveryColour = 0xFFFFFFFF;

bool IsSubpathStartOnly(BYTE flags) {
  return !IsSpecialPoint(flags) && (flags & kPointSubpathBits) == kPointStart;
}

}  // namespace

COutlineCombiner::COutlineCombiner(LPCSTR libraryPath) {
  if (libraryPath) m_libraryPath = libraryPath;
}

CBlock* COutlineCombiner::WeldPair(UINT command, CBlock* a, CBlock* b) {
  if (!a || !b) return nullptr;
  CWeldDll weld;
  if (!weld.Bind(m_libraryPath.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_libraryPath)))
    return nullptr;
  // Non-curves go over as their curve copies, which live only for the call.
  std::unique_ptr<CBlock> curveA, curveB;
  if (a->m_type != kCurveBlock) {
    curveA.reset(a->ToCurve(kEveryColour));
    a = curveA.get();
  }
  if (b->m_type != kCurveBlock) {
    curveB.reset(b->ToCurve(kEveryColour));
    b = curveB.get();
  }
  if (!a || !b) return nullptr;
  CWeldRecord first(*a), second(*b);
  if (!first.IsValid() || !second.IsValid()) return nullptr;
  HGLOBAL result = nullptr;
  switch (command) {
    case ID_OUTLINE_WELD:
      result = weld.Weld(first.Operand(), second.Operand());
      break;
    case ID_OUTLINE_TRIM:
      result = weld.WeldCut(first.Operand(), second.Operand());
      break;
    case ID_OUTLINE_INTERSECT:
      result = weld.WeldAnd(first.Operand(), second.Operand());
      break;
    case ID_OUTLINE_XOR:
      result = weld.WeldXor(first.Operand(), second.Operand());
      break;
    default:
      return nullptr;
  }
  return CWeldRecord::TakeBlock(result);
}

int COutlineCombiner::CountSubpaths(const CCurveBlock& curve) {
  int count = 0;
  for (const POINTREC& point : curve.GetPoints())
    if (IsSubpathStartOnly(point.flags)) ++count;
  return count;
}

CBlock* COutlineCombiner::WeldEachContour(CBlock* block, const CCurveBlock* curve, int parameter) {
  if (!block || !curve) return nullptr;
  CWeldDll weld;
  if (!weld.Bind(m_libraryPath.IsEmpty() ? nullptr : static_cast<LPCSTR>(m_libraryPath)))
    return nullptr;
  const int count = CountSubpaths(*curve);
  if (count == 0) return nullptr;
  // The result so far, ours; until the first cut the given block, which stays the caller's.
  std::unique_ptr<CBlock> result;
  std::unique_ptr<CCurveBlock> piece;
  int number = 0;
  for (const POINTREC& point : curve->GetPoints()) {
    if (IsSpecialPoint(point.flags)) continue;
    if (IsSubpathStartOnly(point.flags)) {
      char status[64];
      std::snprintf(status, sizeof status, kContourProgress, ++number, count);
      SendToMainWindow(ID_STATUS_TEXT, reinterpret_cast<LPARAM>(status));
      piece.reset(new CCurveBlock);
      piece->SetColour(nullptr, curve->GetColour(), FALSE);
    }
    if (!piece) continue;
    piece->AddPoint(point);
    if (!IsSubpathEnd(point.flags)) continue;
    piece->EndCurve();
    if (!curve->m_matrix.IsIdentity()) piece->Transform(curve->m_matrix);
    CWeldRecord shape(result ? *result : *block), knife(*piece);
    piece.reset();
    if (!shape.IsValid() || !knife.IsValid()) return nullptr;
    CBlock* next = CWeldRecord::TakeBlock(
        weld.LineCut(shape.Operand(), knife.Operand(), parameter));
    // A failed cut ends it all: the part-done result is dropped, the input stays as it was.
    if (!next) return nullptr;
    result.reset(next);
  }
  return result.release();
}
