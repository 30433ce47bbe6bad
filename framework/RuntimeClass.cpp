#include "framework/RuntimeClass.h"

#include <cstring>
#include <vector>

#include "framework/Object.h"

namespace {
std::vector<CRuntimeClass*>& Registry() {
  static std::vector<CRuntimeClass*> classes;
  return classes;
}
}  // namespace

CObject* CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->GetBaseClass()) {
    if (c == base) return TRUE;
  }
  return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR className) {
  if (!className) return nullptr;
  for (CRuntimeClass* c : Registry()) {
    if (strcmp(c->m_lpszClassName, className) == 0) return c;
  }
  return nullptr;
}

void CRuntimeClass::Register(CRuntimeClass* runtimeClass) { Registry().push_back(runtimeClass); }
