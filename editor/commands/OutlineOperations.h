// COutlineOperations: the commands that replace selected blocks by what the transform library
// makes of their outlines: weld, cut, intersection and exclusive or of the whole selection, the
// contour cut of one block by another's outlines, and the cut of every selected block along a
// guide line. It works on a view's block list through CBlockView, recording one undo record per
// block it removes or adds while the view's undo depth is non-zero; the caller opens the step.
//
// Every operation asks the library for all its results before it touches the list: when the
// library gives nothing for any step, the blocks stay where they were and the operation reports
// kFailed, so that no selection is lost to a library that cannot handle it. Images never take
// part; the blocks taken are the ones selected when the operation starts.
#pragma once

#include <windows.h>

#include <vector>

#include "model/geometry/FRect.h"

class CBlock;
class CBlockView;
class CCurveBlock;
class CSegArray;
class CTextBlock;
class CWeldDll;

class COutlineOperations {
public:
  enum Combination { kWeld, kCut, kIntersect, kExclusiveOr };
  enum Result { kNothingToDo, kDone, kFailed };

  // The blocks margin page units beyond a block's box are cut along a guide: the segment ends
  // well outside the block.
  static constexpr float kGuideMargin = 10.0f;

  COutlineOperations(CBlockView* view, CSegArray& blocks, const CWeldDll& library);

  // Combines the selected blocks into one curve that replaces them at the end of the list,
  // selected. Needs two blocks that are not images. A weld unites all of them in one call of the
  // library and a cut takes all the others from the last block of the list in one call (where
  // they cover it wholly, so that nothing would be left, it takes the last block from them);
  // intersection and exclusive or, which the library takes two at a time, pair them off in a
  // balanced tree. Either way each outline goes through the library about once or log2(n)
  // times, never once for every block welded before it.
  Result Combine(Combination combination);
  // Cuts the first selected block by every outline of the second (list order); the pieces replace
  // both, selected.
  Result ContourCut();
  // Cuts every selected block along the line through (x, y) at angle degrees (counter-clockwise
  // on the screen); each block's pieces replace it, selected. A block the library cannot cut
  // stays; kFailed when none could be cut.
  Result CutAlongLine(float x, float y, double angle);
  // Replaces each character's outline by the library's self weld of it, so that overlapping
  // strokes are cut once. The text keeps its characters; kFailed when the library gave nothing
  // for any character.
  Result RemoveTextOverlaps(CTextBlock& text);

  // The selected blocks that are not images, in list order.
  static std::vector<CBlock*> SelectedOperands(const CSegArray& blocks);
  // The segment of the line through (x, y) at angle degrees across the box: between its left and
  // right sides for lines nearer horizontal, else between its top and bottom.
  static void LineAcross(const CFRect& box, float x, float y, double angle, FPOINT* from,
                         FPOINT* to);

private:
  // The library's result of a pair, as a new block (the caller's) or null.
  CBlock* CombinePair(Combination combination, CBlock& first, CBlock& second) const;
  // The pairs of each level combined until one block is left; null when any pair gives nothing.
  CBlock* CombineInTree(Combination combination, std::vector<CBlock*> blocks) const;
  CBlock* LineCut(CBlock& shape, CBlock& knife) const;
  // Takes the blocks out of the list (kept by delete records while recording) and appends the
  // results, selected, each with an insert record.
  void Replace(const std::vector<CBlock*>& removed, const std::vector<CBlock*>& added);
  bool Recording() const;

  CBlockView* m_view;
  CSegArray& m_blocks;
  const CWeldDll& m_library;
};
