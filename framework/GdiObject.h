// CGdiObject: owner of one GDI object handle (pen, brush, font, bitmap, region). The handle is
// deleted with the object unless it was detached.
#pragma once

#include "framework/HandleMap.h"
#include "framework/Object.h"

class CGdiObject : public CObject {
  DECLARE_DYNAMIC(CGdiObject)
public:
  CGdiObject() = default;
  ~CGdiObject() override;
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  HGDIOBJ m_hObject = nullptr;

  operator HGDIOBJ() const { return m_hObject; }
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  BOOL Attach(HGDIOBJ handle);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  BOOL CreateStockObject(int index);
  int GetObject(int size, LPVOID buffer) const;
  UINT GetObjectType() const;
  BOOL UnrealizeObject();

  static CGdiObject* FromHandle(HGDIOBJ handle);
  static void DeleteTempMap();

  using Map = CHandleMap<HGDIOBJ, CGdiObject, &CGdiObject::m_hObject>;
  static Map& HandleMap();

protected:
  // Stores a newly created handle; false (and nothing stored) when creation failed.
  BOOL TakeNew(HGDIOBJ handle);
  template <class T>
  static T* TypedFromHandle(HGDIOBJ handle) {
    return static_cast<T*>(HandleMap().FromHandle<T>(handle));
  }
};
