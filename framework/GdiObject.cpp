#include "framework/GdiObject.h"

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject::Map& CGdiObject::HandleMap() {
  static Map map;
  return map;
}

BOOL CGdiObject::Attach(HGDIOBJ handle) {
  if (!handle) return FALSE;
  if (m_hObject) DeleteObject();
  m_hObject = handle;
  HandleMap().SetPermanent(handle, this);
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ handle = m_hObject;
  if (handle && HandleMap().LookupPermanent(handle) == this) HandleMap().RemoveHandle(handle);
  m_hObject = nullptr;
  return handle;
}

BOOL CGdiObject::DeleteObject() {
  HGDIOBJ handle = Detach();
  return handle ? ::DeleteObject(handle) : FALSE;
}

BOOL CGdiObject::TakeNew(HGDIOBJ handle) { return Attach(handle); }

BOOL CGdiObject::CreateStockObject(int index) {
  // Stock objects are never deleted: keep the handle without registering ownership.
  HGDIOBJ handle = ::GetStockObject(index);
  if (!handle) return FALSE;
  DeleteObject();
  m_hObject = handle;
  return TRUE;
}

int CGdiObject::GetObject(int size, LPVOID buffer) const {
  return m_hObject ? ::GetObjectA(m_hObject, size, buffer) : 0;
}

UINT CGdiObject::GetObjectType() const {
  return m_hObject ? static_cast<UINT>(::GetObjectType(m_hObject)) : 0;
}

BOOL CGdiObject::UnrealizeObject() { return m_hObject ? ::UnrealizeObject(m_hObject) : FALSE; }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle) { return TypedFromHandle<CGdiObject>(handle); }

void CGdiObject::DeleteTempMap() { HandleMap().DeleteTemporary(); }
