// CPsArena: the storage of one read's composite objects, which refer to it by index (PsObject):
// arrays and procedures, strings (their first bytes, CPsScanner::kKeptStringBytes), and
// dictionaries, the first of which (index 0) holds the read's definitions. Every storage is
// charged to the read's budget before it is made; a refused one gives a null object, and the
// budget stays exhausted. Collect takes back the storage that the roots it is given no longer
// reach, marking through them without recursion, so objects may hold one another in any way;
// what is left goes all at once with the arena.
//
// Small arrays take cells of a few sizes from large slabs, reused once collected, so that a read
// of many small arrays makes few allocations of the heap's own; large ones have a block each.
// Pointers and references into the arena hold until the next allocation or collection only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "addons/importfilter/PsBudget.h"
#include "addons/importfilter/PsDictionary.h"
#include "addons/importfilter/PsObject.h"

class CPsArena {
public:
  // A collection is due once this much (or a sixteenth of the budget's memory, if less) has been
  // allocated since the last one, and as much as the last one kept, so that its work stays in
  // proportion to the allocations; more often once half the budget's memory is held.
  static constexpr size_t kCollectAfterBytes = 4 << 20;

  explicit CPsArena(CPsBudget* budget);
  CPsArena(const CPsArena&) = delete;
  CPsArena& operator=(const CPsArena&) = delete;

  // --- Allocation (a null object when the budget refuses) ---
  PsObject NewArray(size_t length);  // of nulls
  PsObject NewArray(const PsObject* items, size_t count);
  PsObject NewString(const std::string& kept, size_t length);
  PsObject NewDictionary();

  // --- Arrays and strings: the object's part of its storage ---
  // The elements (null when there are none); the part's length is the object's.
  PsObject* Elements(const PsObject& array);
  const PsObject* Elements(const PsObject& array) const;
  std::string Text(const PsObject& string) const;  // the kept bytes of the part

  // --- Dictionaries ---
  // Searches, puts and removals charge the budget's work with every slot they touch.
  const CPsDictionary& Definitions() const { return m_dictionaries[PsObject::kDefinitions]; }
  const CPsDictionary* Dictionary(const PsObject& dict) const;
  // The key's value in the dictionary, or null.
  const PsObject* Find(const PsObject& dict, const PsObject& key);
  // Sets the key's value, charging what the dictionary grows by; false when the budget refuses
  // or the key is null.
  bool Put(const PsObject& dict, const PsObject& key, const PsObject& value);
  void Remove(const PsObject& dict, const PsObject& key);
  // Keeps the dictionary's places as they are while forall walks them.
  void BeginWalk(const PsObject& dict);
  void EndWalk(const PsObject& dict);

  // --- Collection ---
  bool CollectionDue() const;
  // Frees what the roots (and the definitions) do not reach; returns the objects it looked at.
  size_t Collect(const std::vector<const std::vector<PsObject>*>& roots);

private:
  enum Kind { kArrays, kStrings, kDictionaries, kKinds };
  // Arrays of up to kLargestCell elements take a cell of the next power of two in a slab.
  static constexpr size_t kLargestCell = 64;
  static constexpr int kCellSizes = 7;
  static constexpr size_t kSlabElements = 1 << 16;
  struct ArrayStore {
    PsObject* items = nullptr;
    uint32_t size = 0;
    int cellSize = -1;  // its cell's size class, -1 for a block of its own (or none)
  };
  struct Pool {
    std::vector<size_t> charged;  // bytes charged for each storage, 0 for a free one
    std::vector<uint32_t> free;
    std::vector<unsigned char> marked;
  };
  static Kind KindOf(PsObject::Type type);
  static int CellSizeOf(size_t length);
  static size_t ArrayBytes(size_t length);
  // Storage for the array of the index: a cell, or a block of its own.
  PsObject* PlaceArray(uint32_t index, size_t length);
  void FreeArray(uint32_t index);
  // A free index of the kind, its storage charged with the bytes; 0 when refused.
  uint32_t Take(Kind kind, size_t bytes);
  void Recharge(Kind kind, uint32_t index, size_t bytes);
  bool Holds(Kind kind, uint32_t index) const;
  // The dictionary's storage, or null.
  CPsDictionary* DictionaryOf(const PsObject& dict);
  void PayWork(size_t steps) { m_budget->Work(steps); }
  void Mark(const PsObject& object, std::vector<PsObject>* pending);
  void Sweep(Kind kind);

  CPsBudget* m_budget;
  std::vector<ArrayStore> m_arrays;
  std::vector<std::vector<PsObject>> m_largeArrays;  // by index, empty for those in cells
  std::vector<std::vector<PsObject>> m_slabs;        // never resized: cells stay put
  size_t m_slabUsed = kSlabElements;                 // elements given out of the last slab
  std::vector<PsObject*> m_freeCells[kCellSizes];
  std::vector<std::string> m_strings;
  std::vector<CPsDictionary> m_dictionaries;
  Pool m_pools[kKinds];
  size_t m_allocatedSinceCollection = 0;
  size_t m_keptByCollection = 0;
};
