#include "addons/importfilter/PsDictionary.h"

#include <cstring>

namespace {

const size_t kFirstCapacity = 8;

uint64_t ValueBits(const PsObject& key) {
  if (key.IsComposite() || key.type == PsObject::kFile)
    return static_cast<uint64_t>(key.storage.index) << 32 ^ key.storage.start;
  uint64_t bits = 0;
  std::memcpy(&bits, &key.number, sizeof bits);
  return bits;
}

void Add(size_t* touched, size_t count) {
  if (touched) *touched += count;
}

}  // namespace

size_t CPsDictionary::Hash(const PsObject& key) {
  // The finishing steps of splitmix64: neighbouring names and numbers spread over the table.
  uint64_t h = ValueBits(key) ^ (static_cast<uint64_t>(key.type) << 56) ^
               (static_cast<uint64_t>(key.length) * 0x9E3779B97F4A7C15ull);
  h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
  h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
  return static_cast<size_t>(h ^ (h >> 31));
}

bool CPsDictionary::SameKey(const PsObject& a, const PsObject& b) {
  return a.type == b.type && a.length == b.length && ValueBits(a) == ValueBits(b);
}

size_t CPsDictionary::SlotOf(const PsObject& key, size_t* touched, size_t* reusable) const {
  const size_t mask = m_slots.size() - 1;
  if (reusable) *reusable = kNoSlot;
  size_t slot = Hash(key) & mask;
  for (size_t count = 1;; ++count, slot = (slot + 1) & mask) {
    const uint32_t held = m_slots[slot];
    // A removed entry's null key matches nothing: the search goes on past it.
    if (held == 0 || SameKey(m_entries[held - 1].key, key)) {
      Add(touched, count);
      return slot;
    }
    if (reusable && *reusable == kNoSlot && Removed(held)) *reusable = slot;
  }
}

const PsObject* CPsDictionary::Find(const PsObject& key, size_t* touched) const {
  if (m_slots.empty() || key.type == PsObject::kNull) return nullptr;
  const uint32_t held = m_slots[SlotOf(key, touched)];
  return held ? &m_entries[held - 1].value : nullptr;
}

bool CPsDictionary::Put(const PsObject& key, const PsObject& value, size_t* touched) {
  if (key.type == PsObject::kNull) return false;
  size_t slot = kNoSlot, reusable = kNoSlot;
  if (!m_slots.empty()) {
    slot = SlotOf(key, touched, &reusable);
    if (const uint32_t held = m_slots[slot]) {
      m_entries[held - 1].value = value;
      return true;
    }
  }
  if (m_entries.size() == m_entries.capacity()) {
    MakeRoom(touched);
    slot = SlotOf(key, touched, &reusable);
  }
  m_entries.push_back({key, value});
  m_slots[reusable != kNoSlot ? reusable : slot] = static_cast<uint32_t>(m_entries.size());
  ++m_live;
  return true;
}

void CPsDictionary::Remove(const PsObject& key, size_t* touched) {
  if (m_slots.empty() || key.type == PsObject::kNull) return;
  const uint32_t held = m_slots[SlotOf(key, touched)];
  if (!held) return;
  // The slot keeps pointing at the entry, whose null key marks it removed.
  m_entries[held - 1] = Entry();
  --m_live;
}

bool CPsDictionary::EntryAt(size_t place, PsObject* key, PsObject* value) const {
  if (place >= m_entries.size() || m_entries[place].key.type == PsObject::kNull) return false;
  *key = m_entries[place].key;
  *value = m_entries[place].value;
  return true;
}

size_t CPsDictionary::CapacityAfter(size_t capacity) {
  return capacity < kFirstCapacity ? kFirstCapacity : 2 * capacity;
}

bool CPsDictionary::CompactsWhenFull() const {
  return m_walks == 0 && m_entries.capacity() >= kFirstCapacity &&
         m_live <= m_entries.capacity() / 2;
}

size_t CPsDictionary::Bytes() const {
  return m_entries.capacity() * sizeof(Entry) + m_slots.size() * sizeof(uint32_t);
}

size_t CPsDictionary::BytesAfterAdding() const {
  if (m_entries.size() < m_entries.capacity() || CompactsWhenFull()) return Bytes();
  const size_t capacity = CapacityAfter(m_entries.capacity());
  return capacity * sizeof(Entry) + 2 * capacity * sizeof(uint32_t);
}

void CPsDictionary::MakeRoom(size_t* touched) {
  if (CompactsWhenFull()) {
    // The entries left, in their order; the capacity stays.
    size_t kept = 0;
    for (const Entry& entry : m_entries)
      if (entry.key.type != PsObject::kNull) m_entries[kept++] = entry;
    m_entries.resize(kept);
  } else {
    m_entries.reserve(CapacityAfter(m_entries.capacity()));
  }
  Rehash(touched);
}

void CPsDictionary::Rehash(size_t* touched) {
  m_slots.assign(2 * m_entries.capacity(), 0);
  Add(touched, m_entries.size());
  for (size_t i = 0; i < m_entries.size(); ++i) {
    const PsObject& key = m_entries[i].key;
    // A removed entry keeps its place but no slot: nothing can find it any more.
    if (key.type != PsObject::kNull) m_slots[SlotOf(key, touched)] = static_cast<uint32_t>(i + 1);
  }
}
