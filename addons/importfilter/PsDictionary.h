// CPsDictionary: the entries of one PostScript dictionary in the order their keys were first
// put, found through an open-addressed hash table, so that put replaces a key's value and get,
// known, put and undef take the same time however large the dictionary grows. Keys are compared
// by type and value, composites by the storage and part they see; the interpreter hands them in
// one form (strings as names, numbers without their integer mark). A null key is never stored.
//
// A removed entry keeps its place, so that places stay fixed while forall walks them, and its
// slot, so that searches go on past it; the next key put on that slot's search takes the slot
// over. When the entries fill up and at least half of them are removed ones, they are compacted
// in their order instead of growing, unless a walk is going on (BeginWalk, EndWalk). Every
// operation adds the slots and entries it touched to the count it is given, for the caller to
// pay. Bytes() is what the storage takes, and BytesAfterAdding() tells beforehand what one more
// key will take, so that growth is charged before it happens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "addons/importfilter/PsObject.h"

class CPsDictionary {
public:
  const PsObject* Find(const PsObject& key, size_t* touched = nullptr) const;
  // Sets the key's value; false, storing nothing, for a null key.
  bool Put(const PsObject& key, const PsObject& value, size_t* touched = nullptr);
  void Remove(const PsObject& key, size_t* touched = nullptr);

  size_t Size() const { return m_live; }
  // Places 0 to Places() - 1 in the order the keys came; EntryAt is false for a removed one.
  size_t Places() const { return m_entries.size(); }
  bool EntryAt(size_t place, PsObject* key, PsObject* value) const;
  // Places stay as they are from BeginWalk until its EndWalk.
  void BeginWalk() { ++m_walks; }
  void EndWalk() { --m_walks; }

  size_t Bytes() const;
  size_t BytesAfterAdding() const;

private:
  struct Entry {
    PsObject key;
    PsObject value;
  };
  static const size_t kNoSlot = static_cast<size_t>(-1);
  static size_t Hash(const PsObject& key);
  static bool SameKey(const PsObject& a, const PsObject& b);
  // The slot holding the key's entry, or the empty slot where its search ends; reusable, when
  // given, gets the first slot on the way whose entry was removed (kNoSlot when there is none).
  size_t SlotOf(const PsObject& key, size_t* touched, size_t* reusable = nullptr) const;
  bool Removed(uint32_t held) const { return m_entries[held - 1].key.type == PsObject::kNull; }
  static size_t CapacityAfter(size_t capacity);
  // Whether full entries are compacted rather than grown.
  bool CompactsWhenFull() const;
  void MakeRoom(size_t* touched);
  void Rehash(size_t* touched);

  std::vector<Entry> m_entries;   // its capacity is set here, never by the vector's own growth
  std::vector<uint32_t> m_slots;  // an entry's index + 1, 0 when empty; twice its capacity
  size_t m_live = 0;
  int m_walks = 0;
};
