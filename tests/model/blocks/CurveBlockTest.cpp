// The curve block: its record, building and ending sub-paths, the pending matrix, hit testing,
// drawing, and the services that cut output, text on a path and contour separation use.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "framework/GlobalLock.h"
#include "model/CurveTestSupport.h"
#include "model/FakeBlockView.h"
#include "model/blocks/CarveSink.h"
#include "model/blocks/CutSink.h"
#include "model/blocks/GroupBlock.h"
#include "model/geometry/BezierTable.h"
#include "model/geometry/Contour.h"
#include "model/geometry/MatrixFactories.h"
#include "model/records/BlockRecord.h"
#include "model/settings/ProgramPaths.h"
#include "support/MemoryCanvas.h"
#include "support/MessageBoxCapture.h"
#include "support/TempFolder.h"

namespace {

std::vector<BYTE> FlagsOf(const CCurveBlock& curve) {
  std::vector<BYTE> flags;
  for (const POINTREC& p : curve.GetPoints()) flags.push_back(p.flags);
  return flags;
}

// A two-point line from (1, 2) to (3, 4), red, drawn filled.
const std::vector<BYTE> kTwoPointRecord = {
    0x23, 0x60, 0x00, 0x00, 0x00, 0x80, 0x00, 0x01,                          // tag, 96, type, word
    0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x40, 0x40,  // box
    0x00, 0x00, 0x80, 0x40,                                                  //
    0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // matrix
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x00,  //
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x3F,  //
    0x00, 0x00, 0xFF, 0x00, 0x03, 0x00, 0x00, 0x00,                          // colour, count
    0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x40, 0x11,                    // (1, 2) start
    0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0x80, 0x40, 0x21,                    // (3, 4) open end
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF,                    // end record
    0xF1};

TEST(CurveRecord, TwoPointCurveGoldenBytes) {
  std::unique_ptr<CCurveBlock> curve(MakeCurve({{1, 2, 0x11}, {3, 4, 0x21}}, 0xFF0000));
  curve->m_attributes = kSolidAttr;
  EXPECT_EQ(kTwoPointRecord, RecordOf(*curve));

  std::unique_ptr<CBlock> read(
      CreateBlockFromRecord(kTwoPointRecord.data(), kTwoPointRecord.size()));
  ASSERT_NE(nullptr, read);
  ASSERT_EQ(kCurveBlock, read->m_type);
  EXPECT_EQ(kTwoPointRecord, RecordOf(*read));
}

TEST(CurveRecord, RoundTripKeepsPointsColourBoxWordAndMatrix) {
  std::unique_ptr<CCurveBlock> curve(MakeCurve(
      {{0, 0, 0x11}, {0, 10, 0x00}, {10, 10, 0x00}, {10, 0, 0x01}, {0, 0, 0x41}}, 0x123456));
  curve->AddPointNoBounds(MakePenColourRecord(RGB(1, 2, 3)));
  curve->AddLine(20, 20, 30, 25);
  curve->m_attributes = 0x0203;
  CMatrix2D rotation = MakeRotationMatrix(5.0f, 5.0f, 30.0f);
  curve->Transform(rotation);

  std::vector<BYTE> record = RecordOf(*curve);
  std::unique_ptr<CBlock> block(CreateBlockFromRecord(record.data(), record.size()));
  ASSERT_NE(nullptr, block);
  CCurveBlock* read = static_cast<CCurveBlock*>(block.get());
  EXPECT_EQ(curve->GetPoints(), read->GetPoints());
  EXPECT_EQ(0x123456u, read->GetColour());
  EXPECT_EQ(0x0203, read->m_attributes);
  EXPECT_EQ(0, memcmp(&curve->m_box, &read->m_box, sizeof(CFRect)));
  EXPECT_EQ(0, memcmp(curve->m_matrix.m, read->m_matrix.m, sizeof curve->m_matrix.m));
}

TEST(CurveRecord, TooFewPointsWriteNothing) {
  CCurveBlock empty;
  HGLOBAL memory = reinterpret_cast<HGLOBAL>(1);
  EXPECT_EQ(0, empty.WriteRecord(&memory));
  EXPECT_EQ(nullptr, memory);
  std::unique_ptr<CCurveBlock> single(MakeCurve({{5, 5, 0x11}}));
  EXPECT_TRUE(RecordOf(*single).empty());
  std::unique_ptr<CCurveBlock> unended(MakeCurve({{5, 5, 0x11}, {6, 6, 0x21}}, 0, false));
  EXPECT_TRUE(RecordOf(*unended).empty());
}

TEST(CurveRecord, DamagedRecordsBuildNothing) {
  auto build = [](std::vector<BYTE> bytes) {
    std::unique_ptr<CBlock> block(CCurveBlock::FromRecord(bytes.data(), bytes.size()));
    return block != nullptr;
  };
  ASSERT_TRUE(build(kTwoPointRecord));
  std::vector<BYTE> bytes = kTwoPointRecord;
  bytes[64] = 4;  // more points than the record holds
  EXPECT_FALSE(build(bytes));
  bytes[64] = 2;  // fewer
  EXPECT_FALSE(build(bytes));
  bytes = kTwoPointRecord;
  bytes[64] = 0xFF, bytes[65] = 0xFF, bytes[66] = 0xFF, bytes[67] = 0xFF;  // -1
  EXPECT_FALSE(build(bytes));
  bytes = kTwoPointRecord;
  bytes[66] = 0x03;  // past the largest count
  EXPECT_FALSE(build(bytes));
  bytes = kTwoPointRecord;
  bytes.back() = 0xF0;
  EXPECT_FALSE(build(bytes));
  bytes = kTwoPointRecord;
  bytes.pop_back();  // the record runs past the bytes there are
  EXPECT_FALSE(build(bytes));
  bytes = kTwoPointRecord;
  bytes[0] = ')';
  EXPECT_FALSE(build(bytes));
  // No point records at all.
  bytes.assign(kTwoPointRecord.begin(), kTwoPointRecord.begin() + 64);
  bytes[1] = 69;
  bytes.insert(bytes.end(), {0, 0, 0, 0, 0xF1});
  EXPECT_FALSE(build(bytes));
}

// A damaged end record (its flag an open end): the last record of the count is the end record
// whatever its flag, since read as a point it would draw a line from the last point to the origin.
// The curve is read as written and saves again so; the load says once that it mended damage. Too
// few points left to be stored, the curve is left out.
TEST(CurveRecord, TheLastRecordIsTheEndRecordWhateverItsFlag) {
  for (int n : {3, kMaxPointRecords}) {
    SCOPED_TRACE(n);
    // n - 1 points and the end record, its flag (before the record's end byte) made an open end.
    CCurveBlock curve;
    for (int i = 0; i + 1 < n; ++i)
      curve.AddPoint(static_cast<float>(i % 100), static_cast<float>(i / 100), i ? 0x01 : 0x11);
    curve.EndCurve();
    std::vector<BYTE> record = RecordOf(curve), flags = FlagsOf(curve);
    record[record.size() - 2] = kPointOpenEnd | kPointOnCurve;
    MessageBoxCapture boxes;
    std::unique_ptr<CBlock> block(CreateBlockFromRecord(record.data(), record.size()));
    ASSERT_NE(nullptr, block);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(flags, FlagsOf(*static_cast<CCurveBlock*>(block.get())));
    EXPECT_EQ(RecordOf(curve), RecordOf(*block));
  }
  // Two points without their end record: one point would be left, which no save stores.
  std::unique_ptr<CCurveBlock> line(MakeCurve({{0, 0, 0x11}, {10, 0, 0x21}}));
  std::vector<BYTE> cut = RecordOf(*line);
  cut.erase(cut.end() - 10, cut.end() - 1);
  cut[1] = static_cast<BYTE>(cut.size());
  cut[CCurveBlock::kRecordFixedSize - 4] = 2;
  MessageBoxCapture boxes;
  EXPECT_EQ(nullptr, std::unique_ptr<CBlock>(CreateBlockFromRecord(cut.data(), cut.size())));
  EXPECT_EQ(1u, boxes.Count());
}

TEST(CurveRecord, LoadedCurveKeepsRoomToGoOn) {
  std::unique_ptr<CCurveBlock> open(MakeCurve({{0, 0, 0x11}, {10, 0, 0x01}, {10, 10, 0x01}}));
  std::vector<BYTE> record = RecordOf(*open);
  std::unique_ptr<CBlock> block(CreateBlockFromRecord(record.data(), record.size()));
  ASSERT_NE(nullptr, block);
  CCurveBlock* curve = static_cast<CCurveBlock*>(block.get());
  EXPECT_GE(::GlobalSize(curve->GetPointBlock()), (curve->GetCount() + 2u) * kPointRecordSize);
  curve->CloseLastSubpath();
  curve->EndCurve();
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x01, 0x01, 0x41, 0xFF}), FlagsOf(*curve));
  curve->AddPoint(20, 20, 0x11);
  curve->AddPoint(30, 20, 0x21);
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x01, 0x01, 0x41, 0x11, 0x21, 0xFF}), FlagsOf(*curve));
  EXPECT_FLOAT_EQ(30, curve->m_box.right);
}

TEST(CurveBuilding, AppendingAfterTheEndKeepsOneEndRecord) {
  std::unique_ptr<CCurveBlock> curve(MakeCurve({{1, 1, 0x11}, {2, 2, 0x21}}));
  curve->EndCurve();  // a second end record
  curve->AddPoint(3, 3, 0x11);
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x21, 0x11, 0xFF}), FlagsOf(*curve));
  curve->AddPointNoBounds(MakePenColourRecord(RGB(9, 9, 9)));
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x21, 0x11, 0x81, 0xFF}), FlagsOf(*curve));
}

TEST(CurveBuilding, FirstPointAtTheOriginBelongsToTheBox) {
  std::unique_ptr<CCurveBlock> curve(MakeCurve({{0, 0, 0x11}, {10, 5, 0x21}}));
  EXPECT_FLOAT_EQ(0, curve->m_box.left);
  EXPECT_FLOAT_EQ(0, curve->m_box.top);
  EXPECT_FLOAT_EQ(10, curve->m_box.right);
  EXPECT_FLOAT_EQ(5, curve->m_box.bottom);
}

TEST(CurveBuilding, StoreGrowsByFiftyAfterTheFirstHundred) {
  CCurveBlock curve;
  for (int i = 0; i < 100; ++i) curve.AddPoint(static_cast<float>(i), 0, i ? 0x01 : 0x11);
  EXPECT_EQ(100, curve.GetCapacity());
  curve.AddPoint(100, 0, 0x21);
  EXPECT_EQ(150, curve.GetCapacity());
  curve.EndCurve();
  EXPECT_EQ(102, curve.GetCount());
  EXPECT_GE(::GlobalSize(curve.GetPointBlock()), (curve.GetCapacity() + 2u) * kPointRecordSize);
}

TEST(CurveBuilding, BezierWidensTheBoxToTheCurve) {
  std::unique_ptr<CCurveBlock> curve(
      MakeCurve({{0, 0, 0x11}, {0, 10, 0x00}, {10, 10, 0x00}, {10, 0, 0x21}}));
  EXPECT_GT(curve->m_box.bottom, 7.4f);  // the arch peaks at 7.5
  EXPECT_LT(curve->m_box.bottom, 7.6f);
}

TEST(CurveSubpaths, ClosingOpeningAndEnding) {
  std::unique_ptr<CCurveBlock> curve(MakeCurve({{0, 0, 0x11}, {5, 0, 0x01}, {5, 5, 0x09}}));
  curve->CloseLastSubpath();  // last point differs: a closing point is added
  curve->EndCurve();
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x01, 0x09, 0x41, 0xFF}), FlagsOf(*curve));
  EXPECT_EQ(0x40, curve->OpenLastSubpath());
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x01, 0x09, 0x01}), FlagsOf(*curve));
  curve->EndOpenSubpath();
  EXPECT_EQ(0x21, FlagsOf(*curve).back());

  // The last point on the first: it is marked, selection and open-end bits cleared.
  std::unique_ptr<CCurveBlock> ring(MakeCurve({{0, 0, 0x11}, {5, 0, 0x01}, {0, 0, 0x29}}));
  ring->CloseLastSubpath();
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x01, 0x41}), FlagsOf(*ring));

  std::unique_ptr<CCurveBlock> ends(MakeCurve({{1, 1, 0x11}}));
  ends->EndCurve();
  ends->EndCurve();
  ends->TrimEndMarks();
  EXPECT_EQ((std::vector<BYTE>{0x11}), FlagsOf(*ends));
  CCurveBlock empty;
  EXPECT_EQ(0x20, empty.OpenLastSubpath());
}

TEST(CurveSubpaths, ReverseRunsEverySubpathTheOtherWay) {
  std::unique_ptr<CCurveBlock> curve(
      MakeCurve({{0, 0, 0x11}, {4, 0, 0x01}, {4, 4, 0x01}, {0, 0, 0x41}}));
  curve->AddPointNoBounds(MakePenColourRecord(RGB(1, 1, 1)));
  curve->AddPoint(10, 0, 0x11);
  curve->AddPoint(10, 5, 0x00);
  curve->AddPoint(15, 5, 0x00);
  curve->AddPoint(15, 0, 0x21);
  std::unique_ptr<CCurveBlock> reversed(curve->Reverse());
  ASSERT_NE(nullptr, reversed);
  std::vector<POINTREC> p = reversed->GetPoints();
  ASSERT_EQ(10u, p.size());
  EXPECT_EQ(MakePointRecord(0, 0, 0x11), p[0]);
  EXPECT_EQ(MakePointRecord(4, 4, 0x01), p[1]);
  EXPECT_EQ(MakePointRecord(0, 0, 0x41), p[3]);
  EXPECT_EQ(kPointPenColour, p[4].flags);
  EXPECT_EQ(MakePointRecord(15, 0, 0x11), p[5]);
  EXPECT_EQ(MakePointRecord(15, 5, 0x00), p[6]);
  EXPECT_EQ(MakePointRecord(10, 0, 0x21), p[8]);
  EXPECT_EQ(kPointEnd, p[9].flags);
}

TEST(CurveSubpaths, SplittingKeepsColourAndDropsAnUnfinishedPiece) {
  std::unique_ptr<CCurveBlock> curve(MakeSquareCurve(0, 0, 10, 0x00FF00));
  curve->AddPointNoBounds(MakePenColourRecord(RGB(0, 0, 255)));
  curve->AddLine(20, 0, 30, 0);
  curve->AddPoint(40, 0, 0x11);
  curve->AddPoint(50, 0, 0x01);  // never ended
  curve->Offset(100, 0);
  CGroupBlock group;
  curve->SplitSubpaths(&group);
  ASSERT_EQ(2, group.GetChildCount());
  CCurveBlock* square = static_cast<CCurveBlock*>(group.GetChild(0));
  CCurveBlock* line = static_cast<CCurveBlock*>(group.GetChild(1));
  EXPECT_EQ(0x00FF00u, square->GetColour());
  EXPECT_EQ(0x00FF00u, line->GetColour());
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x01, 0x01, 0x01, 0x41, 0xFF}), FlagsOf(*square));
  // The pen colour between the sub-paths goes with the one after it.
  EXPECT_EQ((std::vector<BYTE>{0x81, 0x11, 0x21, 0xFF}), FlagsOf(*line));
  EXPECT_FLOAT_EQ(120, line->GetPoints()[1].x);  // baked before splitting
  EXPECT_FLOAT_EQ(100, group.m_box.left);
  EXPECT_FLOAT_EQ(130, group.m_box.right);
}

TEST(CurveSubpaths, FindExtractBoundsAndInsert) {
  std::unique_ptr<CCurveBlock> curve(MakeSquareCurve(0, 0, 10));
  curve->AddPoint(20, 0, 0x11);
  curve->AddPoint(20, 10, 0x00);
  curve->AddPoint(30, 10, 0x00);
  curve->AddPoint(30, 0, 0x21);
  {
    CGlobalLock lock(curve->GetPointBlock());
    EXPECT_EQ(0, CCurveBlock::FindSubpathStart(lock.Data(), 3));
    EXPECT_EQ(5, CCurveBlock::FindSubpathStart(lock.Data(), 7));
    EXPECT_EQ(4, CCurveBlock::FindSubpathEnd(lock.Data(), curve->GetCount(), 1));
    EXPECT_EQ(8, CCurveBlock::FindSubpathEnd(lock.Data(), curve->GetCount(), 5));
    EXPECT_EQ(-1, CCurveBlock::FindSubpathEnd(lock.Data(), curve->GetCount(), 9));
  }
  std::unique_ptr<CCurveBlock> arch(curve->ExtractSubpath(5));
  ASSERT_NE(nullptr, arch);
  EXPECT_EQ((std::vector<BYTE>{0x11, 0x00, 0x00, 0x21, 0xFF}), FlagsOf(*arch));
  EXPECT_EQ(nullptr, curve->ExtractSubpath(9));  // only the end record is left

  CFRect bounds;
  ASSERT_TRUE(curve->GetSubpathBounds(5, &bounds));
  EXPECT_FLOAT_EQ(20, bounds.left);
  EXPECT_FLOAT_EQ(30, bounds.right);
  EXPECT_GT(bounds.bottom, 7.4f);

  curve->InsertPoint(1, 5, 0, 0x01);
  curve->InsertPointsAfter(0, 2);
  std::vector<POINTREC> p = curve->GetPoints();
  ASSERT_EQ(13u, p.size());
  EXPECT_EQ(MakePointRecord(0, 0, 0x01), p[1]);
  EXPECT_EQ(MakePointRecord(5, 0, 0x01), p[3]);
  EXPECT_EQ(MakePointRecord(10, 0, 0x01), p[4]);
  EXPECT_EQ(kPointEnd, p[12].flags);
}

TEST(CurveSubpaths, AppendingBakesBothAndUnitesTheBoxes) {
  std::unique_ptr<CCurveBlock> a(MakeSquareCurve(0, 0, 10, 7));
  std::unique_ptr<CCurveBlock> b(MakeCurve({{0, 0, 0x11}, {5, 5, 0x21}}, 9));
  a->Offset(1, 1);
  b->Offset(50, 50);
  a->AppendCurve(*b);
  EXPECT_TRUE(a->m_matrix.IsIdentity());
  std::vector<POINTREC> p = a->GetPoints();
  ASSERT_EQ(8u, p.size());
  EXPECT_EQ(MakePointRecord(1, 1, 0x11), p[0]);
  EXPECT_EQ(MakePointRecord(55, 55, 0x21), p[6]);
  EXPECT_EQ(kPointEnd, p[7].flags);
  EXPECT_FLOAT_EQ(1, a->m_box.left);
  EXPECT_FLOAT_EQ(55, a->m_box.bottom);
  EXPECT_EQ(7u, a->GetColour());
  // The other keeps its points and its matrix.
  EXPECT_EQ(MakePointRecord(5, 5, 0x21), b->GetPoints()[1]);
  EXPECT_FLOAT_EQ(50, b->m_matrix.m[6]);

  CCurveBlock empty;
  empty.AppendCurve(*b);
  EXPECT_EQ(9u, empty.GetColour());
  EXPECT_EQ(MakePointRecord(55, 55, 0x21), empty.GetPoints()[1]);
}

TEST(CurveTransform, LazyMatrixAgreesWithTheBakedContour) {
  std::unique_ptr<CCurveBlock> curve(MakeCurve({{0, 0, 0x11}, {20, 0, 0x01}, {20, 10, 0x21}}));
  std::vector<POINTREC> stored = curve->GetPoints();
  CMatrix2D rotation = MakeRotationMatrix(0.0f, 0.0f, 45.0f);
  curve->Transform(rotation);
  curve->Offset(5, 5);
  EXPECT_EQ(stored, curve->GetPoints());
  CFRect expected(0, 0, 20, 10);
  rotation.TransformRect(&expected);
  EXPECT_FLOAT_EQ(expected.left + 5, curve->m_box.left);
  EXPECT_FLOAT_EQ(expected.bottom + 5, curve->m_box.bottom);

  std::unique_ptr<CContour> contour(curve->GetContour(nullptr, 0));
  ASSERT_NE(nullptr, contour);
  std::vector<POINTREC> mapped = contour->GetPoints();
  CFRect narrowed = curve->m_box;
  EXPECT_EQ(0, memcmp(&narrowed, &contour->GetBox(), sizeof narrowed));

  curve->ApplyMatrix();
  EXPECT_TRUE(curve->m_matrix.IsIdentity());
  std::vector<POINTREC> baked = curve->GetPoints();
  ASSERT_EQ(baked.size(), mapped.size());
  for (size_t i = 0; i < baked.size(); ++i) {
    EXPECT_NEAR(baked[i].x, mapped[i].x, 1e-4) << i;
    EXPECT_NEAR(baked[i].y, mapped[i].y, 1e-4) << i;
    EXPECT_EQ(baked[i].flags, mapped[i].flags) << i;
  }
  EXPECT_NEAR(5 + 20 / std::sqrt(2.0f), mapped[1].x, 1e-4);

  curve->SetBox(0, 0, 100, 100);
  EXPECT_FLOAT_EQ(100, curve->m_box.right);
  EXPECT_EQ(baked, curve->GetPoints());
}

TEST(CurveHitTest, StraightCurvesAreHitOnlyNearThemselves) {
  FakeBlockView view(1.0);
  std::unique_ptr<CCurveBlock> vertical(MakeCurve({{10, 0, 0x11}, {10, 100, 0x21}}));
  EXPECT_TRUE(vertical->HitTest(&view, 12, 50));
  EXPECT_TRUE(vertical->HitTest(&view, 7.5f, 99));
  EXPECT_FALSE(vertical->HitTest(&view, 14, 50));
  EXPECT_FALSE(vertical->HitTest(&view, 10, 150));
  std::unique_ptr<CCurveBlock> horizontal(MakeCurve({{0, 10, 0x11}, {100, 10, 0x21}}));
  EXPECT_TRUE(horizontal->HitTest(&view, 50, 8));
  EXPECT_FALSE(horizontal->HitTest(&view, 150, 10));
}

TEST(CurveHitTest, SegmentsDecideAndThePendingMatrixCounts) {
  FakeBlockView view(1.0);
  std::unique_ptr<CCurveBlock> curve(MakeSquareCurve(0, 0, 100));
  curve->AddPoint(40, 40, 0x11);
  curve->AddPoint(40, 60, 0x00);
  curve->AddPoint(60, 60, 0x00);
  curve->AddPoint(60, 40, 0x21);
  EXPECT_FALSE(curve->HitTest(&view, 20, 20));  // inside the box, on no segment
  EXPECT_TRUE(curve->HitTest(&view, 50, 55));   // on the arch
  EXPECT_EQ(5, curve->m_hitSubpathStart);
  curve->Offset(200, 0);
  EXPECT_TRUE(curve->HitTest(&view, 299, 50));
  EXPECT_FALSE(curve->HitTest(&view, 101, 50));
}

TEST(CurveColour, ConversionFilterAndComboEntries) {
  std::unique_ptr<CCurveBlock> curve(MakeSquareCurve(0, 0, 10, 255));
  curve->Offset(3, 0);
  EXPECT_EQ(nullptr, curve->ToCurve(254));
  std::unique_ptr<CBlock> copy(curve->ToCurve(255));
  ASSERT_NE(nullptr, copy);
  EXPECT_TRUE(copy->m_matrix.IsIdentity());
  EXPECT_FLOAT_EQ(3, static_cast<CCurveBlock*>(copy.get())->GetPoints()[0].x);
  std::unique_ptr<CBlock> any(curve->ToCurve(static_cast<DWORD>(-1)));
  EXPECT_NE(nullptr, any);

  HWND combo = ::CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 200,
                                 nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(nullptr, combo);
  std::unique_ptr<CCurveBlock> other(MakeSquareCurve(0, 0, 10, 2550));
  other->AddColourToCombo(combo);
  curve->AddColourToCombo(combo);  // "255" is not "2550"
  curve->AddColourToCombo(combo);
  EXPECT_EQ(2, ::SendMessageA(combo, CB_GETCOUNT, 0, 0));
  ::DestroyWindow(combo);
}

TEST(CurveDrawing, PensAndBrushesTakeTheColourInPlatformOrder) {
  MemoryCanvas canvas(60, 60);
  std::unique_ptr<CCurveBlock> red(MakeCurve({{5, 10, 0x11}, {50, 10, 0x21}}, 0xFF0000));
  CMatrix2D identity;
  red->Draw(&canvas.DC(), &identity, 0);
  EXPECT_EQ(RGB(255, 0, 0), canvas.DC().GetPixel(25, 10));
  std::unique_ptr<CCurveBlock> blue(MakeSquareCurve(10, 20, 30, 0x0000FF));
  blue->m_attributes = kSolidAttr;
  blue->Draw(&canvas.DC(), &identity, 0);
  EXPECT_EQ(RGB(0, 0, 255), canvas.DC().GetPixel(25, 35));
}

TEST(CurveLength, FirstSubpathOnly) {
  GetBezierTable().SetSteps(100);
  std::unique_ptr<CCurveBlock> curve(MakeSquareCurve(0, 0, 10));
  curve->AddLine(0, 50, 100, 50);
  int closed = 0;
  EXPECT_FLOAT_EQ(40, curve->FirstSubpathLength(&closed));
  EXPECT_EQ(1, closed);
  std::unique_ptr<CCurveBlock> arch(
      MakeCurve({{0, 0, 0x11}, {0, 10, 0x00}, {10, 10, 0x00}, {10, 0, 0x21}}));
  arch->Offset(0, 5);
  float length = arch->FirstSubpathLength(&closed);
  EXPECT_EQ(0, closed);
  EXPECT_GT(length, 19.0f);
  EXPECT_LT(length, 30.0f);
  EXPECT_EQ(100, GetBezierTable().GetSteps());
}

class RecordingCarver : public CCarveSink {
public:
  int SendPoint(float x, float y) override { return Log("M", x, y); }
  int PlotTo(float x, float y) override { return Log("L", x, y); }
  int PlotPointList(LPCSTR points) override {
    calls += std::string("P") + points + ";";
    return 1;
  }
  int FlushPendingBlank() override {
    calls += "B;";
    return 1;
  }
  std::string calls;

private:
  int Log(const char* kind, float x, float y) {
    calls += kind + std::to_string(static_cast<int>(x)) + "," +
             std::to_string(static_cast<int>(y)) + ";";
    return 1;
  }
};

TEST(CurveOutput, EngraverGetsMovesLinesAndFlattenedBeziers) {
  std::unique_ptr<CCurveBlock> curve(
      MakeCurve({{0, 0, 0x11}, {10, 0, 0x01}, {10, 0, 0x00}, {20, 0, 0x00}, {20, 0, 0x41}}));
  curve->AddPointNoBounds(MakePenColourRecord(RGB(1, 2, 3)));
  curve->AddLine(5, 5, 6, 6);
  RecordingCarver carver;
  curve->OutputToCarver(&carver);
  EXPECT_EQ("M0,0;L10,0;P20,0;B;M5,5;L6,6;B;", carver.calls);
}

// Logs each call a curve makes to emit itself; the overcut logs the start record it is given.
class RecordingCutSink : public CCutSink {
public:
  explicit RecordingCutSink(bool dashed) : m_dashed(dashed) {}
  bool IsDashMode() const override { return m_dashed; }
  void MoveTo(float x, float y) override { Log("M", x, y); }
  void MoveToDashStart(float x, float y) override { Log("m", x, y); }
  void CutTo(float x, float y) override { Log("L", x, y); }
  void DashCutTo(float x, float y) override { Log("l", x, y); }
  void CutBezier(const FPOINT points[4], BOOL first) override {
    Log(first ? "C" : "c", points[1].x, points[1].y);
    Log("", points[3].x, points[3].y);
  }
  void CutOvercut(const BYTE* points, int recordCount, int startIndex) override {
    POINTREC start = LoadPointRecord(points, static_cast<size_t>(startIndex));
    calls += "O" + std::to_string(startIndex) + "/" + std::to_string(recordCount);
    Log("@", start.x, start.y);
  }
  void FlushPendingBlank() override { calls += "B;"; }
  std::string calls;

private:
  void Log(const char* kind, float x, float y) {
    calls += kind + std::to_string(static_cast<int>(x)) + "," +
             std::to_string(static_cast<int>(y)) + ";";
  }
  bool m_dashed;
};

TEST(CurveOutput, CutterGetsMovesCutsBeziersOvercutsAndBlanks) {
  std::unique_ptr<CCurveBlock> curve(
      MakeCurve({{0, 0, 0x11}, {10, 0, 0x01}, {10, 5, 0x00}, {0, 5, 0x00}, {0, 0, 0x41}}));
  curve->AddPointNoBounds(MakePenColourRecord(RGB(1, 2, 3)));
  curve->AddLine(20, 20, 30, 20);
  RecordingCutSink solid(false);
  curve->OutputToCutter(&solid);
  EXPECT_EQ("M0,0;L10,0;C10,5;0,0;O0/9@0,0;B;M20,20;L30,20;B;", solid.calls);
  RecordingCutSink dashed(true);
  curve->OutputToCutter(&dashed);
  EXPECT_EQ("m0,0;l10,0;C10,5;0,0;O0/9@0,0;B;m20,20;l30,20;B;", dashed.calls);
}
}  // namespace
