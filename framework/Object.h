// CObject: root of the framework's classes that carry run-time class information.
#pragma once

#include "framework/RuntimeClass.h"

class CObject {
public:
  virtual ~CObject() = default;

  static CRuntimeClass* GetThisClass();
  virtual CRuntimeClass* GetRuntimeClass() const;
  BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;

protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

// A checked downcast: null when the object is not of the class.
template <class T>
T* DYNAMIC_DOWNCAST_IMPL(CObject* object) {
  return (object && object->IsKindOf(RUNTIME_CLASS(T))) ? static_cast<T*>(object) : nullptr;
}
#define DYNAMIC_DOWNCAST(class_name, object) DYNAMIC_DOWNCAST_IMPL<class_name>(object)
