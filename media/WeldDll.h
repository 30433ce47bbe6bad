// CWeldDll: the transform library's welding and cutting of outlines, bound by each weld or cut
// command for its own duration. A missing library or entry gives null results.
#pragma once

#include <cstddef>

#include "media/DllModule.h"
#include "model/geometry/FRect.h"

// One outline taking part in a weld or cut, 40 bytes as the library reads it: the length of its
// block record, its box twice, and the movable global memory that holds the record. The packing
// keeps the handle right behind the boxes in the 64-bit build too, where it is wider.
#pragma pack(push, 4)
struct WeldOperand {
  INT32 length;
  CFRect box;
  CFRect bounds;  // the box again
  HGLOBAL records;
};
#pragma pack(pop)

static_assert(offsetof(WeldOperand, records) == 36, "the record handle follows the two boxes");
#ifndef _WIN64
static_assert(sizeof(WeldOperand) == 40, "the library reads 40 bytes per operand");
#endif

// The descriptor of a record of length bytes in records, for a block whose box is box.
WeldOperand MakeWeldOperand(HGLOBAL records, int length, const CFRect& box);

class CWeldDll : public CDllModule {
public:
  typedef HGLOBAL(__cdecl* PairEntry)(const WeldOperand* first, const WeldOperand* second);
  typedef HGLOBAL(__cdecl* CutEntry)(const WeldOperand* shape, const WeldOperand* cutter,
                                     int parameter);
  typedef HGLOBAL(__cdecl* SelfWeldEntry)(const WeldOperand* shape);

  CWeldDll();

  // Loads the transform library once and binds the entries; the module or null.
  HMODULE Bind(LPCSTR path = nullptr);

  // Each returns a global memory block of the result's block records (the caller's), or null.
  HGLOBAL Weld(const WeldOperand& first, const WeldOperand& second) const;
  HGLOBAL WeldCut(const WeldOperand& first, const WeldOperand& second) const;
  HGLOBAL WeldAnd(const WeldOperand& first, const WeldOperand& second) const;
  HGLOBAL WeldXor(const WeldOperand& first, const WeldOperand& second) const;
  HGLOBAL LineCut(const WeldOperand& shape, const WeldOperand& line, int parameter) const;
  // Clips a group's outlines to the box of the second operand.
  HGLOBAL FigureCut(const WeldOperand& group, const WeldOperand& box, int parameter) const;
  HGLOBAL SelfWeld(const WeldOperand& shape) const;

private:
  HGLOBAL CallPair(PairEntry entry, const WeldOperand& first, const WeldOperand& second) const;

  PairEntry m_weld;
  PairEntry m_weldCut;
  PairEntry m_weldAnd;
  PairEntry m_weldXor;
  CutEntry m_lineCut;
  CutEntry m_figureCut;
  SelfWeldEntry m_selfWeld;
};
