// CPsDictionary: the entries of one PostScript dictionary in the order their keys were first
// put, found through an open-addressed hash table, so that put replaces a key's value and get,
// known, put and undef take the same time however large the dictionary grows. Keys are compared
// by type and value, composites by the storage and part they see; the interpreter hands them in
// one form (strings as names, numbers without their integer mark). A null key is never stored.
// A removed entry keeps its place, so that places stay fixed while forall walks them. Bytes()
// is what the storage takes, and BytesAfterAdding() tells beforehand what one more key will
// take, so that growth is charged before it happens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "addons/importfilter/PsObject.h"

class CPsDictionary {
public:
  const PsObject* Find(const PsObject& key) const;
  // Sets the key's value; false, storing nothing, for a null key.
  bool Put(const PsObject& key, const PsObject& value);
  void Remove(const PsObject& key);

  size_t Size() const { return m_live; }
  // Places 0 to Places() - 1 in the order the keys came; EntryAt is false for a removed one.
  size_t Places() const { return m_entries.size(); }
  bool EntryAt(size_t place, PsObject* key, PsObject* value) const;

  size_t Bytes() const;
  size_t BytesAfterAdding() const;

private:
  struct Entry {
    PsObject key;
    PsObject value;
  };
  static size_t Hash(const PsObject& key);
  static bool SameKey(const PsObject& a, const PsObject& b);
  // The slot holding the key's entry, or the empty slot where it would go.
  size_t SlotOf(const PsObject& key) const;
  static size_t CapacityAfter(size_t capacity);
  void Grow();

  std::vector<Entry> m_entries;   // its capacity is set here, never by the vector's own growth
  std::vector<uint32_t> m_slots;  // an entry's index + 1, 0 when empty; twice its capacity
  size_t m_live = 0;
};
