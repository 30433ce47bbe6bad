#include <gtest/gtest.h>

#include "output/PortNames.h"

namespace {

struct NameCase {
  const char* name;
  int parsed;      // ParsePortName
  int classified;  // ClassifyOutputTarget
};

const NameCase kNames[] = {
    {"COM1", 1, 1},
    {"COM1:", 1, 1},
    {"com1", -1, -1},  // the prefix test is case-sensitive
    {"COM9", -1, -1},  // fourth character 9
    {"COM0", -1, -1},
    {"COM10", 10, 10},
    {"COM1234", 1234, -1},  // seven characters: too long for the cut bar
    {"COM12345", -1, -1},
    {"COM", -1, -1},
    {"LPT1", 32, 32},
    {"LPT2:", 33, 33},
    {"lpt1", -1, -1},
    {"LPT8", 39, 39},
    {"FILE", 0, -1},
    {"file", 0, -1},
    {"FILE:", -1, 0},
    {"file:", -1, 0},
    {"HP LaserJet @ LPT1:", 256, 256},
    {"Cutter @ x[y:1]", 256, 256},  // both marks: a printer queue
    {"刻字机[Brisvander.upl:02]", 128, 128},
    {"C:\\plots\\job.plt", -1, -1},
    {"\\\\.\\COM3", -1, -1},
    {"\\\\?\\C:\\job.plt", -1, -1},
    {"job.plt", -1, -1},
    {"ABC1", -1, -1},
    {"", -1, -1},
};

TEST(PortNames, ParseAndClassifyFollowTheGrammar) {
  for (const NameCase& c : kNames) {
    EXPECT_EQ(c.parsed, ParsePortName(c.name)) << '"' << c.name << '"';
    EXPECT_EQ(c.classified, ClassifyOutputTarget(c.name)) << '"' << c.name << '"';
  }
}

// The cut bar takes a name only when the output port will take it for the same target.
TEST(PortNames, ANameThatIsNoPortAndNoFilePathIsNoTarget) {
  for (const char* usable : {"COM1", "LPT2:", "FILE:", "HP @ LPT1:", "刻字机[B.upl:02]",
                             "C:\\plots\\job.plt", "\\\\?\\C:\\job.plt", "job.plt", "COM9"})
    EXPECT_TRUE(IsUsableOutputTarget(usable)) << usable;
  // "COM1:Z:\job.plt" would be COM1 to the bar and a file to the port.
  for (const char* refused :
       {"", "COM1:Z:\\job.plt", "LPT2:9600", "C:\\plots:job.plt", "job|1.plt"})
    EXPECT_FALSE(IsUsableOutputTarget(refused)) << refused;
  // A double-byte character's second byte may be 0x7C ('|').
  const char chinese[] = {static_cast<char>(0x81), 0x7C, '.', 'p', 'l', 't', 0};
  EXPECT_TRUE(IsUsableOutputTarget(chinese));
}

TEST(PortNames, AnAtSignInsideAChineseCharacterIsNoPrinterMark) {
  // 0x40 ('@') is a valid trail byte of a double-byte character.
  const char name[] = {static_cast<char>(0x81), 0x40, 'X', 0};
  EXPECT_EQ(-1, ParsePortName(name));
  EXPECT_EQ(-1, ClassifyOutputTarget(name));
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
