#include "model/geometry/PointStore.h"

#include <algorithm>
#include <cstring>

#include "framework/FixedBlockCache.h"
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

CPointStore::CPointStore()
    : m_points(nullptr), m_bytes(0), m_capacity(0), m_count(0), m_keepBlock(false) {}

CPointStore::~CPointStore() { Free(); }

void CPointStore::Free() {
  GiveUp(m_points);
  m_points = nullptr;
  m_bytes = 0;
  m_count = m_capacity = 0;
}

void CPointStore::GiveUp(HGLOBAL block) const {
  if (m_keepBlock)
    CFixedBlockCache::Shared().Give(block);
  else if (block)
    ::GlobalFree(block);
}

size_t CPointStore::BlockRecords() const { return m_bytes / kPointRecordSize; }

void CPointStore::Reserve(int capacity) {
  SIZE_T bytes = (static_cast<size_t>(capacity) + kSpareRecords) * kPointRecordSize;
  if (!m_points) {
    HGLOBAL block = NewBlock(bytes);
    memset(block, 0, bytes);
    m_points = block;
  } else {
    // A fixed block may still move when it grows (GMEM_MOVEABLE here allows that, nothing more).
    HGLOBAL block = ::GlobalReAlloc(m_points, bytes, GMEM_MOVEABLE | GMEM_ZEROINIT);
    if (!block) AfxThrowMemoryException();
    m_points = block;
  }
  m_bytes = bytes;
  m_capacity = capacity;
}

void CPointStore::CopyFrom(const CPointStore& other) {
  if (&other == this) return;
  Free();
  if (!other.m_points) return;
  HGLOBAL copy = NewBlock(other.m_bytes);
  memcpy(copy, other.m_points, other.m_bytes);
  m_points = copy;
  m_bytes = other.m_bytes;
  m_count = other.m_count;
  m_capacity = other.m_capacity;
}

void CPointStore::Assign(const std::vector<POINTREC>& records, int capacity) {
  int count = static_cast<int>(records.size());
  Reserve(std::max(capacity, count));
  Bytes block = View();
  if (!block.Data()) AfxThrowMemoryException();
  size_t room = block.Size() / kPointRecordSize;
  for (size_t i = 0; i < room; ++i)
    StorePointRecord(block.Data(), i, i < records.size() ? records[i] : kZeroRecord);
  m_count = count;
}

void CPointStore::AssignBytes(const BYTE* records, int count, int capacity) {
  count = std::max(count, 0);
  capacity = std::max(capacity, count);
  if (m_points) {
    Reserve(capacity);
  } else {
    // Every byte is written below: the zeros of Reserve would be written twice.
    m_bytes = (static_cast<size_t>(capacity) + kSpareRecords) * kPointRecordSize;
    m_points = NewBlock(m_bytes);
    m_capacity = capacity;
  }
  Bytes block = View();
  if (!block.Data()) AfxThrowMemoryException();
  size_t bytes = std::min<size_t>(static_cast<size_t>(count) * kPointRecordSize, block.Size());
  if (bytes) memcpy(block.Data(), records, bytes);
  memset(block.Data() + bytes, 0, block.Size() - bytes);
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
  Bytes block = View();
  if (!block.Data()) AfxThrowMemoryException();
  BYTE* data = block.Data();
  memmove(data + (index + n) * kPointRecordSize, data + index * kPointRecordSize,
          static_cast<size_t>(m_count - index) * kPointRecordSize);
  for (int i = index; i < index + n; ++i) StorePointRecord(data, static_cast<size_t>(i), fill);
  m_count += n;
}

bool CPointStore::Get(int index, POINTREC* out) const {
  if (index < 0 || index >= m_count) return false;
  Bytes block = View();
  if (!block.Data() || static_cast<size_t>(index) >= block.Size() / kPointRecordSize) return false;
  *out = LoadPointRecord(block.Data(), static_cast<size_t>(index));
  return true;
}

POINTREC CPointStore::StoredAt(int index) const {
  Bytes block = View();
  if (!block.Data() || index < 0 || static_cast<size_t>(index) >= block.Size() / kPointRecordSize)
    return kZeroRecord;
  return LoadPointRecord(block.Data(), static_cast<size_t>(index));
}

void CPointStore::Set(int index, const POINTREC& record) {
  Bytes block = View();
  if (!block.Data()) AfxThrowMemoryException();
  if (index < 0 || static_cast<size_t>(index) >= block.Size() / kPointRecordSize) return;
  StorePointRecord(block.Data(), static_cast<size_t>(index), record);
}

std::vector<POINTREC> CPointStore::Records() const {
  std::vector<POINTREC> records;
  Bytes block = View();
  if (!block.Data()) return records;
  size_t count = std::min<size_t>(static_cast<size_t>(std::max(m_count, 0)),
                                  block.Size() / kPointRecordSize);
  records.reserve(count);
  for (size_t i = 0; i < count; ++i) records.push_back(LoadPointRecord(block.Data(), i));
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
  Bytes block = View();
  if (!block.Data()) return 0;
  int dropped = 0;
  m_count = std::min<int>(m_count, static_cast<int>(block.Size() / kPointRecordSize));
  while (m_count > floor) {
    BYTE flags = LoadPointRecord(block.Data(), m_count - 1).flags;
    if (onlyEndRecords ? flags != kPointEnd : !IsSpecialPoint(flags)) break;
    StorePointRecord(block.Data(), m_count - 1, kZeroRecord);
    --m_count;
    ++dropped;
  }
  return dropped;
}

int CPointStore::LastEndAtOrBelow(int index) const {
  Bytes block = View();
  if (!block.Data()) return -1;
  index = std::min<int>(index, static_cast<int>(block.Size() / kPointRecordSize) - 1);
  for (int i = index; i >= 0; --i)
    if (LoadPointRecord(block.Data(), i).flags == kPointEnd) return i;
  return -1;
}

int CPointStore::SubpathStartAtOrBelow(int index) const {
  Bytes block = View();
  if (!block.Data()) return -1;
  index = std::min<int>(index, static_cast<int>(block.Size() / kPointRecordSize) - 1);
  for (int i = index; i >= 0; --i)
    if (IsStartOnly(LoadPointRecord(block.Data(), i).flags)) return i;
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
