// Box records and the box-array record: byte for byte against layouts written out by hand, read
// back, and damaged arrays that keep the boxes before the damage and say so once. No window; the
// message boxes are captured.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/ByteWriter.h"
#include "framework/GlobalLock.h"
#include "support/MessageBoxCapture.h"
#include "text/layout/AttrBox.h"
#include "text/layout/BoxArray.h"
#include "text/layout/CharBox.h"

namespace {

using Bytes = std::vector<BYTE>;

// clang-format off
const Bytes kAttrRecord = {
    0x11, 0x15, 0x00, 0x00, 0x00,  // tag 17, length 21
    0x00, 0x80,                    // kind word
    0x01, 0x00,                    // BoxGaps
    0x00, 0x00, 0x20, 0x40,        // 2.5
    0x09, 0x00, 0x00, 0x00,        // second value
    0x00, 0x00, 0x00, 0x00,        // third value
};

const Bytes kCharRecord = {
    0x12, 0x4B, 0x00, 0x00, 0x00,  // tag 18, length 75
    0x86, 0x42,                    // GB2312, own fonts of mount 0, double-byte
    0x00, 0x00, 0x20, 0x41,        // width 10
    0x00, 0x00, 0xA0, 0x41,        // height 20
    0x00, 0x00, 0x00, 0x00,        // ink width
    0x00, 0x00, 0x00, 0x00,        // ink height
    0x00, 0x00, 0x80, 0x3F,        // advance ratio 1
    0xA1, 0xB0,                    // code 0xB0A1
    0x00, 0x00, 0x34, 0x42,        // angle 45
    0x00, 0x00, 0x00, 0x00,        // skew x
    0x00, 0x00, 0x00, 0x00,        // skew y
    0x00, 0x00, 0x80, 0x3F, 0x00, 0x00, 0x00, 0x40,  // rectangle 1, 2,
    0x00, 0x00, 0x40, 0x40, 0x00, 0x00, 0x80, 0x40,  //   3, 4
    0x00, 0x00, 0xA0, 0x40,        // x 5
    0x00, 0x00, 0xC0, 0x40,        // y 6
    0x00, 0x00, 0xFF, 0x00,        // red
    0x07, 0x00,                    // font number
    0x00, 0x00,                    // reserved
    0x80, 0x20,                    // filled, line end
};
// clang-format on

CAttrBox* SampleAttr() {
  CAttrBox* box = new CAttrBox(CAttrBox::kBoxGaps, 2.5f);
  box->m_second = 9;
  return box;
}

CCharBox* SampleChar() {
  CCharBox* box = new CCharBox;
  box->m_kind = 0x4286;
  box->m_width = 10;
  box->m_height = 20;
  box->m_ratio = 1;
  box->m_code = 0xB0A1;
  box->m_angle = 45;
  box->m_rect = CFRect(1, 2, 3, 4);
  box->m_x = 5;
  box->m_y = 6;
  box->m_colour = 0x00FF0000;
  box->m_fontNumber = 7;
  box->m_style = CCharBox::kFilled | CCharBox::kLineEnd;
  return box;
}

Bytes ArrayRecord(const std::vector<Bytes>& boxes, bool withEnd = true) {
  Bytes record = {0x03, 0, 0, 0, 0};
  for (const Bytes& box : boxes) record.insert(record.end(), box.begin(), box.end());
  if (withEnd) record.push_back(0xFE);
  size_t length = record.size();
  for (int i = 0; i < 4; ++i) record[1 + i] = static_cast<BYTE>(length >> (8 * i));
  return record;
}

Bytes Written(const CTextBox& box) {
  CByteWriter writer;
  box.WriteRecord(writer);
  return writer.Bytes();
}

}  // namespace

TEST(BoxRecordTest, AttributeAndCharacterBoxesWriteTheirRecordsByteForByte) {
  std::unique_ptr<CAttrBox> attr(SampleAttr());
  std::unique_ptr<CCharBox> box(SampleChar());
  EXPECT_EQ(kAttrRecord, Written(*attr));
  EXPECT_EQ(kCharRecord, Written(*box));
}

TEST(BoxRecordTest, RecordsReadBackIntoEqualBoxesAndRefuseOtherTags) {
  std::unique_ptr<CAttrBox> attr(LoadAttrBox(kAttrRecord.data(), kAttrRecord.size()));
  std::unique_ptr<CCharBox> box(LoadCharBox(kCharRecord.data(), kCharRecord.size()));
  ASSERT_TRUE(attr && box);
  EXPECT_EQ(kAttrRecord, Written(*attr));
  EXPECT_EQ(kCharRecord, Written(*box));
  EXPECT_EQ(nullptr, LoadAttrBox(kCharRecord.data(), kCharRecord.size()));
  EXPECT_EQ(nullptr, LoadCharBox(kAttrRecord.data(), kAttrRecord.size()));
  EXPECT_EQ(nullptr, LoadCharBox(kCharRecord.data(), kCharRecord.size() - 1));
}

TEST(BoxRecordTest, TheArrayRecordHoldsItsBoxesBetweenTagLengthAndEndByte) {
  CBoxArray boxes;
  HGLOBAL memory = nullptr;
  EXPECT_EQ(0, boxes.WriteToMemory(&memory));  // an empty array writes nothing
  EXPECT_EQ(nullptr, memory);

  boxes.Add(SampleAttr());
  boxes.Add(SampleChar());
  int length = boxes.WriteToMemory(&memory);
  Bytes expected = ArrayRecord({kAttrRecord, kCharRecord});
  ASSERT_EQ(102u, expected.size());
  ASSERT_EQ(102, length);
  {
    CGlobalLock lock(memory);
    ASSERT_GE(lock.Size(), expected.size());
    EXPECT_EQ(expected, Bytes(lock.Data(), lock.Data() + length));
  }
  ::GlobalFree(memory);

  // A writer without room for the whole record takes none of it.
  CByteWriter small(expected.size() - 1);
  EXPECT_FALSE(boxes.WriteRecord(small));
  EXPECT_EQ(0u, small.Size());

  MessageBoxCapture boxesShown;
  std::unique_ptr<CBoxArray> loaded(LoadBoxArray(expected.data(), expected.size()));
  ASSERT_TRUE(loaded);
  ASSERT_EQ(2, loaded->GetSize());
  EXPECT_EQ(kAttrRecord, Written(*loaded->GetBox(0)));
  EXPECT_EQ(kCharRecord, Written(*loaded->GetBox(1)));
  EXPECT_EQ(0u, boxesShown.Count());
}

TEST(BoxRecordTest, DamagedArraysKeepTheBoxesBeforeTheDamageAndSaySoOnce) {
  Bytes zeroLength = kAttrRecord;
  zeroLength[1] = 0;
  Bytes unknownTag = kAttrRecord;
  unknownTag[0] = 19;
  Bytes cutShort = ArrayRecord({kAttrRecord, kCharRecord});
  cutShort[1] = 5 + 21 + 40;  // the array's own length ends inside the character box
  Bytes longerThanGiven = ArrayRecord({kAttrRecord});
  longerThanGiven[1] += 50;
  Bytes earlyEnd = ArrayRecord({kAttrRecord, {0xFE}, kCharRecord});
  Bytes tooShort = {0x03, 0x04, 0x00, 0x00, 0x00, 0xFE};
  Bytes nowhere = kCharRecord;  // x NaN
  nowhere[59] = 0xC0;
  nowhere[60] = 0x7F;
  Bytes endlessAngle = kCharRecord;  // angle infinite
  endlessAngle[31] = 0x80;
  endlessAngle[32] = 0x7F;
  struct Case {
    const char* what;
    Bytes record;
    int boxes;
    size_t messages;
  };
  const std::vector<Case> cases = {
      {"only tag, length and end byte", ArrayRecord({}), 0, 0},
      {"another record's tag", {0x02, 0x06, 0, 0, 0, 0xFE}, 0, 0},
      {"tag 19 after two boxes", ArrayRecord({kAttrRecord, kCharRecord, unknownTag}), 2, 1},
      {"a box record of length 0", ArrayRecord({kCharRecord, zeroLength}), 1, 1},
      {"no end byte", ArrayRecord({kAttrRecord, kCharRecord}, false), 2, 1},
      {"a length that ends inside a box", cutShort, 1, 1},
      {"a length past the bytes given", longerThanGiven, 1, 1},
      {"an end byte before the array's end", earlyEnd, 1, 1},
      {"a length shorter than an empty array", tooShort, 0, 1},
      {"a character at no place", ArrayRecord({kAttrRecord, kCharRecord, nowhere}), 2, 1},
      {"a character at an infinite angle", ArrayRecord({kCharRecord, endlessAngle}), 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MessageBoxCapture shown;
    std::unique_ptr<CBoxArray> loaded(LoadBoxArray(c.record.data(), c.record.size()));
    EXPECT_EQ(c.boxes, loaded ? loaded->GetSize() : 0);
    ASSERT_EQ(c.messages, shown.Count());
    if (c.messages) {
      EXPECT_EQ("文字数据已损坏, 损坏处之后的字符没有读入!", shown.Last().text);
      EXPECT_EQ("数据损坏", shown.Last().caption);
    }
  }
}
