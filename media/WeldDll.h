// CWeldDll: the transform library's welding and cutting of outlines, bound by each weld or cut
// command for its own duration. A missing library or entry gives null results.
#pragma once

#include "media/DllModule.h"
#include "model/geometry/FRect.h"

// One outline taking part in a weld or cut: its box and its block records in global memory.
struct WeldOperand {
  CFRect box;
  HGLOBAL records;
};

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
