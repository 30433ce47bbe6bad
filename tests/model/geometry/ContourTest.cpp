#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/GlobalLock.h"
#include "model/ContourTestSupport.h"
#include "model/geometry/MatrixFactories.h"

namespace {

using ContourPtr = std::unique_ptr<CContour>;

std::vector<BYTE> FlagsOf(const CContour& contour) {
  std::vector<BYTE> flags;
  for (const POINTREC& p : contour.GetPoints()) flags.push_back(p.flags);
  return flags;
}

TEST(CContour, GrowsByFiftyAndShrinksAtTheEndRecord) {
  CContour contour;
  EXPECT_EQ(nullptr, contour.GetPointBlock());
  for (int i = 0; i < 100; ++i) contour.AppendPoint(MakePointRecord(i, 0, i ? 0x01 : 0x11));
  EXPECT_EQ(100, contour.GetCapacity());
  EXPECT_EQ(102u * 9, BlockSize(contour));
  EXPECT_EQ(101, contour.AppendPoint(MakePointRecord(100, 0, 0x21)));
  EXPECT_EQ(150, contour.GetCapacity());
  EXPECT_EQ(152u * 9, BlockSize(contour));
  EXPECT_EQ(102, contour.AppendEndMark());
  EXPECT_EQ(102, contour.GetCapacity());
  EXPECT_EQ(104u * 9, BlockSize(contour));
  POINTREC last;
  ASSERT_TRUE(contour.GetPoint(101, &last));
  EXPECT_EQ(kPointEnd, last.flags);
  EXPECT_FALSE(contour.GetPoint(102, &last));
  EXPECT_FALSE(contour.GetPoint(-1, &last));
  // Appending after the shrink grows again.
  contour.AppendRaw(MakePointRecord(1, 1, 0x11));
  EXPECT_EQ(152, contour.GetCapacity());
}

TEST(CContour, FirstPointAtTheOriginBelongsToTheBox) {
  ContourPtr contour(new CContour);
  EXPECT_TRUE(contour->IsBoxEmpty());
  contour->AppendPoint(MakePointRecord(0, 0, 0x11));
  EXPECT_FALSE(contour->IsBoxEmpty());
  contour->AppendPoint(MakePointRecord(5, 7, 0x01));
  EXPECT_EQ(0.0f, contour->GetBox().left);
  EXPECT_EQ(0.0f, contour->GetBox().top);
  EXPECT_EQ(5.0f, contour->GetBox().right);
  EXPECT_EQ(7.0f, contour->GetBox().bottom);

  // Control points, colour records and raw appends leave the box alone.
  contour->AppendPoint(MakePointRecord(50, 50, 0x00));
  contour->AppendPoint(MakePenColourRecord(RGB(255, 0, 0)));
  contour->AppendRaw(MakePointRecord(-9, -9, 0x01));
  EXPECT_EQ(5.0f, contour->GetBox().right);
  EXPECT_EQ(0.0f, contour->GetBox().left);
}

TEST(CContour, BezierEndWidensTheBoxByTheCurveNotItsControls) {
  ContourPtr contour(MakeContour({{0, 0, 0x11}, {0, -10, 0}, {10, -10, 0}, {10, 0, 0x21}}));
  EXPECT_FLOAT_EQ(-7.5f, contour->GetBox().top);
  EXPECT_EQ(0.0f, contour->GetBox().left);
  EXPECT_EQ(10.0f, contour->GetBox().right);
  EXPECT_EQ(0.0f, contour->GetBox().bottom);
}

TEST(CContour, ClosingTrimmingAndReopening) {
  ContourPtr contour(MakeContour({{1, 1, 0x11}, {5, 1, 0x01}, {5, 5, 0x01}}, false));
  EXPECT_EQ(4, contour->CloseLastSubpath());
  POINTREC closing;
  contour->GetPoint(3, &closing);
  EXPECT_EQ(1.0f, closing.x);
  EXPECT_EQ(0x41, closing.flags);

  contour->AppendEndMark();
  contour->AppendEndMark();
  contour->TrimEndMarks();
  EXPECT_EQ(4, contour->GetCount());

  contour->AppendPoint(MakePenColourRecord(RGB(1, 2, 3)));
  contour->AppendEndMark();
  contour->ReopenLastSubpath();
  EXPECT_EQ(4, contour->GetCount());
  contour->GetPoint(3, &closing);
  EXPECT_EQ(0x01, closing.flags);

  // Nothing to close without a start point; record 0 is never trimmed.
  ContourPtr bare(new CContour);
  EXPECT_EQ(0, bare->CloseLastSubpath());
  bare->AppendEndMark();
  bare->TrimEndMarks();
  EXPECT_EQ(1, bare->GetCount());
}

TEST(CContour, CloneTransformAndApplyMatrix) {
  ContourPtr square(MakeSquare(10));
  EXPECT_EQ(nullptr, CContour().Clone());
  CMatrix2D rotation = MakeRotationMatrix(0, 0, 90);

  ContourPtr clone(square->Clone(&rotation));
  EXPECT_EQ(square->GetCount(), clone->GetCount());
  EXPECT_EQ(square->GetCapacity(), clone->GetCapacity());
  EXPECT_EQ(10.0f, clone->GetBox().right);  // the box is copied unchanged
  EXPECT_FALSE(clone->GetMatrix().IsIdentity());

  square->Transform(&rotation);
  EXPECT_EQ(-10.0f, square->GetBox().left);  // Transform moves the box
  EXPECT_EQ(0.0f, square->GetBox().right);
  POINTREC p;
  square->GetPoint(1, &p);
  EXPECT_EQ(10.0f, p.x);  // points untouched until baked

  EXPECT_EQ(5, square->ApplyMatrix());
  EXPECT_TRUE(square->GetMatrix().IsIdentity());
  square->GetPoint(1, &p);
  EXPECT_EQ(0.0f, p.x);
  EXPECT_EQ(10.0f, p.y);
  EXPECT_EQ(-10.0f, square->GetBox().left);
  EXPECT_EQ(10.0f, square->GetBox().bottom);
  EXPECT_EQ(0, square->ApplyMatrix());  // identity: nothing to do
}

TEST(CContour, AppendJoinsSubpathsAndUnitesBoxes) {
  ContourPtr a(MakeSquare(10));
  ContourPtr b(MakeOpenCurve());
  a->Append(b.get());
  EXPECT_EQ(5 + 5 + 1, a->GetCount());
  EXPECT_EQ(a->GetCount(), a->GetCapacity());
  EXPECT_EQ((11u + 2) * 9, BlockSize(*a));
  std::vector<BYTE> expected = {0x11, 1, 1, 1, 0x41, 0x11, 1, 0, 0, 0x21, 0xFF};
  EXPECT_EQ(expected, FlagsOf(*a));
  EXPECT_EQ(0.0f, a->GetBox().left);
  EXPECT_EQ(100.0f, a->GetBox().right);
  EXPECT_EQ(50.0f, a->GetBox().bottom);

  // Onto an empty contour: a copy.
  CContour empty;
  empty.Append(b.get());
  EXPECT_EQ(b->GetCount(), empty.GetCount());
  EXPECT_EQ(b->GetBox().right, empty.GetBox().right);

  // A pending matrix is baked first; a contour appended to itself doubles.
  ContourPtr c(MakeSquare(10));
  CMatrix2D shift = MakeMirrorMatrix(0, 0, 20, 0, true, false);
  c->Transform(&shift);
  c->Append(c.get());
  EXPECT_EQ(11, c->GetCount());
  POINTREC p;
  c->GetPoint(6, &p);
  EXPECT_EQ(10.0f, p.x);
  EXPECT_EQ(20.0f, c->GetBox().right);

  // A contour without an end record keeps its points; the appended ones follow them.
  ContourPtr open(MakeContour({{1, 1, 0x11}, {2, 2, 0x21}}, false));
  open->Append(b.get());
  EXPECT_EQ(2 + 5 + 1, open->GetCount());
  open->GetPoint(0, &p);
  EXPECT_EQ(1.0f, p.x);
}

TEST(CContour, AppendContinuingJoinsWithALine) {
  ContourPtr a(MakeContour({{0, 0, 0x11}, {5, 0, 0x01}}));
  ContourPtr b(MakeContour({{10, 0, 0x11}, {10, 5, 0x21}}));
  a->TrimEndMarks();
  a->AppendContinuing(b.get());
  std::vector<BYTE> expected = {0x11, 0x01, 0x01, 0x21, 0xFF};
  EXPECT_EQ(expected, FlagsOf(*a));
  EXPECT_EQ(10.0f, a->GetBox().right);
}

TEST(CContour, ReversedRunsEverySubpathTheOtherWay) {
  ContourPtr triangle(MakeContour({{0, 0, 0x11}, {10, 0, 0x01}, {0, 0, 0x41}}));
  ContourPtr back(triangle->Reversed());
  std::vector<BYTE> flags = {0x11, 0x01, 0x41, 0xFF};
  EXPECT_EQ(flags, FlagsOf(*back));
  POINTREC p;
  back->GetPoint(1, &p);
  EXPECT_EQ(10.0f, p.x);

  ContourPtr open(MakeOpenCurve());
  open->AppendRaw(MakePenColourRecord(RGB(9, 8, 7)));
  ContourPtr reversed(open->Reversed());
  std::vector<POINTREC> points = reversed->GetPoints();
  ASSERT_EQ(6u, points.size());
  EXPECT_EQ(100.0f, points[0].x);
  EXPECT_EQ(50.0f, points[0].y);
  EXPECT_EQ(0x11, points[0].flags);
  EXPECT_EQ(100.0f, points[1].x);  // the controls in reverse order
  EXPECT_EQ(30.0f, points[1].y);
  EXPECT_EQ(0x00, points[2].flags);
  EXPECT_EQ(0x01, points[3].flags);
  EXPECT_EQ(10.0f, points[4].x);
  EXPECT_EQ(0x21, points[4].flags);
  EXPECT_EQ(0xFF, points[5].flags);  // the end record ends the walk; the colour after it is gone
  EXPECT_EQ(open->GetBox().right, reversed->GetBox().right);
}

TEST(CContour, RecordRoundTrip) {
  ContourPtr square(MakeSquare(10));
  CMatrix2D rotation = MakeRotationMatrix(3, 4, 30);
  square->Transform(&rotation);
  HGLOBAL block = nullptr;
  int length = square->ToRecord(&block);
  ASSERT_EQ(69 + 9 * 6, length);
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(static_cast<SIZE_T>(length + 9), GlobalSize(block));
  {
    CGlobalLock lock(block);
    const BYTE* r = lock.Data();
    EXPECT_EQ('#', r[0]);
    EXPECT_EQ(length, r[1] | r[2] << 8 | r[3] << 16 | r[4] << 24);
    EXPECT_EQ(128, r[5]);
    EXPECT_EQ(0, r[6] | r[7]);
    EXPECT_EQ(6, r[64]);
    EXPECT_EQ(0x11, r[68 + 8]);
    EXPECT_EQ(0xFF, r[68 + 9 * 5 + 8]);
    EXPECT_EQ(0xF1, r[length - 1]);
    EXPECT_EQ(0xFF, r[length]);

    ContourPtr back(CContour::FromRecord(r, lock.Size()));
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(6, back->GetCount());
    EXPECT_EQ(back->GetCount(), back->GetCapacity());
    EXPECT_EQ(square->GetPoints().size(), back->GetPoints().size());
    for (size_t i = 0; i < 6; ++i) EXPECT_TRUE(square->GetPoints()[i] == back->GetPoints()[i]);
    for (int i = 0; i < 9; ++i) EXPECT_EQ(square->GetMatrix().m[i], back->GetMatrix().m[i]);
    EXPECT_EQ(square->GetBox().left, back->GetBox().left);
    EXPECT_EQ(square->GetBox().bottom, back->GetBox().bottom);
    // The loaded contour takes more points.
    back->TrimEndMarks();
    back->AppendPoint(MakePointRecord(1, 1, 0x11));
    EXPECT_EQ(6, back->GetCount());
  }
  GlobalFree(block);
}

TEST(CContour, NoRecordWithFewerThanThreePointsBeforeTheEnd) {
  HGLOBAL block = reinterpret_cast<HGLOBAL>(1);
  EXPECT_EQ(0, CContour().ToRecord(&block));
  EXPECT_EQ(nullptr, block);
  ContourPtr two(MakeContour({{0, 0, 0x11}, {1, 1, 0x21}}));
  EXPECT_EQ(0, two->ToRecord(&block));
  EXPECT_EQ(nullptr, block);
  ContourPtr three(MakeContour({{0, 0, 0x11}, {1, 1, 0x01}, {2, 0, 0x21}}));
  EXPECT_EQ(69 + 36, three->ToRecord(&block));
  GlobalFree(block);
}

std::vector<BYTE> RecordBytes(const CContour& contour) {
  HGLOBAL block = nullptr;
  int length = contour.ToRecord(&block);
  std::vector<BYTE> bytes;
  {
    CGlobalLock lock(block);
    bytes.assign(lock.Data(), lock.Data() + length);
  }
  GlobalFree(block);
  return bytes;
}

void PutInt(std::vector<BYTE>* bytes, size_t at, int value) {
  for (int i = 0; i < 4; ++i) (*bytes)[at + i] = static_cast<BYTE>(value >> (8 * i));
}

TEST(CContour, DamagedRecordsAreRefused) {
  ContourPtr square(MakeSquare());
  std::vector<BYTE> good = RecordBytes(*square);
  ASSERT_NE(nullptr, ContourPtr(CContour::FromRecord(good.data(), good.size())));
  EXPECT_EQ(nullptr, CContour::FromRecord(nullptr, 100));

  std::vector<BYTE> bad = good;
  bad[0] = '$';
  EXPECT_EQ(nullptr, CContour::FromRecord(bad.data(), bad.size())) << "tag";
  EXPECT_EQ(nullptr, CContour::FromRecord(good.data(), good.size() - 1)) << "short";
  EXPECT_EQ(nullptr, CContour::FromRecord(good.data(), 40)) << "header cut";
  bad = good;
  PutInt(&bad, 64, 7);
  EXPECT_EQ(nullptr, CContour::FromRecord(bad.data(), bad.size())) << "count past the length";
  bad = good;
  PutInt(&bad, 64, -1);
  EXPECT_EQ(nullptr, CContour::FromRecord(bad.data(), bad.size())) << "negative count";
  bad = good;
  PutInt(&bad, 64, 0x7FFFFFFF);
  EXPECT_EQ(nullptr, CContour::FromRecord(bad.data(), bad.size())) << "huge count";
  bad = good;
  PutInt(&bad, 1, static_cast<int>(good.size()) + 9);
  PutInt(&bad, 64, 7);
  bad.resize(bad.size() + 9);
  bad.back() = 0xF1;
  EXPECT_NE(nullptr, ContourPtr(CContour::FromRecord(bad.data(), bad.size())))
      << "a consistent longer record is fine";
  EXPECT_EQ(nullptr, CContour::FromRecord(bad.data(), bad.size() - 1)) << "length past the data";
  bad = good;
  bad.back() = 0xF0;
  EXPECT_EQ(nullptr, CContour::FromRecord(bad.data(), bad.size())) << "end byte";
  bad = good;
  PutInt(&bad, 1, 68);
  EXPECT_EQ(nullptr, CContour::FromRecord(bad.data(), bad.size())) << "length below the header";

  // A record with no points gives an empty contour.
  std::vector<BYTE> empty(good.begin(), good.begin() + 68);
  PutInt(&empty, 1, 69);
  PutInt(&empty, 64, 0);
  empty.push_back(0xF1);
  ContourPtr none(CContour::FromRecord(empty.data(), empty.size()));
  ASSERT_NE(nullptr, none);
  EXPECT_EQ(0, none->GetCount());
  EXPECT_EQ(nullptr, none->GetPointBlock());
}

TEST(CContour, HitTestOutline) {
  ContourPtr square(MakeSquare(10));
  EXPECT_TRUE(square->HitTestOutline(0, 0, 0.5f)) << "exactly on the first segment's start";
  EXPECT_TRUE(square->HitTestOutline(10.3f, 5, 0.5f));
  EXPECT_TRUE(square->HitTestOutline(0.2f, 5, 0.5f)) << "the closing segment";
  EXPECT_FALSE(square->HitTestOutline(5, 5, 0.5f));
  EXPECT_FALSE(CContour().HitTestOutline(0, 0, 1));

  ContourPtr curve(MakeOpenCurve());
  EXPECT_TRUE(curve->HitTestOutline(100, 50, 0.5f));
  EXPECT_FALSE(curve->HitTestOutline(100, 10, 0.5f));

  // A colour record before the start point: the start point is the current point.
  ContourPtr coloured(new CContour);
  coloured->AppendRaw(MakePenColourRecord(RGB(200, 0, 0)));
  coloured->AppendPoint(MakePointRecord(20, 20, 0x11));
  coloured->AppendPoint(MakePointRecord(30, 20, 0x21));
  coloured->AppendEndMark();
  EXPECT_TRUE(coloured->HitTestOutline(25, 20, 0.5f));
  EXPECT_FALSE(coloured->HitTestOutline(10, 10, 0.5f));

  // The pending matrix places the outline.
  CMatrix2D mirror = MakeMirrorMatrix(0, 0, 100, 0, true, false);
  square->Transform(&mirror);
  EXPECT_TRUE(square->HitTestOutline(95, 0.2f, 0.5f));
  EXPECT_FALSE(square->HitTestOutline(5, 0.2f, 0.5f));
}

TEST(CContour, PenColourRecordsKeepTheirColour) {
  POINTREC pen = MakePenColourRecord(RGB(10, 20, 30));
  EXPECT_EQ(RGB(10, 20, 30), PenColourOf(pen));
  EXPECT_TRUE(IsSpecialPoint(pen.flags));
}

}  // namespace
