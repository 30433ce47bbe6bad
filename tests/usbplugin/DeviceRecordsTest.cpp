// The byte formats between the plug-in and the cutter, without windows or devices: wire records
// and their scaling, the status record and the SCSI command blocks as golden bytes written from
// their layouts, damaged input for each reader, and the device digit in a device identifier.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/ByteWriter.h"
#include "usbplugin/DeviceStatus.h"
#include "usbplugin/ScsiCommand.h"
#include "usbplugin/WindowsDeviceLink.h"
#include "usbplugin/WireRecord.h"

namespace {

TEST(WireRecord, EncodesKindAndThirtyBitStepsLittleEndian) {
  CByteWriter writer;
  ASSERT_TRUE((WireRecord{WireRecord::kLine, -1, 808}).Write(writer));
  ASSERT_TRUE((WireRecord{WireRecord::kMarker, WireRecord::kCancelMarkerY, 0}).Write(writer));
  // clang-format off
  const BYTE golden[] = {0xFE, 0xFF, 0xFF, 0xFF, 0x28, 0x03, 0x00, 0x00,   // line, y -1, x 808
                         0xC0, 0xC0, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00};  // marker 0x303030, 0
  // clang-format on
  ASSERT_EQ(sizeof golden, writer.Size());
  EXPECT_EQ(0, memcmp(golden, writer.Data(), sizeof golden));

  CByteReader reader(writer.Data(), writer.Size());
  WireRecord record = {};
  ASSERT_TRUE(record.Read(reader));
  EXPECT_EQ(WireRecord::kLine, record.kind);
  EXPECT_EQ(-1, record.yStep);
  EXPECT_EQ(808, record.xStep);
  // Damaged: a short record, and bits 30-31 of word 1 set.
  const BYTE bad[] = {1, 0, 0, 0, 0, 0, 0, 0xC0};
  CByteReader badReader(bad, sizeof bad);
  EXPECT_FALSE(record.Read(badReader));
  CByteReader shortReader(bad, 7);
  EXPECT_FALSE(record.Read(shortReader));
}

TEST(DeviceScale, TurnsPlotUnitsIntoDeviceUnitsAndStaysWithinThirtyBitSteps) {
  CDeviceScale defaults;
  EXPECT_EQ(808, defaults.DeviceX(1000));
  EXPECT_EQ(-808, defaults.DeviceY(-1000));
  CDeviceScale reported(100000, 100000, 100000, 200000);
  EXPECT_EQ(2000, reported.DeviceX(1000));
  EXPECT_EQ(1000, reported.DeviceY(1000));
  // Products past 64 bits and points past the limit are held at the limit.
  CDeviceScale huge(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF);
  EXPECT_EQ(CDeviceScale::kLimit, huge.DeviceX(0x7FFFFFFF));
  EXPECT_EQ(-CDeviceScale::kLimit, huge.DeviceY(-0x7FFFFFFF));
  EXPECT_EQ(CDeviceScale::kLimit, defaults.DeviceX(0x7FFFFFFF));
}

TEST(DeviceStatus, ReadsTheFortyEightByteRecordAndTakesScalesOnlyWithTheMagicValue) {
  BYTE bytes[DeviceStatus::kSize] = {};
  CByteWriter writer(bytes, sizeof bytes);
  // clang-format off
  const DWORD words[] = {1, 0, 7, 500, DeviceStatus::kScalesValid, 0, 100000, 100000, 50000, 200000};
  // clang-format on
  for (DWORD word : words) writer.WriteDWord(word);
  DeviceStatus status;
  ASSERT_TRUE(status.Read(bytes, sizeof bytes));
  EXPECT_EQ(1, status.ready);
  EXPECT_EQ(7, status.pending);
  EXPECT_EQ(500, status.room);
  EXPECT_EQ(500, status.PlotScale().DeviceY(1000));
  EXPECT_EQ(2000, status.PlotScale().DeviceX(1000));
  BYTE again[DeviceStatus::kSize];
  status.Write(again);
  EXPECT_EQ(0, memcmp(bytes, again, sizeof bytes));

  status.magic = 0;
  EXPECT_EQ(808, status.PlotScale().DeviceX(1000));
  status.magic = DeviceStatus::kScalesValid;
  status.scale.x2 = 0;  // a scale of zero is no scale
  EXPECT_EQ(808, status.PlotScale().DeviceX(1000));
  EXPECT_FALSE(status.Read(bytes, 47));
}

TEST(ScsiCommand, BuildsTheCommandBlocksAndMapsResults) {
  // clang-format off
  const BYTE status[] = {0xFF, 0, 0xFF, 0xFF, 0xFF, 18, 0, 0, 0, 0};
  const BYTE write[]  = {0x2E, 0, 0xFF, 0xFF, 0xFF, 2, 0, 0, 128, 0};  // 65536 bytes
  const BYTE big[]    = {0x2E, 0, 0xFF, 0xFF, 0xFF, 2, 0, 1, 0, 0};    // 131072 bytes
  // clang-format on
  EXPECT_EQ(0, memcmp(status, ScsiCommand::Read(ScsiCommand::kStatusRecord).block, 10));
  EXPECT_EQ(48u, ScsiCommand::Read(ScsiCommand::kStatusRecord).length);
  EXPECT_EQ(0, memcmp(write, ScsiCommand::Write(ScsiCommand::kWriteRecords, 65536).block, 10));
  EXPECT_EQ(0, memcmp(big, ScsiCommand::Write(ScsiCommand::kWriteRecords, 131072).block, 10));
  ScsiCommand parsed;
  EXPECT_TRUE(ScsiCommand::Parse(write, 10, parsed));
  EXPECT_TRUE(parsed.write);
  EXPECT_EQ(2, parsed.number);
  BYTE damaged[10];
  memcpy(damaged, status, 10);
  damaged[3] = 0;
  EXPECT_FALSE(ScsiCommand::Parse(damaged, 10, parsed));
  EXPECT_FALSE(ScsiCommand::Parse(status, 9, parsed));

  struct Case {
    bool done;
    BYTE status;
    DWORD sense;
    int result;
  };
  const Case cases[] = {
      {false, 0, 0, 8},          {true, 0, 0x1234, 0},
      {true, 2, 0x0300, 0x0300}, {true, 2, 0x123456, 0xFF00},
      {true, 8, 0, 0xFFFF},
  };
  for (const Case& c : cases) {
    ScsiReply reply = {};
    reply.status = c.status;
    CByteWriter sense(reply.sense + 3, 4);
    sense.WriteDWord(c.sense);
    EXPECT_EQ(c.result, ScsiCommand::Result(c.done, reply)) << c.sense;
  }
}

TEST(WindowsDeviceLink, TakesTheDeviceDigitAfterTheCuttersSerialMark) {
  struct Case {
    const char* id;
    int number;
  };
  const Case cases[] = {
      {"USB\\VID_04CC&PID_1161\\SERIALNUMBER2", 2},
      {"USB\\VID_04CC&PID_1161\\SERIALNUMBER4XYZ", 4},
      {"USB\\VID_04CC&PID_1161\\SERIALNUMBER!", 0},
      {"USB\\VID_04CC&PID_1161\\SERIALNUMBER", 0},
      {"USB\\VID_04CC&PID_1162\\SERIALNUMBER2", -1},
      {"USBSTOR\\DISK&VEN_X", -1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.number, CWindowsDeviceLink::DeviceNumberFromId(c.id)) << c.id;
}

TEST(WindowsDeviceLink, FindsNoCutterWhereNoneIsPluggedInAndSaysWhy) {
  CWindowsDeviceLink link;
  for (int number = 1; number <= 4; ++number) {
    EXPECT_FALSE(link.Open(number));
    EXPECT_FALSE(link.IsOpen());
    EXPECT_STRNE("", link.LastProblem());
  }
  ScsiReply reply = {};
  BYTE answer[48];
  EXPECT_FALSE(link.Execute(ScsiCommand::Read(ScsiCommand::kStatusRecord), answer, reply));
}

}  // namespace
