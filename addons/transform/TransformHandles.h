// CTransformHandles: the transformations the library has handed out, by handle. A handle is a
// small number, never a pointer, so that every entry can check the handle it is given: an unknown
// or deleted handle finds nothing and the entry answers neutrally. The program uses the library
// from its user-interface thread only; the table is still guarded so that a stray call from
// another thread cannot tear it.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

class CArtTransform;

class CTransformHandles {
public:
  static CTransformHandles& Instance();

  CTransformHandles();
  ~CTransformHandles();
  CTransformHandles(const CTransformHandles&) = delete;
  CTransformHandles& operator=(const CTransformHandles&) = delete;

  // Takes the transformation over; null for null.
  HANDLE Add(CArtTransform* transform);
  CArtTransform* Find(HANDLE handle) const;
  // Deletes the transformation; an unknown handle changes nothing.
  void Remove(HANDLE handle);
  size_t Count() const;

private:
  mutable CRITICAL_SECTION m_lock;
  std::map<INT_PTR, std::unique_ptr<CArtTransform>> m_transforms;
  INT_PTR m_next;
};
