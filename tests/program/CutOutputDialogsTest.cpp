// The cut device bar, the port settings dialog and the half-cut dialog made from the built-in
// resources, driven through their controls in windows under Xvfb; settings files live in a test
// folder.
#include <gtest/gtest.h>

#include <string>

#include "framework/FrameWnd.h"
#include "model/settings/ProgramPaths.h"
#include "output/CutDeviceBar.h"
#include "output/HalfCutDlg.h"
#include "output/PortSetupDlg.h"
#include "resources/Resource.h"
#include "support/MessageBoxCapture.h"
#include "support/MessagePump.h"
#include "support/ModalDialogDriver.h"
#include "support/TempFolder.h"

namespace {

std::string Key(const std::string& file, const char* section, const char* key) {
  char text[128] = {};
  GetPrivateProfileStringA(section, key, "<none>", text, sizeof text, file.c_str());
  return text;
}

std::string ControlText(HWND dialog, UINT id) {
  char text[128] = {};
  GetDlgItemTextA(dialog, static_cast<int>(id), text, sizeof text);
  return text;
}

class PortSetupTest : public ::testing::Test {
protected:
  PortSetupTest() : m_ini(m_folder.File("UPort.Ini")) {}

  // Runs the dialog on the settings given, with an action on its controls before OK.
  INT_PTR Run(std::function<void(HWND)> action = nullptr) {
    CPortSetupDlg dialog;
    dialog.GetPort().GetSettingsFile().SetPath(m_ini.c_str());
    m_driver.Then([action](CDialog* shown) {
      if (action) action(shown->m_hWnd);
      shown->PostMessage(WM_COMMAND, IDOK);
    });
    return dialog.DoModal();
  }
  void Set(const char* key, const char* value) {
    WritePrivateProfileStringA("PortInfo", key, value, m_ini.c_str());
  }
  std::string Get(const char* key) { return Key(m_ini, "PortInfo", key); }

  TempFolder m_folder;
  std::string m_ini;
  MessageBoxCapture m_boxes;
  ModalDialogDriver m_driver;
};

// The speed needs 32 bits, and XON/XOFF is kept: both used to be lost on the way.
TEST_F(PortSetupTest, OkKeepsFastSpeedsAndXonXoff) {
  Set("TranSpeed", "256000");
  Set("XONXOFF", "1");
  Set("DataWidth", "7");
  Set("OECheck", "2");
  Set("OutMethod", "3");
  std::string flow;
  EXPECT_EQ(IDOK, Run([&flow](HWND dialog) { flow = ControlText(dialog, IDC_PORT_FLOW); }));
  EXPECT_EQ("XON/XOFF", flow);
  EXPECT_EQ("256000", Get("TranSpeed"));
  EXPECT_EQ("1", Get("XONXOFF"));
  EXPECT_EQ("7", Get("DataWidth"));
  EXPECT_EQ("2", Get("OECheck"));
  EXPECT_EQ("3", Get("OutMethod"));  // not the dialog's to write
  EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(PortSetupTest, SpeedsOutsideTheListAndDataBitsAPortCannotSendAreRefused) {
  Set("TranSpeed", "110");
  EXPECT_EQ(IDCANCEL, Run());  // OK refused: the dialog stays until it is cancelled
  EXPECT_EQ(1, m_driver.Stuck());
  ASSERT_EQ(1u, m_boxes.Count());
  EXPECT_NE(std::string::npos, m_boxes.Last().text.find("110"));
  EXPECT_EQ("110", Get("TranSpeed"));

  Set("TranSpeed", "9600");
  EXPECT_EQ(IDCANCEL, Run([](HWND dialog) {
              SendDlgItemMessageA(dialog, IDC_PORT_DATA_BITS, CB_SETCURSEL, 4, 0);  // "4"
            }));
  ASSERT_EQ(2u, m_boxes.Count());
  EXPECT_EQ("<none>", Get("DataWidth"));
}

TEST_F(PortSetupTest, DefaultsAreRestoredAndSavedOnOk) {
  Set("TranSpeed", "57600");
  Set("RTSCTS", "0");
  Set("DTRDSR", "1");
  EXPECT_EQ(IDOK, Run([](HWND dialog) {
              SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PORT_DEFAULTS, BN_CLICKED),
                           reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_PORT_DEFAULTS)));
            }));
  EXPECT_EQ("9600", Get("TranSpeed"));
  EXPECT_EQ("1", Get("RTSCTS"));
  EXPECT_EQ("0", Get("DTRDSR"));
  EXPECT_EQ("0", Get("XONXOFF"));
  EXPECT_EQ("8", Get("DataWidth"));
}

TEST(HalfCutDialog, ShowsTheLengthsAndSavesAtLeastTheShortestACutterCanMake) {
  TempFolder folder;
  std::string ini = folder.File("Cutters.INI");
  WritePrivateProfileStringA("CutInfo", "SolidCut", "3.5", ini.c_str());
  WritePrivateProfileStringA("CutInfo", "VoidCut", "0.75", ini.c_str());
  CIniFile profile;
  profile.SetPath(ini.c_str());
  ModalDialogDriver driver;
  std::string solid, gap;
  driver.Then([&](CDialog* dialog) {
    solid = ControlText(dialog->m_hWnd, IDC_HALF_SOLID);
    gap = ControlText(dialog->m_hWnd, IDC_HALF_VOID);
    dialog->PostMessage(WM_COMMAND, IDCANCEL);
  });
  driver.Then([](CDialog* dialog) {
    SetDlgItemTextA(dialog->m_hWnd, IDC_HALF_SOLID, "0");
    SetDlgItemTextA(dialog->m_hWnd, IDC_HALF_VOID, "0");
    dialog->PostMessage(WM_COMMAND, IDOK);
  });
  EXPECT_EQ(IDCANCEL, CHalfCutDlg(profile).DoModal());
  EXPECT_EQ("3.50", solid);
  EXPECT_EQ("0.75", gap);
  EXPECT_EQ("3.5", Key(ini, "CutInfo", "SolidCut"));
  EXPECT_EQ(IDOK, CHalfCutDlg(profile).DoModal());
  EXPECT_EQ("0.1000", Key(ini, "CutInfo", "SolidCut"));
  EXPECT_EQ("0.0500", Key(ini, "CutInfo", "VoidCut"));
}

class NoJob : public CCutOutputHost {
public:
  CSegArray* GetOutputBlocks() override { return nullptr; }
  CString GetDocumentTitle() override { return ""; }
  LANGID GetLanguage() override { return 2052; }
  void CloseCutOutput() override { ++closed; }
  int closed = 0;
};

class CutDeviceBarTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_ini = m_folder.File("Cutters.INI");
    char folder[MAX_PATH];
    ASSERT_EQ(1, GetProgramDir(folder, sizeof folder));
    std::string shipped = std::string(folder) + "program\\Cutters.INI";
    ASSERT_TRUE(CopyFileA(shipped.c_str(), m_ini.c_str(), FALSE));
    m_device.ProfileFile().SetPath(m_ini.c_str());
    m_device.m_port.GetSettingsFile().SetPath(m_folder.File("UPort.Ini").c_str());
    WritePrivateProfileStringA("CutInfo", "Device", "hp-gl 刻字机, 软件", m_ini.c_str());
    m_settings.LoadCutSettings(m_device.ProfileFile());
    m_settings.SetPortName("FILE:");
    m_frame = new CFrameWnd;
    ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
    ASSERT_TRUE(m_bar.Create(m_frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, IDD_CUT_DEVICE_BAR));
    m_frame->ShowWindow(SW_SHOW);
    PumpMessages();
  }
  void TearDown() override {
    if (m_bar.m_hWnd) m_bar.DestroyWindow();
    if (m_frame && m_frame->m_hWnd) m_frame->DestroyWindow();
    PumpMessages();
  }

  std::vector<std::string> SpeedList() {
    std::vector<std::string> items;
    HWND combo = GetDlgItem(m_bar.m_hWnd, IDC_CUT_SPEED);
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[16] = {};
      SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      items.push_back(text);
    }
    return items;
  }
  bool Enabled(UINT id) { return IsWindowEnabled(GetDlgItem(m_bar.m_hWnd, id)) != 0; }

  TempFolder m_folder;
  std::string m_ini;
  CCutterDevice m_device;
  CCutSettings m_settings;
  NoJob m_host;
  CCutDeviceBar m_bar{m_device, m_settings, m_host};
  CFrameWnd* m_frame = nullptr;
  MessageBoxCapture m_boxes;
};

TEST_F(CutDeviceBarTest, TheBarShowsTheChosenModelAndItsRanges) {
  EXPECT_STREQ("HP-GL 刻字机, 软件补偿", m_device.m_modelName);
  EXPECT_EQ("HP-GL 刻字机, 软件补偿", ControlText(m_bar.m_hWnd, IDC_CUT_MODEL));
  EXPECT_EQ("400", ControlText(m_bar.m_hWnd, IDC_CUT_MEDIA_WIDTH));
  EXPECT_EQ("900", ControlText(m_bar.m_hWnd, IDC_CUT_MEDIA_HEIGHT));
  // A maximum of 48 steps by 8; the model's speed 30 is not listed, so the first is selected.
  EXPECT_EQ((std::vector<std::string>{"48", "40", "32", "24", "16", "8", "0"}), SpeedList());
  EXPECT_EQ("48", ControlText(m_bar.m_hWnd, IDC_CUT_SPEED));
  EXPECT_EQ("80", ControlText(m_bar.m_hWnd, IDC_CUT_FORCE));
  EXPECT_TRUE(Enabled(IDC_CUT_FORCE));
  EXPECT_EQ("HP-GL 刻字机, 软件补偿", Key(m_ini, "CutInfo", "Device"));

  m_device.m_maxSpeed = 5;
  m_device.m_speed = 3;
  m_bar.RefreshControls();
  EXPECT_EQ((std::vector<std::string>{"5", "4", "3", "2", "1", "0"}), SpeedList());
  EXPECT_EQ("3", ControlText(m_bar.m_hWnd, IDC_CUT_SPEED));
  EXPECT_EQ(0u, m_boxes.Count());
}

TEST_F(CutDeviceBarTest, ControlsChangeTheProfileAndTestWaitsForADevicePort) {
  EXPECT_FALSE(Enabled(IDC_CUT_TEST));
  EXPECT_FALSE(Enabled(IDC_CUT_RESET));
  m_settings.SetPortName("COM1");
  m_bar.RefreshControls();
  EXPECT_TRUE(Enabled(IDC_CUT_TEST));

  SetDlgItemTextA(m_bar.m_hWnd, IDC_CUT_FORCE, "150");
  EXPECT_EQ(150, m_device.m_force);
  EXPECT_EQ(150, m_settings.m_penForce);
  CheckDlgButton(m_bar.m_hWnd, IDC_CUT_FORCE_CHECK, BST_UNCHECKED);
  SendMessageA(m_bar.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_CUT_FORCE_CHECK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(m_bar.m_hWnd, IDC_CUT_FORCE_CHECK)));
  EXPECT_EQ(0, m_device.m_setForce);
  EXPECT_FALSE(Enabled(IDC_CUT_FORCE));

  SendMessageA(m_bar.m_hWnd, WM_COMMAND, MAKEWPARAM(IDC_CUT_EXIT, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(m_bar.m_hWnd, IDC_CUT_EXIT)));
  EXPECT_EQ(1, m_host.closed);
  EXPECT_EQ("0", Key(m_ini, "HPGLSOFT", "SetForce"));
  EXPECT_EQ("150", Key(m_ini, "HPGLSOFT", "DefaultForce"));
}

}  // namespace
