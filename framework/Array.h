// CArray: a growable array of values. Indexes out of range throw CInvalidArgException rather than
// touching memory outside the array.
#pragma once

#include <algorithm>
#include <vector>

#include "framework/InvalidArgException.h"
#include "framework/Object.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
  CArray() = default;
  CArray(const CArray&) = default;
  CArray& operator=(const CArray&) = default;

  INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
  INT_PTR GetCount() const { return GetSize(); }
  INT_PTR GetUpperBound() const { return GetSize() - 1; }
  BOOL IsEmpty() const { return m_items.empty(); }

  // Sets the size; new elements are value-initialised (null, zero, empty).
  void SetSize(INT_PTR newSize, INT_PTR /*growBy*/ = -1) {
    if (newSize < 0) AfxThrowInvalidArgException();
    m_items.resize(static_cast<size_t>(newSize));
  }
  void FreeExtra() { m_items.shrink_to_fit(); }
  // Room for count elements, so that adding up to that many allocates no more.
  void Reserve(INT_PTR count) {
    if (count > 0) m_items.reserve(static_cast<size_t>(count));
  }
  void RemoveAll() { m_items.clear(); }

  const TYPE& GetAt(INT_PTR index) const { return m_items[Checked(index)]; }
  void SetAt(INT_PTR index, ARG_TYPE element) { m_items[Checked(index)] = element; }
  TYPE& ElementAt(INT_PTR index) { return m_items[Checked(index)]; }
  const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
  TYPE& operator[](INT_PTR index) { return ElementAt(index); }
  TYPE* GetData() { return m_items.empty() ? nullptr : m_items.data(); }
  const TYPE* GetData() const { return m_items.empty() ? nullptr : m_items.data(); }

  // Grows the array when the index is past its end.
  void SetAtGrow(INT_PTR index, ARG_TYPE element) {
    if (index < 0) AfxThrowInvalidArgException();
    if (index >= GetSize()) m_items.resize(static_cast<size_t>(index) + 1);
    m_items[static_cast<size_t>(index)] = element;
  }
  INT_PTR Add(ARG_TYPE element) {
    m_items.push_back(element);
    return GetSize() - 1;
  }
  INT_PTR Append(const CArray& other) {
    INT_PTR first = GetSize();
    m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
    return first;
  }
  void Copy(const CArray& other) { m_items = other.m_items; }
  // Exchanges the elements of the two arrays without copying them.
  void Swap(CArray& other) { m_items.swap(other.m_items); }

  // Inserts count copies at index; an index past the end grows the array up to it.
  void InsertAt(INT_PTR index, ARG_TYPE element, INT_PTR count = 1) {
    if (index < 0 || count < 0) AfxThrowInvalidArgException();
    if (index > GetSize()) m_items.resize(static_cast<size_t>(index));
    m_items.insert(m_items.begin() + index, static_cast<size_t>(count), element);
  }
  void InsertAt(INT_PTR index, const CArray* other) {
    if (index < 0 || !other) AfxThrowInvalidArgException();
    if (index > GetSize()) m_items.resize(static_cast<size_t>(index));
    std::vector<TYPE> copy = other->m_items;  // other may be this array
    m_items.insert(m_items.begin() + index, copy.begin(), copy.end());
  }
  void RemoveAt(INT_PTR index, INT_PTR count = 1) {
    if (index < 0 || count < 0 || index + count > GetSize()) AfxThrowInvalidArgException();
    m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
  }

private:
  size_t Checked(INT_PTR index) const {
    if (index < 0 || index >= GetSize()) AfxThrowInvalidArgException();
    return static_cast<size_t>(index);
  }

  std::vector<TYPE> m_items;
};
