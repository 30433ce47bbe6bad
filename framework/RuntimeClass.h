// Run-time class information: the class name, its size, its base and, for classes that the
// framework creates by name (documents, frames, views), a factory.
#pragma once

#include <windows.h>

class CObject;

struct CRuntimeClass {
  LPCSTR m_lpszClassName;
  int m_nObjectSize;
  CRuntimeClass* (*m_pfnGetBaseClass)();
  CObject* (*m_pfnCreateObject)();

  CObject* CreateObject() const;
  BOOL IsDerivedFrom(const CRuntimeClass* base) const;
  CRuntimeClass* GetBaseClass() const { return m_pfnGetBaseClass ? m_pfnGetBaseClass() : nullptr; }
  // Finds a class with a factory by its name among those declared creatable.
  static CRuntimeClass* FromName(LPCSTR className);
  static void Register(CRuntimeClass* runtimeClass);
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)     \
public:                                 \
  static CRuntimeClass* GetThisClass(); \
  CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static CObject* CreateObject();

#define TALVEX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, factory)         \
  CRuntimeClass* class_name::GetThisClass() {                                       \
    static CRuntimeClass info = {#class_name, static_cast<int>(sizeof(class_name)), \
                                 &base_class_name::GetThisClass, factory};          \
    return &info;                                                                   \
  }                                                                                 \
  CRuntimeClass* class_name::GetRuntimeClass() const { return class_name::GetThisClass(); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
  TALVEX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                \
  CObject* class_name::CreateObject() { return new class_name; }                        \
  TALVEX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, &class_name::CreateObject) \
  static const bool class_name##_registered =                                           \
      (CRuntimeClass::Register(class_name::GetThisClass()), true);
