// Writes to serial ports that Wine maps to a pseudo-terminal (see serial_pty.sh and
// tools/common.sh): what arrives is recorded in the build folder's serial\OUT.
#include <gtest/gtest.h>

#include <string>

#include "SerialRecording.h"
#include "media/DllModule.h"
#include "output/OutPort.h"
#include "support/TempFolder.h"

namespace {

class SerialPortTest : public ::testing::Test {
protected:
  void SetUp() override {
    HANDLE probe = CreateFileA("\\\\.\\COM1", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe == INVALID_HANDLE_VALUE) GTEST_SKIP() << "COM1 is not mapped to the test terminal";
    CloseHandle(probe);
  }

  // A port with settings of its own in a test folder.
  struct Port : COutPort {
    explicit Port(const TempFolder& folder) {
      GetSettingsFile().SetPath(folder.File("UPort.Ini").c_str());
      LoadSettings();
    }
  };

  TempFolder m_folder;
};

TEST_F(SerialPortTest, EveryOutputMethodDeliversTheBytes) {
  const int methods[] = {0, 1, 2, 3, 7};
  for (int method : methods) {
    Port port(m_folder);
    port.SetPortName("COM1");
    ASSERT_TRUE(port.Open()) << method;
    port.OutMethod = method;
    std::string job = "IN;SP1;PU0,0;PD" + std::to_string(100 + method) + ",0;";
    EXPECT_TRUE(port.WriteString(job.c_str())) << method;
    port.Close();
    EXPECT_TRUE(Arrives(job)) << "method " << method << ": " << Recorded();
  }
}

TEST_F(SerialPortTest, PortsFromCom10OnOpenThroughTheDeviceNamespace) {
  Port port(m_folder);
  port.SetPortName("COM12:");
  ASSERT_EQ(12, port.GetPortKind());
  ASSERT_TRUE(port.Open());
  EXPECT_TRUE(port.WriteString("IN;PU12,12;"));
  port.Close();
  EXPECT_TRUE(Arrives("IN;PU12,12;"));
}

TEST_F(SerialPortTest, TheLineSettingsReachTheDevice) {
  Port port(m_folder);
  // A pseudo-terminal always keeps 8 data bits without parity: rate and stop bits are checked.
  port.TranSpeed = 115200;
  port.StopBits = 2;
  port.SaveSettings();
  port.SetPortName("COM1");
  ASSERT_TRUE(port.Open());
  EXPECT_NE(nullptr, port.GetHandle());
  port.Close();

  HANDLE device = CreateFileA("\\\\.\\COM1", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, device);
  DCB dcb = {};
  dcb.DCBlength = sizeof dcb;
  ASSERT_TRUE(GetCommState(device, &dcb));
  EXPECT_EQ(115200u, dcb.BaudRate);
  EXPECT_EQ(TWOSTOPBITS, dcb.StopBits);
  // Back to the defaults for the other tests.
  dcb.BaudRate = 9600;
  dcb.StopBits = ONESTOPBIT;
  SetCommState(device, &dcb);
  CloseHandle(device);
}

TEST_F(SerialPortTest, AMissingPortFailsTheOpen) {
  Port port(m_folder);
  port.SetPortName("COM7");
  EXPECT_FALSE(port.Open());
  EXPECT_FALSE(port.WriteString("IN;"));
}

}  // namespace
