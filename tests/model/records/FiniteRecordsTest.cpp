// Block records holding a NaN or an infinity where a box, a matrix or a point stands are refused,
// so that a damaged list keeps what came before and says so; the same records with their numbers
// read as they always did.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "model/CurveTestSupport.h"
#include "model/blocks/CircleBlock.h"
#include "model/blocks/GroupBlock.h"
#include "model/blocks/ImageBlock.h"
#include "model/blocks/LibBlock.h"
#include "model/blocks/LineBlock.h"
#include "model/blocks/PolygonBlock.h"
#include "model/blocks/RectBlock.h"
#include "model/blocks/TransformBlock.h"
#include "model/geometry/MatrixFactories.h"
#include "model/records/BlockRecord.h"
#include "support/MessageBoxCapture.h"

namespace {

using Bytes = std::vector<BYTE>;

// Offsets of a float in the record; 0 where the kind has no such field.
struct FiniteCase {
  const char* kind;
  std::function<CBlock*()> make;
  size_t box;
  size_t matrix;
  size_t point;  // a point, or a number the outline is built from
};

// A group's first child record starts after the group's fixed fields and the list's header; a
// transform block's source record after the transform's fixed fields.
const size_t kGroupChild = 60 + 5;
const size_t kTransformSource = 60;
const size_t kCurvePoint = 68;

CGroupBlock* TwoCurves() {
  CGroupBlock* group = new CGroupBlock;
  group->AddChild(MakeSquareCurve(1, 2, 3));
  group->AddChild(MakeSquareCurve(10, 20, 5));
  return group;
}

const FiniteCase kCases[] = {
    {"line", [] { return new CLineBlock; }, 24, 0, 8},
    {"rectangle", [] { return new CRectBlock; }, 68, 24, 8},
    {"circle", [] { return new CCircleBlock; }, 60, 24, 80},
    {"polygon", [] { return new CPolygonBlock; }, 52, 16, 88},
    {"curve", [] { return MakeSquareCurve(1, 2, 3); }, 8, 24, kCurvePoint},
    {"group", TwoCurves, 8, 24, kGroupChild + kCurvePoint + 4},
    {"library", [] { return new CLibBlock(2, 1, 3); }, 8, 24, 0},
    {"image", [] { return new CImageBlock("C:\\LOGO.BMP"); }, 12, 0, 0},
    {"transform", [] { return new CTransformBlock(1, MakeSquareCurve(0, 0, 10)); }, 44 + 8, 8,
     kTransformSource + kCurvePoint},
};

bool Reads(const Bytes& record) {
  // A group's damaged child is reported by the group's list.
  MessageBoxCapture shown;
  std::unique_ptr<CBlock> block(CreateBlockFromRecord(record.data(), record.size()));
  return block != nullptr;
}

Bytes WithFloat(Bytes record, size_t at, float value) {
  memcpy(record.data() + at, &value, sizeof value);
  return record;
}

TEST(FiniteRecords, ANonFiniteBoxMatrixOrPointRefusesTheRecord) {
  const float kNotFinite[] = {std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity(),
                              -std::numeric_limits<float>::infinity()};
  for (const FiniteCase& test : kCases) {
    std::unique_ptr<CBlock> block(test.make());
    const Bytes record = RecordOf(*block);
    ASSERT_FALSE(record.empty()) << test.kind;
    EXPECT_TRUE(Reads(record)) << test.kind;
    for (size_t at : {test.box, test.matrix, test.point}) {
      if (at == 0) continue;
      ASSERT_LT(at + 4, record.size()) << test.kind;
      for (float value : kNotFinite)
        EXPECT_FALSE(Reads(WithFloat(record, at, value))) << test.kind << " at " << at;
      // A large but finite number there is still a number.
      EXPECT_TRUE(Reads(WithFloat(record, at, 1.0e6f))) << test.kind << " at " << at;
    }
  }
}

TEST(FiniteRecords, AGroupOfOneWhoseMatrixWouldThrowItsBlockOffThePageIsRefused) {
  for (float scale : {2.0f, 1.0e30f}) {
    CGroupBlock group;
    group.AddChild(MakeSquareCurve(1.0e10f, 1.0e10f, 1.0e9f));
    const Bytes record = RecordOf(group);
    ASSERT_FALSE(record.empty());
    EXPECT_TRUE(Reads(record)) << scale;
    // The group's matrix at 24, its scale on the diagonal.
    Bytes scaled = WithFloat(WithFloat(record, 24, scale), 24 + 16, scale);
    EXPECT_EQ(scale < 1.0e20f, Reads(scaled)) << scale;
  }
}

}  // namespace
