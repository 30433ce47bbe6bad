#include "model/geometry/PointStore.h"

#include <algorithm>
#include <cstring>

#include "framework/FixedBlockCache.h"
#include "framework/GlobalLock.h"
#include "framework/MemoryException.h"

namespace {

const POINTREC kZeroRecord = {0.0f, 0.0f, 0};

// A fixed block of bytes (see the header), from the blocks other stores gave up when there is
// one; its contents are the caller's to fill.
HGLOBAL NewBlock(size_t bytes) {
  HGLOBAL block = CFixedBlockCache::Shared().Take(bytes);
  if (!block) AfxThrowMemoryException();
  return block;
}

}  // namespace

CPointStore::CPointStore() : m_points(nullptr), m_capacity(0), m_count(0), m_keepBlock(false) {}

CPointStore::~CPointStore() { Free(); }

void CPointStore::Free() {
  GiveUp(m_points);
  m_points = nullptr;
  m_count = m_capacity = 0;
}

void CPointStore::GiveUp(HGLOBAL block) const {
  if (m_keepBlock)
    CFixedBlockCache::Shared().Give(block);
  else if (block)
    ::GlobalFree(block);
}

size_t CPointStore::BlockRecords() const {
  return m_points ? ::GlobalSize(m_points) / kPointRecordSize : 0;
}

void CPointStore::Reserve(int capacity) {
  SIZE_T bytes = (static_cast<size_t>(capacity) + kSpareRecords) * kPointRecordSize;
  if (!m_points) {
    HGLOBAL block = NewBlock(bytes);
    CGlobalLock lock(block);
    if (lock.Data()) memset(lock.Data(), 0, lock.Size());
    m_points = block;
  } else {
    // A fixed block may still move when it grows (GMEM_MOVEABLE here allows that, nothing more).
    HGLOBAL block = ::GlobalReAlloc(m_points, bytes, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!block) AfxThrowMemoryException();
    m_points = block;
  }
  m_capacity = capacity;
}

void CPointStore::CopyFrom(const CPointStore& other) {
  if (&other == this) return;
  Free();
  CGlobalLock source(other.m_points);
  if (!source.Data()) return;
  HGLOBAL copy = NewBlock(source.Size());
  {
    CGlobalLock target(copy);
    if (!target.Data()) {
      GiveUp(copy);
      AfxThrowMemoryException();
    }
    memcpy(target.Data(), source.Data(), source.Size());
  }
  m_points = copy;
  m_count = other.m_count;
  m_capacity = other.m_capacity;
}

void CPointStore::Assign(const std::vector<POINTREC>& records, int capacity) {
  int count = static_cast<int>(records.size());
  Reserve(std::max(capacity, count));
  CGlobalLock lock(m_points);
  if (!lock.Data()) AfxThrowMemoryException();
  size_t room = lock.Size() / kPointRecordSize;
  for (size_t i = 0; i < room; ++i)
    StorePointRecord(lock.Data(), i, i < records.size() ? records[i] : kZeroRecord);
  m_count = count;
}

void CPointStore::AssignBytes(const BYTE* records, int count, int capacity) {
  count = std::max(count, 0);
  capacity = std::max(capacity, count);
  if (m_points) {
    Reserve(capacity);
  } else {
    // Every byte is written below: the zeros of Reserve would be written twice.
    m_points = NewBlock((static_cast<size_t>(capacity) + kSpareRecords) * kPointRecordSize);
    m_capacity = capacity;
  }
  CGlobalLock lock(m_points);
  if (!lock.Data()) AfxThrowMemoryException();
  size_t bytes = std::min<size_t>(static_cast<size_t>(count) * kPointRecordSize, lock.Size());
  if (bytes) memcpy(lock.Data(), records, bytes);
  memset(lock.Data() + bytes, 0, lock.Size() - bytes);
  m_count = count;
}

void CPointStore::EnsureRoomForOne() {
  if (!m_points) {
    Reserve(kFirstCapacity);
    m_count = 0;
  } else if (m_count >= m_capacity) {
    Reserve(std::max(m_capacity, m_count) + kGrowth);
  }
}

int CPointStore::Append(const POINTREC& record) {
  EnsureRoomForOne();
  Set(m_count, record);
  return ++m_count;
}

void CPointStore::Fit(int room) {
  if (m_points) Reserve(m_count + room);
}

void CPointStore::InsertAt(int index, int n, const POINTREC& fill) {
  if (n < 1 || !m_points || m_count == 0 || index < 0 || index > m_count) return;
  if (m_count + n >= m_capacity) m_capacity += n;
  int needed = std::max(m_capacity, m_count + n);
  if (BlockRecords() < static_cast<size_t>(needed) + kSpareRecords) Reserve(needed);
  CGlobalLock lock(m_points);
  if (!lock.Data()) AfxThrowMemoryException();
  BYTE* data = lock.Data();
  memmove(data + (index + n) * kPointRecordSize, data + index * kPointRecordSize,
          static_cast<size_t>(m_count - index) * kPointRecordSize);
  for (int i = index; i < index + n; ++i) StorePointRecord(data, static_cast<size_t>(i), fill);
  m_count += n;
}

bool CPointStore::Get(int index, POINTREC* out) const {
  if (index < 0 || index >= m_count) return false;
  CGlobalLock lock(m_points);
  if (!lock.Data() || static_cast<size_t>(index) >= lock.Size() / kPointRecordSize) return false;
  *out = LoadPointRecord(lock.Data(), static_cast<size_t>(index));
  return true;
}

POINTREC CPointStore::StoredAt(int index) const {
  CGlobalLock lock(m_points);
  if (!lock.Data() || index < 0 || static_cast<size_t>(index) >= lock.Size() / kPointRecordSize)
    return kZeroRecord;
  return LoadPointRecord(lock.Data(), static_cast<size_t>(index));
}

void CPointStore::Set(int index, const POINTREC& record) {
  CGlobalLock lock(m_points);
  if (!lock.Data()) AfxThrowMemoryException();
  if (index < 0 || static_cast<size_t>(index) >= lock.Size() / kPointRecordSize) return;
  StorePointRecord(lock.Data(), static_cast<size_t>(index), record);
}

std::vector<POINTREC> CPointStore::Records() const {
  std::vector<POINTREC> records;
  CGlobalLock lock(m_points);
  if (!lock.Data()) return records;
  size_t count = std::min<size_t>(static_cast<size_t>(std::max(m_count, 0)),
                                  lock.Size() / kPointRecordSize);
  records.reserve(count);
  for (size_t i = 0; i < count; ++i) records.push_back(LoadPointRecord(lock.Data(), i));
  return records;
}

std::vector<POINTREC> CPointStore::PathRecords() const {
  std::vector<POINTREC> records = Records();
  for (size_t i = 0; i < records.size(); ++i)
    if (records[i].flags == kPointEnd) {
      records.resize(i);
      break;
    }
  return records;
}

int CPointStore::DropTrailing(bool onlyEndRecords, int floor) {
  CGlobalLock lock(m_points);
  if (!lock.Data()) return 0;
  int dropped = 0;
  m_count = std::min<int>(m_count, static_cast<int>(lock.Size() / kPointRecordSize));
  while (m_count > floor) {
    BYTE flags = LoadPointRecord(lock.Data(), m_count - 1).flags;
    if (onlyEndRecords ? flags != kPointEnd : !IsSpecialPoint(flags)) break;
    StorePointRecord(lock.Data(), m_count - 1, kZeroRecord);
    --m_count;
    ++dropped;
  }
  return dropped;
}

int CPointStore::LastEndAtOrBelow(int index) const {
  CGlobalLock lock(m_points);
  if (!lock.Data()) return -1;
  index = std::min<int>(index, static_cast<int>(lock.Size() / kPointRecordSize) - 1);
  for (int i = index; i >= 0; --i)
    if (LoadPointRecord(lock.Data(), i).flags == kPointEnd) return i;
  return -1;
}

int CPointStore::SubpathStartAtOrBelow(int index) const {
  CGlobalLock lock(m_points);
  if (!lock.Data()) return -1;
  index = std::min<int>(index, static_cast<int>(lock.Size() / kPointRecordSize) - 1);
  for (int i = index; i >= 0; --i)
    if (IsStartOnly(LoadPointRecord(lock.Data(), i).flags)) return i;
  return -1;
}

std::vector<POINTREC> CPointStore::ReversedSubpaths(const std::vector<POINTREC>& records) {
  std::vector<POINTREC> reversed;
  reversed.reserve(records.size());
  size_t i = 0;
  while (i < records.size()) {
    if (IsSpecialPoint(records[i].flags)) {
      reversed.push_back(records[i++]);
      continue;
    }
    size_t runEnd = i;
    while (runEnd < records.size() && !IsSpecialPoint(records[runEnd].flags)) ++runEnd;
    BYTE endFlags = kPointOpenEnd | kPointOnCurve;
    for (size_t k = runEnd; k-- > i;) {
      POINTREC record = records[k];
      bool isStart = (record.flags & kPointStart) != 0;
      bool isEnd = (record.flags & (kPointOpenEnd | kPointClose)) != 0;
      if (isEnd && !isStart) {
        endFlags = static_cast<BYTE>(record.flags & ~kPointSelected);
        record.flags = kPointStart | kPointOnCurve;
      } else if (isStart && !isEnd) {
        record.flags = endFlags;
        endFlags = kPointOpenEnd | kPointOnCurve;
      }
      reversed.push_back(record);
    }
    i = runEnd;
  }
  return reversed;
}
