// The glyph codec on outlines the tests make: every encoding gives back exactly the outline it was
// given, the encoder and decoder choose the same encoding at every version, and damaged records
// (cut short, counts far beyond the data, impossible widths) decode to nothing without reading
// outside the record. No window.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/GlobalLock.h"
#include "model/geometry/Matrix2D.h"
#include "text/GlyphCodec.h"
#include "text/GlyphTestSupport.h"

namespace {

using Bytes = std::vector<BYTE>;

// The whole record the encoder makes for the outline at the version (empty when it refuses).
Bytes Encode(const std::vector<POINTREC>& points, float version, LPCSTR name = nullptr,
             float normalSize = 0) {
  std::unique_ptr<CContour> glyph(MakeGlyph(points));
  CGlyphCodec codec;
  codec.SetNormalSize(normalSize);
  HGLOBAL block = nullptr;
  int length = codec.EncodeByVersion(glyph.get(), &block, version, name);
  Bytes record;
  if (length > 0) {
    CGlobalLock lock(block);
    record.assign(lock.Data(), lock.Data() + length);
  }
  if (block) ::GlobalFree(block);
  return record;
}

std::unique_ptr<CContour> DecodeRecord(const Bytes& record, float version,
                                       const CMatrix2D* matrix = nullptr) {
  CGlyphCodec codec;
  if (record.size() < 4) return nullptr;
  return std::unique_ptr<CContour>(
      codec.Decode(record.data() + 4, record.size() - 4, matrix, version));
}

DWORD LengthWord(const Bytes& record) {
  return record[0] | record[1] << 8 | record[2] << 16 | static_cast<DWORD>(record[3]) << 24;
}

struct VersionCase {
  float version;
  CGlyphCodec::Encoding encoding;
};

const VersionCase kVersions[] = {
    {5.4f, CGlyphCodec::kEncodingA},
    {6.0f, CGlyphCodec::kEncodingB},
    {6.09f, CGlyphCodec::kEncodingB},
    {6.1f, CGlyphCodec::kEncodingC},
};

TEST(GlyphCodecVersions, EncoderAndDecoderChooseTheSameEncoding) {
  for (const VersionCase& c : kVersions)
    EXPECT_EQ(c.encoding, CGlyphCodec::EncodingOf(c.version)) << c.version;
  EXPECT_EQ(CGlyphCodec::kEncodingA, CGlyphCodec::EncodingOf(5.99f));
  EXPECT_EQ(CGlyphCodec::kNoEncoding, CGlyphCodec::EncodingOf(6.11f));
  EXPECT_TRUE(Encode(MixedGlyphPoints(), 6.11f).empty());
  EXPECT_EQ(nullptr, DecodeRecord(Encode(MixedGlyphPoints(), 6.0f), 6.2f));
}

TEST(GlyphCodecRoundTrip, EveryEncodingGivesTheOutlineBackIdentical) {
  const std::vector<POINTREC> glyphs[] = {MixedGlyphPoints(), PolygonGlyphPoints(),
                                          MixedGlyphPoints(-2000)};
  for (const VersionCase& c : kVersions) {
    for (const std::vector<POINTREC>& points : glyphs) {
      Bytes record = Encode(points, c.version, "glyph");
      ASSERT_FALSE(record.empty()) << c.version;
      EXPECT_EQ(record.size(), LengthWord(record));
      std::unique_ptr<CContour> decoded = DecodeRecord(record, c.version);
      ASSERT_TRUE(decoded) << c.version;
      EXPECT_EQ(WithEndMark(points), PointsOf(decoded.get())) << c.version;
    }
  }
}

TEST(GlyphCodecRoundTrip, StepsOfExactlyOneByteAndOneMoreKeepTheirLengthAndDirection) {
  // 255 is the last step that fits the byte fields, 256 the first that needs the wide field; the
  // x and y steps differ so that a swapped or a sign-lost field shows, and a curve step carries
  // the boundary too.
  const std::vector<POINTREC> points = {
      MakePointRecord(256, 200, 0x11), MakePointRecord(512, 200, 0x01),
      MakePointRecord(512, -56, 0x01), MakePointRecord(257, 199, 0x01),
      MakePointRecord(1, 455, 0x00),   MakePointRecord(256, 199, 0x00),
      MakePointRecord(0, -57, 0x01),   MakePointRecord(256, 200, 0x41),
  };
  for (const VersionCase& c : kVersions) {
    Bytes record = Encode(points, c.version);
    ASSERT_FALSE(record.empty()) << c.version;
    std::unique_ptr<CContour> decoded = DecodeRecord(record, c.version);
    ASSERT_TRUE(decoded) << c.version;
    EXPECT_EQ(WithEndMark(points), PointsOf(decoded.get())) << c.version;
  }
  // With 257 as its largest step the glyph's wide fields take nine bits and a sign.
  EXPECT_EQ(9, Encode(points, 6.0f)[4] & 0x3F);
}

TEST(GlyphCodecRoundTrip, LinesOnlyGlyphHasNoKindBytes) {
  Bytes record = Encode(PolygonGlyphPoints(), 6.0f);
  ASSERT_GT(record.size(), 5u);
  EXPECT_EQ(0x80, record[4] & 0x80);
  Bytes curved = Encode(MixedGlyphPoints(), 6.0f);
  EXPECT_EQ(0, curved[4] & 0x80);
}

TEST(GlyphCodecRoundTrip, ClosedContourEndingAwayFromItsStartGetsAClosingPoint) {
  std::vector<POINTREC> points = {MakePointRecord(0, 0, 0x11), MakePointRecord(500, 0, 0x01),
                                  MakePointRecord(500, 250, 0x01), MakePointRecord(500, 500, 0x41)};
  for (const VersionCase& c : kVersions) {
    std::unique_ptr<CContour> decoded = DecodeRecord(Encode(points, c.version), c.version);
    ASSERT_TRUE(decoded) << c.version;
    std::vector<POINTREC> expected = {MakePointRecord(0, 0, 0x11), MakePointRecord(500, 0, 0x01),
                                      MakePointRecord(500, 250, 0x01),
                                      MakePointRecord(500, 500, 0x01), MakePointRecord(0, 0, 0x41)};
    EXPECT_EQ(WithEndMark(expected), PointsOf(decoded.get())) << c.version;
  }
}

TEST(GlyphCodecRoundTrip, ContourEndsPastSixtyFiveThousandPointsWrapAndCountUpwards) {
  std::vector<POINTREC> points;
  for (int contour = 0; contour < 2; ++contour) {
    const int count = 33000;
    for (int i = 0; i < count; ++i) {
      BYTE flags = i == 0 ? 0x11 : (i == count - 1 ? 0x21 : 0x01);
      points.push_back(MakePointRecord(static_cast<float>(i % 2 ? 300 : 0),
                                       static_cast<float>(i + contour * 40000), flags));
    }
  }
  Bytes record = Encode(points, 6.0f);
  ASSERT_FALSE(record.empty());
  std::unique_ptr<CContour> decoded = DecodeRecord(record, 6.0f);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(WithEndMark(points), PointsOf(decoded.get()));
}

TEST(GlyphCodecC, NormalisingSizeIsUndoneByTheStoredBoxAndTheNameIsKept) {
  Bytes record = Encode(PolygonGlyphPoints(), 6.1f, "A", 100.0f);
  ASSERT_FALSE(record.empty());
  // H counts from the record's start: length word, header, "A" and its zero.
  EXPECT_EQ(17, record[6] | record[7] << 8);
  EXPECT_EQ('A', record[15]);
  std::unique_ptr<CContour> decoded = DecodeRecord(record, 6.1f);
  ASSERT_TRUE(decoded);
  std::vector<POINTREC> points = PointsOf(decoded.get());
  ASSERT_EQ(6u, points.size());
  EXPECT_NEAR(1000.0f, points[1].x, 20.0f);
  EXPECT_NEAR(700.0f, points[2].y, 0.5f);
}

TEST(GlyphCodecMatrix, DecodedPointsAreMappedByTheCallersMatrix) {
  CMatrix2D matrix;
  matrix.m[0] = 0.5f;
  matrix.m[6] = 10.0f;
  std::unique_ptr<CContour> decoded = DecodeRecord(Encode(PolygonGlyphPoints(), 6.0f), 6.0f,
                                                   &matrix);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(510.0f, PointsOf(decoded.get())[1].x);
}

TEST(GlyphCodecRefusals, OutlinesThatCannotBeStoredGiveNoRecord) {
  std::vector<POINTREC> still = {MakePointRecord(0, 0, 0x11), MakePointRecord(0, 0, 0x41)};
  EXPECT_TRUE(Encode(still, 6.0f).empty());
  std::vector<POINTREC> distant = {MakePointRecord(0, 0, 0x11), MakePointRecord(1e9f, 0, 0x41)};
  EXPECT_TRUE(Encode(distant, 6.0f).empty());
  // Encoding A keeps deltas in 16 bits.
  std::vector<POINTREC> wide = {MakePointRecord(0, 0, 0x11), MakePointRecord(40000, 0, 0x21)};
  EXPECT_TRUE(Encode(wide, 5.4f).empty());
  EXPECT_FALSE(Encode(wide, 6.0f).empty());
  // A curve step needs its two controls and its end.
  std::vector<POINTREC> cut = {MakePointRecord(0, 0, 0x11), MakePointRecord(10, 0, 0x00)};
  EXPECT_TRUE(Encode(cut, 6.0f).empty());
  CGlyphCodec codec;
  HGLOBAL block = reinterpret_cast<HGLOBAL>(1);
  EXPECT_EQ(0, codec.EncodeByVersion(nullptr, &block, 6.0f, nullptr));
  EXPECT_EQ(nullptr, block);
}

TEST(GlyphCodecDamage, RecordsCutShortAtAnyLengthDecodeToNothingOrStayInside) {
  for (const VersionCase& c : kVersions) {
    Bytes record = Encode(MixedGlyphPoints(), c.version, "name");
    for (size_t size = 4; size < record.size(); ++size) {
      Bytes cut(record.begin(), record.begin() + size);
      std::unique_ptr<CContour> decoded = DecodeRecord(cut, c.version);
      // The coordinate stream ends the record: any shorter body lacks bits the points need.
      EXPECT_EQ(nullptr, decoded) << c.version << " cut at " << size;
    }
  }
}

TEST(GlyphCodecDamage, ImpossibleCountsWidthsAndOffsetsAreRefused) {
  Bytes record = Encode(MixedGlyphPoints(), 6.0f);
  Bytes huge = record;
  huge[5] = 0xFF, huge[6] = 0xFF;  // n = 65535 contour ends that are not there
  EXPECT_EQ(nullptr, DecodeRecord(huge, 6.0f));
  Bytes wide = record;
  wide[4] = static_cast<BYTE>((wide[4] & 0x80) | 0x3F);  // w = 63
  EXPECT_EQ(nullptr, DecodeRecord(wide, 6.0f));
  Bytes noContours = record;
  noContours[5] = noContours[6] = 0;
  EXPECT_EQ(nullptr, DecodeRecord(noContours, 6.0f));

  Bytes c = Encode(MixedGlyphPoints(), 6.1f);
  Bytes farEnds = c;
  farEnds[6] = 0xF0, farEnds[7] = 0xFF;  // H beyond the record
  EXPECT_EQ(nullptr, DecodeRecord(farEnds, 6.1f));
  Bytes wrongMark = c;
  wrongMark[4] = 16;
  EXPECT_EQ(nullptr, DecodeRecord(wrongMark, 6.1f));

  Bytes a = Encode(MixedGlyphPoints(), 5.4f);
  Bytes falling = a;
  falling[4 + 10] = 0xFF, falling[4 + 11] = 0x7F;  // first end count above the second
  EXPECT_EQ(nullptr, DecodeRecord(falling, 5.4f));
  Bytes manyPoints = a;
  manyPoints[4 + 14] = 0xFF, manyPoints[4 + 15] = 0xFF;  // last end count: 65535 points
  EXPECT_EQ(nullptr, DecodeRecord(manyPoints, 5.4f));
}

TEST(GlyphCodecDamage, EncodingAGlyphOfFewerThanSixRecordsIsDiscarded) {
  std::vector<POINTREC> tiny = {MakePointRecord(0, 0, 0x11), MakePointRecord(10, 0, 0x01),
                                MakePointRecord(10, 10, 0x01), MakePointRecord(0, 10, 0x21)};
  EXPECT_EQ(nullptr, DecodeRecord(Encode(tiny, 5.4f), 5.4f));
  EXPECT_NE(nullptr, DecodeRecord(Encode(tiny, 6.0f), 6.0f));
}

TEST(GlyphCodecMemory, BodyInAMovableBlockDecodesLikeTheBytes) {
  Bytes record = Encode(MixedGlyphPoints(), 6.1f);
  HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, record.size() - 4);
  {
    CGlobalLock lock(block);
    memcpy(lock.Data(), record.data() + 4, record.size() - 4);
  }
  CGlyphCodec codec;
  std::unique_ptr<CContour> decoded(codec.DecodeMemory(block, nullptr, 6.1f));
  ::GlobalFree(block);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(WithEndMark(MixedGlyphPoints()), PointsOf(decoded.get()));
}

}  // namespace
