// CSelectionEdits: the edits of the main view that act on the selected blocks as they are:
// clearing their solid fill and spacing them evenly across the box they span. They work on a view's
// block list through CBlockView and record one undo record per change while the view's undo depth
// is non-zero; the caller opens the undo step and brings the selection tracker up to date.
#pragma once

#include <windows.h>

class CBlock;
class CBlockView;
class CSegArray;

class CSelectionEdits {
public:
  // Even spacing needs this many blocks: with two there is no gap to share.
  static constexpr int kMinimumToSpace = 3;

  CSelectionEdits(CBlockView* view, CSegArray& blocks);

  // Clears the solid bit of every selected block; the number of blocks changed.
  int ClearSolid();
  // Moves the selected blocks, ordered by their left (top) edges, so that equal gaps separate
  // them and the first and the last stay; false with fewer than kMinimumToSpace.
  bool SpaceEvenly(bool vertical);

private:
  bool Recording() const;
  void Record(class CUndoRecord* record) const;

  CBlockView* m_view;
  CSegArray& m_blocks;
};
