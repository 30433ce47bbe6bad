#include <gtest/gtest.h>

#include <cstring>

#include "framework/GlobalLock.h"
#include "model/editing/KeyboardCharset.h"
#include "model/records/CutDataHeader.h"
#include "model/records/GlobalCopy.h"

namespace {

TEST(CharsetFromLanguage, MapsLanguagesToTheirSets) {
  // clang-format off
  struct Case { WORD language; int charset; };
  const Case cases[] = {
      {0x0401, 178}, {0x0804, 134}, {0x0404, 136}, {0x0C04, 136}, {0x1004, 136},
      {0x0407, 238}, {0x041A, 238}, {0x0408, 161}, {0x040D, 177}, {0x0411, 128},
      {0x0412, 129}, {0x0812, 130}, {0x0419, 204}, {0x043F, 204}, {0x041E, 222},
      {0x041F, 162}, {0x042A, 163}, {0x0409, 0},   {0x040C, 0},   {0, 0}};
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(c.charset, CharsetFromLanguage(c.language)) << std::hex << c.language;
}

TEST(CCutDataHeader, HoldsMagicScaleAndKind) {
  CCutDataHeader header;
  const BYTE* bytes = header.Bytes();
  EXPECT_EQ(0, memcmp("TCUTDATA\0", bytes, 9));
  const BYTE scale[] = {0x00, 0x00, 0x80, 0x3F};  // 1.0f
  EXPECT_EQ(0, memcmp(scale, bytes + 15, 4));
  const BYTE kind[] = {0x80, 0x00, 0x00, 0x00};
  EXPECT_EQ(0, memcmp(kind, bytes + 19, 4));
  for (int i = 23; i < CCutDataHeader::kSize; ++i) EXPECT_EQ(0, bytes[i]) << i;
  EXPECT_EQ(103, CCutDataHeader::kSize);
}

TEST(DuplicateGlobal, CopiesTheWholeBlock) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 5);
  ASSERT_TRUE(block);
  {
    CGlobalLock lock(block);
    memcpy(lock.Data(), "\x01\x02\x03\x04\xFE", 5);
  }
  HGLOBAL copy = DuplicateGlobal(block);
  ASSERT_TRUE(copy);
  EXPECT_NE(block, copy);
  EXPECT_EQ(GlobalSize(block), GlobalSize(copy));
  {
    CGlobalLock original(block);
    original.Data()[0] = 9;
    CGlobalLock duplicate(copy);
    EXPECT_EQ(0, memcmp("\x01\x02\x03\x04\xFE", duplicate.Data(), 5));
  }
  GlobalFree(copy);
  GlobalFree(block);

  EXPECT_EQ(nullptr, DuplicateGlobal(nullptr));
  HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
  EXPECT_EQ(nullptr, DuplicateGlobal(empty));
  GlobalFree(empty);
}

}  // namespace
