#include "media/ExpandDll.h"

#include "media/TransformDll.h"

CExpandDll::CExpandDll()
    : CDllModule(CTransformDll::kLibraryName),
      m_expand(nullptr),
      m_expandOutLine(nullptr),
      m_expandWatched(nullptr),
      m_expandOutLineWatched(nullptr) {}

HMODULE CExpandDll::Bind(LPCSTR path) {
  if (IsLoaded() && EntriesBound()) return GetModule();
  if (!Load(path)) return nullptr;
  BindEntry(m_expand, "dllExpand");
  BindEntry(m_expandOutLine, "dllExpandOutLine");
  BindEntry(m_expandWatched, "dllExpandWatched");
  BindEntry(m_expandOutLineWatched, "dllExpandOutLineWatched");
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

HGLOBAL CExpandDll::ExpandWatched(HGLOBAL group, const ExpandParams& params, bool outline,
                                  ExpandWatch* watch) const {
  if (!watch) return outline ? ExpandOutLine(group, params) : Expand(group, params);
  WatchedEntry entry = outline ? m_expandOutLineWatched : m_expandWatched;
  if (EntriesBound() && entry && group)
    return entry(group, params.thickness, params.threshold, params.angleLimit, params.accuracy,
                 params.mode, watch);
  HGLOBAL result = outline ? ExpandOutLine(group, params) : Expand(group, params);
  watch->permille = 1000;
  watch->status = result ? ExpandWatch::kDone : ExpandWatch::kFailed;
  return result;
}
