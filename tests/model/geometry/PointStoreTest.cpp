// The point store that contours and curve blocks share: reversing, and the differences between
// its two owners that their formats ask for (room after an end record, closing, appending after
// the end). Growth is pinned by each owner's own tests. No window.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/FixedBlockCache.h"
#include "framework/GlobalLock.h"
#include "model/ContourTestSupport.h"
#include "model/CurveTestSupport.h"
#include "model/geometry/PointStore.h"

namespace {

std::vector<BYTE> FlagsOf(const std::vector<POINTREC>& records) {
  std::vector<BYTE> flags;
  for (const POINTREC& record : records) flags.push_back(record.flags);
  return flags;
}

TEST(CPointStore, ReversingKeepsSpecialRecordsInPlaceAndLonePointsAlone) {
  std::vector<POINTREC> records = {MakePointRecord(0, 0, 0x11), MakePointRecord(1, 0, 0x01),
                                   MakePointRecord(1, 1, 0x49), MakePenColourRecord(RGB(1, 2, 3)),
                                   MakePointRecord(5, 5, 0x31), MakePointRecord(7, 7, 0x11),
                                   MakePointRecord(8, 8, 0x00), MakePointRecord(9, 9, 0x21)};
  std::vector<POINTREC> reversed = CPointStore::ReversedSubpaths(records);
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x01, 0x41, 0x81, 0x11, 0x00, 0x21, 0x31}), FlagsOf(reversed));
  EXPECT_EQ(1, reversed[0].x);
  EXPECT_EQ(0, reversed[2].x);
  EXPECT_EQ(9, reversed[4].x);
  EXPECT_EQ(5, reversed[7].x);
}

TEST(CPointStore, BothOwnersReverseALonePointAsALonePoint) {
  std::unique_ptr<CCurveBlock> curve(MakeCurve({{0, 0, 0x11}, {4, 0, 0x21}, {9, 9, 0x31}}));
  std::unique_ptr<CCurveBlock> reversedCurve(curve->Reverse());
  EXPECT_EQ((std::vector<BYTE>{0x31, 0x11, 0x21, 0xFF}), FlagsOf(reversedCurve->GetPoints()));
  std::unique_ptr<CContour> contour(MakeContour({{0, 0, 0x11}, {4, 0, 0x21}, {9, 9, 0x31}}));
  std::unique_ptr<CContour> reversedContour(contour->Reversed());
  EXPECT_EQ((std::vector<BYTE>{0x31, 0x11, 0x21, 0xFF}), FlagsOf(reversedContour->GetPoints()));
}

TEST(CPointStore, OwnersKeepTheirOwnRoomAfterAnEndRecord) {
  std::unique_ptr<CContour> contour(MakeContour({{0, 0, 0x11}, {1, 0, 0x21}}));
  EXPECT_EQ(contour->GetCount(), contour->GetCapacity());
  CCurveBlock bounded;
  bounded.AddLine(0, 0, 1, 0);
  bounded.AddPoint(MakePointRecord(0, 0, kPointEnd));
  EXPECT_EQ(bounded.GetCount(), bounded.GetCapacity());
  std::unique_ptr<CCurveBlock> ended(MakeCurve({{0, 0, 0x11}, {1, 0, 0x21}}));  // EndCurve
  EXPECT_EQ(ended->GetCount() + 1, ended->GetCapacity());
  EXPECT_GE(::GlobalSize(ended->GetPointBlock()),
            (ended->GetCapacity() + CPointStore::kSpareRecords) * kPointRecordSize);
}

TEST(CPointStore, OwnersCloseAndAppendAfterTheEndEachTheirWay) {
  // A contour always repeats the start; a curve whose last point is on it marks that point.
  std::unique_ptr<CContour> contour(MakeContour({{0, 0, 0x11}, {5, 0, 0x01}, {0, 0, 0x01}}, false));
  contour->CloseLastSubpath();
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x01, 0x01, 0x41}), FlagsOf(contour->GetPoints()));
  std::unique_ptr<CCurveBlock> curve(
      MakeCurve({{0, 0, 0x11}, {5, 0, 0x01}, {0, 0, 0x01}}, 0, false));
  curve->CloseLastSubpath();
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x01, 0x41}), FlagsOf(curve->GetPoints()));

  // A contour appends after its end record; a curve appends in its place and ends again.
  std::unique_ptr<CContour> endedContour(MakeContour({{0, 0, 0x11}, {1, 0, 0x21}}));
  endedContour->AppendPoint(MakePointRecord(2, 2, 0x11));
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x21, 0xFF, 0x11}), FlagsOf(endedContour->GetPoints()));
  std::unique_ptr<CCurveBlock> endedCurve(MakeCurve({{0, 0, 0x11}, {1, 0, 0x21}}));
  endedCurve->AddPoint(2, 2, 0x11);
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x21, 0x11, 0xFF}), FlagsOf(endedCurve->GetPoints()));
}

TEST(CPointStore, AStoreThatReusesAKeptBlockStartsWithZerosBeyondItsRecords) {
  HGLOBAL given = nullptr;
  {
    CPointStore first;
    first.KeepBlockForReuse();
    for (int i = 0; i < 30; ++i) first.Append(MakePointRecord(7.5f, -3.25f, 0x01));
    given = first.Block();
  }
  CPointStore grown;
  grown.Append(MakePointRecord(1, 2, 0x11));
  ASSERT_EQ(given, grown.Block()) << "the same size takes the block given up";
  EXPECT_EQ(static_cast<size_t>(CPointStore::kFirstCapacity + CPointStore::kSpareRecords),
            grown.BlockRecords());
  for (int i = 1; i < CPointStore::kFirstCapacity + CPointStore::kSpareRecords; ++i)
    ASSERT_EQ(0, grown.StoredAt(i).flags | static_cast<int>(grown.StoredAt(i).x)) << i;

  // Read from a record into a block whose spare records another store had written: zero again.
  std::vector<BYTE> bytes(5 * kPointRecordSize, 0x41);
  {
    CPointStore dirty;
    dirty.KeepBlockForReuse();
    dirty.AssignBytes(bytes.data(), 5, 5);
    for (int i = 5; i < 7; ++i) dirty.Set(i, MakePointRecord(9, 9, 0x11));
    given = dirty.Block();
  }
  CPointStore read;
  read.AssignBytes(bytes.data(), 5, 5);
  ASSERT_EQ(given, read.Block());
  EXPECT_EQ(7u, read.BlockRecords());
  EXPECT_EQ(0x41, read.StoredAt(4).flags);
  EXPECT_EQ(0, read.StoredAt(5).flags);
  EXPECT_EQ(0.0f, read.StoredAt(6).y);

  // A passing store (a contour's) gives its block back to the system, not to the cache.
  size_t kept = CFixedBlockCache::Shared().KeptBlocks();
  {
    CPointStore passing;
    passing.Append(MakePointRecord(1, 2, 0x11));
  }
  EXPECT_EQ(kept, CFixedBlockCache::Shared().KeptBlocks());
}

TEST(CPointStore, MoreOutlinesThanAProcessHasMovableHandlesCanExistAtOnce) {
  // A process has 65536 movable handles; a drawing of tens of thousands of curves needs more.
  std::vector<std::unique_ptr<CPointStore>> stores;
  for (int i = 0; i < 70000; ++i) {
    stores.emplace_back(new CPointStore);
    stores.back()->Append(MakePointRecord(static_cast<float>(i), 1, 0x11));
  }
  POINTREC last = {};
  ASSERT_TRUE(stores.back()->Get(0, &last));
  EXPECT_EQ(69999.0f, last.x);
  CGlobalLock lock(stores.back()->Block());
  EXPECT_GE(lock.Size(), (CPointStore::kFirstCapacity + CPointStore::kSpareRecords) * 9u);
}

}  // namespace
