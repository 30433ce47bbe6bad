#include "editor/commands/OutlineCombiner.h"

#include <cstdio>
#include <memory>

#include "framework/GlobalLock.h"
#include "media/WeldDll.h"
#include "model/blocks/CurveBlock.h"
#include "model/editing/MainWindowNotice.h"
#include "model/records/BlockRecord.h"
#include "resources/Resource.h"

const char COutlineCombiner::kContourProgress[] = "轮廓切割运算中... %d/%d";

namespace {

const DWORD kEveryColour = 0xFFFFFFFF;

// A block's record handed to the library for the length of one call; freed with the operand.
class COperand {
public:
  explicit COperand(CBlock* block) {
    HGLOBAL record = nullptr;
    int length = block->WriteRecord(&record);
    m_operand = MakeWeldOperand(record, length, block->m_box);
  }
  ~COperand() {
    if (m_operand.records) ::GlobalFree(m_operand.records);
  }
  COperand(const COperand&) = delete;
  COperand& operator=(const COperand&) = delete;

  bool IsValid() const { return m_operand.records && m_operand.length > 0; }
  const WeldOperand& Get() const { return m_operand; }

private:
  WeldOperand m_operand;
};

// The block in the library's answer, which is freed; null for none or an unreadable record.
CBlock* TakeResult(HGLOBAL result) {
  if (!result) return nullptr;
  CBlock* block = nullptr;
  {
    CGlobalLock lock(result);
    if (lock.Data()) block = CreateBlockFromRecord(lock.Data(), lock.Size());
  }
  ::GlobalFree(result);
  return block;
}

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
  COperand first(a), second(b);
  if (!first.IsValid() || !second.IsValid()) return nullptr;
  HGLOBAL result = nullptr;
  switch (command) {
    case ID_OUTLINE_WELD:
      result = weld.Weld(first.Get(), second.Get());
      break;
    case ID_OUTLINE_TRIM:
      result = weld.WeldCut(first.Get(), second.Get());
      break;
    case ID_OUTLINE_INTERSECT:
      result = weld.WeldAnd(first.Get(), second.Get());
      break;
    case ID_OUTLINE_XOR:
      result = weld.WeldXor(first.Get(), second.Get());
      break;
    default:
      return nullptr;
  }
  return TakeResult(result);
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
    COperand shape(result ? result.get() : block), knife(piece.get());
    piece.reset();
    if (!shape.IsValid() || !knife.IsValid()) return nullptr;
    CBlock* next = TakeResult(weld.LineCut(shape.Get(), knife.Get(), parameter));
    // A failed cut ends it all: the part-done result is dropped, the input stays as it was.
    if (!next) return nullptr;
    result.reset(next);
  }
  return result.release();
}
