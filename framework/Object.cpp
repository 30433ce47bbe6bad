#include "framework/Object.h"

CRuntimeClass* CObject::GetThisClass() {
  static CRuntimeClass info = {"CObject", static_cast<int>(sizeof(CObject)), nullptr, nullptr};
  return &info;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return GetThisClass(); }

BOOL CObject::IsKindOf(const CRuntimeClass* runtimeClass) const {
  return GetRuntimeClass()->IsDerivedFrom(runtimeClass);
}
