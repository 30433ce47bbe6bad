// The group block: its record, sorting, flattening, merging, clipping to a rectangle and the
// block operations it forwards to its children.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "model/CurveTestSupport.h"
#include "model/FakeBlockView.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/ModelServices.h"
#include "model/blocks/TransformService.h"
#include "model/geometry/Contour.h"
#include "model/records/BlockRecord.h"
#include "support/MessageBoxCapture.h"

namespace {

// A block of another type: its curve is a square of its colour, given for that colour or all.
class ShapeStub : public CBlock {
public:
  ShapeStub(float x, float y, DWORD colour) : m_colour(colour) {
    m_type = kRectBlock;
    m_box = CFRect(x, y, x + 10, y + 10);
  }
  CBlock* ToCurve(DWORD colour) override {
    if (colour != static_cast<DWORD>(-1) && colour != m_colour) return nullptr;
    return MakeSquareCurve(m_box.left, m_box.top, 10, m_colour);
  }

private:
  DWORD m_colour;
};

CGroupBlock* MakeGroup(std::initializer_list<CBlock*> children) {
  CGroupBlock* group = new CGroupBlock;
  for (CBlock* child : children) group->AddChild(child);
  return group;
}

std::vector<float> Lefts(CGroupBlock& group) {
  std::vector<float> lefts;
  for (INT_PTR i = 0; i < group.GetChildCount(); ++i)
    lefts.push_back(group.GetChild(i)->m_box.left);
  return lefts;
}

CMatrix2D Shift(float dx, float dy) {
  CMatrix2D matrix;
  matrix.m[6] = dx;
  matrix.m[7] = dy;
  return matrix;
}

TEST(GroupRecord, NestedGroupGoldenBytes) {
  std::unique_ptr<CCurveBlock> sample(MakeCurve({{1, 2, 0x11}, {3, 4, 0x21}}));
  std::vector<BYTE> curve = RecordOf(*sample);  // 96 bytes, checked by the curve tests
  std::unique_ptr<CGroupBlock> outer(
      MakeGroup({MakeCurve({{1, 2, 0x11}, {3, 4, 0x21}}),
                 MakeGroup({MakeCurve({{1, 2, 0x11}, {3, 4, 0x21}}),
                            MakeCurve({{1, 2, 0x11}, {3, 4, 0x21}})})}));
  outer->m_attributes = 0x0100;

  GoldenBytes inner;
  inner.Byte(')').DWord(61 + 198).Byte(129).Word(0).Floats({1, 2, 3, 4}).Identity();
  inner.Byte(2).DWord(198).Bytes(curve).Bytes(curve).Byte(0xFE).Byte(0xF1);
  GoldenBytes expected;
  expected.Byte(')').DWord(61 + 5 + 96 + 259 + 1).Byte(129).Word(0x0100).Floats({1, 2, 3, 4});
  expected.Identity().Byte(2).DWord(5 + 96 + 259 + 1).Bytes(curve).Bytes(inner.Get());
  expected.Byte(0xFE).Byte(0xF1);
  ASSERT_EQ(422u, expected.Get().size());
  EXPECT_EQ(expected.Get(), RecordOf(*outer));

  std::unique_ptr<CBlock> read(CreateBlockFromRecord(expected.Get().data(), expected.Get().size()));
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(expected.Get(), RecordOf(*read));
}

TEST(GroupRecord, BoxComesBackFromTheChildrenThroughTheMatrix) {
  std::unique_ptr<CGroupBlock> group(
      MakeGroup({MakeSquareCurve(0, 0, 10), MakeSquareCurve(20, 5, 10)}));
  group->m_matrix.m[0] = 2;
  group->m_matrix.m[7] = 100;
  group->m_box = CFRect(-1, -1, -1, -1);  // whatever was stored, the children decide
  std::vector<BYTE> record = RecordOf(*group);
  std::unique_ptr<CBlock> read(CreateBlockFromRecord(record.data(), record.size()));
  ASSERT_NE(nullptr, read);
  EXPECT_FLOAT_EQ(0, read->m_box.left);
  EXPECT_FLOAT_EQ(100, read->m_box.top);
  EXPECT_FLOAT_EQ(60, read->m_box.right);
  EXPECT_FLOAT_EQ(115, read->m_box.bottom);
}

TEST(GroupRecord, OneChildComesBackAloneAndNoneAsNothing) {
  MessageBoxCapture boxes;
  std::unique_ptr<CGroupBlock> group(MakeGroup({MakeSquareCurve(0, 0, 10)}));
  group->m_matrix = Shift(5, 0);
  std::vector<BYTE> record = RecordOf(*group);
  std::unique_ptr<CBlock> read(CreateBlockFromRecord(record.data(), record.size()));
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(kCurveBlock, read->m_type);
  EXPECT_FLOAT_EQ(5, read->m_box.left);  // it keeps its place on the page

  GoldenBytes empty;
  empty.Byte(')').DWord(67).Byte(129).Word(0).Floats({0, 0, 0, 0}).Identity();
  empty.Byte(2).DWord(6).Byte(0xFE).Byte(0xF1);
  EXPECT_EQ(nullptr, CreateBlockFromRecord(empty.Get().data(), empty.Get().size()));

  // A group whose children all write nothing writes nothing itself.
  CGroupBlock hollow;
  hollow.AddChild(new CBlock);
  EXPECT_TRUE(RecordOf(hollow).empty());
  EXPECT_EQ(0u, boxes.Count());
}

TEST(GroupRecord, NestedListEndsInsideTheGroup) {
  MessageBoxCapture boxes;
  std::unique_ptr<CGroupBlock> group(
      MakeGroup({MakeSquareCurve(0, 0, 10), MakeSquareCurve(20, 0, 10)}));
  std::vector<BYTE> record = RecordOf(*group);
  size_t first = RecordOf(*group->GetChild(0)).size();
  // The group now ends right after its first child: the second one lies outside it.
  DWORD shortened = static_cast<DWORD>(60 + 5 + first + 1);
  memcpy(&record[1], &shortened, 4);
  record[shortened - 1] = 0xF1;
  std::unique_ptr<CBlock> read(CreateBlockFromRecord(record.data(), record.size()));
  ASSERT_NE(nullptr, read);
  EXPECT_EQ(kCurveBlock, read->m_type);
  EXPECT_FLOAT_EQ(0, read->m_box.left);
  EXPECT_EQ(1u, boxes.Count());
}

TEST(GroupOrder, SortsFromTheEndWithTheEarliestWinningTies) {
  std::unique_ptr<CGroupBlock> group(
      MakeGroup({MakeSquareCurve(3, 0, 1), MakeSquareCurve(1, 5, 1), MakeSquareCurve(2, 9, 1)}));
  group->SortByLeft();
  EXPECT_EQ((std::vector<float>{1, 2, 3}), Lefts(*group));
  group->SortByTop();
  EXPECT_EQ((std::vector<float>{3, 1, 2}), Lefts(*group));

  CBlock* a = MakeSquareCurve(4, 0, 1);
  CBlock* b = MakeSquareCurve(4, 0, 2);
  std::unique_ptr<CGroupBlock> tie(MakeGroup({a, b}));
  tie->SortByLeft();
  EXPECT_EQ(b, tie->GetChild(0));
  EXPECT_EQ(a, tie->GetChild(1));
}

TEST(GroupOrder, FlatteningAppendsNestedChildrenWithTheirGroupsMatrix) {
  CBlock* a = MakeSquareCurve(1, 0, 1);
  CBlock* b = MakeSquareCurve(2, 0, 1);
  CBlock* c = MakeSquareCurve(3, 0, 1);
  CBlock* d = MakeSquareCurve(4, 0, 1);
  CGroupBlock* nested = MakeGroup({b, c});
  nested->m_matrix = Shift(10, 0);
  std::unique_ptr<CGroupBlock> group(MakeGroup({a, nested, d}));
  group->FlattenNested();
  ASSERT_EQ(4, group->GetChildCount());
  EXPECT_EQ(a, group->GetChild(0));
  EXPECT_EQ(d, group->GetChild(1));
  EXPECT_EQ(b, group->GetChild(2));
  EXPECT_EQ(c, group->GetChild(3));
  EXPECT_FLOAT_EQ(12, b->m_box.left);
  EXPECT_FLOAT_EQ(13, c->m_box.left);
  EXPECT_EQ(24, group->CountCurvePoints());  // four squares of six records each
}

TEST(GroupMerge, ColourFilterSparesCurvesAndNestedGroups) {
  CGroupBlock* nested = MakeGroup(
      {new ShapeStub(0, 50, 0x0000FF), MakeSquareCurve(0, 70, 10, 0x00FF00)});
  nested->m_matrix = Shift(100, 0);
  std::unique_ptr<CGroupBlock> group(
      MakeGroup({MakeSquareCurve(0, 0, 10, 0xFF0000), new ShapeStub(20, 0, 0xFF0000),
                 new ShapeStub(40, 0, 0x0000FF), MakeSquareCurve(60, 0, 10, 0x00FF00), nested}));
  std::unique_ptr<CCurveBlock> merged(group->MergeToCurve(0xFF0000));
  int starts = 0;
  for (const POINTREC& p : merged->GetPoints()) starts += (p.flags & 0x70) == 0x10;
  EXPECT_EQ(5, starts);  // red curve, red shape, green curve, and both of the nested group
  EXPECT_EQ(kPointEnd, merged->GetPoints().back().flags);
  EXPECT_FLOAT_EQ(110, merged->m_box.right);
  EXPECT_FLOAT_EQ(80, merged->m_box.bottom);
}

TEST(GroupClip, KeepsWhatLiesInTheRectangleAndLeavesTheSourcesAlone) {
  CSegArray blocks;
  // clang-format off
  blocks.AddBlock(MakeSquareCurve(10, 10, 10, 3));        // inside
  blocks.AddBlock(MakeCurve({{0, 50, 0x11}, {100, 50, 0x21}}, 4));  // crosses
  blocks.AddBlock(new ShapeStub(20, 20, 0));               // not a curve
  blocks.AddBlock(MakeSquareCurve(200, 200, 10));          // outside
  // clang-format on
  CCurveBlock* moved = MakeSquareCurve(0, 0, 10);
  moved->Offset(30, 30);
  CGroupBlock* nested = MakeGroup({moved});
  nested->m_matrix = Shift(0, 20);
  blocks.AddBlock(nested);
  std::vector<POINTREC> movedPoints = moved->GetPoints();

  std::unique_ptr<CGroupBlock> clipped(ClipGroupToRect(blocks, CFRect(5, 5, 60, 60)));
  ASSERT_NE(nullptr, clipped);
  ASSERT_EQ(3, clipped->GetChildCount());
  CCurveBlock* inside = static_cast<CCurveBlock*>(clipped->GetChild(0));
  EXPECT_NE(blocks.GetBlock(0), inside);
  EXPECT_EQ(3u, inside->GetColour());
  std::vector<POINTREC> line = static_cast<CCurveBlock*>(clipped->GetChild(1))->GetPoints();
  ASSERT_EQ(3u, line.size());
  EXPECT_EQ(MakePointRecord(5, 50, 0x11), line[0]);
  EXPECT_EQ(MakePointRecord(60, 50, 0x21), line[1]);
  EXPECT_EQ(4u, static_cast<CCurveBlock*>(clipped->GetChild(1))->GetColour());
  CGroupBlock* part = static_cast<CGroupBlock*>(clipped->GetChild(2));
  ASSERT_EQ(kGroupBlock, part->m_type);
  std::vector<POINTREC> square = static_cast<CCurveBlock*>(part->GetChild(0))->GetPoints();
  EXPECT_EQ(MakePointRecord(30, 50, 0x11), square[0]);  // both matrices on the page
  EXPECT_EQ(MakePointRecord(40, 60, 0x01), square[2]);

  EXPECT_EQ(movedPoints, moved->GetPoints());
  EXPECT_FLOAT_EQ(30, moved->m_matrix.m[6]);
  EXPECT_EQ(nullptr, ClipGroupToRect(blocks, CFRect(500, 500, 600, 600)));
}

TEST(GroupGeometry, OffsetSetBoxAndTransform) {
  CCurveBlock* child = MakeSquareCurve(0, 0, 10);
  std::unique_ptr<CGroupBlock> group(MakeGroup({child, MakeSquareCurve(20, 0, 10)}));
  group->Offset(5, 5);
  EXPECT_FLOAT_EQ(5, child->m_box.left);
  group->m_matrix = Shift(1, 0);
  group->Offset(5, 0);
  EXPECT_FLOAT_EQ(5, child->m_box.left);  // only the matrix and the box move
  EXPECT_FLOAT_EQ(6, group->m_matrix.m[6]);
  EXPECT_FLOAT_EQ(10, group->m_box.left);

  group->Transform(CMatrix2D());  // bakes the matrix into the children
  EXPECT_TRUE(group->m_matrix.IsIdentity());
  EXPECT_FLOAT_EQ(11, child->m_box.left);
  EXPECT_FLOAT_EQ(11, group->m_box.left);
  EXPECT_FLOAT_EQ(41, group->m_box.right);

  std::unique_ptr<CGroupBlock> flat(MakeGroup(
      {MakeCurve({{0, 0, 0x11}, {0, 10, 0x21}}), MakeCurve({{0, 20, 0x11}, {0, 30, 0x21}})}));
  flat->SetBox(5, 0, 5, 60);  // no width: moved along x, scaled along y
  CBlock* lower = flat->GetChild(1);
  EXPECT_FLOAT_EQ(5, lower->m_box.left);
  EXPECT_FLOAT_EQ(40, lower->m_box.top);
  EXPECT_FLOAT_EQ(60, lower->m_box.bottom);
  EXPECT_FLOAT_EQ(60, flat->m_box.bottom);
}

TEST(GroupGeometry, AMoveUnderAMatrixMovesTheDrawingAndTheBoxAlike) {
  CCurveBlock* child = MakeSquareCurve(0, 0, 10);
  std::unique_ptr<CGroupBlock> group(MakeGroup({child, MakeSquareCurve(20, 5, 10)}));
  // Scaled and sheared, so that a move written into the wrong element shows.
  group->m_matrix.m[0] = 2.0f;
  group->m_matrix.m[3] = 0.5f;
  group->m_matrix.m[4] = 3.0f;
  group->m_matrix.m[6] = 1.0f;
  group->m_matrix.m[7] = -4.0f;
  std::unique_ptr<CContour> start(group->GetContour(nullptr, 0));
  group->m_box = start->GetBox();
  const struct { float dx, dy; } moves[] = {{0, 7}, {-3, 0}, {4, -6}, {2.5f, 2.5f}};
  float totalX = 0, totalY = 0;
  for (const auto& move : moves) {
    group->Offset(move.dx, move.dy);
    totalX += move.dx;
    totalY += move.dy;
    std::unique_ptr<CContour> drawn(group->GetContour(nullptr, 0));
    const CFRect& box = drawn->GetBox();
    EXPECT_FLOAT_EQ(start->GetBox().left + totalX, box.left) << move.dx << "," << move.dy;
    EXPECT_FLOAT_EQ(start->GetBox().bottom + totalY, box.bottom) << move.dx << "," << move.dy;
    EXPECT_FLOAT_EQ(box.left, group->m_box.left) << move.dx << "," << move.dy;
    EXPECT_FLOAT_EQ(box.top, group->m_box.top) << move.dx << "," << move.dy;
    EXPECT_FLOAT_EQ(box.right, group->m_box.right) << move.dx << "," << move.dy;
    EXPECT_FLOAT_EQ(box.bottom, group->m_box.bottom) << move.dx << "," << move.dy;
  }
  EXPECT_FLOAT_EQ(0, child->m_box.left);  // the children keep their own coordinates
  EXPECT_FLOAT_EQ(0, child->m_box.top);
}

TEST(GroupGeometry, HitTestContourAndCurves) {
  FakeBlockView view(1.0);
  std::unique_ptr<CGroupBlock> group(
      MakeGroup({MakeSquareCurve(0, 0, 10), MakeSquareCurve(50, 50, 10)}));
  EXPECT_FALSE(group->HitTest(&view, 30, 30));  // in the box, on no child
  EXPECT_TRUE(group->HitTest(&view, 0, 5));
  group->m_matrix = Shift(100, 0);
  group->m_box = CFRect(100, 0, 160, 60);
  EXPECT_TRUE(group->HitTest(&view, 100, 5));
  EXPECT_FALSE(group->HitTest(&view, 0, 5));

  std::unique_ptr<CContour> contour(group->GetContour(nullptr, 0));
  ASSERT_NE(nullptr, contour);
  EXPECT_EQ(11, contour->GetCount());
  EXPECT_FLOAT_EQ(100, contour->GetPoints()[0].x);

  std::unique_ptr<CBlock> curves(group->ToCurve(static_cast<DWORD>(-1)));
  ASSERT_NE(nullptr, curves);
  EXPECT_EQ(kGroupBlock, curves->m_type);
  EXPECT_FLOAT_EQ(100, curves->m_box.left);
  std::unique_ptr<CGroupBlock> single(
      MakeGroup({MakeSquareCurve(0, 0, 10, 7), MakeSquareCurve(0, 0, 10, 8)}));
  std::unique_ptr<CBlock> one(single->ToCurve(8));
  ASSERT_NE(nullptr, one);
  EXPECT_EQ(kCurveBlock, one->m_type);
  EXPECT_EQ(nullptr, single->ToCurve(9));
}

// Moves the record it is given one unit right: what a transformation returns is built as a block.
class ShiftingTransformService : public CTransformService {
public:
  HGLOBAL DoTransform(HANDLE transform, const TransformParams& params) const override {
    seen = params;
    seenTransform = transform;
    std::vector<BYTE> record;
    {
      CGlobalLock lock(params.sourceRecord);
      std::unique_ptr<CBlock> block(CreateBlockFromRecord(lock.Data(), lock.Size()));
      if (!block || result == kNothing) return nullptr;
      block->Offset(1, 0);
      record = RecordOf(*block);
    }
    if (result == kDamaged) record.resize(record.size() / 2);
    HGLOBAL out = ::GlobalAlloc(GMEM_MOVEABLE, record.size());
    CGlobalLock lock(out);
    memcpy(lock.Data(), record.data(), record.size());
    return out;
  }
  enum { kShifted, kNothing, kDamaged } result = kShifted;
  mutable TransformParams seen = {};
  mutable HANDLE seenTransform = nullptr;
};

TEST(GroupTransform, TheRecordGoesThroughTheServiceAndTheResultIsBuilt) {
  CGroupBlock group;
  group.AddChild(MakeSquareCurve(0, 0, 10));
  group.AddChild(MakeSquareCurve(20, 0, 10));
  HANDLE transform = reinterpret_cast<HANDLE>(5);
  EXPECT_EQ(nullptr, group.CreateTransformed(transform, CFRect(0, 0, 50, 50)));  // no service

  ShiftingTransformService service;
  CModelServices installed(nullptr, &service);
  std::unique_ptr<CBlock> result(group.CreateTransformed(transform, CFRect(0, 0, 50, 40)));
  ASSERT_NE(nullptr, result);
  EXPECT_EQ(transform, service.seenTransform);
  EXPECT_EQ(static_cast<int>(RecordOf(group).size()), service.seen.recordLength);
  EXPECT_FLOAT_EQ(30, service.seen.sourceBox.right);
  EXPECT_FLOAT_EQ(40, service.seen.targetRect.bottom);
  EXPECT_EQ(kGroupBlock, result->m_type);
  EXPECT_FLOAT_EQ(31, result->m_box.right);

  service.result = ShiftingTransformService::kNothing;
  EXPECT_EQ(nullptr, group.CreateTransformed(transform, CFRect(0, 0, 50, 40)));
  service.result = ShiftingTransformService::kDamaged;
  MessageBoxCapture boxes;
  EXPECT_EQ(nullptr, group.CreateTransformed(transform, CFRect(0, 0, 50, 40)));
  EXPECT_EQ(nullptr, group.CreateTransformed(nullptr, CFRect(0, 0, 50, 40)));  // no transformation
}

}  // namespace
