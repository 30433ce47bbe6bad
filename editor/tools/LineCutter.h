// CLineCutter: cuts the selected block of a document along a straight line through the transform
// library's line cutter. The block's outlines (as curves, in one flat group) and the line go to
// the library as block records; the pieces that come back replace the block as one new selected
// block, each change with its undo record. Nothing changes when the library is missing, nothing
// suitable is selected, or the library gives nothing back.
#pragma once

#include <windows.h>

#include <functional>

#include "media/WeldDll.h"

class CBlock;
class CBlockView;
class CTALVEX42Doc;

class CLineCutter {
public:
  // The library's cut of a shape by a knife: a new global block of one block record, or null.
  using CutFunction = std::function<HGLOBAL(const WeldOperand& shape, const WeldOperand& knife)>;

  CLineCutter(CBlockView* view, CTALVEX42Doc* document, CutFunction cut);
  // The program's transform library, bound for as long as the function lives; empty when it
  // cannot be bound.
  static CutFunction ProgramLibrary();

  // True when the selection was replaced by the pieces.
  bool Cut(const FPOINT& from, const FPOINT& to);

private:
  CBlock* SelectedBlock() const;

  CBlockView* m_view;
  CTALVEX42Doc* m_document;
  CutFunction m_cut;
};
