#include "media/WeldDll.h"

#include "media/TransformDll.h"

WeldOperand MakeWeldOperand(HGLOBAL records, int length, const CFRect& box) {
  WeldOperand operand;
  operand.length = length;
  operand.box = box;
  operand.bounds = box;
  operand.records = records;
  return operand;
}

CWeldDll::CWeldDll()
    : CDllModule(CTransformDll::kLibraryName),
      m_weld(nullptr),
      m_weldCut(nullptr),
      m_weldAnd(nullptr),
      m_weldXor(nullptr),
      m_lineCut(nullptr),
      m_figureCut(nullptr),
      m_selfWeld(nullptr) {}

HMODULE CWeldDll::Bind(LPCSTR path) {
  if (IsLoaded() && EntriesBound()) return GetModule();
  if (!Load(path)) return nullptr;
  BindEntry(m_weld, "dllWeld");
  BindEntry(m_weldCut, "dllWeldCut");
  BindEntry(m_weldAnd, "dllWeldAnd");
  BindEntry(m_weldXor, "dllWeldXor");
  BindEntry(m_lineCut, "dllLineCut");
  BindEntry(m_figureCut, "dllFigureCut");
  BindEntry(m_selfWeld, "dllSelfWeld");
  SetEntriesBound();
  return GetModule();
}

HGLOBAL CWeldDll::CallPair(PairEntry entry, const WeldOperand& first,
                           const WeldOperand& second) const {
  return EntriesBound() && entry ? entry(&first, &second) : nullptr;
}

HGLOBAL CWeldDll::Weld(const WeldOperand& first, const WeldOperand& second) const {
  return CallPair(m_weld, first, second);
}

HGLOBAL CWeldDll::WeldCut(const WeldOperand& first, const WeldOperand& second) const {
  return CallPair(m_weldCut, first, second);
}

HGLOBAL CWeldDll::WeldAnd(const WeldOperand& first, const WeldOperand& second) const {
  return CallPair(m_weldAnd, first, second);
}

HGLOBAL CWeldDll::WeldXor(const WeldOperand& first, const WeldOperand& second) const {
  return CallPair(m_weldXor, first, second);
}

HGLOBAL CWeldDll::LineCut(const WeldOperand& shape, const WeldOperand& line, int parameter) const {
  return EntriesBound() && m_lineCut ? m_lineCut(&shape, &line, parameter) : nullptr;
}

HGLOBAL CWeldDll::FigureCut(const WeldOperand& group, const WeldOperand& box, int parameter) const {
  return EntriesBound() && m_figureCut ? m_figureCut(&group, &box, parameter) : nullptr;
}

HGLOBAL CWeldDll::SelfWeld(const WeldOperand& shape) const {
  return EntriesBound() && m_selfWeld ? m_selfWeld(&shape) : nullptr;
}
