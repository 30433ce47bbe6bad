#include "addons/importfilter/PsArena.h"

#include <algorithm>

namespace {

// What a storage takes beside its elements or bytes: its record here and the heap's own.
const size_t kStorageOverhead = 48;

}  // namespace

CPsArena::CPsArena(CPsBudget* budget) : m_budget(budget) {
  // Index 0 of every kind is taken: no storage, and the definitions among the dictionaries.
  m_arrays.emplace_back();
  m_largeArrays.emplace_back();
  m_strings.emplace_back();
  m_dictionaries.emplace_back();
  for (Pool& pool : m_pools) pool.charged.push_back(kStorageOverhead);
}

CPsArena::Kind CPsArena::KindOf(PsObject::Type type) {
  return type == PsObject::kArray ? kArrays : type == PsObject::kDict ? kDictionaries : kStrings;
}

bool CPsArena::Holds(Kind kind, uint32_t index) const {
  const Pool& pool = m_pools[kind];
  return index < pool.charged.size() && pool.charged[index] != 0;
}

uint32_t CPsArena::Take(Kind kind, size_t bytes) {
  bytes += kStorageOverhead;
  if (!m_budget->Charge(bytes)) return 0;
  Pool& pool = m_pools[kind];
  uint32_t index;
  if (!pool.free.empty()) {
    index = pool.free.back();
    pool.free.pop_back();
  } else {
    index = static_cast<uint32_t>(pool.charged.size());
    pool.charged.push_back(0);
    if (kind == kArrays) m_arrays.emplace_back(), m_largeArrays.emplace_back();
    if (kind == kStrings) m_strings.emplace_back();
    if (kind == kDictionaries) m_dictionaries.emplace_back();
  }
  pool.charged[index] = bytes;
  m_allocatedSinceCollection += bytes;
  return index;
}

void CPsArena::Recharge(Kind kind, uint32_t index, size_t bytes) {
  m_pools[kind].charged[index] += bytes;
  m_allocatedSinceCollection += bytes;
}

int CPsArena::CellSizeOf(size_t length) {
  int size = 0;
  while ((static_cast<size_t>(1) << size) < length) ++size;
  return length == 0 || length > kLargestCell ? -1 : size;
}

size_t CPsArena::ArrayBytes(size_t length) {
  const int cell = CellSizeOf(length);
  return (cell < 0 ? length : static_cast<size_t>(1) << cell) * sizeof(PsObject);
}

PsObject* CPsArena::PlaceArray(uint32_t index, size_t length) {
  ArrayStore& store = m_arrays[index];
  store.size = static_cast<uint32_t>(length);
  store.cellSize = CellSizeOf(length);
  if (store.cellSize < 0) {
    m_largeArrays[index].assign(length, PsObject());
    store.items = m_largeArrays[index].data();
    return store.items;
  }
  std::vector<PsObject*>& free = m_freeCells[store.cellSize];
  const size_t cell = static_cast<size_t>(1) << store.cellSize;
  if (!free.empty()) {
    store.items = free.back();
    free.pop_back();
  } else {
    if (m_slabUsed + cell > kSlabElements) {
      m_slabs.emplace_back(kSlabElements);
      m_slabUsed = 0;
    }
    store.items = m_slabs.back().data() + m_slabUsed;
    m_slabUsed += cell;
  }
  return store.items;
}

void CPsArena::FreeArray(uint32_t index) {
  ArrayStore& store = m_arrays[index];
  if (store.cellSize >= 0)
    m_freeCells[store.cellSize].push_back(store.items);
  else
    std::vector<PsObject>().swap(m_largeArrays[index]);
  store = ArrayStore();
}

PsObject CPsArena::NewArray(size_t length) {
  const uint32_t index = Take(kArrays, ArrayBytes(length));
  if (!index) return PsObject();
  PsObject* items = PlaceArray(index, length);
  std::fill(items, items + length, PsObject());
  return PsObject::Composite(PsObject::kArray, index, 0, static_cast<uint32_t>(length));
}

PsObject CPsArena::NewArray(const PsObject* items, size_t count) {
  const uint32_t index = Take(kArrays, ArrayBytes(count));
  if (!index) return PsObject();
  std::copy(items, items + count, PlaceArray(index, count));
  return PsObject::Composite(PsObject::kArray, index, 0, static_cast<uint32_t>(count));
}

PsObject CPsArena::NewString(const std::string& kept, size_t length) {
  const uint32_t index = Take(kStrings, kept.size());
  if (!index) return PsObject();
  m_strings[index] = kept;
  return PsObject::Composite(PsObject::kString, index, 0, static_cast<uint32_t>(length));
}

PsObject CPsArena::NewDictionary() {
  const uint32_t index = Take(kDictionaries, 0);
  if (!index) return PsObject();
  return PsObject::Composite(PsObject::kDict, index, 0, 0);
}

const PsObject* CPsArena::Elements(const PsObject& array) const {
  if (array.type != PsObject::kArray || !Holds(kArrays, array.storage.index)) return nullptr;
  const ArrayStore& store = m_arrays[array.storage.index];
  if (array.length == 0 || array.storage.start > store.size ||
      array.length > store.size - array.storage.start)
    return nullptr;
  return store.items + array.storage.start;
}

PsObject* CPsArena::Elements(const PsObject& array) {
  return const_cast<PsObject*>(static_cast<const CPsArena*>(this)->Elements(array));
}

std::string CPsArena::Text(const PsObject& string) const {
  if (string.type != PsObject::kString || !Holds(kStrings, string.storage.index)) return "";
  const std::string& kept = m_strings[string.storage.index];
  const size_t start = std::min<size_t>(string.storage.start, kept.size());
  return kept.substr(start, std::min<size_t>(string.length, kept.size() - start));
}

const CPsDictionary* CPsArena::Dictionary(const PsObject& dict) const {
  if (dict.type != PsObject::kDict || !Holds(kDictionaries, dict.storage.index)) return nullptr;
  return &m_dictionaries[dict.storage.index];
}

CPsDictionary* CPsArena::DictionaryOf(const PsObject& dict) {
  return const_cast<CPsDictionary*>(Dictionary(dict));
}

const PsObject* CPsArena::Find(const PsObject& dict, const PsObject& key) {
  const CPsDictionary* entries = Dictionary(dict);
  if (!entries) return nullptr;
  size_t touched = 0;
  const PsObject* value = entries->Find(key, &touched);
  PayWork(touched);
  return value;
}

bool CPsArena::Put(const PsObject& dict, const PsObject& key, const PsObject& value) {
  CPsDictionary* entries = DictionaryOf(dict);
  if (!entries) return false;
  size_t touched = 0;
  if (!entries->Find(key, &touched)) {
    const size_t growth = entries->BytesAfterAdding() - entries->Bytes();
    if (growth && !m_budget->Charge(growth)) return false;
    Recharge(kDictionaries, dict.storage.index, growth);
  }
  const bool put = entries->Put(key, value, &touched);
  PayWork(touched);
  return put;
}

void CPsArena::Remove(const PsObject& dict, const PsObject& key) {
  CPsDictionary* entries = DictionaryOf(dict);
  if (!entries) return;
  size_t touched = 0;
  entries->Remove(key, &touched);
  PayWork(touched);
}

void CPsArena::BeginWalk(const PsObject& dict) {
  if (CPsDictionary* entries = DictionaryOf(dict)) entries->BeginWalk();
}

void CPsArena::EndWalk(const PsObject& dict) {
  if (CPsDictionary* entries = DictionaryOf(dict)) entries->EndWalk();
}

bool CPsArena::CollectionDue() const {
  const size_t limit = m_budget->MemoryLimit();
  return m_allocatedSinceCollection >= std::min(kCollectAfterBytes, limit / 16) &&
         (m_allocatedSinceCollection >= m_keptByCollection || m_budget->MemoryHeld() >= limit / 2);
}

void CPsArena::Mark(const PsObject& object, std::vector<PsObject>* pending) {
  if (!object.IsComposite() && object.type != PsObject::kFile) return;
  const Kind kind = KindOf(object.type);
  const uint32_t index = object.storage.index;
  if (!Holds(kind, index) || m_pools[kind].marked[index]) return;
  m_pools[kind].marked[index] = 1;
  if (kind != kStrings) pending->push_back(object);
}

size_t CPsArena::Collect(const std::vector<const std::vector<PsObject>*>& roots) {
  for (Pool& pool : m_pools) pool.marked.assign(pool.charged.size(), 0);
  size_t looked = 0;
  std::vector<PsObject> pending;
  pending.push_back(PsObject::Composite(PsObject::kDict, PsObject::kDefinitions, 0, 0));
  m_pools[kDictionaries].marked[PsObject::kDefinitions] = 1;
  for (const std::vector<PsObject>* root : roots) {
    for (const PsObject& object : *root) Mark(object, &pending);
    looked += root->size();
  }
  // Whatever a marked array or dictionary holds is marked in turn, from a list, not a recursion.
  while (!pending.empty()) {
    const PsObject holder = pending.back();
    pending.pop_back();
    if (holder.type == PsObject::kArray) {
      // The whole storage stays, not only the part the object sees.
      const ArrayStore& store = m_arrays[holder.storage.index];
      for (uint32_t i = 0; i < store.size; ++i) Mark(store.items[i], &pending);
      looked += store.size;
      continue;
    }
    const CPsDictionary& entries = m_dictionaries[holder.storage.index];
    PsObject key, value;
    for (size_t place = 0; place < entries.Places(); ++place) {
      if (!entries.EntryAt(place, &key, &value)) continue;
      Mark(key, &pending);
      Mark(value, &pending);
    }
    looked += entries.Places();
  }
  m_keptByCollection = 0;
  for (int kind = 0; kind < kKinds; ++kind) {
    Sweep(static_cast<Kind>(kind));
    looked += m_pools[kind].charged.size();
  }
  m_allocatedSinceCollection = 0;
  return looked;
}

void CPsArena::Sweep(Kind kind) {
  Pool& pool = m_pools[kind];
  for (uint32_t index = 1; index < pool.charged.size(); ++index) {
    if (pool.charged[index] == 0) continue;
    if (pool.marked[index]) {
      m_keptByCollection += pool.charged[index];
      continue;
    }
    m_budget->Release(pool.charged[index]);
    pool.charged[index] = 0;
    pool.free.push_back(index);
    if (kind == kArrays) FreeArray(index);
    if (kind == kStrings) std::string().swap(m_strings[index]);
    if (kind == kDictionaries) m_dictionaries[index] = CPsDictionary();
  }
}
