// Helpers of the drawing-command tests (no window): a block list watched by a fake view, a
// snapshot of the list to tell whether undo put it back exactly, and the filled area of a
// block's outlines measured through the model's own contour.
#pragma once

#include <windows.h>

#include <cmath>
#include <memory>
#include <vector>

#include "model/FakeBlockView.h"
#include "model/blocks/Block.h"
#include "model/document/SegArray.h"
#include "model/geometry/Contour.h"
#include "model/geometry/PointRecord.h"

namespace command_test {

// The transform library as the build puts it into the program folder.
constexpr char kLibraryPath[] = "program\\TalvexTransform.dll";

// An image stands in by its type code: the commands must leave it alone.
class FakeImage : public CBlock {
public:
  explicit FakeImage(CFRect box) {
    m_type = kImageBlock;
    m_box = box;
  }
};

struct ListEntry {
  CBlock* block;
  int selected;
  CFRect box;
  bool operator==(const ListEntry& other) const {
    return block == other.block && selected == other.selected && box.left == other.box.left &&
           box.top == other.box.top && box.right == other.box.right &&
           box.bottom == other.box.bottom;
  }
};

inline std::vector<ListEntry> Snapshot(const CSegArray& blocks) {
  std::vector<ListEntry> entries;
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    entries.push_back({block, block->m_selected, block->m_box});
  }
  return entries;
}

// The filled area of the outlines: the signed areas of the closed sub-paths added up, so that a
// hole, which the library runs the other way round from its outline, takes its area away.
inline double AreaOf(CBlock* block) {
  std::unique_ptr<CContour> contour(block ? block->GetContour(nullptr, 0) : nullptr);
  if (!contour) return 0;
  contour->ApplyMatrix();
  double total = 0;
  std::vector<POINTREC> points;
  auto close = [&]() {
    for (size_t i = 0; i < points.size(); ++i) {
      const POINTREC& a = points[i];
      const POINTREC& b = points[(i + 1) % points.size()];
      total += (a.x * b.y - b.x * a.y) / 2;
    }
    points.clear();
  };
  for (const POINTREC& point : contour->GetPoints()) {
    if (IsSpecialPoint(point.flags)) continue;
    if (IsSubpathStart(point.flags) && !points.empty()) close();
    points.push_back(point);
  }
  close();
  return std::fabs(total);
}

// The area of the blocks the list holds that the snapshot did not.
inline double NewArea(const CSegArray& blocks, const std::vector<ListEntry>& before,
                      int* count = nullptr) {
  double area = 0;
  int added = 0;
  for (INT_PTR i = 0; i < blocks.GetSize(); ++i) {
    CBlock* block = blocks.GetBlock(i);
    bool old = false;
    for (const ListEntry& entry : before) old = old || entry.block == block;
    if (old) continue;
    area += AreaOf(block);
    ++added;
  }
  if (count) *count = added;
  return area;
}

}  // namespace command_test
