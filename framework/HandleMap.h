// CHandleMap: finds the framework object that wraps a system handle. Objects that own their handle
// are permanent entries; a handle the framework did not make gets a temporary wrapper that lives
// until the next idle time (AfxDeleteTempObjects), so callers must not keep such pointers.
#pragma once

#include <windows.h>

#include <unordered_map>

template <class HANDLE_T, class OBJECT_T, HANDLE_T OBJECT_T::*HandleMember>
class CHandleMap {
public:
  CHandleMap() = default;
  CHandleMap(const CHandleMap&) = delete;
  CHandleMap& operator=(const CHandleMap&) = delete;
  ~CHandleMap() { DeleteTemporary(); }

  OBJECT_T* LookupPermanent(HANDLE_T handle) const { return Lookup(m_permanent, handle); }
  OBJECT_T* LookupTemporary(HANDLE_T handle) const { return Lookup(m_temporary, handle); }
  void SetPermanent(HANDLE_T handle, OBJECT_T* object) {
    if (handle) m_permanent[handle] = object;
  }
  void RemoveHandle(HANDLE_T handle) { m_permanent.erase(handle); }

  // The permanent wrapper, else a temporary one of class T (made on first request).
  template <class T>
  OBJECT_T* FromHandle(HANDLE_T handle) {
    if (!handle) return nullptr;
    if (OBJECT_T* object = LookupPermanent(handle)) return object;
    if (OBJECT_T* object = LookupTemporary(handle)) return object;
    T* wrapper = new T;
    wrapper->*HandleMember = handle;
    m_temporary[handle] = wrapper;
    return wrapper;
  }

  // Temporary wrappers never own their handle: it is cleared before they are deleted.
  void DeleteTemporary() {
    std::unordered_map<HANDLE_T, OBJECT_T*> doomed;
    doomed.swap(m_temporary);
    for (auto& entry : doomed) {
      entry.second->*HandleMember = nullptr;
      delete entry.second;
    }
  }

private:
  static OBJECT_T* Lookup(const std::unordered_map<HANDLE_T, OBJECT_T*>& map, HANDLE_T handle) {
    auto found = map.find(handle);
    return found == map.end() ? nullptr : found->second;
  }

  std::unordered_map<HANDLE_T, OBJECT_T*> m_permanent;
  std::unordered_map<HANDLE_T, OBJECT_T*> m_temporary;
};

// Frees every temporary wrapper of windows, device contexts and GDI objects; the message loop
// calls it at idle time.
void AfxDeleteTempObjects();
