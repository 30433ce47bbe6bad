// CPointStore: the growable array of 9-byte point records (PointRecord.h) in global memory that
// contours and curve blocks keep their outlines in. It owns the block. The count is the records
// in use, the capacity the records the block was sized for; the block always holds kSpareRecords
// records more, so that closing a sub-path or appending after an end record has room. It grows to
// 100 records first and by 50 after that; new room is zero-filled. No pointer into the block
// outlives an operation, since the block moves when it grows.
//
// The blocks are fixed global memory, not movable: a process has at most 65536 movable handles,
// and a drawing of tens of thousands of curves (each glyph of a text drawn as outlines too) would
// run out of them. Fixed blocks take no handle; their handle is their address, and the store
// keeps their size itself, since asking the system to lock and measure a block costs more than
// most operations on it (drawing reads every outline of a drawing each time). New blocks come
// from the shared CFixedBlockCache when it keeps one of the size. The stores of a document's curves
// give their blocks back to it (KeepBlockForReuse), so that the outlines of a document opened after
// another reuse memory already in use; the passing stores of outlines made for drawing, output and
// editing free theirs, since their sizes, grown and fitted as they are built, seldom match what
// the next one asks for and kept they would only fill the cache.
//
// What differs between its owners stays with them: the box each keeps, how each closes a
// sub-path, and how much capacity each leaves after an end record (Fit).
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

#include "model/geometry/PointRecord.h"

class CPointStore {
public:
  static const int kFirstCapacity = 100;
  static const int kGrowth = 50;
  static const int kSpareRecords = 2;

  CPointStore();
  ~CPointStore();
  CPointStore(const CPointStore&) = delete;
  CPointStore& operator=(const CPointStore&) = delete;

  // From now on the block goes to the shared cache when the store gives it up, not to the system.
  void KeepBlockForReuse() { m_keepBlock = true; }

  // Lock it only while using it.
  HGLOBAL Block() const { return m_points; }
  int Count() const { return m_count; }
  int Capacity() const { return m_capacity; }
  // Records the block holds, the spare ones included.
  size_t BlockRecords() const;
  void Free();
  // A copy of the other's block, count and capacity; empty when the other has no block.
  void CopyFrom(const CPointStore& other);
  // Exactly these records, in a block sized for capacity (at least their number) records.
  void Assign(const std::vector<POINTREC>& records, int capacity);
  // The same from count records stored back to back as a record carries them (9 bytes each).
  void AssignBytes(const BYTE* records, int count, int capacity);

  // Room for one more record at the count.
  void EnsureRoomForOne();
  // Stores the record at the count and counts it; returns the new count.
  int Append(const POINTREC& record);
  // Sizes the block for count + room records (after an end record); capacity follows.
  void Fit(int room);
  // Opens n records at index (0..count), each set to fill, moving the rest up.
  void InsertAt(int index, int n, const POINTREC& fill);

  // Record index when it is in use.
  bool Get(int index, POINTREC* out) const;
  // Record index anywhere in the block (a zero record outside it): the spare ones too.
  POINTREC StoredAt(int index) const;
  // Overwrites record index anywhere in the block; nothing outside it.
  void Set(int index, const POINTREC& record);
  std::vector<POINTREC> Records() const;
  // Calls visit(record) for the records in use, in order, while it returns true; nothing is
  // copied. The visitor must not change the store.
  template <class Visit>
  void ForEachRecord(Visit visit) const {
    Bytes bytes = View();
    size_t count = std::min<size_t>(static_cast<size_t>(std::max(m_count, 0)),
                                    bytes.Size() / kPointRecordSize);
    for (size_t i = 0; i < count; ++i)
      if (!visit(LoadPointRecord(bytes.Data(), i))) return;
  }
  // The records up to the first end record.
  std::vector<POINTREC> PathRecords() const;

  // Zeroes and uncounts trailing end records (or all trailing special records) while more than
  // floor records are counted; returns how many went.
  int DropTrailing(bool onlyEndRecords, int floor);
  // The last end record at or below index (which may lie past the count), -1 when none.
  int LastEndAtOrBelow(int index) const;
  // The nearest record at or below index whose sub-path bits are the start alone, -1 when none.
  int SubpathStartAtOrBelow(int index) const;

  // The path records with every sub-path running the other way: each run of non-special records
  // is reversed, special records stay between the runs. An end (0x20 or 0x40) becomes a start
  // (0x11) and hands its flags, selection cleared, to the start it meets next, which becomes the
  // end; a record that both starts and ends a sub-path stays as it is.
  static std::vector<POINTREC> ReversedSubpaths(const std::vector<POINTREC>& records);

private:
  // The block's bytes (see above).
  struct Bytes {
    BYTE* data;
    size_t size;
    BYTE* Data() const { return data; }
    size_t Size() const { return size; }
  };
  Bytes View() const { return Bytes{static_cast<BYTE*>(m_points), m_points ? m_bytes : 0}; }

  void Reserve(int capacity);
  // To the cache or to the system, as KeepBlockForReuse says.
  void GiveUp(HGLOBAL block) const;

  HGLOBAL m_points;
  size_t m_bytes;
  int m_capacity;
  int m_count;
  bool m_keepBlock;
};
