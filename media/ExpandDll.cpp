#include "media/ExpandDll.h"

#include "media/TransformDll.h"

CExpandDll::CExpandDll()
    : CDllModule(CTransformDll::kLibraryName), m_expand(nullptr), m_expandOutLine(nullptr) {}

HMODULE CExpandDll::Bind(LPCSTR path) {
  if (IsLoaded() && EntriesBound()) return GetModule();
  if (!Load(path)) return nullptr;
  BindEntry(m_expand, "dllExpand");
  BindEntry(m_expandOutLine, "dllExpandOutLine");
  SetEntriesBound();
  return GetModule();
}

HGLOBAL CExpandDll::Call(ExpandEntry entry, HGLOBAL group, const ExpandParams& params) {
  if (!entry || !group) return nullptr;
  return entry(group, params.thickness, params.threshold, params.angleLimit, params.accuracy,
               params.mode);
}

HGLOBAL CExpandDll::Expand(HGLOBAL group, const ExpandParams& params) const {
  return EntriesBound() ? Call(m_expand, group, params) : nullptr;
}

HGLOBAL CExpandDll::ExpandOutLine(HGLOBAL group, const ExpandParams& params) const {
  return EntriesBound() ? Call(m_expandOutLine, group, params) : nullptr;
}
