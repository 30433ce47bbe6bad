#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "framework/ByteReader.h"
#include "framework/ByteWriter.h"

namespace {

TEST(CByteWriter, WritesLittleEndianValues) {
  CByteWriter writer;
  EXPECT_TRUE(writer.WriteByte(0xF1));
  EXPECT_TRUE(writer.WriteWord(0x1234));
  EXPECT_TRUE(writer.WriteDWord(0xA1B2C3D4));
  EXPECT_TRUE(writer.WriteFloat(1.0f));
  EXPECT_TRUE(writer.WriteInt16(-2));
  const BYTE expected[] = {0xF1, 0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1,
                           0x00, 0x00, 0x80, 0x3F, 0xFE, 0xFF};
  ASSERT_EQ(sizeof expected, writer.Size());
  EXPECT_EQ(0, memcmp(expected, writer.Data(), sizeof expected));
}

TEST(CByteWriter, FixedStringsArePaddedAndCut) {
  CByteWriter writer;
  writer.WriteFixedString("ODSINFO", 10);
  writer.WriteFixedString("toolong", 3);
  const BYTE expected[] = {'O', 'D', 'S', 'I', 'N', 'F', 'O', 0, 0, 0, 't', 'o', 'o'};
  ASSERT_EQ(sizeof expected, writer.Size());
  EXPECT_EQ(0, memcmp(expected, writer.Data(), sizeof expected));
}

TEST(CByteWriter, BoundedWritersRefuseWhatDoesNotFit) {
  BYTE buffer[6] = {};
  CByteWriter writer(buffer, 5);
  EXPECT_TRUE(writer.WriteDWord(0x01020304));
  EXPECT_FALSE(writer.WriteWord(0xFFFF));
  EXPECT_EQ(4u, writer.Size());
  EXPECT_TRUE(writer.WriteByte(9));
  EXPECT_FALSE(writer.WriteByte(10));
  EXPECT_EQ(0, buffer[5]);

  CByteWriter limited(3);
  EXPECT_FALSE(limited.WriteDWord(1));
  EXPECT_EQ(0u, limited.Size());
  EXPECT_TRUE(limited.WriteZeros(3));
}

TEST(CByteWriter, PatchesLengthFieldsInPlace) {
  CByteWriter writer;
  writer.WriteByte(2);
  writer.WriteDWord(0);
  writer.WriteBytes("abc", 3);
  writer.WriteByte(0xFE);
  EXPECT_TRUE(writer.PatchDWord(1, static_cast<DWORD>(writer.Size())));
  EXPECT_EQ(9, writer.Data()[1]);
  EXPECT_FALSE(writer.PatchDWord(6, 1));
}

TEST(CByteWriter, TruncationTakesBytesBackAndLeavesRoomForMore) {
  CByteWriter writer;
  for (int i = 0; i < 1000; ++i) writer.WriteDWord(static_cast<DWORD>(i));
  writer.Truncate(4001);  // past the end: nothing
  EXPECT_EQ(4000u, writer.Size());
  writer.Truncate(6);
  writer.WriteByte(0xAB);
  const BYTE expected[] = {0, 0, 0, 0, 1, 0, 0xAB};
  ASSERT_EQ(sizeof expected, writer.Bytes().size());
  EXPECT_EQ(0, memcmp(expected, writer.Bytes().data(), sizeof expected));
  writer.WriteWord(0x0201);  // writing on after the bytes were asked for
  EXPECT_EQ(9u, writer.Bytes().size());
  EXPECT_EQ(2, writer.Bytes().back());

  BYTE buffer[4] = {9, 9, 9, 9};
  CByteWriter fixed(buffer, sizeof buffer);
  fixed.WriteWord(0x0403);
  fixed.Truncate(1);
  EXPECT_TRUE(fixed.WriteBytes("xyz", 3));
  EXPECT_FALSE(fixed.WriteByte(0));
  EXPECT_EQ('z', buffer[3]);
  EXPECT_TRUE(fixed.Bytes().empty());

  CByteWriter limited(5);
  EXPECT_TRUE(limited.WriteDWord(1));
  limited.Truncate(2);
  EXPECT_TRUE(limited.WriteBytes("abc", 3));
  EXPECT_FALSE(limited.WriteByte(0)) << "the limit holds after a truncation too";
}

TEST(CByteReader, ReadsBackWhatTheWriterWrote) {
  CByteWriter writer;
  writer.WriteByte(7);
  writer.WriteInt16(-300);
  writer.WriteInt32(-70000);
  writer.WriteFloat(-2.5f);
  writer.WriteDouble(3.25);
  writer.WriteFixedString("T42", 8);
  CByteReader reader(writer.Data(), writer.Size());
  BYTE b;
  short s;
  int i;
  float f;
  double d;
  CString text;
  ASSERT_TRUE(reader.ReadByte(b));
  ASSERT_TRUE(reader.ReadInt16(s));
  ASSERT_TRUE(reader.ReadInt32(i));
  ASSERT_TRUE(reader.ReadFloat(f));
  ASSERT_TRUE(reader.ReadDouble(d));
  ASSERT_TRUE(reader.ReadFixedString(text, 8));
  EXPECT_EQ(7, b);
  EXPECT_EQ(-300, s);
  EXPECT_EQ(-70000, i);
  EXPECT_EQ(-2.5f, f);
  EXPECT_EQ(3.25, d);
  EXPECT_EQ(text, "T42");
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(nullptr, reader.Current());
}

TEST(CByteReader, AReadPastTheEndFailsAndReadsNothing) {
  const BYTE data[] = {1, 2, 3};
  CByteReader reader(data, sizeof data);
  DWORD value = 0xDEADBEEF;
  EXPECT_FALSE(reader.ReadDWord(value));
  EXPECT_EQ(0xDEADBEEFu, value);
  EXPECT_EQ(0u, reader.Position());
  WORD word;
  EXPECT_TRUE(reader.ReadWord(word));
  EXPECT_EQ(0x0201, word);
  EXPECT_FALSE(reader.ReadWord(word));
  EXPECT_FALSE(reader.Skip(2));
  CString text("unchanged");
  EXPECT_FALSE(reader.ReadFixedString(text, 2));
  EXPECT_EQ(text, "unchanged");
  BYTE raw[4];
  EXPECT_FALSE(reader.ReadBytes(raw, 4));
  EXPECT_FALSE(reader.Seek(4));
  EXPECT_TRUE(reader.Seek(3));
  EXPECT_TRUE(reader.AtEnd());
  // A huge count cannot wrap around the bounds check.
  EXPECT_TRUE(reader.Seek(1));
  EXPECT_FALSE(reader.Skip(static_cast<size_t>(-1)));
  EXPECT_EQ(1u, reader.Position());
}

TEST(CByteReader, SubReadersSeeOnlyTheirOwnBytes) {
  const BYTE data[] = {1, 2, 3, 4, 5};
  CByteReader reader(data, sizeof data);
  CByteReader sub;
  ASSERT_TRUE(reader.ReadSubReader(sub, 2));
  EXPECT_EQ(2u, sub.Size());
  EXPECT_EQ(2u, reader.Position());
  DWORD value;
  EXPECT_FALSE(sub.ReadDWord(value));
  EXPECT_FALSE(reader.ReadSubReader(sub, 4));
  EXPECT_EQ(2u, sub.Size());
  CByteReader none(nullptr, 10);
  EXPECT_EQ(0u, none.Size());
}

TEST(CByteReader, FixedStringStopsAtTheFirstZero) {
  const char data[] = {'a', 'b', 0, 'c', 'd', 'e'};
  CByteReader reader(data, sizeof data);
  CString text;
  ASSERT_TRUE(reader.ReadFixedString(text, 4));
  EXPECT_EQ(text, "ab");
  ASSERT_TRUE(reader.ReadFixedString(text, 2));
  EXPECT_EQ(text, "de");
}

}  // namespace
