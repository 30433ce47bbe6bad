#include "addons/transform/TransformHandles.h"

#include "addons/transform/ArtTransform.h"

namespace {

// Handles start well away from 0 and from small numbers a caller might pass by mistake.
const INT_PTR kFirstHandle = 0x5400;

class Guard {
public:
  explicit Guard(CRITICAL_SECTION* lock) : m_lock(lock) { EnterCriticalSection(m_lock); }
  ~Guard() { LeaveCriticalSection(m_lock); }
  Guard(const Guard&) = delete;
  Guard& operator=(const Guard&) = delete;

private:
  CRITICAL_SECTION* m_lock;
};

}  // namespace

CTransformHandles& CTransformHandles::Instance() {
  static CTransformHandles handles;
  return handles;
}

CTransformHandles::CTransformHandles() : m_next(kFirstHandle) {
  InitializeCriticalSection(&m_lock);
}

CTransformHandles::~CTransformHandles() { DeleteCriticalSection(&m_lock); }

HANDLE CTransformHandles::Add(CArtTransform* transform) {
  if (!transform) return nullptr;
  Guard guard(&m_lock);
  INT_PTR id = m_next++;
  m_transforms[id].reset(transform);
  return reinterpret_cast<HANDLE>(id);
}

CArtTransform* CTransformHandles::Find(HANDLE handle) const {
  Guard guard(&m_lock);
  auto found = m_transforms.find(reinterpret_cast<INT_PTR>(handle));
  return found == m_transforms.end() ? nullptr : found->second.get();
}

void CTransformHandles::Remove(HANDLE handle) {
  Guard guard(&m_lock);
  m_transforms.erase(reinterpret_cast<INT_PTR>(handle));
}

size_t CTransformHandles::Count() const {
  Guard guard(&m_lock);
  return m_transforms.size();
}
