// Helpers of the shape block tests: record bytes, golden record builders and contour comparison.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <memory>
#include <vector>

#include "framework/GlobalLock.h"
#include "model/blocks/Block.h"
#include "model/geometry/Contour.h"
#include "model/records/BlockRecord.h"

inline std::vector<BYTE> RecordOf(CBlock& block) {
  HGLOBAL memory = nullptr;
  int length = block.WriteRecord(&memory);
  std::vector<BYTE> bytes;
  if (!memory) return bytes;
  {
    CGlobalLock lock(memory);
    bytes.assign(lock.Data(), lock.Data() + length);
  }
  ::GlobalFree(memory);
  return bytes;
}

inline std::unique_ptr<CBlock> BlockFrom(const std::vector<BYTE>& record) {
  return std::unique_ptr<CBlock>(CreateBlockFromRecord(record.data(), record.size()));
}

// Builds expected record bytes field by field, independently of the writers under test.
class GoldenRecord {
public:
  GoldenRecord(BYTE tag, int length, BYTE type, WORD attributes) {
    Byte(tag);
    Int(length);
    Byte(type);
    Byte(static_cast<BYTE>(attributes & 0xFF));
    Byte(static_cast<BYTE>(attributes >> 8));
  }
  GoldenRecord& Byte(BYTE b) {
    m_bytes.push_back(b);
    return *this;
  }
  GoldenRecord& Int(int value) {
    for (int i = 0; i < 4; ++i) Byte(static_cast<BYTE>(static_cast<unsigned>(value) >> (8 * i)));
    return *this;
  }
  GoldenRecord& Float(float value) {
    int bits;
    memcpy(&bits, &value, 4);
    return Int(bits);
  }
  GoldenRecord& Floats(std::initializer_list<float> values) {
    for (float v : values) Float(v);
    return *this;
  }
  GoldenRecord& Identity() { return Floats({1, 0, 0, 0, 1, 0, 0, 0, 1}); }
  std::vector<BYTE> End() {
    Byte(kRecordEndByte);
    return m_bytes;
  }

private:
  std::vector<BYTE> m_bytes;
};

inline std::vector<POINTREC> PagePoints(CBlock& block) {
  std::unique_ptr<CContour> contour(block.GetContour(nullptr, 0));
  return contour ? contour->GetPoints() : std::vector<POINTREC>();
}

inline std::vector<BYTE> FlagsOf(const std::vector<POINTREC>& points) {
  std::vector<BYTE> flags;
  for (const POINTREC& p : points) flags.push_back(p.flags);
  return flags;
}

inline void ExpectSamePoints(const std::vector<POINTREC>& expected,
                             const std::vector<POINTREC>& actual, float tol = 0.001f) {
  ASSERT_EQ(expected.size(), actual.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(expected[i].flags, actual[i].flags);
    if (IsSpecialPoint(expected[i].flags)) continue;
    EXPECT_NEAR(expected[i].x, actual[i].x, tol);
    EXPECT_NEAR(expected[i].y, actual[i].y, tol);
  }
}

inline void ExpectBox(const CFRect& expected, const CFRect& actual, float tol = 0.001f) {
  EXPECT_NEAR(expected.left, actual.left, tol);
  EXPECT_NEAR(expected.top, actual.top, tol);
  EXPECT_NEAR(expected.right, actual.right, tol);
  EXPECT_NEAR(expected.bottom, actual.bottom, tol);
}
