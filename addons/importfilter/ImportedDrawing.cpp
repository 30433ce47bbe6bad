#include "addons/importfilter/ImportedDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <memory>
#include <new>
#include <set>

#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"
#include "model/blocks/CurveBlock.h"
#include "model/document/SegArray.h"
#include "model/geometry/PointRecord.h"
#include "model/records/BlockRecord.h"

// Room for the end record that closes every curve's points.
const size_t CImportedDrawing::kMostCurvePoints = static_cast<size_t>(kMaxPointRecords) - 1;

namespace {

// A curve's record in the list, room for the list's growth, and the heap's header and rounding
// of its points' block.
const size_t kCurveOverheadBytes = 64;
// What follows a list record in memory, as the model keeps them: its pad byte, and zeros.
const size_t kSpareAfterList = 10;
const size_t kRecordPieceBytes = 1 << 20;

// The list's record in movable global memory of just its size. It is written in pieces twice,
// first only to learn its length, so that no buffer of the whole record grows by doubling
// beside the blocks and the memory it ends in.
HGLOBAL GlobalRecordOf(CSegArray& list) {
  CByteWriter piece;
  const size_t length = list.WriteRecordInPieces(piece, kRecordPieceBytes,
                                                 [](const BYTE*, size_t) {});
  if (length == 0) return nullptr;
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, length + kSpareAfterList);
  if (!memory) throw std::bad_alloc();
  CGlobalLock lock(memory);
  if (!lock.Data()) {
    ::GlobalFree(memory);
    throw std::bad_alloc();
  }
  CByteWriter record(lock.Data(), length);
  auto copy = [&record](const BYTE* data, size_t size) { record.WriteBytes(data, size); };
  piece.Truncate(0);
  list.WriteRecordInPieces(piece, kRecordPieceBytes, copy);
  copy(piece.Data(), piece.Size());
  // The length word, which a record written in pieces leaves for its writer to fill in.
  record.PatchDWord(1, static_cast<DWORD>(length));
  lock.Data()[length] = kRecordPadByte;
  return memory;
}

}  // namespace

size_t CImportedDrawing::CurveBytes(size_t points) {
  return points * sizeof(ImportPathPoint) + kCurveOverheadBytes;
}

bool CImportedDrawing::AddPath(const CImportPath& path, DWORD colour, bool filled) {
  if (path.Overflowed()) m_tooComplex = true;
  if (m_tooComplex || path.IsEmpty()) return false;
  return AddFinished(path.Finished(filled), colour, filled);
}

bool CImportedDrawing::AddPath(CImportPath&& path, DWORD colour, bool filled) {
  if (path.Overflowed()) m_tooComplex = true;
  if (m_tooComplex || path.IsEmpty()) return false;
  return AddFinished(path.TakeFinished(filled), colour, filled);
}

bool CImportedDrawing::AddFinished(std::vector<ImportPathPoint>&& points, DWORD colour,
                                   bool filled) {
  if (points.empty()) return false;
  // Points handed over from a path that grew as it was built hold their spare room too.
  if (points.capacity() - points.size() > points.size() / 8) points.shrink_to_fit();
  if (m_totalPoints + points.size() > kMaxTotalPoints) {
    m_tooComplex = true;
    return false;
  }
  m_totalPoints += points.size();
  if (points.size() <= kMostCurvePoints) {
    AddCurve(std::move(points), colour, filled);
    return true;
  }
  // Split between sub-paths: each piece as large as a curve may be.
  size_t begin = 0;
  while (begin < points.size()) {
    size_t end = begin + 1;
    size_t cut = begin;
    while (end <= points.size() && end - begin <= kMostCurvePoints) {
      if (end == points.size() || IsSubpathStart(points[end].flags)) cut = end;
      ++end;
    }
    if (cut == begin) {
      m_tooComplex = true;
      return false;
    }
    AddCurve(std::vector<ImportPathPoint>(points.begin() + begin, points.begin() + cut), colour,
             filled);
    begin = cut;
  }
  return true;
}

void CImportedDrawing::AddCurve(std::vector<ImportPathPoint>&& points, DWORD colour, bool solid) {
  m_curves.push_back({std::move(points), colour, solid});
}

void CImportedDrawing::Fill(size_t first, size_t end, DWORD colour) {
  for (size_t i = first; i < end && i < m_curves.size(); ++i) {
    m_curves[i].colour = colour;
    m_curves[i].solid = true;
  }
}

bool CImportedDrawing::GetBounds(double* left, double* bottom, double* right, double* top) const {
  bool any = false;
  for (const Curve& curve : m_curves) {
    for (const ImportPathPoint& p : curve.points) {
      if (!any) {
        *left = *right = p.x;
        *bottom = *top = p.y;
        any = true;
        continue;
      }
      *left = std::min(*left, p.x);
      *right = std::max(*right, p.x);
      *bottom = std::min(*bottom, p.y);
      *top = std::max(*top, p.y);
    }
  }
  return any;
}

bool CImportedDrawing::Joins(const Curve& into, const Curve& curve) {
  return into.colour == curve.colour && into.solid == curve.solid &&
         into.points.size() + curve.points.size() <= kMostCurvePoints;
}

void CImportedDrawing::Join(Curve* into, Curve* curve) {
  into->points.insert(into->points.end(), curve->points.begin(), curve->points.end());
  std::vector<ImportPathPoint>().swap(curve->points);  // joined: its own copy goes now
}

std::vector<CImportedDrawing::Curve> CImportedDrawing::JoinedNeighbours() {
  const size_t share = (m_curves.size() + kMostCurves - 1) / kMostCurves;
  std::vector<Curve> joined;
  size_t inLast = 0;
  for (Curve& curve : m_curves) {
    if (!joined.empty() && inLast < share && Joins(joined.back(), curve)) {
      Join(&joined.back(), &curve);
      ++inLast;
      continue;
    }
    joined.push_back(std::move(curve));
    inLast = 1;
  }
  return joined;
}

std::vector<CImportedDrawing::Curve> CImportedDrawing::JoinedByStyle(size_t share) {
  std::vector<Curve> joined;
  // The curve that takes the next paths of each colour and fill, and how many it holds.
  std::map<std::pair<DWORD, bool>, std::pair<size_t, size_t>> open;
  for (Curve& curve : m_curves) {
    std::pair<size_t, size_t>& last = open[{curve.colour, curve.solid}];
    if (last.second > 0 && last.second < share && Joins(joined[last.first], curve)) {
      Join(&joined[last.first], &curve);
      ++last.second;
      continue;
    }
    last = {joined.size(), 1};
    joined.push_back(std::move(curve));
  }
  return joined;
}

bool CImportedDrawing::Consolidate() {
  if (m_curves.size() <= kMostCurves) return true;
  m_curves = JoinedNeighbours();
  std::set<std::pair<DWORD, bool>> styles;
  for (const Curve& curve : m_curves) styles.insert({curve.colour, curve.solid});
  // A share that leaves room for a part-filled curve of every style; all of a style in as few
  // curves as they fit when curves full of points leave no room for that.
  const size_t room = kMostCurves > styles.size() ? kMostCurves - styles.size() : 0;
  for (size_t share : {room ? (m_curves.size() + room - 1) / room : SIZE_MAX, SIZE_MAX}) {
    if (m_curves.size() > kMostCurves) m_curves = JoinedByStyle(share);
  }
  return m_curves.size() <= kMostCurves;
}

HGLOBAL CImportedDrawing::WriteRecord(const ImportMatrix& toPage) {
  if (m_curves.empty() || m_tooComplex) return nullptr;
  CSegArray list;
  std::vector<POINTREC> records;
  if (!Consolidate()) return nullptr;
  for (Curve& curve : m_curves) {
    records.clear();
    records.reserve(curve.points.size());
    for (const ImportPathPoint& p : curve.points) {
      ImportPoint2 at = toPage.Map(p.x, p.y);
      if (!(std::fabs(at.x) <= kLargestCoordinate) || !(std::fabs(at.y) <= kLargestCoordinate))
        return nullptr;
      records.push_back(
          MakePointRecord(static_cast<float>(at.x), static_cast<float>(at.y), p.flags));
    }
    std::vector<ImportPathPoint>().swap(curve.points);
    std::unique_ptr<CCurveBlock> block(new CCurveBlock);
    block->AssignPath(records);
    block->SetColour(nullptr, curve.colour, FALSE);
    if (curve.solid) block->m_attributes |= kSolidAttr;
    list.AddBlock(block.release());
  }
  m_curves.clear();
  m_totalPoints = 0;
  return GlobalRecordOf(list);
}
