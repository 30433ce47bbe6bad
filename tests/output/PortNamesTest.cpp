#include <gtest/gtest.h>

#include "output/PortNames.h"

namespace {

struct NameCase {
  const char* name;
  int parsed;      // ParsePortName
  int classified;  // ClassifyOutputTarget
  bool usable;     // IsUsableOutputTarget: the bar and the port take it for the same target
};

const NameCase kNames[] = {
    {"COM1", 1, 1, true},
    {"COM1:", 1, 1, true},
    {"com1", -1, -1, true},  // the prefix test is case-sensitive
    {"COM9", -1, -1, true},  // fourth character 9
    {"COM0", -1, -1, true},
    {"COM10", 10, 10, true},
    {"COM1234", 1234, -1, true},  // seven characters: too long for the cut bar
    {"COM12345", -1, -1, true},
    {"COM", -1, -1, true},
    {"LPT1", 32, 32, true},
    {"LPT2:", 33, 33, true},
    {"lpt1", -1, -1, true},
    {"LPT8", 39, 39, true},
    {"FILE", 0, -1, true},
    {"file", 0, -1, true},
    {"FILE:", -1, 0, true},
    {"file:", -1, 0, true},
    {"HP LaserJet @ LPT1:", 256, 256, true},
    {"Cutter @ x[y:1]", 256, 256, true},  // both marks: a printer queue
    {"刻字机[Brisvander.upl:02]", 128, 128, true},
    {"C:\\plots\\job.plt", -1, -1, true},
    {"\\\\.\\COM3", -1, -1, true},
    {"\\\\?\\C:\\job.plt", -1, -1, true},
    {"job.plt", -1, -1, true},
    {"ABC1", -1, -1, true},
    {"", -1, -1, false},
    // A port with more after its colon than the port takes: the bar would send to COM1, the port
    // would open a file of that name.
    {"COM1:Z:\\job.plt", -1, 1, false},
    {"LPT2:9600", -1, 33, false},
    {"C:\\plots:job.plt", -1, -1, false},
    {"job|1.plt", -1, -1, false},
};

TEST(PortNames, ParseAndClassifyFollowTheGrammar) {
  for (const NameCase& c : kNames) {
    EXPECT_EQ(c.parsed, ParsePortName(c.name)) << '"' << c.name << '"';
    EXPECT_EQ(c.classified, ClassifyOutputTarget(c.name)) << '"' << c.name << '"';
    EXPECT_EQ(c.usable, IsUsableOutputTarget(c.name)) << '"' << c.name << '"';
  }
}

TEST(PortNames, AnAtSignInsideAChineseCharacterIsNoPrinterMark) {
  // 0x40 ('@') is a valid trail byte of a double-byte character.
  const char name[] = {static_cast<char>(0x81), 0x40, 'X', 0};
  EXPECT_EQ(-1, ParsePortName(name));
  EXPECT_EQ(-1, ClassifyOutputTarget(name));
  // 0x7C ('|') too: the name is a file name all the same.
  const char file[] = {static_cast<char>(0x81), 0x7C, '.', 'p', 'l', 't', 0};
  EXPECT_TRUE(IsUsableOutputTarget(file));
}

TEST(PortNames, DevicePathsUseTheDeviceNamespace) {
  EXPECT_EQ(CString("\\\\.\\COM1"), PortDevicePath("COM1"));
  EXPECT_EQ(CString("\\\\.\\COM12"), PortDevicePath("COM12:"));
  EXPECT_EQ(CString("\\\\.\\LPT2"), PortDevicePath("LPT2:9600"));
}

TEST(PortNames, PrinterNamesLoseTheirTrailingBlanks) {
  EXPECT_EQ(CString("HP LaserJet"), PrinterNameOfPort("HP LaserJet   @ LPT1:"));
  EXPECT_EQ(CString("Plotter"), PrinterNameOfPort("Plotter@USB001"));
  EXPECT_TRUE(IsDevicePortKind(1));
  EXPECT_TRUE(IsDevicePortKind(32));
  EXPECT_FALSE(IsDevicePortKind(0));
  EXPECT_FALSE(IsDevicePortKind(128));
  EXPECT_FALSE(IsDevicePortKind(256));
}

}  // namespace
